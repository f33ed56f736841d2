#include "registro/InvioServer.h"

#include "registro/RegistroLocale.h"
#include "registro/RegistroServer.h"
#include "support/PostgresProva.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

// The sending thread between a real local register (SQLite files, one per computer) and a
// real PostgreSQL server: nothing lost, nothing doubled, the main thread never held.
class tst_InvioServer : public QObject {
    Q_OBJECT

private slots:
    void TestoStato_data();
    void TestoStato();
    void initTestCase();
    void DueComputer();
    void ServerFermoPoiRiavviato();
    void PasswordSbagliata();
    void NomeDopoInvio();
    void ServerCongelatoNonFermaIlProgramma();
    void SerieRifiutataNonFermaLeAltre();

private:
    // Waits (busy machine: generously) until the sender has finished an attempt that
    // satisfies condizione.
    static bool Attendi(InvioServer& invio, const std::function<bool(const StatoInvio&)>& ok,
                        int ms = 120000) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            if (ok(invio.Stato())) return true;
            QTest::qWait(20);
        }
        return false;
    }
    QString Conta(const RegistroSerie& s) {
        return pg.Psql("SELECT count(*) FROM serie WHERE id = '" +
                       s.Id.toString(QUuid::WithoutBraces) + "'");
    }

    PostgresProva pg;
    QTemporaryDir cartella;
};

void tst_InvioServer::TestoStato_data() {
    QTest::addColumn<bool>("tentato");
    QTest::addColumn<QString>("errore");
    QTest::addColumn<int>("attesa");
    QTest::addColumn<int>("intervallo");
    QTest::addColumn<QString>("testo");
    const QString giu = "Server del registro 10.0.0.5:5432: il server non ha risposto in tempo.";
    QTest::newRow("before the first attempt")
        << false << "" << -1 << 180 << "Server del registro: collegamento in corso.";
    QTest::newRow("everything sent")
        << true << "" << 0 << 180
        << "Server del registro raggiunto alle 10:15: tutte le serie sono state inviate.";
    QTest::newRow("down, one waiting")
        << true << giu << 1 << 180
        << giu + " Alle 10:15 1 serie aspetta di essere inviata; nuovo tentativo ogni 3 minuti.";
    QTest::newRow("down, several waiting, odd interval")
        << true << giu << 12 << 90
        << giu + " Alle 10:15 12 serie aspettano di essere inviate; nuovo tentativo ogni 90 "
                 "secondi.";
    QTest::newRow("reached, local register could not mark")
        << true << "" << 2 << 60
        << "Server del registro raggiunto alle 10:15: 2 serie aspettano di essere inviate.";
}

void tst_InvioServer::TestoStato() {
    QFETCH(bool, tentato);
    QFETCH(QString, errore);
    QFETCH(int, attesa);
    QFETCH(int, intervallo);
    QFETCH(QString, testo);
    StatoInvio s;
    if (tentato) s.UltimoTentativo = QDateTime(QDate(2026, 12, 9), QTime(10, 15, 30));
    s.Errore = errore;
    s.InAttesa = attesa;
    ConfigurazioneServer c;
    c.IntervalloSecondi = intervallo;
    QCOMPARE(TestoStatoInvio(s, c), testo);
}

void tst_InvioServer::initTestCase() {
    const QString errore = pg.Avvia();
    if (pg.saltare) QSKIP(qPrintable(errore));
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
}

// Two computers (computer= differs), each ending a series: both on the server once, each
// under its computer's name, and marked sent in each computer's own register. The first
// attempt comes by itself, at start.
void tst_InvioServer::DueComputer() {
    const QString fileA = cartella.filePath("a/registro.sqlite");
    const QString fileB = cartella.filePath("b/registro.sqlite");
    const RegistroSerie serieA = SerieDiProva(QStringLiteral("Giulia Rossi"));
    const RegistroSerie serieB = SerieDiProva(QStringLiteral("Nicolò D'Amico"));
    {
        RegistroLocale a(fileA), b(fileB);
        QVERIFY(a.Salva(serieA, "pc-a").Riuscito());
        QVERIFY(b.Salva(serieB, "pc-b").Riuscito());
    }
    InvioServer invioA(pg.Configurazione("aula-1"), fileA, std::chrono::minutes(10),
                       std::chrono::milliseconds(0));
    InvioServer invioB(pg.Configurazione("aula-2"), fileB, std::chrono::minutes(10),
                       std::chrono::milliseconds(0));
    const auto fatto = [](const StatoInvio& s) { return s.InAttesa == 0; };
    QVERIFY2(Attendi(invioA, fatto), qPrintable(invioA.Stato().Errore));
    QVERIFY2(Attendi(invioB, fatto), qPrintable(invioB.Stato().Errore));
    QCOMPARE(invioA.Stato().Inviate, 1);
    QVERIFY(invioA.Stato().ServerRaggiunto);

    // Asked again (the next series' end): nothing more to send, nothing doubled.
    const QDateTime prima = invioA.Stato().UltimoTentativo;
    QTest::qWait(5);
    invioA.Invia();
    invioB.Invia();
    QVERIFY(Attendi(invioA, [&](const StatoInvio& s) { return s.UltimoTentativo > prima; }));
    QCOMPARE(invioA.Stato().Inviate, 1);
    QCOMPARE(Conta(serieA), QStringLiteral("1"));
    QCOMPARE(Conta(serieB), QStringLiteral("1"));
    QCOMPARE(pg.Psql("SELECT computer FROM serie WHERE alunno = 'Nicolò D''Amico'"),
             QStringLiteral("aula-2"));
    RegistroLocale a(fileA);
    QVERIFY(a.SerieDaInviare().empty());
}

