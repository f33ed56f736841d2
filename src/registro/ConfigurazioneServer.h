#pragma once

// The school lab's register server, as the school's technician describes it in an INI file:
//
//   [server]
//   host=...          a host name, an address, or a socket folder
//   port=5432
//   database=decimetra
//   user=decimetra
//   passfile=...      a file in libpq's pgpass format, readable by its owner alone
//   sslmode=prefer    disable, allow, prefer, require, verify-ca, verify-full
//   computer=aula-3   this computer's name in the register; the host name when absent
//   intervallo=180    seconds between two attempts to send what waits, 1..86400
//
// for the whole computer in /etc/decimetra/registro.conf, or for one account in
// $XDG_CONFIG_HOME/decimetra/registro.conf (~/.config/... when the variable is not set), which
// wins when both exist. With no file there is no server, and the register stays on this
// computer alone. The reader holds no password: libpq reads it from the passfile itself.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

struct ConfigurazioneServer {
    QString Host;
    int Porta = 5432;
    QString Database = QStringLiteral("decimetra");
    QString Utente = QStringLiteral("decimetra");
    QString FilePassword; // empty: no passfile (trust, peer or a certificate)
    QString ModoSsl = QStringLiteral("prefer");
    QString Computer;
    int IntervalloSecondi = 180;

    bool operator==(const ConfigurazioneServer&) const = default;
};

// What reading the configuration gave: no file (Server empty, Errore empty), a server, or a
// file that cannot be used (Errore says why, in Italian, naming the file and the line).
struct EsitoConfigurazione {
    QString File; // the file read; empty when there is none
    std::optional<ConfigurazioneServer> Server;
    QString Errore;
};

// The file that holds the configuration: the account's one when it exists, otherwise the
// computer's one when it exists, otherwise empty. esiste tells whether a path exists (as
// anything: a folder in place of the file is then reported, not skipped).
QString FileConfigurazioneServer(const QString& xdgConfigHome, const QString& home,
                                 const std::function<bool(const QString&)>& esiste);

// Reads the text of a configuration file named file. nomeComputer is the computer's name
// used when computer= is absent or empty. Keys and section names are read in any case; an
// empty value counts as absent. Unknown keys and other sections are ignored, so a later
// version's file still reads; a file without a [server] section means no server, a [server]
// section without host is an error.
EsitoConfigurazione LeggiConfigurazioneServer(const QString& file, const QByteArray& testo,
                                              const QString& nomeComputer);

// Checks the password file before libpq is given it: a regular file, readable by this
// account, that nobody but its owner can read or write (libpq itself would only warn and
// skip it, and the server's refusal would then hide the reason). Returns the Italian
// message that says why it is refused, or an empty string when it can be used. The file's
// content is never read here.
QString ControllaFilePassword(const QString& percorso);

// The whole of it for the running program: finds the file, reads it (at most 64 KiB) and
// checks the passfile. nomeComputer as above.
EsitoConfigurazione CaricaConfigurazioneServer(const QString& nomeComputer);
