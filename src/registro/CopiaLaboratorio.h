#pragma once

// The register window of a lab with a server shows every computer's series: when it opens,
// the server's series are read (on a thread of their own: the program's windows keep
// painting, and take no input meanwhile) and copied into a register file of the window's
// own, in a private temporary folder removed with it. The window then works on the copy as
// on this computer's register: filters, chart, missed pairs, export, a pupil's page.

#include "registro/ConfigurazioneServer.h"
#include "registro/RegistroLocale.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

// What the program hands the register window about the lab's server.
struct LaboratorioPerRegistro {
    std::optional<ConfigurazioneServer> Server; // configured and accepted
    QString Avviso;                             // the configuration refused, and why
    std::function<QString()> StatoInvio;        // the sender's sentence (TestoStatoInvio)
};

struct CopiaLaboratorio {
    std::unique_ptr<QTemporaryDir> Cartella;
    std::unique_ptr<RegistroLocale> Registro; // null when the server could not be read
    QString Messaggio;                        // why not
    int Serie = 0;
};

// Reads the whole lab's series from the server and copies them; waits in a local event
// loop that excludes user input.
CopiaLaboratorio CopiaDalServer(const ConfigurazioneServer& server, int attesaSecondi = 5);