// The server stopped while a series runs; the series ends and is kept locally; the server
// started again: the series arrives by the timer alone, within its period, once.
void tst_InvioServer::ServerFermoPoiRiavviato() {
    const QString file = cartella.filePath("c/registro.sqlite");
    QVERIFY(pg.Comando("ferma"));
    InvioServer invio(pg.Configurazione("aula-3"), file, std::chrono::seconds(3),
                      std::chrono::milliseconds(0), 2);
    const RegistroSerie serie = SerieDiProva(QStringLiteral("Offline"));
    {
        RegistroLocale locale(file);
        QVERIFY(locale.Salva(serie, "pc-c").Riuscito());
    }
    invio.Invia(); // the series' end
    QVERIFY(Attendi(invio, [](const StatoInvio& s) { return s.InAttesa == 1; }));
    QVERIFY(!invio.Stato().ServerRaggiunto);
    QVERIFY2(invio.Stato().Errore.contains(QStringLiteral("non accetta connessioni")),
             qPrintable(invio.Stato().Errore));

    QCOMPARE(pg.Avvia(), QString());
    QElapsedTimer t;
    t.start();
    QVERIFY2(Attendi(invio, [](const StatoInvio& s) { return s.InAttesa == 0; }),
             qPrintable(invio.Stato().Errore));
    qInfo("Arrived %lld ms after the server came back (period 3 s)", t.elapsed());
    QVERIFY(t.elapsed() < 3000 + 10000);
    QCOMPARE(Conta(serie), QStringLiteral("1"));
    QCOMPARE(invio.Stato().Errore, QString());
}

