#include "results/StampaEsercizi.h"

#include "base/MessaggiStampa.h"
#include "generation/Spazi.h"
#include "results/PaginaEsercizi.h"

#include <algorithm>

std::array<QString, EtichetteEsercizi + 1> TestiEtichette(const StatoProgramma& stato) {
    std::array<QString, EtichetteEsercizi + 1> testi;
    const QStringList righe = RigheEsercizi(stato.Registro);
    const int ultima = std::min<int>(static_cast<int>(righe.size()), EtichetteEsercizi);
    for (int k = 1; k <= ultima; ++k)
        testi[k] = righe[k - 1];
    return testi;
}

FontEtichette FontPerEtichette(const QString& famiglia) {
    const bool nuovo = famiglia == QLatin1String("Courier New");
    return {famiglia, 10, nuovo};
}

EsitoStampa StampaEsercizi(const StatoProgramma& stato, ServizioStampa& servizio, Avvisi& avvisi) {
    const QString famiglia = servizio.CercaCourier();
    if (famiglia.isEmpty()) {
        const EsitoStampa mancante{EsitoStampa::Tipo::FontMancante, {}};
        AvvisaStampa(avvisi, mancante, servizio.PdfScelto());
        return mancante;
    }
    const EsitoStampa esito =
        servizio.Stampa(PaginaEsercizi(stato, famiglia), QStringLiteral("esercizi"));
    AvvisaStampa(avvisi, esito, servizio.PdfScelto());
    return esito;
}
