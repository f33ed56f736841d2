#pragma once

// The school lab's register on a PostgreSQL server (Qt SQL, QPSQL driver): one connection,
// used from one thread (a Qt SQL connection belongs to the thread that opened it). It
// connects when first needed, with a connection timeout of a few seconds, creates the
// tables when they are missing (the statements of packaging/registro-postgresql.sql), stores
// a series under its own id, and reads back the whole lab's series.
//
// A series sent again is stored once: the server keeps one row per id, replaced only by a
// later revision of the same series (a name or a grade added since). Every value goes
// through a bound parameter. The password is read by libpq from the passfile, never by
// this code, and no message holds it.

#include "registro/ConfigurazioneServer.h"
#include "registro/RegistroLocale.h"

#include <QString>
#include <optional>
#include <vector>

struct EsitoServer {
    bool Riuscito = false;
    // Empty when it worked; otherwise an Italian sentence for the register window and the
    // technician: "il server non risponde (...)".
    QString Messaggio;
    // The server is there but refused this series' data (a value it cannot store): the
    // next series may still go.
    bool SerieRifiutata = false;
};

class RegistroServer {
public:
    // attesaSecondi: the longest wait for a connection, and (on the server) for a statement.
    explicit RegistroServer(ConfigurazioneServer configurazione, int attesaSecondi = 5);
    ~RegistroServer();
    RegistroServer(const RegistroServer&) = delete;
    RegistroServer& operator=(const RegistroServer&) = delete;

    const ConfigurazioneServer& Configurazione() const { return configurazione; }

    // Connects when not connected, and creates the tables when missing.
    EsitoServer Connetti();
    void Chiudi();

    // Stores one series with its exercises and tries, in one transaction: a series the
    // server has already, at this revision or a later one, is left as it is.
    EsitoServer Invia(const SerieConComputer& serie);

    // Every series on the server, newest first, without their exercises; nullopt when the
    // server cannot be read (UltimoErrore() says why).
    std::optional<std::vector<RigaRegistro>> Elenco();
    // Every series whole, newest first.
    std::optional<std::vector<SerieConComputer>> Tutte();

    const EsitoServer& UltimoErrore() const { return ultimo; }

private:
    EsitoServer Fallito(const QString& testoDriver);

    ConfigurazioneServer configurazione;
    int attesa;
    QString nomeConnessione;
    EsitoServer ultimo;
    bool daChiudere = false;
};

// The options given to libpq besides host, port, database and user: the connection
// timeout, sslmode, the passfile, keepalives and a statement timeout. Values quoted as libpq
// wants them.
QString OpzioniConnessione(const ConfigurazioneServer& configurazione, int attesaSecondi);

// The Italian reason for a failure, from libpq's own (English) text.
QString CausaServer(const QString& testoDriver, const ConfigurazioneServer& configurazione);