// A wrong password: a clear message, and the series waits in the local register.
void tst_InvioServer::PasswordSbagliata() {
    const QString file = cartella.filePath("d/registro.sqlite");
    ConfigurazioneServer c = pg.Configurazione("aula-4");
    c.FilePassword = cartella.filePath("pgpass-sbagliata");
    QFile f(c.FilePassword);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("*:*:*:decimetra:non-questa\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const RegistroSerie serie = SerieDiProva(QStringLiteral("Attesa"));
    {
        RegistroLocale locale(file);
        QVERIFY(locale.Salva(serie, "pc-d").Riuscito());
    }
    InvioServer invio(c, file, std::chrono::minutes(10), std::chrono::milliseconds(0));
    QVERIFY(Attendi(invio, [](const StatoInvio& s) { return s.InAttesa >= 0; }));
    const StatoInvio stato = invio.Stato();
    QCOMPARE(stato.InAttesa, 1);
    QVERIFY2(stato.Errore.contains(QStringLiteral("rifiutato l'utente «decimetra» o la sua "
                                                  "password")),
             qPrintable(stato.Errore));
    QVERIFY(!stato.Errore.contains(QStringLiteral("non-questa")));
    QCOMPARE(Conta(serie), QStringLiteral("0"));
    RegistroLocale locale(file);
    const auto attesa = locale.SerieDaInviare();
    QCOMPARE(attesa.size(), std::size_t(1));
    QCOMPARE(attesa[0].Serie.Id, serie.Id);
}

// The name typed in the printout window after the series was sent reaches the server too.
void tst_InvioServer::NomeDopoInvio() {
    const QString file = cartella.filePath("e/registro.sqlite");
    const RegistroSerie serie = SerieDiProva(QString());
    RegistroLocale locale(file);
    QVERIFY(locale.Salva(serie, "pc-e").Riuscito());
    InvioServer invio(pg.Configurazione("aula-5"), file, std::chrono::minutes(10),
                      std::chrono::milliseconds(0));
    QVERIFY(Attendi(invio, [](const StatoInvio& s) { return s.InAttesa == 0; }));
    QVERIFY(locale.ImpostaNome(serie.Id, QStringLiteral("Marta")).Riuscito());
    invio.Invia();
    QVERIFY(Attendi(invio, [](const StatoInvio& s) { return s.Inviate == 2 && s.InAttesa == 0; }));
    QCOMPARE(pg.Psql("SELECT alunno FROM serie WHERE id = '" +
                     serie.Id.toString(QUuid::WithoutBraces) + "'"),
             QStringLiteral("Marta"));
    QCOMPARE(Conta(serie), QStringLiteral("1"));
}

// A server that takes connections and answers nothing: the main thread's events keep
// flowing (no gap over 100 ms), the attempt gives up by itself, and the sender stops
// promptly when the program ends.
void tst_InvioServer::ServerCongelatoNonFermaIlProgramma() {
    const QString file = cartella.filePath("f/registro.sqlite");
    {
        RegistroLocale locale(file);
        QVERIFY(locale.Salva(SerieDiProva(QStringLiteral("Congelata")), "pc-f").Riuscito());
    }
    QVERIFY(pg.Comando("congela"));
    qint64 buco = 0;
    {
        InvioServer invio(pg.Configurazione("aula-6"), file, std::chrono::minutes(10),
                          std::chrono::milliseconds(0), 2);
        QElapsedTimer t, passo;
        t.start();
        passo.start();
        QTimer battito;
        battito.setInterval(10);
        connect(&battito, &QTimer::timeout, this, [&] { buco = std::max(buco, passo.restart()); });
        battito.start();
        QVERIFY(Attendi(
            invio, [](const StatoInvio& s) { return s.InAttesa == 1; }, 60000));
        battito.stop();
        QVERIFY2(invio.Stato().Errore.contains(QStringLiteral("non ha risposto in tempo")),
                 qPrintable(invio.Stato().Errore));
        qInfo("Frozen server: attempt given up after %lld ms; longest main-thread gap %lld ms",
              t.elapsed(), buco);
        invio.Invia();
        QTest::qWait(300); // the second attempt is now waiting on the server
        QElapsedTimer fine;
        fine.start();
        QVERIFY(invio.Ferma(std::chrono::seconds(30)));
        qInfo("Stopped in %lld ms while an attempt was under way", fine.elapsed());
        QVERIFY(fine.elapsed() > 200); // it did wait for the attempt under way
    }
    QVERIFY(pg.Comando("scongela"));
    QVERIFY2(buco < 100, qPrintable(QString::number(buco)));
}

// A NUL character in a reply (PostgreSQL's text cannot hold one) is stored as U+FFFD, and
// the series goes; a series the server refuses (here a technician's rule that takes names
// of at most 8 characters) stays waiting, said why, and the later series still go.
void tst_InvioServer::SerieRifiutataNonFermaLeAltre() {
    const QString file = cartella.filePath("h/registro.sqlite");
    RegistroSerie nul = SerieDiProva(QStringLiteral("Nul"));
    nul.Esercizi[0].Tentativi[0].Risposta = QStringLiteral("27") + QChar(0) + "5";
    RegistroSerie lunga = SerieDiProva(QStringLiteral("Massimiliano"));
    lunga.Inizio = nul.Inizio.addSecs(300);
    RegistroSerie buona = SerieDiProva(QStringLiteral("Dopo"));
    buona.Inizio = nul.Inizio.addSecs(600);
    {
        RegistroLocale locale(file);
        for (const auto& s : {nul, lunga, buona})
            QVERIFY(locale.Salva(s, "pc-h").Riuscito());
    }
    QVERIFY(RegistroServer(pg.Configurazione()).Connetti().Riuscito); // the tables are there
    pg.Psql("ALTER TABLE serie ADD CONSTRAINT nome_breve CHECK (length(alunno) <= 8) NOT VALID");
    InvioServer invio(pg.Configurazione("aula-8"), file, std::chrono::minutes(10),
                      std::chrono::milliseconds(0));
    const bool finito = Attendi(invio, [](const StatoInvio& s) { return s.InAttesa >= 0; });
    pg.Psql("ALTER TABLE serie DROP CONSTRAINT nome_breve");
    QVERIFY(finito);
    QVERIFY2(invio.Stato().InAttesa == 1, qPrintable(invio.Stato().Errore));
    QCOMPARE(invio.Stato().Inviate, 2);
    QVERIFY2(invio.Stato().Errore.contains("nome_breve"), qPrintable(invio.Stato().Errore));
    QCOMPARE(Conta(nul), QStringLiteral("1"));
    QCOMPARE(Conta(buona), QStringLiteral("1"));
    QCOMPARE(Conta(lunga), QStringLiteral("0"));
    QCOMPARE(pg.Psql("SELECT risposta FROM tentativi WHERE serie = '" +
                     nul.Id.toString(QUuid::WithoutBraces) + "' AND esercizio = 1"),
             QString("27") + QChar(0xFFFD) + "5");
    RegistroLocale locale(file);
    const auto attesa = locale.SerieDaInviare();
    QCOMPARE(attesa.size(), std::size_t(1));
    QCOMPARE(attesa[0].Serie.Id, lunga.Id);
}

QTEST_GUILESS_MAIN(tst_InvioServer)
#include "tst_InvioServer.moc"
