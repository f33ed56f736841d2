#include "ui/FrmAutore.h"
#include "ui/FrmIstruzioni.h"

#include <QLabel>
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
    void aspetto_data();
    void aspetto();
    void chiudiTermina_data();
    void chiudiTermina();
};

void TestFinestrePiccole::aspetto_data() {
    QTest::addColumn<Fabbrica>("crea");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QSize>("dimensione");
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QRect>("posto");
    QTest::addColumn<qreal>("punti");
    QTest::newRow("autore") << Fabbrica([] { return new frmAutore; }) << "Autore" << QSize(465, 293)
                            << "Label1"
                            << "Sito dell'autore:" << QRect(36, 31, 288, 29) << 18.0;
    QTest::newRow("istruzioni") << Fabbrica([] { return new frmIstruzioni; }) << "ISTRUZIONI"
                                << QSize(734, 452) << "Label5"
                                << "Il programma prevede l'utilizzo del mouse"
                                << QRect(12, 110, 633, 147) << 14.25;
}

void TestFinestrePiccole::aspetto() {
    QFETCH(Fabbrica, crea);
    QFETCH(QString, titolo);
    QFETCH(QSize, dimensione);
    QFETCH(QString, etichetta);
    QFETCH(QString, testo);
    QFETCH(QRect, posto);
    QFETCH(qreal, punti);
    std::unique_ptr<QDialog> f(crea());
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    QCOMPARE(f->windowTitle(), titolo);
    QVERIFY(f->isModal());
    QCOMPARE(f->size(), dimensione);
    QCOMPARE(f->palette().color(QPalette::Window), QColor(255, 224, 192));
    auto* l = f->findChild<QLabel*>(etichetta);
    QVERIFY(l);
    QCOMPARE(l->text(), testo);
    QCOMPARE(l->geometry(), posto);
    QCOMPARE(l->font().pointSizeF(), punti);
    auto* chiudi = f->findChild<QPushButton*>("Command1");
    QCOMPARE(chiudi->text(), QStringLiteral("C h i u d i"));
    QCOMPARE(chiudi->palette().color(QPalette::Button), QColor(255, 192, 128));
}

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

QTEST_MAIN(TestFinestrePiccole)
#include "tst_FinestrePiccole.moc"
