#include "results/PaginaEsercizi.h"

#include "generation/Spazi.h"
#include "results/Interlinea.h"

#include <algorithm>

namespace {

constexpr double PuntiIntestazione = 16;
constexpr double PuntiRighe = 10;
constexpr int RighePosizionate = 30;

} // namespace

PosizioneRiga PosizioneRigaEsercizio(int k) {
    if (k <= 10) return {500, 2000 + 400 * (k - 1)};
    if (k <= 20) return {500, 6000 + 400 * (k - 10)};
    return {500, 10500 + 400 * (k - 20)};
}

Pagina PaginaEsercizi(const StatoProgramma& stato, const QString& famiglia) {
    Pagina pagina;

    TestoPagina testo;
    testo.famiglia = famiglia;
    testo.colore = Rgb(0, 0, 0);

    // The header sets the size only; the weight stays the printer's regular one.
    testo.punti = PuntiIntestazione;
    testo.grassetto = false;
    testo.x = 1000;
    testo.y = 1000;
    testo.testo = QStringLiteral("SCUOLA ELEMENTARE DI ");
    pagina.testi.append(testo);
    testo.y += AltezzaRiga(famiglia, PuntiIntestazione);
    testo.testo = QStringLiteral("Ordina i numeri in modo crescente");
    pagina.testi.append(testo);

    testo.punti = PuntiRighe;
    testo.grassetto = true;
    const int altezza = AltezzaRiga(famiglia, PuntiRighe);
    const QStringList righe = RigheEsercizi(stato.Registro);
    for (int k = 1; k <= righe.size(); ++k) {
        if (k <= RighePosizionate) {
            const PosizioneRiga p = PosizioneRigaEsercizio(k);
            testo.x = p.x;
            testo.y = p.y;
        } else {
            testo.x = 0;
            testo.y += altezza;
        }
        testo.testo = righe[k - 1];
        pagina.testi.append(testo);
    }
    return pagina;
}
