#pragma once

// The right-reply sound as the options want it: the chime while "BEEP" is on (SuonoAttivo),
// and words of praise from the program's voice while "RINFORZO SONORO" is on. The drill asks
// for the sound on every right reply; this decides what is heard.

#include "base/Servizi.h"
#include "drill/Lodi.h"

class FonteCasuale;
struct StatoProgramma;

class SuonoOpzioni : public Suono {
public:
    // campanello plays the chime; voce says the praise, drawn from fonte.
    SuonoOpzioni(const StatoProgramma& stato, Suono& campanello, Voce& voce, FonteCasuale& fonte)
        : stato_(stato), campanello_(campanello), voce_(voce), fonte_(fonte) {}

    void SuonoEsatto() override;

private:
    const StatoProgramma& stato_;
    Suono& campanello_;
    Voce& voce_;
    FonteCasuale& fonte_;
    Lodi lodi_;
};
