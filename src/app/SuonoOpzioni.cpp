#include "app/SuonoOpzioni.h"

#include "base/StatoProgramma.h"

void SuonoOpzioni::SuonoEsatto() {
    if (stato_.Impostazioni.SuonoAttivo) campanello_.SuonoEsatto();
    if (stato_.Impostazioni.RinforzoSonoro) voce_.Loda(lodi_.Prossima(fonte_));
}
