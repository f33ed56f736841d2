// The printer service on a machine with no printer (the print system is pointed at a socket
// that does not exist, so a printer of the developer's machine cannot interfere): prints
// become PDFs in the documents folder, never overwriting; a chosen "File PDF" asks for the
// name; a PDF is reported saved only when all of it is on disk, and a failure leaves the
// folder as it was and says where and why (judged on small tmpfs folders when root); a
// process racing to swap names for links never gets a file outside the folder written;
// the print support is only loaded when first needed.

#include "app/ServizioStampaQt.h"
#include "base/MessaggiStampa.h"
#include "base/Pagina.h"
#include "results/PaginaEsercizi.h"
#include "support/DoppiSerie.h"
#include "support/Istantanea.h"
#include "support/LeggiPdf.h"
#include "support/PaginaProva.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray Impronta(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The record of a whole series: the page whose PDF came out cut on a nearly full disk.
Pagina PaginaRegistro() {
    StatoProgramma stato;
    SerieDiProva(
        stato, 20, [](int k) { return QStringLiteral("%1,5").arg(k); },
        [](int k) { return QString::number(k * 10 + 5); });
    return PaginaEsercizi(stato, QStringLiteral("Courier New"));
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
    void pdfNonScritto_data();
    void pdfNonScritto();
    void corsaAiLink();
    void pdfScelto_data();
    void pdfScelto();
    void sceltaCourier_data();
    void sceltaCourier();
    void courierDelSistema();

    void cleanup();

private:
    // Mounts a tmpfs of dimensione bytes on dove (an existing folder), with the options
    // given; skips the case when not root. cleanup() unmounts it.
    void Monta(const QString& dove, int dimensione, const QString& opzioni = {});
    // Fills the file system of the working folder dove until lasciati bytes are left.
    void Riempi(const QString& dove, qint64 lasciati);

    QTemporaryDir cartella_;
    QString casa_;
    QStringList montati_;
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
    // The two PDFs and nothing else: no temporary file left behind.
    QCOMPARE(QDir(info.absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestServizioStampaQt::cleanup() {
    for (const QString& punto : std::as_const(montati_))
        QCOMPARE(QProcess::execute(QStringLiteral("umount"), {punto}), 0);
    montati_.clear();
}

void TestServizioStampaQt::Monta(const QString& dove, int dimensione, const QString& opzioni) {
    if (geteuid() != 0) QSKIP("montare un tmpfs piccolo richiede root");
    QString tutte = QStringLiteral("size=%1").arg(dimensione);
    if (!opzioni.isEmpty()) tutte += QLatin1Char(',') + opzioni;
    if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", tutte, "tmpfs", dove}) !=
        0)
        QSKIP("non si può montare un tmpfs qui");
    montati_ << dove;
}

void TestServizioStampaQt::Riempi(const QString& dove, qint64 lasciati) {
    const QByteArray nome = QFile::encodeName(dove + QStringLiteral("/riempitivo"));
    const int fd = ::open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    QVERIFY(fd >= 0);
    const QByteArray blocco(4096, 'x');
    qint64 scritti = 0;
    ssize_t n = 0;
    while ((n = ::write(fd, blocco.constData(), blocco.size())) > 0)
        scritti += n;
    QCOMPARE(errno, ENOSPC);
    if (lasciati > 0) QCOMPARE(::ftruncate(fd, scritti - lasciati), 0);
    ::close(fd);
}

// Where a PDF cannot be written, nothing new is left in the folder, a file chosen in the
// save dialog keeps its bytes, a file outside is never touched, and the message says that
// the file could not be saved, where and why; it never names a printer.
void TestServizioStampaQt::pdfNonScritto_data() {
    QTest::addColumn<QString>("caso");
    QTest::addColumn<bool>("scelto"); // "File PDF" chosen: the dialog answers Documents/scheda.pdf
    QTest::addColumn<QString>("motivo"); // the last line of the message
    const QString pieno = QStringLiteral("Il disco è pieno.");
    QTest::newRow("disco pieno") << "pieno" << false << pieno;
    QTest::newRow("8 KiB liberi") << "8k" << false << pieno;
    QTest::newRow("file scelto esistente, disco pieno") << "pieno" << true << pieno;
    QTest::newRow("file scelto esistente, 8 KiB liberi") << "8k" << true << pieno;
    QTest::newRow("cartella in sola lettura")
        << "solalettura" << false << "Non c'è il permesso di scrivere in questa cartella.";
    QTest::newRow("999 nomi occupati")
        << "occupati" << false << "Ci sono già troppi file con questo nome.";
    QTest::newRow("un file sopra la cartella")
        << "filesopra" << false << "Al posto della cartella c'è un file.";
    QTest::newRow("file scelto: un link fuori")
        << "link" << true << "Con questo nome c'è già qualcosa che non è un file.";
}

void TestServizioStampaQt::pdfNonScritto() {
    QFETCH(QString, caso);
    QFETCH(bool, scelto);
    QFETCH(QString, motivo);
    const QString documenti = casa_ + QStringLiteral("/Documents");
    const QString nomeScelto = documenti + QStringLiteral("/scheda.pdf");
    const auto scrivi = [](const QString& nome, const QByteArray& dati) {
        QFile file(nome);
        return file.open(QIODevice::WriteOnly) && file.write(dati) == dati.size();
    };
    QVERIFY(QDir().mkpath(documenti) && QDir().mkpath(casa_ + "/fuori"));
    QVERIFY(scrivi(casa_ + "/fuori/bersaglio.pdf", "segreto"));
    QString dove = scelto ? nomeScelto : documenti; // where the message says it could not go
    if (caso == "pieno" || caso == "8k") {
        Monta(documenti, 64 * 1024);
        if (scelto) QVERIFY(scrivi(nomeScelto, QByteArray(3000, 'p'))); // yesterday's sheet
        Riempi(documenti, caso == "8k" ? 8 * 1024 : 0);
    } else if (caso == "solalettura") {
        // Root writes through any permission: a read-only file system instead.
        if (geteuid() == 0)
            Monta(documenti, 64 * 1024, QStringLiteral("ro"));
        else
            QVERIFY(QFile::setPermissions(documenti, QFile::ReadOwner | QFile::ExeOwner));
    } else if (caso == "occupati") {
        // Every name of this minute and of the next one is taken.
        const QDateTime adesso = QDateTime::currentDateTime();
        for (const QDateTime& momento : {adesso, adesso.addSecs(60)})
            for (int numero = 1; numero <= 999; ++numero)
                QVERIFY(scrivi(QDir(documenti).filePath(ServizioStampaQt::NomePdf(
                                   QStringLiteral("esercizi"), momento, numero)),
                               {}));
    } else if (caso == "filesopra") {
        QVERIFY(scrivi(casa_ + "/sopra", {}));
        qputenv("HOME", QFile::encodeName(casa_ + "/sopra"));
        dove = casa_ + QStringLiteral("/sopra/Documents");
    } else if (caso == "link") {
        QVERIFY(QFile::link(casa_ + "/fuori/bersaglio.pdf", nomeScelto));
    }
    const QStringList prima = Istantanea(casa_);

    ServizioStampaQt servizio([&](const QString&) { return nomeScelto; });
    if (scelto) servizio.ScegliPdf();
    const EsitoStampa esito = servizio.Stampa(PaginaRegistro(), QStringLiteral("esercizi"));
    QFile::setPermissions(documenti, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(esito.tipo, EsitoStampa::Tipo::ErrorePdf);
    QCOMPARE(esito.percorso, dove);
    // Nothing new, nothing changed: not in the folder, not outside it.
    QCOMPARE(Istantanea(casa_), prima);
    QCOMPARE(MessaggioStampa(esito, scelto),
             QStringLiteral("Non è stato possibile salvare il file PDF") +
                 (scelto ? QStringLiteral("\n") : QStringLiteral(" nella cartella\n")) + dove +
                 QLatin1Char('\n') + motivo);
}

// A process that can write to the documents folder keeps swapping every file it sees there,
// finished PDFs and temporary files alike, for a link to a file outside, and plants links
// under the names the next prints will want. However the race goes, the file outside never
// changes: the service writes only through the descriptor it created and never reopens a
// name.
void TestServizioStampaQt::corsaAiLink() {
    const QString documenti = casa_ + QStringLiteral("/Documents");
    const QString bersaglio = casa_ + QStringLiteral("/fuori/bersaglio.pdf");
    QVERIFY(QDir().mkpath(documenti) && QDir().mkpath(casa_ + "/fuori"));
    const auto ripristina = [&] {
        QFile file(bersaglio);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write("segreto") == 7;
    };
    QVERIFY(ripristina());
    const QByteArray improntaFuori = Impronta(bersaglio);

    const QByteArray cartella = QFile::encodeName(documenti); // outlive the thread
    const QByteArray fuori = QFile::encodeName(bersaglio);
    struct Avversario {
        std::atomic<bool> fine = false;
        std::atomic<int> scambi = 0;
        std::thread filo;
        ~Avversario() { // however the test ends, the thread stops first
            fine = true;
            if (filo.joinable()) filo.join();
        }
    } avversario;
    // As fast as it can: every regular file in the folder becomes a link to the file outside
    // (a PDF reserved empty and then reopened by name wrote through such a link).
    avversario.filo = std::thread([&] {
        while (!avversario.fine) {
            DIR* d = ::opendir(cartella.constData());
            while (const dirent* voce = d ? ::readdir(d) : nullptr) {
                const QByteArray nome = cartella + '/' + voce->d_name;
                struct stat info {};
                if (::lstat(nome.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
                    ::unlink(nome.constData()) == 0 &&
                    ::symlink(fuori.constData(), nome.constData()) == 0)
                    ++avversario.scambi;
            }
            if (d) ::closedir(d);
        }
    });

    constexpr int Stampe = 200;
    int salvate = 0, cambiati = 0;
    ServizioStampaQt servizio;
    for (int i = 0; i < Stampe; ++i) {
        // A temporary file swapped away before its rename is a failure, told as such.
        if (servizio.Stampa(PaginaProva(), "esercizi").tipo == EsitoStampa::Tipo::SalvatoPdf)
            ++salvate;
        if (Impronta(bersaglio) != improntaFuori) {
            ++cambiati;
            QVERIFY(ripristina());
        }
    }
    qInfo("stampe tentate %d, salvate %d, file scambiati con un link %d, file fuori cambiati %d",
          Stampe, salvate, int(avversario.scambi), cambiati);
    QVERIFY(avversario.scambi > 0); // the race was run
    QCOMPARE(cambiati, 0);
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
    QTest::newRow("cartella inesistente") << "manca/scheda.pdf" << int(T::ErrorePdf) << "";
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
        if (esito.tipo == EsitoStampa::Tipo::ErrorePdf)
            QCOMPARE(esito.percorso, QDir(casa_).filePath(risposta)); // named in the message
        else
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
