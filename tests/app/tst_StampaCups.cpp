// The printer service on a real print system: a private CUPS daemon (tests/support/
// cups_prova.sh) with two queues whose backend copies every job into a folder. The default
// queue is the current printer; a chosen queue takes the next jobs; the jobs hold the page.
// A queue that rejects jobs, is stopped or has gone is a printer problem, told as such, and
// nothing is queued; a daemon that stops answering costs a few seconds, then the page is a
// PDF in the documents folder.
//
// Qt's CUPS plugin finds the server once per process, from CUPS_SERVER, so this is a
// program of its own and main sets the variable before anything else.

#include "app/ServizioStampaQt.h"
#include "base/MessaggiStampa.h"
#include "base/Pagina.h"
#include "support/LeggiPdf.h"
#include "support/PaginaProva.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QTemporaryDir* cartella = nullptr; // created in main, before the application

QString Script() {
    const QString script = QStringLiteral(CARTELLA_PROVE "/support/cups_prova.sh");
    return QFileInfo::exists(script) ? script : QString();
}

// The jobs the backend has copied into the folder so far.
QStringList Lavori(const QString& dove) {
    return QDir(dove).entryList({QStringLiteral("lavoro-*")}, QDir::Files, QDir::Name);
}

// Runs cups_prova.sh with the arguments after the action's folder.
bool Prova(const QString& azione, const QStringList& altri = {}) {
    QProcess script;
    script.start(QStringLiteral("bash"), QStringList{Script(), azione, cartella->path()} + altri);
    return script.waitForFinished(30000) && script.exitStatus() == QProcess::NormalExit &&
           script.exitCode() == 0;
}

// The jobs the daemon holds, not yet done (lpstat -o).
QString InCoda() {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
    lpstat.waitForFinished(30000);
    return QString::fromLocal8Bit(lpstat.readAllStandardOutput()).trimmed();
}

} // namespace

class TestStampaCups : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void elenco();
    void stampaSullaPredefinita();
    void stampaSullaScelta();
    void esitiDellaCoda_data();
    void esitiDellaCoda();
    void cleanup();

private:
    bool avviato_ = false;
    QString lavori_, lavori2_;
};

void TestStampaCups::initTestCase() {
    QVERIFY(cartella->isValid());
    QVERIFY2(!Script().isEmpty(), "cups_prova.sh non trovato");
    QProcess avvio;
    // Our pid: if this program dies, the daemon goes too.
    avvio.start(QStringLiteral("bash"),
                {Script(), QStringLiteral("avvia"), cartella->path(), QStringLiteral("Decimetra"),
                 QString::number(QCoreApplication::applicationPid())});
    QVERIFY(avvio.waitForFinished(60000));
    const QString errori = QString::fromLocal8Bit(avvio.readAllStandardError());
    if (avvio.exitCode() == 77) QSKIP(qPrintable("CUPS non disponibile: " + errori.trimmed()));
    QVERIFY2(avvio.exitCode() == 0, qPrintable(errori));
    avviato_ = true;
    lavori_ = cartella->filePath(QStringLiteral("lavori"));
    // A second queue, listed after the default one, with its own folder.
    lavori2_ = cartella->filePath(QStringLiteral("lavori2"));
    QVERIFY(QDir().mkpath(lavori2_));
    QProcess coda;
    coda.start(QStringLiteral("lpadmin"), {"-p", "Seconda", "-E", "-v", "copia:" + lavori2_});
    QVERIFY(coda.waitForFinished(30000));
    QVERIFY2(coda.exitCode() == 0, coda.readAllStandardError().constData());
}

void TestStampaCups::cleanupTestCase() {
    if (!avviato_) return;
    QProcess::execute(QStringLiteral("bash"),
                      {Script(), QStringLiteral("ferma"), cartella->path()});
    // Nothing left running: the daemon's pid file is gone and the socket does not answer.
    QVERIFY(!QFile::exists(cartella->filePath(QStringLiteral("cupsd.pid"))));
    QProcess stato;
    stato.start(QStringLiteral("lpstat"), {QStringLiteral("-r")});
    QVERIFY(stato.waitForFinished(30000));
    QVERIFY(!stato.readAllStandardOutput().contains("is running"));
}

void TestStampaCups::elenco() {
    ServizioStampaQt servizio;
    QCOMPARE(servizio.Elenco(), (QStringList{"Decimetra", "Seconda"}));
    QCOMPARE(servizio.Corrente(), QStringLiteral("Decimetra"));
    QVERIFY(!servizio.Scegli(QStringLiteral("Terza")));
    QCOMPARE(servizio.Corrente(), QStringLiteral("Decimetra"));
}

