// A worksheet printed from the screen through the real printer service on a machine with no
// printer (the print system is pointed at a socket that does not exist): the PDF written to
// the documents folder, read back, holds every line of the preview at its place, and the
// lines of a sheet end in one column inside the page.

#include "app/FonteCasualeSistema.h"
#include "app/ServizioStampaQt.h"
#include "worksheets/FrmStampaSchedeTreRidotto.h"

#include "start/Catalogo.h"
#include "support/AvvisiFinti.h"
#include "support/LeggiPdf.h"
#include "ui/StileTasti.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

class TestSchedaPdf : public QObject {
    Q_OBJECT

private slots:
    void stampa_data();
    void stampa();

private:
    QTemporaryDir casa_;
};

void TestSchedaPdf::stampa_data() {
    QTest::addColumn<QString>("anteprima");
    QTest::addColumn<QString>("stampa");
    QTest::addColumn<double>("punti");
    QTest::addColumn<int>("caratteri"); // length of a find-the-number line

    QTest::newRow("alunni") << "CmdVisualizzaSchedaAlunni"
                            << "CmdStampaSchedaAlunni" << 14.0 << 59;
    QTest::newRow("docenti") << "CmdVisualizzaSchedaDocenti"
                             << "CmdStampaSchedaDocenti" << 12.0 << 74;
}

void TestSchedaPdf::stampa() {
    QFETCH(QString, anteprima);
    QFETCH(QString, stampa);
    QFETCH(double, punti);
    QFETCH(int, caratteri);
    if (!StrumentiPdf()) QSKIP("poppler-utils non installato");

    // A fresh documents folder for each sheet.
    const QString casa = casa_.filePath(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(casa));
    qputenv("HOME", casa.toLocal8Bit());
    const QString documenti = QDir(casa).filePath(QStringLiteral("Documents"));

    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    stato.Livello = 4;
    SceltaSimboli(stato);
    ServizioStampaQt servizio;
    AvvisiFinti avvisi;
    FonteCasualeSistema fonte;
    FrmStampaSchedeTreRidotto finestra(stato, servizio, avvisi, fonte);
    finestra.show();
    finestra.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&finestra));
    const auto clic = [&](const QString& nome) {
        auto* w = finestra.findChild<QWidget*>(nome);
        QVERIFY2(w && w->isVisible(), qPrintable(nome));
        QTest::mouseClick(finestra.windowHandle(), Qt::LeftButton, {},
                          w->mapTo(&finestra, w->rect().center()));
    };
    // Find the number, smallest symbol first: every line has the same length.
    clic(QStringLiteral("Option1(0)"));
    clic(QStringLiteral("Option2(1)"));
    clic(anteprima);
    clic(stampa);

    QCOMPARE(avvisi.errori.size(), 0);
    const QStringList pdf = QDir(documenti).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QCOMPARE(pdf.size(), 1);
    const QString file = QDir(documenti).filePath(pdf.first());

    // Positions in points: 10 pt margins, then x, y twips at x/20, y/20; y is the top of the
    // text. A line's words lie at its y and read as the preview's line.
    const QList<ParolaPdf> parole = ParolePdf(file);
    const auto paroleA = [&](double y) {
        QList<ParolaPdf> riga;
        for (const ParolaPdf& p : parole)
            if (qAbs(p.yMin - (10 + y / 20)) < 1.5) riga << p;
        return riga;
    };
    const ParolaPdf* nome = TrovaParola(parole, QStringLiteral("Nome"));
    QVERIFY(nome && qAbs(nome->xMin - 60) < 1 && qAbs(nome->yMin - 60) < 1.5);

    const Scheda& scheda = finestra.SchedaCorrente();
    const double carattere = 0.6 * punti; // width of a character of Courier New's metric twin
    static const QRegularExpression nonBianco(QStringLiteral("\\S"));
    QSet<int> fini; // column after the last character of each line
    for (int i = 1; i <= RigheScheda; ++i) {
        const QString attesa = scheda.RigaStampa[i];
        QCOMPARE(attesa.size(), caratteri);
        const QList<ParolaPdf> riga = paroleA(YRigaScheda(i));
        QStringList testi;
        for (const ParolaPdf& p : riga)
            testi << p.testo;
        QCOMPARE(testi.join(' '), attesa.simplified());
        // Column c of a line starts at 35 + c * carattere points.
        const int primo = static_cast<int>(attesa.indexOf(nonBianco));
        const int fine = static_cast<int>(attesa.lastIndexOf(nonBianco)) + 1;
        QVERIFY2(qAbs(riga.first().xMin - (35 + primo * carattere)) < 1.5,
                 qPrintable(QStringLiteral("riga %1: %2").arg(i).arg(riga.first().xMin)));
        QVERIFY2(qAbs(riga.last().xMax - (35 + fine * carattere)) < 1.5,
                 qPrintable(QStringLiteral("riga %1: %2").arg(i).arg(riga.last().xMax)));
        QVERIFY(riga.last().xMax < 585); // inside an A4 page and its margin
        fini.insert(fine);
    }
    // The answers (or the symbols beside the blank to fill) end in one column.
    QCOMPARE(fini.size(), 1);
}

int main(int argc, char* argv[]) {
    // Read by the print system at its first use: no printer can be found.
    qputenv("CUPS_SERVER", "/nonexistent/decimetra-cups.sock");
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    TestSchedaPdf prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "tst_SchedaPdf.moc"
