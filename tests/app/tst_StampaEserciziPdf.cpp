// "STAMPA" of the printout window with the real printer service on a machine with no
// printer (the print system is pointed at a socket that does not exist): the record goes to
// a PDF in the documents folder, its lines stand in one column, and a second print never
// overwrites the first.

#include "app/ServizioStampaQt.h"
#include "results/FrmStampaEsercizioTre.h"
#include "support/AvvisiFinti.h"
#include "support/DoppiSerie.h"
#include "support/LeggiPdf.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestStampaEserciziPdf : public QObject {
    Q_OBJECT
private slots:
    void senzaStampante();
};

void TestStampaEserciziPdf::senzaStampante() {
    if (!StrumentiPdf()) QSKIP("servono pdftotext e pdffonts (poppler-utils)");
    QTemporaryDir casa;
    QVERIFY(casa.isValid());
    qputenv("HOME", casa.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (casa.path() + "/.config").toLocal8Bit());

    ServizioStampaQt servizio;
    if (servizio.CercaCourier().isEmpty()) QSKIP("nessun font Courier o sostituto a passo fisso");
    AvvisiFinti avvisi;
    StatoProgramma stato;
    // Every line starts with "nK" and holds the reply "fineK", right-aligned at one column.
    SerieDiProva(
        stato, 20, [](int k) { return QStringLiteral("n%1").arg(k, 2, 10, QLatin1Char('0')); },
        [](int k) { return QStringLiteral("fine%1").arg(k, 2, 10, QLatin1Char('0')); });

    FrmStampaEsercizioTre w(stato, servizio, avvisi);
    w.show();
    auto* stampa = w.findChild<QPushButton*>(QStringLiteral("Command1_1"));
    QTest::mouseClick(stampa, Qt::LeftButton);
    QTest::mouseClick(stampa, Qt::LeftButton);

    QVERIFY(avvisi.errori.isEmpty());
    QCOMPARE(avvisi.notizie.size(), 2);
    const QDir documenti(casa.filePath(QStringLiteral("Documents")));
    const QStringList pdf = documenti.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QCOMPARE(pdf.size(), 2);
    for (const QString& nome : pdf) {
        const QString file = documenti.filePath(nome);
        // The user was told where each one went.
        bool detto = false;
        for (const auto& [titolo, testo] : std::as_const(avvisi.notizie))
            detto = detto || testo.endsWith(QDir::toNativeSeparators(file));
        QVERIFY2(detto, qPrintable(file));

        const QString testo = TestoPdf(file);
        QVERIFY(testo.contains(QStringLiteral("SCUOLA ELEMENTARE DI")));
        const QList<ParolaPdf> parole = ParolePdf(file);
        const ParolaPdf* prima = TrovaParola(parole, QStringLiteral("n01"));
        const ParolaPdf* primaFine = TrovaParola(parole, QStringLiteral("fine01"));
        QVERIFY(prima && primaFine);
        double yPrima = 0;
        for (int k = 1; k <= 20; ++k) {
            const QString n = QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
            const ParolaPdf* inizio = TrovaParola(parole, QStringLiteral("n") + n);
            const ParolaPdf* fine = TrovaParola(parole, QStringLiteral("fine") + n);
            QVERIFY2(inizio && fine, qPrintable(n));
            // One column: every line starts at the same x, and its last word too.
            QVERIFY(qAbs(inizio->xMin - prima->xMin) < 0.5);
            QVERIFY(qAbs(fine->xMin - primaFine->xMin) < 0.5);
            QVERIFY(inizio->yMin > yPrima); // top to bottom in order
            yPrima = inizio->yMin;
        }
    }
}

int main(int argc, char* argv[]) {
    // Read by the print system at its first use: no printer can be found.
    qputenv("CUPS_SERVER", "/nonexistent/decimetra-cups.sock");
    QApplication app(argc, argv);
    TestStampaEserciziPdf prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "tst_StampaEserciziPdf.moc"
