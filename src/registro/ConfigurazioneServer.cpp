#include "registro/ConfigurazioneServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 DimensioneMassima = 64 * 1024;

// The value without a trailing comment (" ; ..." or " # ...", after a blank) and without
// the quotes around it; a quoted value keeps its ';' and '#'.
QString Valore(QString testo) {
    testo = testo.trimmed();
    if (testo.size() >= 2 && testo.startsWith(QLatin1Char('"'))) {
        const auto chiusa = testo.indexOf(QLatin1Char('"'), 1);
        if (chiusa > 0) return testo.mid(1, chiusa - 1);
    }
    for (qsizetype i = 1; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if ((c == QLatin1Char(';') || c == QLatin1Char('#')) && testo[i - 1].isSpace())
            return testo.left(i).trimmed();
    }
    return testo;
}

bool HaControllo(const QString& testo) {
    return std::any_of(testo.begin(), testo.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

QString FileConfigurazioneServer(const QString& xdgConfigHome, const QString& home,
                                 const std::function<bool(const QString&)>& esiste) {
    // As the XDG rules say: a relative XDG_CONFIG_HOME is ignored.
    const QString cartella = xdgConfigHome.startsWith(QLatin1Char('/'))
                                 ? xdgConfigHome
                                 : (home.isEmpty() ? QString() : home + QStringLiteral("/.config"));
    if (!cartella.isEmpty()) {
        const QString account = cartella + QStringLiteral("/decimetra/registro.conf");
        if (esiste(account)) return account;
    }
    const QString computer = QStringLiteral("/etc/decimetra/registro.conf");
    return esiste(computer) ? computer : QString();
}

EsitoConfigurazione LeggiConfigurazioneServer(const QString& file, const QByteArray& testo,
                                              const QString& nomeComputer) {
    EsitoConfigurazione esito;
    esito.File = file;
    const auto errore = [&](int riga, const QString& perche) {
        esito.Server.reset();
        esito.Errore =
            riga > 0
                ? QStringLiteral("Configurazione del server del registro %1, "
                                 "riga %2: %3")
                      .arg(file)
                      .arg(riga)
                      .arg(perche)
                : QStringLiteral("Configurazione del server del registro %1: %2").arg(file, perche);
        return esito;
    };

    // UTF-8, with or without a byte-order mark (dropped by the decoder).
    QStringDecoder decodifica(QStringDecoder::Utf8);
    const QString tutto = decodifica(testo);
    if (decodifica.hasError()) return errore(0, QStringLiteral("il testo non è in UTF-8."));

    ConfigurazioneServer server;
    bool sezioneServer = false, dentro = false;
    const QStringList righe = tutto.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < righe.size(); ++n) {
        const int riga = static_cast<int>(n + 1);
        QString linea = righe[n];
        if (linea.endsWith(QLatin1Char('\r'))) linea.chop(1);
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';')) ||
            linea.startsWith(QLatin1Char('#')))
            continue;
        if (linea.startsWith(QLatin1Char('['))) {
            const auto chiusa = linea.indexOf(QLatin1Char(']'));
            if (chiusa < 0) return errore(riga, QStringLiteral("manca la ] della sezione."));
            dentro = linea.mid(1, chiusa - 1)
                         .trimmed()
                         .compare(QLatin1String("server"), Qt::CaseInsensitive) == 0;
            sezioneServer = sezioneServer || dentro;
            continue;
        }
        if (!dentro) continue;
        const auto uguale = linea.indexOf(QLatin1Char('='));
        if (uguale <= 0) return errore(riga, QStringLiteral("attesa una riga «nome=valore»."));
        const QString chiave = linea.left(uguale).trimmed().toLower();
        const QString valore = Valore(linea.mid(uguale + 1));
        if (HaControllo(valore))
            return errore(
                riga,
                QStringLiteral("il valore di %1 contiene caratteri di controllo.").arg(chiave));
        if (valore.isEmpty()) continue;
        if (chiave == QLatin1String("host")) {
            server.Host = valore;
        } else if (chiave == QLatin1String("port")) {
            bool ok = false;
            const int porta = valore.toInt(&ok);
            if (!ok || porta < 1 || porta > 65535)
                return errore(
                    riga,
                    QStringLiteral("la porta «%1» non è un numero da 1 a 65535.").arg(valore));
            server.Porta = porta;
        } else if (chiave == QLatin1String("database")) {
            server.Database = valore;
        } else if (chiave == QLatin1String("user")) {
            server.Utente = valore;
        } else if (chiave == QLatin1String("passfile")) {
            if (!valore.startsWith(QLatin1Char('/')))
                return errore(riga, QStringLiteral("passfile deve essere un percorso assoluto "
                                                   "(che comincia con /)."));
            // The driver turns ';' into a blank between libpq's options.
            if (valore.contains(QLatin1Char(';')))
                return errore(riga, QStringLiteral("il percorso di passfile non può contenere ;."));
            server.FilePassword = valore;
        } else if (chiave == QLatin1String("sslmode")) {
            static const QStringList modi = {"disable", "allow",     "prefer",
                                             "require", "verify-ca", "verify-full"};
            if (!modi.contains(valore))
                return errore(riga, QStringLiteral("sslmode «%1» sconosciuto: si usa uno di %2.")
                                        .arg(valore, modi.join(QStringLiteral(", "))));
            server.ModoSsl = valore;
        } else if (chiave == QLatin1String("intervallo")) {
            bool ok = false;
            const int secondi = valore.toInt(&ok);
            if (!ok || secondi < 1 || secondi > 86400)
                return errore(riga, QStringLiteral("intervallo «%1» non è un numero di secondi "
                                                   "da 1 a 86400.")
                                        .arg(valore));
            server.IntervalloSecondi = secondi;
        } else if (chiave == QLatin1String("computer")) {
            if (valore.size() > 63)
                return errore(riga, QStringLiteral("il nome del computer è più lungo di 63 "
                                                   "caratteri."));
            server.Computer = valore;
        }
    }
    if (!sezioneServer) return esito;
    if (server.Host.isEmpty())
        return errore(0, QStringLiteral("nella sezione [server] manca host."));
    if (server.Computer.isEmpty()) server.Computer = nomeComputer.left(63);
    esito.Server = server;
    return esito;
}

