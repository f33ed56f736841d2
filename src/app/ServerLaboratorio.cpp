#include "app/ServerLaboratorio.h"

#include <cstdio>

void ServerLaboratorio::Avvia(const QString& nomeComputer, const QString& percorsoRegistro) {
    if (invio) return;
    configurazione = CaricaConfigurazioneServer(nomeComputer);
    if (!configurazione.Errore.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(configurazione.Errore));
    if (configurazione.Server)
        invio = std::make_unique<InvioServer>(
            *configurazione.Server, percorsoRegistro,
            std::chrono::seconds(configurazione.Server->IntervalloSecondi));
}

void ServerLaboratorio::SerieRegistrata() {
    if (invio) invio->Invia();
}

bool ServerLaboratorio::Ferma(std::chrono::milliseconds attesa) {
    if (!invio) return true;
    if (!invio->Ferma(attesa)) {
        // Destroying it would wait for the network; it goes with the process.
        (void)invio.release();
        return false;
    }
    invio.reset();
    return true;
}

LaboratorioPerRegistro ServerLaboratorio::PerRegistro() const {
    LaboratorioPerRegistro l;
    l.Server = configurazione.Server;
    l.Avviso = configurazione.Errore;
    if (invio) {
        const InvioServer* i = invio.get();
        l.StatoInvio = [i] { return TestoStatoInvio(i->Stato(), i->Configurazione()); };
    }
    return l;
}
