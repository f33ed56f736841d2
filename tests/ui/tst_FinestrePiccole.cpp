#include "support/StampaFinta.h"
#include "ui/FrmAutore.h"
#include "ui/FrmIstruzioni.h"
#include "ui/StileTasti.h"
#include "worksheets/FrmSceltaStampante.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using Fabbrica = std::function<QDialog*()>;
Q_DECLARE_METATYPE(Fabbrica)

class TestFinestrePiccole : public QObject {
    Q_OBJECT
private slots:
    void chiudiTermina_data();
    void chiudiTermina();
    void chiudiPiatto_data();
    void chiudiPiatto();
};

void TestFinestrePiccole::chiudiTermina_data() {
    QTest::addColumn<Fabbrica>("crea");
    QTest::addColumn<bool>("conInvio");
    QTest::newRow("autore, mouse") << Fabbrica([] { return new frmAutore; }) << false;
    QTest::newRow("autore, Invio") << Fabbrica([] { return new frmAutore; }) << true;
    QTest::newRow("istruzioni, mouse") << Fabbrica([] { return new frmIstruzioni; }) << false;
    QTest::newRow("istruzioni, Invio") << Fabbrica([] { return new frmIstruzioni; }) << true;
}

void TestFinestrePiccole::chiudiTermina() {
    QFETCH(Fabbrica, crea);
    QFETCH(bool, conInvio);
    std::unique_ptr<QDialog> f(crea());
    auto* chiudi = f->findChild<QPushButton*>("Command1");
    // The window runs modally, as its callers show it; the button must end that run.
    QTimer::singleShot(0, f.get(), [&] {
        if (conInvio)
            QTest::keyClick(f.get(), Qt::Key_Return);
        else
            QTest::mouseClick(chiudi, Qt::LeftButton);
    });
    QTimer::singleShot(5000, f.get(), [&] { f->done(-1); }); // never hang the suite
    QCOMPARE(f->exec(), int(QDialog::Accepted));
}

void TestFinestrePiccole::chiudiPiatto_data() {
    QTest::addColumn<Fabbrica>("crea");
    QTest::addColumn<QString>("nome");
    QTest::newRow("autore") << Fabbrica([] { return new frmAutore; }) << "Command1";
    QTest::newRow("istruzioni") << Fabbrica([] { return new frmIstruzioni; }) << "Command1";
    QTest::newRow("scelta della stampante") << Fabbrica([] {
        static StampaFinta servizio;
        return frmSceltaStampante::Carica(servizio);
    }) << "Command2";
}

// The closing key is flat like every key: one colour, RGB(255, 192, 128), from its top to its
// bottom (a gradient would shade one end).
void TestFinestrePiccole::chiudiPiatto() {
    QFETCH(Fabbrica, crea);
    QFETCH(QString, nome);
    QApplication::setStyle(new StileTasti);
    std::unique_ptr<QDialog> f(crea());
    auto* chiudi = f->findChild<QPushButton*>(nome);
    QVERIFY(StileTasti::Segnato(chiudi));
    const QImage immagine = chiudi->grab().toImage();
    const QColor atteso(255, 192, 128);
    for (const QPoint p : {QPoint(6, 3), QPoint(6, immagine.height() - 4),
                           QPoint(immagine.width() - 7, immagine.height() / 2)})
        QCOMPARE(immagine.pixelColor(p), atteso);
}

QTEST_MAIN(TestFinestrePiccole)
#include "tst_FinestrePiccole.moc"
