// The printer service on a real print system: a private CUPS daemon (tests/support/
// cups_prova.sh) with two queues whose backend copies every job into a folder. The default
// queue is the current printer; a chosen queue takes the next jobs; the jobs hold the page.
//
// Qt's CUPS plugin finds the server once per process, from CUPS_SERVER, so this is a
// program of its own and main sets the variable before anything else.

#include "app/ServizioStampaQt.h"
#include "base/Pagina.h"
#include "support/LeggiPdf.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QFileInfo>
#include <QtTest>

namespace {

QTemporaryDir* cartella = nullptr; // created in main, before the application

QString Script() {
    const QString script = QStringLiteral(CARTELLA_PROVE "/support/cups_prova.sh");
    return QFileInfo::exists(script) ? script : QString();
}

Pagina PaginaProva(const QString& riga) {
    Pagina p;
    TestoPagina t;
    t.famiglia = QStringLiteral("Courier New");
    t.punti = 14;
    t.x = 1000;
    t.y = 1000;
    t.testo = QStringLiteral("Nome e cognome");
    p.testi.append(t);
    t.punti = 10;
    t.grassetto = true;
    t.x = 500;
    t.y = 2000;
    t.testo = riga;
    p.testi.append(t);
    return p;
}

// The jobs the backend has copied into the folder so far.
QStringList Lavori(const QString& dove) {
    return QDir(dove).entryList({QStringLiteral("lavoro-*")}, QDir::Files, QDir::Name);
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
