#pragma once

// The school lab's server for the running program: the configuration is read once the
// start screen is up (nothing of the network, of Qt SQL or of libpq before that), and when a
// server is configured the sending thread runs for the rest of the run. Without a
// configuration file nothing else happens: the register stays on this computer, as always.

#include "registro/ConfigurazioneServer.h"
#include "registro/CopiaLaboratorio.h"
#include "registro/InvioServer.h"

#include <atomic>
#include <chrono>
#include <memory>

class ServerLaboratorio {
public:
    // Reads the configuration and starts the sender when a server is named. A file that
    // cannot be used is reported once on standard error and in Configurazione().Errore.
    void Avvia(const QString& nomeComputer, const QString& percorsoRegistro);

    // A series was just stored in the local register: it goes to the server as soon as the
    // sending thread is free. Nothing without a server. Safe from any thread, until this
    // object is destroyed.
    void SerieRegistrata();

    // The sender, or null without a server.
    InvioServer* Invio() const { return invio.get(); }
    const EsitoConfigurazione& Configurazione() const { return configurazione; }
    // What the register window needs of it: the server, or why it was refused, and the
    // sender's sentence.
    LaboratorioPerRegistro PerRegistro() const;

    // Ends the sender, waiting at most attesa; false when it is stuck on the network (the
    // process may then end without waiting for it: the series stay waiting in the local
    // register, and go at the next start). SerieRegistrata does nothing afterwards.
    bool Ferma(std::chrono::milliseconds attesa);

private:
    EsitoConfigurazione configurazione;
    std::unique_ptr<InvioServer> invio;
    std::atomic<InvioServer*> attivo{nullptr}; // invio, for the register's thread
};
