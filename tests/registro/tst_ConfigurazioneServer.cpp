#include "registro/ConfigurazioneServer.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// A configuration read as text: what it gives, or the error (a part of its message).
class tst_ConfigurazioneServer : public QObject {
    Q_OBJECT

private slots:
    void Lettura_data();
    void Lettura();
    void Scelta_data();
    void Scelta();
    void FilePassword_data();
    void FilePassword();
    void CaricaRifiutaPasswordLeggibile();
};

Q_DECLARE_METATYPE(ConfigurazioneServer)

namespace {
ConfigurazioneServer Server(QString host, int porta = 5432, QString computer = "pc-1") {
    ConfigurazioneServer s;
    s.Host = std::move(host);
    s.Porta = porta;
    s.Computer = std::move(computer);
    return s;
}
} // namespace

void tst_ConfigurazioneServer::Lettura_data() {
    QTest::addColumn<QByteArray>("testo");
    QTest::addColumn<bool>("server");
    QTest::addColumn<ConfigurazioneServer>("atteso");
    QTest::addColumn<QString>("errore");

    ConfigurazioneServer tutto = Server("db.scuola.it", 6543, "aula-3");
    tutto.Database = "registri";
    tutto.Utente = "laboratorio";
    tutto.FilePassword = "/etc/decimetra/pgpass";
    tutto.ModoSsl = "verify-full";
    tutto.IntervalloSecondi = 30;
    QTest::newRow("every key, comments after values, CR LF, BOM")
        << QByteArray("\xEF\xBB\xBF; set by the technician\r\n[server]\r\nhost=db.scuola.it   "
                      "; the school's server\r\nport = 6543\r\ndatabase=registri\r\n"
                      "user=laboratorio\r\npassfile=/etc/decimetra/pgpass\r\n"
                      "sslmode=verify-full # checked\r\ncomputer=aula-3\r\nintervallo=30\r\n")
        << true << tutto << "";
    QTest::newRow("defaults, host name as computer")
        << QByteArray("[server]\nhost=10.0.0.5\n") << true << Server("10.0.0.5") << "";
    QTest::newRow("section and keys in any case, empty values are absent")
        << QByteArray("[Server]\nHOST=/run/postgresql\nport=\ncomputer=\n") << true
        << Server("/run/postgresql") << "";
    QTest::newRow("quoted value keeps ; and #")
        << QByteArray("[server]\nhost=h\ncomputer=\"aula ;3 #b\"\n") << true
        << Server("h", 5432, "aula ;3 #b") << "";
    QTest::newRow("other sections and unknown keys ignored")
        << QByteArray("[altro]\nhost=no\n[server]\nhost=si\nfuturo=1\n[dopo]\nport=x\n") << true
        << Server("si") << "";
    QTest::newRow("no server section: no server")
        << QByteArray("; nothing yet\n[altro]\nhost=x\n") << false << ConfigurazioneServer{} << "";
    QTest::newRow("empty file: no server") << QByteArray() << false << ConfigurazioneServer{} << "";

    const auto rifiuto = [](const char* nome, const char* testo, const char* errore) {
        QTest::newRow(nome) << QByteArray(testo) << false << ConfigurazioneServer{}
                            << QString::fromUtf8(errore);
    };
    rifiuto("server without host", "[server]\nport=5432\n", "manca host");
    rifiuto("port not a number", "[server]\nhost=h\nport=54a\n", "riga 3: la porta «54a»");
    rifiuto("port out of range", "[server]\nhost=h\nport=70000\n", "da 1 a 65535");
    rifiuto("port zero", "[server]\nhost=h\nport=0\n", "da 1 a 65535");
    rifiuto("interval of 0 s", "[server]\nhost=h\nintervallo=0\n", "intervallo «0»");
    rifiuto("unknown sslmode", "[server]\nhost=h\nsslmode=maybe\n", "sslmode «maybe»");
    rifiuto("relative passfile", "[server]\nhost=h\npassfile=pgpass\n", "percorso assoluto");
    rifiuto("passfile with ;", "[server]\nhost=h\npassfile=\"/a;b\"\n", "non può contenere ;");
    rifiuto("line without =", "[server]\nhost=h\nport\n", "riga 3");
    rifiuto("unclosed section", "[server\nhost=h\n", "riga 1: manca la ]");
    rifiuto("control character in a value", "[server]\nhost=h\x01x\n", "caratteri di controllo");
    rifiuto("not UTF-8", "[server]\nhost=h\xFFx\n", "UTF-8");
    rifiuto("computer name too long",
            "[server]\nhost=h\ncomputer="
            "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\n",
            "63 caratteri");
}

void tst_ConfigurazioneServer::Lettura() {
    QFETCH(QByteArray, testo);
    QFETCH(bool, server);
    QFETCH(ConfigurazioneServer, atteso);
    QFETCH(QString, errore);

    const auto esito = LeggiConfigurazioneServer("/etc/decimetra/registro.conf", testo, "pc-1");
    QCOMPARE(esito.File, QStringLiteral("/etc/decimetra/registro.conf"));
    QVERIFY2(esito.Server.has_value() == server, qPrintable(esito.Errore));
    if (server) QCOMPARE(*esito.Server, atteso);
    if (errore.isEmpty()) {
        QCOMPARE(esito.Errore, QString());
    } else {
        QVERIFY2(esito.Errore.contains(errore), qPrintable(esito.Errore));
        QVERIFY(esito.Errore.contains(QStringLiteral("/etc/decimetra/registro.conf")));
    }
}

