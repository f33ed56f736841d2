#include "ui/Accessibilita.h"
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
    QTest::addColumn<QString>("come");  // "mouse", "Invio" or "Esc"
    QTest::addColumn<QString>("detto"); // what the window says as it opens
    const Fabbrica autore = [] { return new frmAutore; };
    const Fabbrica istruzioni = [] { return new frmIstruzioni; };
    const QString sito = "Sito dell'autore: www.decimetra.example.org. Email: "
                         "info@decimetra.example.org.";
    const QString mouse = "Il programma prevede l'utilizzo del mouse.";
    QTest::newRow("autore, mouse") << autore << "mouse" << sito;
    QTest::newRow("autore, Invio") << autore << "Invio" << sito;
    QTest::newRow("autore, Esc") << autore << "Esc" << sito;
    QTest::newRow("istruzioni, mouse") << istruzioni << "mouse" << mouse;
    QTest::newRow("istruzioni, Invio") << istruzioni << "Invio" << mouse;
    QTest::newRow("istruzioni, Esc") << istruzioni << "Esc" << mouse;
}

void TestFinestrePiccole::chiudiTermina() {
    QFETCH(Fabbrica, crea);
    QFETCH(QString, come);
    QFETCH(QString, detto);
    std::unique_ptr<QDialog> f(crea());
    QCOMPARE(accessibilita::TestoApertura(f.get()), detto);
    auto* chiudi = f->findChild<QPushButton*>("Command1");
    // Flat like every key: one colour from its top to its bottom.
    const QImage tasto = chiudi->grab().toImage();
    QCOMPARE(tasto.pixelColor(6, 3), QColor(255, 192, 128));
    QCOMPARE(tasto.pixelColor(6, tasto.height() - 4), QColor(255, 192, 128));
    // The window runs modally, as its callers show it; the button, or Esc, must end that run.
    QTimer::singleShot(0, f.get(), [&] {
        if (come == u"Invio")
            QTest::keyClick(f.get(), Qt::Key_Return);
        else if (come == u"Esc")
            QTest::keyClick(f.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(chiudi, Qt::LeftButton);
    });
    QTimer::singleShot(5000, f.get(), [&] { f->done(-1); }); // never hang the suite
    QCOMPARE(f->exec(), come == u"Esc" ? int(QDialog::Rejected) : int(QDialog::Accepted));
}

QTEST_MAIN(TestFinestrePiccole)
#include "tst_FinestrePiccole.moc"
