#include "ui/FrmAutore.h"
#include "ui/FrmIstruzioni.h"
#include "ui/StileTasti.h"

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
    void initTestCase() { QApplication::setStyle(new StileTasti); }
    void chiudiTermina_data();
    void chiudiTermina();
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
    // Flat like every key: one colour from its top to its bottom.
    const QImage tasto = chiudi->grab().toImage();
    QCOMPARE(tasto.pixelColor(6, 3), QColor(255, 192, 128));
    QCOMPARE(tasto.pixelColor(6, tasto.height() - 4), QColor(255, 192, 128));
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

QTEST_MAIN(TestFinestrePiccole)
#include "tst_FinestrePiccole.moc"
