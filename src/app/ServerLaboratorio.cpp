#include "app/ServerLaboratorio.h"

#include <cstdio>

void ServerLaboratorio::Avvia(const QString& nomeComputer, const QString& percorsoRegistro) {
    if (invio) return;
    configurazione = CaricaConfigurazioneServer(nomeComputer);
    if (!configurazione.Errore.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(configurazione.Errore));
    if (configurazione.Server) {
        invio = std::make_unique<InvioServer>(
            *configurazione.Server, percorsoRegistro,
            std::chrono::seconds(configurazione.Server->IntervalloSecondi));
        attivo = invio.get();
    }
}

void ServerLaboratorio::SerieRegistrata() {
    if (InvioServer* i = attivo.load()) i->Invia();
}

bool ServerLaboratorio::Ferma(std::chrono::milliseconds attesa) {
    // The object stays until this one goes (after the register's thread has ended): a late
    // SerieRegistrata finds it stopped, never gone.
    return !invio || invio->Ferma(attesa);
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