// A page sent to the default queue arrives as one PDF job holding the page's text, where
// the page puts it: from the top-left corner of the printable area.
void TestStampaCups::stampaSullaPredefinita() {
    ServizioStampaQt servizio([](const QString&) { return QString(); });
    const EsitoStampa esito =
        servizio.Stampa(PaginaProva(QStringLiteral("Riga-predefinita")), "esercizi");
    QCOMPARE(esito.tipo, EsitoStampa::Tipo::Stampato);
    QVERIFY(esito.percorso.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(Lavori(lavori_).size(), 1, 15000);
    const QString lavoro = QDir(lavori_).filePath(Lavori(lavori_).constFirst());
    QFile file(lavoro);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(5), QByteArray("%PDF-"));
    if (!StrumentiPdf()) QSKIP("poppler-utils non installato: il testo non si legge");
    const QList<ParolaPdf> parole = ParolePdf(lavoro);
    const ParolaPdf* nome = TrovaParola(parole, QStringLiteral("Nome"));
    const ParolaPdf* riga = TrovaParola(parole, QStringLiteral("Riga-predefinita"));
    QVERIFY(nome && riga);
    qInfo("lavoro %s: Nome a %.2f,%.2f; riga a %.2f,%.2f", qPrintable(lavoro), nome->xMin,
          nome->yMin, riga->xMin, riga->yMin);
    // The queue has no PPD: A4 with Qt's 10 pt margins.
    QVERIFY(qAbs(nome->xMin - 60) < 1 && qAbs(nome->yMin - 60) < 1);
    QVERIFY(qAbs(riga->xMin - 35) < 1 && qAbs(riga->yMin - 110) < 1);
    QVERIFY(FontPdf(lavoro).contains(QStringLiteral("LiberationMono-Bold")));
    QVERIFY(Lavori(lavori2_).isEmpty());
}

// After a choice every print goes to the chosen queue.
void TestStampaCups::stampaSullaScelta() {
    ServizioStampaQt servizio;
    QVERIFY(servizio.Scegli(QStringLiteral("Seconda")));
    QCOMPARE(servizio.Corrente(), QStringLiteral("Seconda"));
    const int primaDecimetra = Lavori(lavori_).size();
    for (int i = 1; i <= 2; ++i)
        QCOMPARE(servizio.Stampa(PaginaProva(QStringLiteral("Riga-scelta")), "scheda").tipo,
                 EsitoStampa::Tipo::Stampato);
    QTRY_COMPARE_WITH_TIMEOUT(Lavori(lavori2_).size(), 2, 15000);
    QCOMPARE(Lavori(lavori_).size(), primaDecimetra);
    if (StrumentiPdf())
        QVERIFY(TestoPdf(QDir(lavori2_).filePath(Lavori(lavori2_).constLast()))
                    .contains(QStringLiteral("Riga-scelta")));
}

// Puts everything back after each case: the daemon awake, the default queue taking jobs.
void TestStampaCups::cleanup() {
    if (!avviato_) return;
    QVERIFY(Prova(QStringLiteral("scongela")));
    QVERIFY(Prova(QStringLiteral("coda"), {QStringLiteral("Decimetra"), QStringLiteral("attiva")}));
    QVERIFY(
        Prova(QStringLiteral("coda"), {QStringLiteral("Decimetra"), QStringLiteral("accetta")}));
}

// One print in each state of the print system, judged by what reaches the queue and the
// backend, what is on disk and what the user is told.
void TestStampaCups::esitiDellaCoda_data() {
    QTest::addColumn<QString>("caso");
    QTest::addColumn<bool>("dopoLElenco"); // the state changes after the printers were listed
    QTest::addColumn<int>("tipo");
    using T = EsitoStampa::Tipo;
    QTest::newRow("coda che rifiuta") << "rifiuta" << false << int(T::Errore);
    QTest::newRow("coda che rifiuta, dopo l'elenco") << "rifiuta" << true << int(T::Errore);
    QTest::newRow("coda ferma") << "disattiva" << true << int(T::Errore);
    QTest::newRow("stampante rimossa") << "rimuovi" << true << int(T::Errore);
    QTest::newRow("cupsd fermato (SIGSTOP)") << "congela" << true << int(T::SalvatoPdf);
    QTest::newRow("di nuovo pronta") << "" << true << int(T::Stampato);
}