QString ControllaFilePassword(const QString& percorso) {
    const QByteArray nome = QFile::encodeName(percorso);
    struct stat info {};
    if (::stat(nome.constData(), &info) != 0)
        return QStringLiteral("Il file delle password del registro %1 non esiste o non è "
                              "raggiungibile.")
            .arg(percorso);
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("Il file delle password del registro %1 non è un file.")
            .arg(percorso);
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return QStringLiteral("Il file delle password del registro %1 può essere letto o "
                              "modificato anche da altri utenti, quindi non viene usato: "
                              "deve poterlo leggere solo il suo proprietario (chmod 600 %1).")
            .arg(percorso);
    if (::access(nome.constData(), R_OK) != 0)
        return QStringLiteral("Il file delle password del registro %1 non può essere letto da "
                              "questo utente.")
            .arg(percorso);
    return {};
}

EsitoConfigurazione CaricaConfigurazioneServer(const QString& nomeComputer) {
    const QString file = FileConfigurazioneServer(
        qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath(),
        [](const QString& percorso) { return QFileInfo::exists(percorso); });
    if (file.isEmpty()) return {};
    EsitoConfigurazione esito;
    esito.File = file;
    QFile f(file);
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly)) {
        esito.Errore = QStringLiteral("Configurazione del server del registro %1: il file non "
                                      "può essere letto.")
                           .arg(file);
        return esito;
    }
    const QByteArray testo = f.read(DimensioneMassima + 1);
    if (testo.size() > DimensioneMassima) {
        esito.Errore = QStringLiteral("Configurazione del server del registro %1: il file è "
                                      "troppo grande.")
                           .arg(file);
        return esito;
    }
    esito = LeggiConfigurazioneServer(file, testo, nomeComputer);
    if (esito.Server && !esito.Server->FilePassword.isEmpty()) {
        const QString rifiuto = ControllaFilePassword(esito.Server->FilePassword);
        if (!rifiuto.isEmpty()) {
            esito.Server.reset();
            esito.Errore = rifiuto;
        }
    }
    return esito;
}