void tst_ConfigurazioneServer::Scelta_data() {
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QStringList>("esistenti");
    QTest::addColumn<QString>("scelto");

    const QString utente = "/home/a/.config/decimetra/registro.conf";
    const QString xdg = "/x/decimetra/registro.conf";
    const QString sistema = "/etc/decimetra/registro.conf";
    QTest::newRow("both: the account's wins") << "" << QStringList{utente, sistema} << utente;
    QTest::newRow("only the computer's") << "" << QStringList{sistema} << sistema;
    QTest::newRow("only the account's") << "" << QStringList{utente} << utente;
    QTest::newRow("none") << "" << QStringList{} << "";
    QTest::newRow("XDG_CONFIG_HOME set") << "/x" << QStringList{utente, xdg, sistema} << xdg;
    QTest::newRow("XDG_CONFIG_HOME set, file only in ~/.config")
        << "/x" << QStringList{utente, sistema} << sistema;
    QTest::newRow("relative XDG_CONFIG_HOME ignored")
        << "x" << QStringList{utente, "x/decimetra/registro.conf"} << utente;
}

void tst_ConfigurazioneServer::Scelta() {
    QFETCH(QString, xdg);
    QFETCH(QStringList, esistenti);
    QFETCH(QString, scelto);
    const QSet<QString> ci(esistenti.begin(), esistenti.end());
    QCOMPARE(
        FileConfigurazioneServer(xdg, "/home/a", [&](const QString& p) { return ci.contains(p); }),
        scelto);
}

void tst_ConfigurazioneServer::FilePassword_data() {
    QTest::addColumn<int>("modo"); // -1: a folder; -2: nothing there
    QTest::addColumn<QString>("errore");
    QTest::newRow("0600") << 0600 << "";
    QTest::newRow("0400") << 0400 << "";
    QTest::newRow("0640 group reads") << 0640 << "altri utenti";
    QTest::newRow("0604 others read") << 0604 << "altri utenti";
    QTest::newRow("0620 group writes") << 0620 << "altri utenti";
    QTest::newRow("a folder") << -1 << "non è un file";
    QTest::newRow("missing") << -2 << "non esiste";
}

void tst_ConfigurazioneServer::FilePassword() {
    QFETCH(int, modo);
    QFETCH(QString, errore);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath("pgpass");
    if (modo == -1) {
        QVERIFY(QDir().mkdir(percorso));
    } else if (modo >= 0) {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("*:*:*:decimetra:segreta\n");
        f.close();
        QCOMPARE(::chmod(QFile::encodeName(percorso).constData(), static_cast<mode_t>(modo)), 0);
    }
    const QString esito = ControllaFilePassword(percorso);
    if (errore.isEmpty()) {
        QCOMPARE(esito, QString());
    } else {
        QVERIFY2(esito.contains(errore), qPrintable(esito));
        QVERIFY(esito.contains(percorso));
        QVERIFY(!esito.contains(QStringLiteral("segreta")));
    }
}

// The program's own loading: the account's file is found through XDG_CONFIG_HOME, and a
// passfile others can read leaves no server, with the message.
void tst_ConfigurazioneServer::CaricaRifiutaPasswordLeggibile() {
    QTemporaryDir cartella;
    QVERIFY(QDir().mkpath(cartella.filePath("decimetra")));
    const QString password = cartella.filePath("pgpass");
    QFile p(password);
    QVERIFY(p.open(QIODevice::WriteOnly));
    p.write("*:*:*:*:segreta\n");
    p.close();
    QFile conf(cartella.filePath("decimetra/registro.conf"));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write(QStringLiteral("[server]\nhost=127.0.0.1\npassfile=%1\n").arg(password).toUtf8());
    conf.close();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(cartella.path()));

    QCOMPARE(::chmod(QFile::encodeName(password).constData(), 0600), 0);
    auto esito = CaricaConfigurazioneServer("pc-7");
    QVERIFY2(esito.Server.has_value(), qPrintable(esito.Errore));
    QCOMPARE(esito.Server->Computer, QStringLiteral("pc-7"));
    QCOMPARE(esito.Server->FilePassword, password);

    QCOMPARE(::chmod(QFile::encodeName(password).constData(), 0644), 0);
    esito = CaricaConfigurazioneServer("pc-7");
    QVERIFY(!esito.Server.has_value());
    QVERIFY2(esito.Errore.contains(QStringLiteral("chmod 600")), qPrintable(esito.Errore));
    QVERIFY(!esito.Errore.contains(QStringLiteral("segreta")));
}

QTEST_GUILESS_MAIN(tst_ConfigurazioneServer)
#include "tst_ConfigurazioneServer.moc"
