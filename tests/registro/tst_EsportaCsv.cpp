// The register as a spreadsheet file: the header line and the bytes Calc and Excel need in
// an Italian setting, one row per exercise, formulas never run; and the same file written by
// "decimetra --esporta-registro" with no display at all.

#include "registro/EsportaCsv.h"
#include "registro/RegistroLocale.h"
#include "support/SerieProva.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestEsportaCsv : public QObject {
    Q_OBJECT

private slots:
    void campo_data();
    void campo();
    void righe();
    void senzaSchermo_data();
    void senzaSchermo();
};

void TestEsportaCsv::campo_data() {
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("scritto");
    QTest::newRow("semplice") << "Giulia Rossi"
                              << "Giulia Rossi";
    QTest::newRow("=") << "=1+1"
                       << "'=1+1";
    QTest::newRow("+") << "+39 333"
                       << "'+39 333";
    QTest::newRow("-") << "-2+3"
                       << "'-2+3";
    QTest::newRow("@") << "@SUM(A1)"
                       << "'@SUM(A1)";
    QTest::newRow("tab") << "\t=1"
                         << "'\t=1";
    QTest::newRow("CR") << "\r=1"
                        << "\"'\r=1\"";
    QTest::newRow("= in mezzo") << "a=1"
                                << "a=1";
    QTest::newRow("punto e virgola") << "a;b"
                                     << "\"a;b\"";
    QTest::newRow("virgolette e formula") << "=\"x\";y"
                                          << "\"'=\"\"x\"\";y\"";
    QTest::newRow("a capo") << "a\nb"
                            << "\"a\nb\"";
}

void TestEsportaCsv::campo() {
    QFETCH(QString, campo);
    QFETCH(QString, scritto);
    QCOMPARE(CampoCsv(campo), scritto);
}

void TestEsportaCsv::righe() {
    RegistroSerie s = SerieProva(0, 3, QStringLiteral("=cmd|' /C calc'!A0"));
    s.Inizio = QDateTime(QDate(2026, 12, 9), QTime(10, 15, 7));
    s.Sistema = QStringLiteral("Sistema metrico decimale");
    s.TestoTipo = QStringLiteral(" Trova il numero");
    // Exercise 1 tried twice then right, with help; 2 solved by the program; 3 still open.
    auto& e = s.Esercizi;
    e[0].Tentativi = {{"27.52", false}, {"275.2", true}};
    e[0].AiutoAccettato = true;
    e[0].SoluzioneData = false;
    e[0].ChiedeSimbolo = false;
    e[0].SoluzioneTesto = QStringLiteral("275.2");
    e[0].Secondi = 12;
    e[1].Tentativi = {{"1", false}};
    e[1].SoluzioneData = true;
    e[1].AiutoAccettato = false;
    e[2].Tentativi.clear();
    e[2].SoluzioneData = false;
    e[2].ChiedeSimbolo = true;
    e[2].Dati.NumeroTesto = QStringLiteral("27,52");
    e[2].Dati.SimboloDa = QStringLiteral("dam");
    e[2].Dati.RisultatoTesto = QStringLiteral("275,2");
    e[2].SoluzioneTesto = QStringLiteral("m");
    e[2].Secondi = 0;

    const QByteArray csv = IntestazioneCsv() + RigheCsv(s, QStringLiteral("aula-3"));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"
                           "serie;data;ora;computer;alunno;livello;sistema;tipo;ordine;esercizio;"
                           "problema;soluzione;risposte;aiuto;esito;secondi\r\n"));
    const QStringList righe = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    QCOMPARE(righe.size(), 5); // header, three exercises, the empty piece after the last CR LF
    QVERIFY(righe.last().isEmpty());
    QVERIFY(!csv.mid(3).replace("\r\n", "").contains('\n'));
    const QString id = s.Id.toString(QUuid::WithoutBraces);
    const QString comuni = id + QStringLiteral(";09/12/2026;10:15:07;aula-3;'=cmd|' /C calc'!A0;") +
                           QString::number(s.Livello) +
                           QStringLiteral(";Sistema metrico decimale;Trova il numero;") +
                           s.TestoOrdine + QLatin1Char(';');
    QCOMPARE(righe[1],
             comuni + QStringLiteral("1;27,52 %1 = ? %2;275,2;27,52 | 275,2;sì;esatta;12")
                          .arg(e[0].Dati.SimboloDa.trimmed(), e[0].Dati.SimboloA.trimmed()));
    QVERIFY(righe[2].startsWith(comuni + QStringLiteral("2;")));
    QVERIFY(righe[2].endsWith(QStringLiteral(";1;no;data dal programma;%1").arg(e[1].Secondi)));
    QCOMPARE(righe[3], comuni + QStringLiteral("3;27,52 dam = 275,2 ?;m;;no;non finita;0"));
}

void TestEsportaCsv::senzaSchermo_data() {
    QTest::addColumn<bool>("registro"); // a register exists on the account
    QTest::addColumn<QString>("file");  // under the temporary home
    QTest::addColumn<int>("uscita");
    QTest::addColumn<QString>("errore"); // the start of standard error
    QTest::newRow("registro") << true << "esportato.csv" << 0 << "";
    QTest::newRow("nessun registro") << false << "esportato.csv" << 0 << "";
    QTest::newRow("cartella mancante")
        << true << "manca/esportato.csv" << 1 << "Non è stato possibile scrivere il file";
    QTest::newRow("registro danneggiato")
        << true << "danneggiato" << 0 << "Il registro era danneggiato";
}

void TestEsportaCsv::senzaSchermo() {
    QFETCH(bool, registro);
    QFETCH(QString, file);
    QFETCH(int, uscita);
    QFETCH(QString, errore);
    QTemporaryDir casa;
    const QString dati = casa.filePath(QStringLiteral("dati"));
    const QString percorso = dati + QStringLiteral("/decimetra/registro.sqlite");
    QByteArray atteso = IntestazioneCsv();
    if (file == QLatin1String("danneggiato")) {
        QDir().mkpath(QFileInfo(percorso).absolutePath());
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        file = QStringLiteral("esportato.csv");
    } else if (registro) {
        RegistroLocale r(percorso);
        for (int k : {2, 1}) {
            const RegistroSerie s = SerieProva(k, 20, QStringLiteral("Giulia Rossi"));
            QVERIFY(r.Salva(s, QStringLiteral("pc")).Riuscito());
        }
        for (int k : {1, 2}) // oldest first
            atteso +=
                RigheCsv(SerieProva(k, 20, QStringLiteral("Giulia Rossi")), QStringLiteral("pc"));
    }

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(v));
    env.insert(QStringLiteral("HOME"), casa.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dati);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PROGRAMMA), {QStringLiteral("--esporta-registro"), casa.filePath(file)});
    QVERIFY(p.waitForFinished(120000));
    const QString stderrTesto = QString::fromLocal8Bit(p.readAllStandardError());
    QCOMPARE(p.exitCode(), uscita);
    QVERIFY2(errore.isEmpty() ? stderrTesto.isEmpty() : stderrTesto.startsWith(errore),
             qPrintable(stderrTesto));
    if (uscita != 0) {
        QVERIFY(!QFile::exists(casa.filePath(file)));
        return;
    }
    QFile f(casa.filePath(file));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), atteso);
    QCOMPARE(QFileInfo::exists(percorso), registro);
}

QTEST_GUILESS_MAIN(TestEsportaCsv)
#include "tst_EsportaCsv.moc"
