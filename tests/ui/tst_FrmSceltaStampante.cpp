// The printer choice window with a fake printer list: what it shows, what a choice in its
// list does, and how it comes back after "C H I U D I" (hidden, same state) or after the
// close box (unloaded, loaded afresh).

#include "support/StampaFinta.h"
#include "ui/StileTasti.h"
#include "worksheets/FrmSceltaStampante.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

struct Banco {
    StampaFinta servizio;
    QPointer<frmSceltaStampante> w;

    Banco() {
        servizio.stampanti = {"Ufficio", "Aula 2", "Laser"};
        servizio.corrente = "Aula 2";
    }
    ~Banco() { delete w; }

    void Apri() {
        w = frmSceltaStampante::Carica(servizio);
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    QComboBox* Combo() const { return w->findChild<QComboBox*>(QStringLiteral("Combo1")); }
    QString Testo(const char* nome) const {
        return w->findChild<QLabel*>(QLatin1String(nome))->text();
    }
    // A choice in the list, as the keyboard makes it.
    void Giu() { QTest::keyClick(Combo(), Qt::Key_Down); }
};

} // namespace

class TestFrmSceltaStampante : public QObject {
    Q_OBJECT
private slots:
    void init() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void apertaEChiusa();
    void chiudiEChiusura();
    void sceltaPdf();
    void senzaStampanti();
};

void TestFrmSceltaStampante::apertaEChiusa() {
    Banco b;
    b.Apri();
    QCOMPARE(b.w->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(b.w->accessibleName(), QStringLiteral("Scelta della stampante"));
    QStringList voci;
    for (int i = 0; i < b.Combo()->count(); ++i)
        voci << b.Combo()->itemText(i);
    QCOMPARE(voci, (QStringList{"Ufficio", "Aula 2", "Laser", "File PDF"}));
    QCOMPARE(b.Combo()->currentIndex(), 1); // the printer in force
    QCOMPARE(b.Testo("Label1"), QStringLiteral("La stampante predefinita è \nAula 2"));
    QCOMPARE(b.Testo("Label2"), QString());
    QVERIFY(StileTasti::Segnato(b.w->findChild<QPushButton*>(QStringLiteral("Command2")))); // flat
    b.w->close(); // the close box
    QTRY_VERIFY(!b.w);
    QCOMPARE(b.servizio.corrente, QStringLiteral("Aula 2"));
    QCOMPARE(b.servizio.scelte, 0);
    QVERIFY(!b.servizio.pdf);
}

void TestFrmSceltaStampante::chiudiEChiusura() {
    Banco b;
    b.Apri();
    b.Giu(); // "Laser": the next print goes there
    QCOMPARE(b.servizio.corrente, QStringLiteral("Laser"));
    QCOMPARE(b.servizio.scelte, 1);
    QCOMPARE(b.Testo("Label2"), QStringLiteral("La stampante scelta è \nLaser"));

    // "C H I U D I" hides: the next opening finds the same window, list and labels, and a
    // selection takes effect at once.
    QTest::mouseClick(b.w->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(b.w && !b.w->isVisible());
    frmSceltaStampante* prima = b.w;
    b.Apri();
    QCOMPARE(b.w.data(), prima);
    QCOMPARE(b.Combo()->currentIndex(), 2);
    QCOMPARE(b.Testo("Label1"), QStringLiteral("La stampante predefinita è \nAula 2"));
    QCOMPARE(b.Testo("Label2"), QStringLiteral("La stampante scelta è \nLaser"));
    QTest::keyClick(b.Combo(), Qt::Key_Up);
    QCOMPARE(b.servizio.corrente, QStringLiteral("Aula 2"));

    // The close box unloads: loaded afresh, naming the printer now current, and its first
    // selection is swallowed again.
    b.w->close();
    QTRY_VERIFY(!frmSceltaStampante::Caricata());
    const int scelte = b.servizio.scelte;
    b.Apri();
    QVERIFY(b.w->Scelta().PrimoClic());
    QCOMPARE(b.Combo()->currentIndex(), 1);
    QCOMPARE(b.Testo("Label1"), QStringLiteral("La stampante predefinita è \nAula 2"));
    QCOMPARE(b.Testo("Label2"), QString());
    QCOMPARE(b.servizio.scelte, scelte);
    QCOMPARE(b.servizio.corrente, QStringLiteral("Aula 2"));
}

void TestFrmSceltaStampante::sceltaPdf() {
    Banco b;
    b.Apri();
    for (int i = 0; i < 2; ++i)
        b.Giu();
    QCOMPARE(b.Combo()->currentText(), QStringLiteral("File PDF"));
    QVERIFY(b.servizio.pdf);
    const QString pdf = b.Testo("Label2");
    QVERIFY(pdf.contains(QStringLiteral("file PDF")));
    // Loaded afresh, the window opens on the choice in force, and says it.
    b.w->close();
    QTRY_VERIFY(!frmSceltaStampante::Caricata());
    b.Apri();
    QCOMPARE(b.Combo()->currentText(), QStringLiteral("File PDF"));
    QCOMPARE(b.Testo("Label2"), pdf);
    QVERIFY(b.servizio.pdf);
}

void TestFrmSceltaStampante::senzaStampanti() {
    Banco b;
    b.servizio.stampanti.clear();
    b.servizio.corrente.clear();
    b.Apri();
    QCOMPARE(b.Combo()->count(), 0);
    QCOMPARE(b.Combo()->currentIndex(), -1);
    b.Giu();
    QCOMPARE(b.servizio.scelte, 0);
    QVERIFY(!b.servizio.pdf);
    QCOMPARE(b.Testo("Label2"), QString());
}

QTEST_MAIN(TestFrmSceltaStampante)
#include "tst_FrmSceltaStampante.moc"
