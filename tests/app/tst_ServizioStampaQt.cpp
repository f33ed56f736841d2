// The printer service on a machine with no printer (the print system is pointed at a socket
// that does not exist, so a printer of the developer's machine cannot interfere): prints
// become PDFs in the documents folder, never overwriting; a chosen "File PDF" asks for the
// name; failures are reported; the print support is only loaded when first needed.

#include "app/ServizioStampaQt.h"
#include "base/Pagina.h"
#include "support/LeggiPdf.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QtTest>

namespace {

Pagina PaginaProva() {
    Pagina p;
    TestoPagina t;
    t.famiglia = QStringLiteral("Courier New");
    t.punti = 14;
    t.x = 1000;
    t.y = 1000;
    t.testo = QStringLiteral("Nome e cognome");
    p.testi.append(t);
    t.punti = 12;
    t.x = 500;
    t.y = 2000;
    t.testo = QStringLiteral("3,5 m = 35 dm");
    p.testi.append(t);
    return p;
}

QByteArray Impronta(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

bool CaricatoNelProcesso(const QString& libreria) {
    QFile mappe(QStringLiteral("/proc/self/maps"));
    if (!mappe.open(QIODevice::ReadOnly)) return false;
    return QString::fromLatin1(mappe.readAll()).contains(libreria);
}

} // namespace

class TestServizioStampaQt : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void caricamentoPigro();
    void senzaStampanti();
    void salvaNeiDocumenti();
    void documentiImpossibili();
    void pdfScelto_data();
    void pdfScelto();
    void sceltaCourier_data();
    void sceltaCourier();
    void courierDelSistema();

private:
    QTemporaryDir cartella_;
    QString casa_;
};

void TestServizioStampaQt::initTestCase() {
    QVERIFY(cartella_.isValid());
}

// A fresh home for every case: the documents folder is HOME/Documents (no user-dirs file).
void TestServizioStampaQt::init() {
    static int numero = 0;
    casa_ = cartella_.filePath(QStringLiteral("casa%1").arg(++numero));
    QVERIFY(QDir().mkpath(casa_));
    qputenv("HOME", casa_.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (casa_ + "/.config").toLocal8Bit());
}

// Building the service and asking for the fonts must not load the print system's plugin;
// the first printer list does. (Runs first: nothing else in this process has printed yet.)
void TestServizioStampaQt::caricamentoPigro() {
    const QString plugin = QStringLiteral("libcupsprintersupport");
    ServizioStampaQt servizio;
    servizio.CercaCourier();
    QVERIFY(!CaricatoNelProcesso(plugin));
    servizio.Elenco();
    if (!CaricatoNelProcesso(plugin)) QSKIP("il plugin di stampa CUPS di Qt non è installato");
}

void TestServizioStampaQt::senzaStampanti() {
    ServizioStampaQt servizio;
    QVERIFY(servizio.Elenco().isEmpty());
    QVERIFY(servizio.Corrente().isEmpty());
    QVERIFY(!servizio.Scegli(QStringLiteral("Stampante")));
    QVERIFY(!servizio.PdfScelto());
}

// With no printer every print is a new PDF in the documents folder (created on the way),
// named for what and when, holding the page; a second print keeps the first file.
void TestServizioStampaQt::salvaNeiDocumenti() {
    if (!StrumentiPdf()) QSKIP("poppler-utils non installato");
    int chieste = 0;
    ServizioStampaQt servizio([&chieste](const QString&) {
        ++chieste;
        return QString();
    });
    const EsitoStampa primo = servizio.Stampa(PaginaProva(), QStringLiteral("esercizi"));
    QCOMPARE(primo.tipo, EsitoStampa::Tipo::SalvatoPdf);
    QCOMPARE(chieste, 0); // no dialog: the file goes where the user is told
    const QFileInfo info(primo.percorso);
    QCOMPARE(info.absolutePath(), QDir(casa_).filePath(QStringLiteral("Documents")));
    QVERIFY2(QRegularExpression(
                 QStringLiteral(R"(^Decimetra esercizi \d{4}-\d\d-\d\d \d\d\.\d\d\.pdf$)"))
                 .match(info.fileName())
                 .hasMatch(),
             qPrintable(info.fileName()));
    const QString testo = TestoPdf(primo.percorso);
    QVERIFY2(testo.contains(QStringLiteral("Nome e cognome")), qPrintable(testo));
    QVERIFY2(testo.contains(QStringLiteral("3,5 m = 35 dm")), qPrintable(testo));
    // The same page geometry as a printer's: A4, 10 pt margins (x, y twips at 10 + x/20 pt).
    const QList<ParolaPdf> parole = ParolePdf(primo.percorso);
    const ParolaPdf* nome = TrovaParola(parole, QStringLiteral("Nome"));
    const ParolaPdf* riga = TrovaParola(parole, QStringLiteral("3,5"));
    QVERIFY(nome && riga);
    QVERIFY(qAbs(nome->xMin - 60) < 1 && qAbs(nome->yMin - 60) < 1);
    QVERIFY(qAbs(riga->xMin - 35) < 1 && qAbs(riga->yMin - 110) < 1);
    const QByteArray improntaPrima = Impronta(primo.percorso);

    const EsitoStampa secondo = servizio.Stampa(PaginaProva(), QStringLiteral("esercizi"));
    QCOMPARE(secondo.tipo, EsitoStampa::Tipo::SalvatoPdf);
    QVERIFY(secondo.percorso != primo.percorso);
    QCOMPARE(Impronta(primo.percorso), improntaPrima);
    QVERIFY(QFileInfo::exists(secondo.percorso));
    // Within the same minute the second name is the first with " (2)".
    const QString base = primo.percorso.chopped(4);
    if (QFileInfo(secondo.percorso).fileName().startsWith(QFileInfo(base).fileName()))
        QCOMPARE(secondo.percorso, base + QStringLiteral(" (2).pdf"));
    QCOMPARE(QDir(info.absolutePath()).entryList(QDir::Files).size(), 2);
}

