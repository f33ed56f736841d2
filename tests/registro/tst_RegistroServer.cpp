#include "registro/RegistroServer.h"

#include "support/PostgresProva.h"

#include <QElapsedTimer>
#include <algorithm>
#include <thread>

// The connection to a real PostgreSQL server (a private cluster started by the test): each
// series stored once, whole, whatever it holds; the reasons of a failure; the time taken.
class tst_RegistroServer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void InviataDueVolteUnaSola();
    void RevisioniSuccessive();
    void Rifiuti_data();
    void Rifiuti();
    void ServerCongelato();
    void TrentaComputer();

private:
    PostgresProva pg;
};

void tst_RegistroServer::initTestCase() {
    const QString errore = pg.Avvia();
    if (pg.saltare) QSKIP(qPrintable(errore));
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
}

// The same series sent twice (as after a reply lost on the way back) is stored once, and
// reads back whole: names with quotes, SQL and emoji exactly as they were.
void tst_RegistroServer::InviataDueVolteUnaSola() {
    RegistroServer server(pg.Configurazione("aula-3"));
    SerieConComputer sc{SerieDiProva(QStringLiteral("Nicolò D'Amico'); DROP TABLE serie;--🦊")),
                        QStringLiteral("ignorato"), 1};
    auto& tentativi = sc.Serie.Esercizi[3].Tentativi;
    tentativi.insert(tentativi.begin(), {QStringLiteral("=1+1'\\"), false});
    const auto esito = server.Invia(sc);
    QVERIFY2(esito.Riuscito, qPrintable(esito.Messaggio));
    QVERIFY(server.Invia(sc).Riuscito);
    RegistroServer altro(pg.Configurazione("aula-4"));
    QVERIFY(altro.Invia(sc).Riuscito);

    const QString id = sc.Serie.Id.toString(QUuid::WithoutBraces);
    QCOMPARE(pg.Psql("SELECT count(*) FROM serie WHERE id = '" + id + "'"), QStringLiteral("1"));
    QCOMPARE(pg.Psql("SELECT count(*) FROM esercizi WHERE serie = '" + id + "'"),
             QStringLiteral("20"));
    const auto tutte = server.Tutte();
    QVERIFY(tutte.has_value());
    const auto trovata = std::find_if(tutte->begin(), tutte->end(),
                                      [&](const auto& t) { return t.Serie.Id == sc.Serie.Id; });
    QVERIFY(trovata != tutte->end());
    QCOMPARE(trovata->Computer, QStringLiteral("aula-3")); // the configured name, first sent
    QCOMPARE(trovata->Serie.Inizio, sc.Serie.Inizio);
    QCOMPARE(trovata->Serie, sc.Serie);

    const auto elenco = server.Elenco();
    QVERIFY(elenco.has_value());
    const auto riga = std::find_if(elenco->begin(), elenco->end(),
                                   [&](const auto& r) { return r.Id == sc.Serie.Id; });
    QVERIFY(riga != elenco->end());
    QCOMPARE(riga->NomeAlunno, sc.Serie.NomeAlunno);
    QCOMPARE(riga->Esatte, std::int16_t(15));
    QCOMPARE(riga->Errate, std::int16_t(5));
    QCOMPARE(riga->Esercizi, std::int16_t(20));
}

// A series named after it was sent goes again as a later revision and replaces the stored
// one; an older revision arriving late changes nothing.
void tst_RegistroServer::RevisioniSuccessive() {
    RegistroServer server(pg.Configurazione());
    SerieConComputer sc{SerieDiProva(QString()), {}, 1};
    sc.Serie.Esercizi.resize(7);
    sc.Serie.Finita = false;
    QVERIFY(server.Invia(sc).Riuscito);
    SerieConComputer nominata = sc;
    nominata.Revisione = 2;
    nominata.Serie.NomeAlunno = QStringLiteral("Giulia Rossi");
    nominata.Serie.Giudizio = QStringLiteral("BUONO");
    QVERIFY(server.Invia(nominata).Riuscito);
    QVERIFY(server.Invia(sc).Riuscito); // revision 1 again, late
    const QString id = sc.Serie.Id.toString(QUuid::WithoutBraces);
    QCOMPARE(
        pg.Psql("SELECT alunno || '|' || giudizio || '|' || revisione FROM serie WHERE id = '" +
                id + "'"),
        QStringLiteral("Giulia Rossi|BUONO|2"));
    QCOMPARE(pg.Psql("SELECT count(*) FROM esercizi WHERE serie = '" + id + "'"),
             QStringLiteral("7"));
    QCOMPARE(pg.Psql("SELECT count(*) FROM tentativi WHERE serie = '" + id + "'"),
             QStringLiteral("7"));
}

void tst_RegistroServer::Rifiuti_data() {
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("causa");
    QTest::newRow("wrong password") << "password"
                                    << "sbagliata-42"
                                    << "ha rifiutato l'utente «decimetra» o la sua password";
    QTest::newRow("passfile readable by others") << "password"
                                                 << "prova-segreta"
                                                 << "anche da altri utenti";
    QTest::newRow("no such database") << "database"
                                      << "nessuno"
                                      << "non c'è il database «nessuno»";
    QTest::newRow("no such user") << "user"
                                  << "intruso"
                                  << "chiede una password per l'utente «intruso»";
    QTest::newRow("nothing listening") << "port"
                                       << "1"
                                       << "non accetta connessioni";
    QTest::newRow("unknown host") << "host"
                                  << "nessun-server.invalid"
                                  << "è sconosciuto";
    QTest::newRow("TLS required, not offered") << "sslmode"
                                               << "require"
                                               << "connessione cifrata";
}