void TestStampaCups::esitiDellaCoda() {
    QFETCH(QString, caso);
    QFETCH(bool, dopoLElenco);
    QFETCH(int, tipo);
    // The queue printed on: the default one, or a third one that is then removed.
    QString coda = QStringLiteral("Decimetra");
    QString cartellaLavori = lavori_;
    if (caso == "rimuovi") {
        coda = QStringLiteral("Terza");
        cartellaLavori = cartella->filePath(QStringLiteral("lavori3"));
        QVERIFY(QDir().mkpath(cartellaLavori));
        QCOMPARE(QProcess::execute("lpadmin", {"-p", coda, "-E", "-v", "copia:" + cartellaLavori}),
                 0);
    }
    const auto cambia = [&] {
        if (caso == "congela")
            QVERIFY(Prova(caso));
        else if (!caso.isEmpty())
            QVERIFY(Prova(QStringLiteral("coda"), {coda, caso}));
    };

    const QString documenti = cartella->filePath(QStringLiteral("Documents"));
    QDir(documenti).removeRecursively();
    const int lavoriPrima = Lavori(cartellaLavori).size();
    if (!dopoLElenco) cambia();
    ServizioStampaQt servizio([](const QString&) { return QString(); });
    QVERIFY(servizio.Elenco().contains(coda));
    if (coda != servizio.Corrente()) QVERIFY(servizio.Scegli(coda));
    if (dopoLElenco) cambia();

    QElapsedTimer tempo;
    tempo.start();
    const EsitoStampa esito =
        servizio.Stampa(PaginaProva(QStringLiteral("Riga-") + caso), QStringLiteral("esercizi"));
    const qint64 millisecondi = tempo.elapsed();
    qInfo("%s: %lld ms", qPrintable(caso.isEmpty() ? QStringLiteral("pronta") : caso),
          millisecondi);
    QCOMPARE(int(esito.tipo), tipo);
    const QString messaggio = MessaggioStampa(esito, false);
    QVERIFY(Prova(QStringLiteral("scongela")));

    switch (EsitoStampa::Tipo(tipo)) {
    case EsitoStampa::Tipo::Stampato:
        // Said sent, to the queue that took it.
        QCOMPARE(messaggio, QStringLiteral("La pagina è stata inviata alla stampante\n") + coda);
        QTRY_COMPARE_WITH_TIMEOUT(Lavori(cartellaLavori).size(), lavoriPrima + 1, 15000);
        break;
    case EsitoStampa::Tipo::Errore:
        QCOMPARE(messaggio, QStringLiteral("Problema di stampa nella stampante utilizzata."));
        break;
    case EsitoStampa::Tipo::SalvatoPdf: {
        // The wait is bounded: a few seconds, not the two minutes of libcups' own timeouts.
        QVERIFY2(millisecondi < ServizioStampaQt::AttesaStampante.count() + 2000,
                 qPrintable(QString::number(millisecondi)));
        QVERIFY(esito.stampanteMuta);
        QCOMPARE(QFileInfo(esito.percorso).absolutePath(), documenti);
        QCOMPARE(messaggio, "La stampante non risponde: la pagina è stata salvata nel file PDF\n" +
                                esito.percorso);
        if (StrumentiPdf()) QVERIFY(TestoPdf(esito.percorso).contains("Riga-congela"));
        break;
    }
    default:
        QFAIL("esito inatteso");
    }
    if (EsitoStampa::Tipo(tipo) != EsitoStampa::Tipo::SalvatoPdf)
        QVERIFY(!QFileInfo::exists(documenti)); // no PDF in place of a print
    if (EsitoStampa::Tipo(tipo) != EsitoStampa::Tipo::Stampato) {
        // Nothing queued, nothing printed, even once the daemon is awake again.
        QTest::qWait(1000);
        QCOMPARE(InCoda(), QString());
        QCOMPARE(Lavori(cartellaLavori).size(), lavoriPrima);
    }
}

int main(int argc, char* argv[]) {
    QTemporaryDir temporanea;
    cartella = &temporanea;
    // The client side of CUPS reads these at its first use; the daemon starts in
    // initTestCase, before any printer is asked for.
    qputenv("CUPS_SERVER", QFile::encodeName(temporanea.filePath(QStringLiteral("cups.sock"))));
    qputenv("HOME", QFile::encodeName(temporanea.path())); // no personal lpoptions
    QApplication app(argc, argv);
    TestStampaCups prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "tst_StampaCups.moc"