// A documents folder that cannot exist (its parent is a file): an error, never a success.
void TestServizioStampaQt::documentiImpossibili() {
    QFile ostacolo(casa_ + "/file");
    QVERIFY(ostacolo.open(QIODevice::WriteOnly));
    ostacolo.close();
    qputenv("HOME", ostacolo.fileName().toLocal8Bit());
    ServizioStampaQt servizio;
    const EsitoStampa esito = servizio.Stampa(PaginaProva(), QStringLiteral("attestato"));
    QCOMPARE(esito.tipo, EsitoStampa::Tipo::Errore);
    QVERIFY(esito.percorso.isEmpty());
}

void TestServizioStampaQt::pdfScelto_data() {
    QTest::addColumn<QString>("risposta"); // relative to the case's home; "-" for cancel
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("scritto");
    using T = EsitoStampa::Tipo;
    QTest::newRow("senza suffisso") << "scheda" << int(T::SalvatoPdf) << "scheda.pdf";
    QTest::newRow("con suffisso") << "scheda.pdf" << int(T::SalvatoPdf) << "scheda.pdf";
    QTest::newRow("suffisso maiuscolo") << "Scheda.PDF" << int(T::SalvatoPdf) << "Scheda.PDF";
    QTest::newRow("altro suffisso") << "scheda.txt" << int(T::SalvatoPdf) << "scheda.txt.pdf";
    QTest::newRow("annullato") << "-" << int(T::Annullato) << "";
    QTest::newRow("cartella inesistente") << "manca/scheda.pdf" << int(T::Errore) << "";
}

// "File PDF" chosen: every print asks, proposing a name in the documents folder, and
// writes where the user said, adding ".pdf" when the name lacks it.
void TestServizioStampaQt::pdfScelto() {
    QFETCH(QString, risposta);
    QFETCH(int, tipo);
    QFETCH(QString, scritto);
    QStringList proposte;
    ServizioStampaQt servizio([&](const QString& proposta) {
        proposte.append(proposta);
        return risposta == "-" ? QString() : QDir(casa_).filePath(risposta);
    });
    servizio.ScegliPdf();
    QVERIFY(servizio.PdfScelto());
    const EsitoStampa esito = servizio.Stampa(PaginaProva(), QStringLiteral("scheda alunni"));
    QCOMPARE(int(esito.tipo), tipo);
    QCOMPARE(proposte.size(), 1);
    QVERIFY2(proposte[0].startsWith(casa_ + "/Documents/Decimetra scheda alunni ") &&
                 proposte[0].endsWith(".pdf"),
             qPrintable(proposte[0]));
    const QStringList scritti = QDir(casa_).entryList(QDir::Files);
    if (scritto.isEmpty()) {
        QVERIFY2(scritti.isEmpty(), qPrintable(scritti.join(", ")));
        QVERIFY(esito.percorso.isEmpty());
        return;
    }
    QCOMPARE(esito.percorso, QDir(casa_).filePath(scritto));
    QCOMPARE(scritti, QStringList{scritto});
    if (StrumentiPdf()) QVERIFY(TestoPdf(esito.percorso).contains("Nome e cognome"));
}

void TestServizioStampaQt::sceltaCourier_data() {
    QTest::addColumn<QStringList>("famiglie");
    QTest::addColumn<bool>("sostituto");
    QTest::addColumn<QString>("atteso");
    const QStringList entrambe{"Arial", "Courier", "Courier New", "Times"};
    QTest::newRow("entrambe: Courier New") << entrambe << false << "Courier New";
    QTest::newRow("solo Courier") << QStringList{"Arial", "Courier"} << true << "Courier";
    QTest::newRow("solo Courier New") << QStringList{"Courier New"} << false << "Courier New";
    QTest::newRow("sostituto") << QStringList{"Liberation Mono"} << true << "Courier New";
    QTest::newRow("niente") << QStringList{"DejaVu Sans"} << false << "";
    QTest::newRow("maiuscole diverse") << QStringList{"courier new", "COURIER"} << false << "";
    QTest::newRow("nome con fonderia") << QStringList{"Courier New [Monotype]"} << false << "";
}

void TestServizioStampaQt::sceltaCourier() {
    QFETCH(QStringList, famiglie);
    QFETCH(bool, sostituto);
    QFETCH(QString, atteso);
    QCOMPARE(ServizioStampaQt::SceltaCourier(famiglie, sostituto), atteso);
}

// With fonts-liberation and no Courier family, Liberation Mono stands in for Courier New.
void TestServizioStampaQt::courierDelSistema() {
    const QStringList famiglie = QFontDatabase::families();
    if (!famiglie.contains("Liberation Mono") || famiglie.contains("Courier") ||
        famiglie.contains("Courier New"))
        QSKIP("serve fonts-liberation senza famiglie Courier");
    ServizioStampaQt servizio;
    QCOMPARE(servizio.CercaCourier(), QStringLiteral("Courier New"));
}

int main(int argc, char* argv[]) {
    // Read by the print system at its first use: no printer can be found.
    qputenv("CUPS_SERVER", "/nonexistent/decimetra-cups.sock");
    QApplication app(argc, argv);
    TestServizioStampaQt prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "tst_ServizioStampaQt.moc"