// Each refusal gives its reason in Italian, never the password, and stores nothing.
void tst_RegistroServer::Rifiuti() {
    QFETCH(QString, chiave);
    QFETCH(QString, valore);
    QFETCH(QString, causa);
    ConfigurazioneServer c = pg.Configurazione();
    QTemporaryDir cartella;
    if (chiave == QLatin1String("password")) {
        c.FilePassword = cartella.filePath("pgpass");
        QFile f(c.FilePassword);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("*:*:*:decimetra:" + valore.toUtf8() + "\n");
        f.close();
        // The right password, in a file others can read: refused all the same.
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner |
                         (valore == "prova-segreta" ? QFile::ReadOther : QFile::Permissions()));
    } else if (chiave == QLatin1String("database")) {
        c.Database = valore;
    } else if (chiave == QLatin1String("user")) {
        c.Utente = valore;
    } else if (chiave == QLatin1String("port")) {
        c.Porta = valore.toInt();
    } else if (chiave == QLatin1String("host")) {
        c.Host = valore;
    } else {
        c.ModoSsl = valore;
    }
    RegistroServer server(c);
    SerieConComputer sc{SerieDiProva(QStringLiteral("Rifiutata")), {}, 1};
    const auto esito = server.Invia(sc);
    QVERIFY(!esito.Riuscito);
    QVERIFY2(esito.Messaggio.contains(causa), qPrintable(esito.Messaggio));
    QVERIFY(esito.Messaggio.startsWith(QStringLiteral("Server del registro ")) ||
            esito.Messaggio.startsWith(QStringLiteral("Il file delle password")));
    QVERIFY(!esito.Messaggio.contains(QStringLiteral("sbagliata-42")));
    QVERIFY(!esito.Messaggio.contains(QStringLiteral("prova-segreta")));
    QCOMPARE(pg.Psql("SELECT count(*) FROM serie WHERE id = '" +
                     sc.Serie.Id.toString(QUuid::WithoutBraces) + "'"),
             QStringLiteral("0"));
}

// A server that takes the connection and never answers: the attempt gives up within the
// connection timeout, and the next one after it wakes goes through.
void tst_RegistroServer::ServerCongelato() {
    RegistroServer server(pg.Configurazione(), 2);
    QVERIFY(pg.Comando("congela"));
    QElapsedTimer tempo;
    tempo.start();
    SerieConComputer sc{SerieDiProva(QStringLiteral("Congelata")), {}, 1};
    const auto esito = server.Invia(sc);
    const auto ms = tempo.elapsed();
    QVERIFY(pg.Comando("scongela"));
    QVERIFY(!esito.Riuscito);
    QVERIFY2(esito.Messaggio.contains(QStringLiteral("non ha risposto in tempo")),
             qPrintable(esito.Messaggio));
    QVERIFY2(ms < 15000, qPrintable(QString::number(ms)));
    QVERIFY(server.Invia(sc).Riuscito);
}

// Thirty computers sending twenty series each at once, every one sent twice over: 600
// stored, none doubled.
void tst_RegistroServer::TrentaComputer() {
    const QString prima = pg.Psql("SELECT count(*) FROM serie");
    QElapsedTimer tempo;
    tempo.start();
    QAtomicInt fallite = 0;
    const auto computer = [&](int n) {
        RegistroServer server(pg.Configurazione(QStringLiteral("aula-%1").arg(n)), 10);
        std::vector<SerieConComputer> serie;
        for (int i = 0; i < 20; ++i)
            serie.push_back({SerieDiProva(QStringLiteral("Alunno %1").arg(i)), {}, 1});
        for (const auto& s : serie)
            if (!server.Invia(s).Riuscito) fallite.ref();
        for (const auto& s : serie) // the replies lost: everything again
            if (!server.Invia(s).Riuscito) fallite.ref();
    };
    std::vector<std::thread> fili;
    for (int n = 1; n <= 30; ++n)
        fili.emplace_back(computer, n);
    for (auto& f : fili)
        f.join();
    const auto ms = tempo.elapsed();
    QCOMPARE(fallite.loadRelaxed(), 0);
    QCOMPARE(pg.Psql("SELECT count(*) FROM serie").toInt() - prima.toInt(), 600);
    QCOMPARE(pg.Psql("SELECT count(*) FROM serie WHERE computer LIKE 'aula-%' AND alunno LIKE "
                     "'Alunno %'"),
             QStringLiteral("600"));
    QCOMPARE(pg.Psql("SELECT count(*) FROM esercizi JOIN serie ON serie = id WHERE alunno LIKE "
                     "'Alunno %'"),
             QStringLiteral("12000"));
    QCOMPARE(pg.Psql("SELECT count(*) FROM (SELECT serie FROM esercizi GROUP BY serie HAVING "
                     "count(*) <> 20 AND count(*) <> 7) x"),
             QStringLiteral("0"));
    qInfo("30 computers x 20 series, each sent twice, at once: 600 stored in %lld ms", ms);
}

QTEST_GUILESS_MAIN(tst_RegistroServer)
#include "tst_RegistroServer.moc"
