#pragma once

// "decimetra --esporta-registro FILE.csv" on a computer of a lab with a server: the whole
// lab's series, every computer's, from the server, in the same CSV format as the local
// register's export (registro/EsportaCsv.h), oldest first. When the server cannot be read
// the caller exports this computer's register instead, and says so.

#include "registro/ConfigurazioneServer.h"

#include <QString>

struct EsitoEsportazioneServer {
    enum class Tipo {
        SenzaServer,      // no configuration file: the local register, silently, as always
        Esportato,        // the server's series are in the file
        NonRaggiungibile, // configuration refused or server unreachable: Messaggio says why
        NonScritto,       // the server answered but the file could not be written
    };
    Tipo Esito = Tipo::SenzaServer;
    QString Messaggio; // Italian, for standard error
    int Serie = 0;     // how many series were written
};

// Reads the server named by configurazione and writes every series into file, through the
// program's safe writer.
EsitoEsportazioneServer EsportaDalServer(const EsitoConfigurazione& configurazione,
                                         const QString& file, int attesaSecondi = 5);
