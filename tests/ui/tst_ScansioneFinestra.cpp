// Scanning in a window: nothing runs while it is off, the switch (space, Enter, a mouse
// button anywhere) picks what is highlighted and acts once while held, the highlight stops
// behind another window, each highlight is said, a message box is scanned, and the drill
// window starts again where the pupil goes next. (How late the highlight moves is measured
// under a real X server, in x/tst_ScansioneReale.)

#include "app/AvvisiQt.h"
#include "drill/FrmOperativo.h"
#include "start/Catalogo.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"
#include "support/VoceFinta.h"
#include "ui/GruppoTasti.h"
#include "ui/ScansioneFinestra.h"
#include "ui/StileTasti.h"
#include "ui/Tavolozza.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QColor Chiaro(255, 200, 255);
const QColor Scuro(255, 50, 255);

void Colori(Opzioni& o) {
    o.ColoreScansione = Rgb(255, 200, 255);
    o.ColoreScansioneScuro = QString::number(Rgb(255, 50, 255));
}

QWidget* DoveVannoITasti(QWidget* finestra) {
    QWidget* fuoco = QApplication::focusWidget();
    return fuoco && fuoco->window() == finestra ? fuoco : finestra;
}

// A window with two groups: keys "A" and "B" of a GruppoTasti, and a plain push button "C";
// a label beside them.
struct Banco {
    explicit Banco(bool acceso) {
        stato.Impostazioni.Scansione = acceso;
        stato.Impostazioni.PassoScansione = 10;
        Colori(stato.Impostazioni);
        finestra = std::make_unique<QWidget>();
        a = new QPushButton(QStringLiteral("A"), finestra.get());
        b = new QPushButton(QStringLiteral("B"), finestra.get());
        c = new QPushButton(QStringLiteral("C"), finestra.get());
        etichetta = new QLabel(QStringLiteral("testo"), finestra.get());
        a->setGeometry(10, 10, 60, 30);
        b->setGeometry(80, 10, 60, 30);
        c->setGeometry(10, 60, 60, 30);
        etichetta->setGeometry(10, 110, 200, 30);
        new GruppoTasti(
            {a, b}, [this](int i) { premuti.append(i); }, finestra.get());
        QObject::connect(c, &QPushButton::clicked, [this] { premuti.append(2); });
        scansione = new ScansioneFinestra(finestra.get(), stato);
        scansione->ImpostaOrologio([this] { return ora; });
        scansione->ImpostaElenco([this] {
            return QList<ScansioneFinestra::Gruppo>{{{a, b}, QStringLiteral("Lettere")}, {{c}, {}}};
        });
        finestra->resize(240, 160);
    }
    bool Mostra() {
        finestra->show();
        QApplication::setActiveWindow(finestra.get());
        return QTest::qWaitForWindowActive(finestra.get());
    }
    QTimer* Timer() const {
        return scansione->findChild<QTimer*>(QStringLiteral("timerScansione"));
    }
    // The shades of A, B and C: "-" none, "c" light, "s" dark.
    QString Tonalita() const {
        QString t;
        for (const QPushButton* k : {a, b, c}) {
            const QColor e = StileTasti::Evidenza(k);
            t += !e.isValid() ? u'-' : e == Chiaro ? u'c' : e == Scuro ? u's' : u'?';
        }
        return t;
    }
    void Spazio() { QTest::keyClick(DoveVannoITasti(finestra.get()), Qt::Key_Space); }

    StatoProgramma stato;
    std::unique_ptr<QWidget> finestra;
    QPushButton *a = nullptr, *b = nullptr, *c = nullptr;
    QLabel* etichetta = nullptr;
    ScansioneFinestra* scansione = nullptr;
    QList<int> premuti;
    std::int64_t ora = 0;
};

// Lets the highlight run under the test's clock until the switch can reach bersaglio, then
// presses the space bar: to enter its group, then to pick it. False when it never came.
bool Scegli(ScansioneFinestra* s, QWidget* finestra, QAbstractButton* bersaglio,
            std::int64_t& ora) {
    for (int passi = 0; passi < 80; ++passi) {
        const bool scuro = s->TastoEvidenziato() == bersaglio;
        const bool gruppo = StileTasti::Evidenza(bersaglio).isValid() && !s->TastoEvidenziato();
        if (scuro || gruppo) {
            ora += 400;
            QTest::keyClick(DoveVannoITasti(finestra), Qt::Key_Space);
            if (scuro) return true;
            continue;
        }
        ora = s->Regole().Scadenza();
        s->Scatta();
    }
    return false;
}

} // namespace

class TestScansioneFinestra : public QObject {
    Q_OBJECT

private slots:
    void spentaNonCambiaNulla();
    void interruttore_data();
    void interruttore();
    void fermaDietroUnAltraFinestra();
    void ogniEvidenzaDetta();
    void messaggioChiusoDallInterruttore();
    void operativoRipartiDoveVaLAlunno();
};

void TestScansioneFinestra::spentaNonCambiaNulla() {
    Banco banco(false);
    QVERIFY(banco.Mostra());
    QVERIFY(!banco.Timer()->isActive());
    QCOMPARE(banco.Tonalita(), QStringLiteral("---"));
    // The space bar walks the group as ever, a click clicks.
    banco.a->setFocus();
    banco.Spazio();
    QCOMPARE(QApplication::focusWidget(), banco.b);
    QTest::mouseClick(banco.c, Qt::LeftButton);
    QCOMPARE(banco.premuti, QList<int>{2});

    // Switched on from the options: it runs at once, from the group of the key with the
    // focus; off again, nothing is left.
    Opzioni accese = banco.stato.Impostazioni;
    accese.Scansione = true;
    emit banco.stato.Segnali->OpzioniCambiate(accese);
    QVERIFY(banco.scansione->Attiva());
    QVERIFY(banco.Timer()->isActive());
    QCOMPARE(banco.Tonalita(), QStringLiteral("--s"));
    emit banco.stato.Segnali->OpzioniCambiate(banco.stato.Impostazioni);
    QVERIFY(!banco.Timer()->isActive());
    QCOMPARE(banco.Tonalita(), QStringLiteral("---"));
    banco.a->setFocus();
    banco.Spazio();
    QCOMPARE(QApplication::focusWidget(), banco.b);
}

void TestScansioneFinestra::interruttore_data() {
    QTest::addColumn<QString>("comando");
    QTest::newRow("space bar") << "spazio";
    QTest::newRow("Enter") << "invio";
    QTest::newRow("keypad Enter") << "invioNumerico";
    QTest::newRow("left button on a key of another group") << "sinistro";
    QTest::newRow("right button on a label") << "destro";
}

void TestScansioneFinestra::interruttore() {
    QFETCH(QString, comando);
    Banco banco(true);
    QVERIFY(banco.Mostra());
    const auto premi = [&] {
        QWidget* dove = DoveVannoITasti(banco.finestra.get());
        if (comando == "spazio") QTest::keyClick(dove, Qt::Key_Space);
        if (comando == "invio") QTest::keyClick(dove, Qt::Key_Return);
        if (comando == "invioNumerico") QTest::keyClick(dove, Qt::Key_Enter, Qt::KeypadModifier);
        // Through the window, as the window system delivers a click.
        const auto clic = [&](QWidget* su, Qt::MouseButton tasto) {
            QTest::mouseClick(banco.finestra->windowHandle(), tasto, {},
                              su->mapTo(banco.finestra.get(), su->rect().center()));
        };
        if (comando == "sinistro") clic(banco.c, Qt::LeftButton);
        if (comando == "destro") clic(banco.etichetta, Qt::RightButton);
    };
    banco.a->setFocus();
    QCOMPARE(banco.Tonalita(), QStringLiteral("cc-"));
    banco.ora = 200;
    premi(); // too soon after the highlight came
    QCOMPARE(banco.Tonalita(), QStringLiteral("cc-"));
    banco.ora = 400;
    premi(); // into the group
    QCOMPARE(banco.Tonalita(), QStringLiteral("sc-"));
    banco.ora = 800;
    premi(); // picks "A"
    QCOMPARE(banco.premuti, QList<int>{0});
    QVERIFY(banco.Timer()->isActive());
    // On again from the key with the focus, inside its group.
    QCOMPARE(banco.Tonalita(), QStringLiteral("sc-"));

    // A held key acts once: its repeats do nothing, its release frees it.
    if (comando == "spazio") {
        QWidget* dove = DoveVannoITasti(banco.finestra.get());
        banco.ora = 1400;
        QTest::keyPress(dove, Qt::Key_Space);
        QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(), true);
        banco.ora = 1800;
        QApplication::sendEvent(dove, &ripetuto);
        banco.ora = 2200;
        QApplication::sendEvent(dove, &ripetuto);
        QTest::keyRelease(dove, Qt::Key_Space);
        QCOMPARE(banco.premuti, (QList<int>{0, 0}));
    }
    // The plain push button of the other group, reached after two rounds of the first and
    // picked alone: clicked.
    for (int passo = 0; passo < 8 && banco.Tonalita() != QStringLiteral("--s"); ++passo) {
        banco.ora = banco.scansione->Regole().Scadenza();
        banco.scansione->Scatta();
    }
    QCOMPARE(banco.Tonalita(), QStringLiteral("--s"));
    banco.ora += 400;
    premi();
    QCOMPARE(banco.premuti.last(), 2);
}

void TestScansioneFinestra::fermaDietroUnAltraFinestra() {
    Banco banco(true);
    QVERIFY(banco.Mostra());
    QVERIFY(banco.Timer()->isActive());
    QWidget altra;
    altra.resize(100, 100);
    altra.show();
    QApplication::setActiveWindow(&altra);
    QVERIFY(QTest::qWaitForWindowActive(&altra));
    QVERIFY(!banco.scansione->Attiva());
    QVERIFY(!banco.Timer()->isActive());
    QCOMPARE(banco.Tonalita(), QStringLiteral("---"));
    // A key pressed in the other window is no switch of this one.
    banco.ora = 1000;
    QTest::keyClick(&altra, Qt::Key_Space);
    QVERIFY(banco.premuti.isEmpty());

    QApplication::setActiveWindow(banco.finestra.get());
    QVERIFY(QTest::qWaitForWindowActive(banco.finestra.get()));
    QVERIFY(banco.Timer()->isActive());
    QCOMPARE(banco.Tonalita(), QStringLiteral("cc-"));
    QCOMPARE(banco.scansione->Regole().Scadenza(), banco.ora + 1000);

    // Switched off on the options screen meanwhile, not yet stored: off when it is back.
    QApplication::setActiveWindow(&altra);
    QTRY_VERIFY(altra.isActiveWindow());
    QVERIFY(!banco.scansione->Attiva());
    banco.stato.Impostazioni.Scansione = false;
    QApplication::setActiveWindow(banco.finestra.get());
    QTRY_VERIFY(banco.finestra->isActiveWindow());
    QVERIFY(!banco.scansione->Attiva());
    QVERIFY(!banco.Timer()->isActive());
}

void TestScansioneFinestra::ogniEvidenzaDetta() {
    Banco banco(true);
    VoceFinta voce;
    banco.scansione->ImpostaVoce(&voce);
    banco.b->setAccessibleName(QStringLiteral("bi"));
    QVERIFY(banco.Mostra());
    banco.ora = 1000;
    banco.scansione->Scatta();
    banco.ora = 2000;
    banco.scansione->Scatta();
    banco.ora = 2400;
    banco.Spazio();
    banco.ora = 3400;
    banco.scansione->Scatta();
    // A group by its name, a key by its caption or its accessible name.
    QCOMPARE(voce.detti, (QStringList{"Lettere", "C", "Lettere", "A", "bi"}));
}

void TestScansioneFinestra::messaggioChiusoDallInterruttore() {
    // A message box of the program, scanned as the program prepares it: its one key
    // highlighted dark, a click on its text (which does nothing without scanning) closes it.
    StatoProgramma stato;
    stato.Impostazioni.Scansione = true;
    Colori(stato.Impostazioni);
    AvvisiQt avvisi;
    QPointer<QMessageBox> aperto;
    QColor evidenza;
    bool chiusoAMano = false;
    avvisi.ImpostaPreparazione([&](QMessageBox& messaggio) {
        aperto = &messaggio;
        new ScansioneFinestra(&messaggio, stato);
        QTimer::singleShot(900, &messaggio, [&] {
            if (QAbstractButton* ok = aperto->button(QMessageBox::Ok))
                evidenza = StileTasti::Evidenza(ok);
            const auto* testo = aperto->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            QTest::mouseClick(aperto->windowHandle(), Qt::LeftButton, {},
                              testo->mapTo(aperto.data(), testo->rect().center()));
        });
        QTimer::singleShot(20000, &messaggio, [&] {
            chiusoAMano = true;
            aperto->reject();
        });
    });
    avvisi.Errore(QStringLiteral("Prova"), QStringLiteral("Un messaggio"));
    QVERIFY(!chiusoAMano);
    QCOMPARE(evidenza, Scuro);
}

void TestScansioneFinestra::operativoRipartiDoveVaLAlunno() {
    StatoProgramma stato;
    stato.Livello = 4;
    SceltaSimboli(stato);
    ScegliTipo(stato, 0);
    ScegliOrdine(stato, 0);
    stato.Impostazioni.Scansione = true;
    Colori(stato.Impostazioni);
    FonteCasualeFinta fonte;
    OrologioFinto orologio;
    SuonoFinto suono;
    FrmOperativo w(stato, fonte, orologio, suono, nullptr);
    w.serie().ImpostaGeneratore(GeneratoreFinto({{"1", "  m ", " dm ", "10"}}));
    std::int64_t ora = 0;
    w.Scansione()->ImpostaOrologio([&ora] { return ora; });
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const auto tasto = [&w](const char* nome) {
        return w.findChild<QPushButton*>(QLatin1String(nome));
    };
    ScansioneFinestra* s = w.Scansione();

    // A new problem: the keypad's first row, as a group.
    QCOMPARE(StileTasti::Evidenza(tasto("Option2_7")), Chiaro);
    QVERIFY(!s->TastoEvidenziato());
    // A digit: the first row again. A wrong reply checked: the help question's keys.
    QVERIFY(Scegli(s, &w, tasto("Option2_1"), ora));
    QCOMPARE(w.serie().Testi().LblRisultato, QStringLiteral("1"));
    QCOMPARE(StileTasti::Evidenza(tasto("Option2_7")), Chiaro);
    QVERIFY(!s->TastoEvidenziato());
    QVERIFY(Scegli(s, &w, tasto("Option2_12"), ora));
    QCOMPARE(w.serie().PannelloAttivo(), Pannello::Aiuto);
    QVERIFY(s->TastoEvidenziato() == tasto("Option3_0") ||
            s->TastoEvidenziato() == tasto("Option3_1"));
    // "NO", then the right reply: "Avanti" is next.
    QVERIFY(Scegli(s, &w, tasto("Option3_0"), ora));
    for (const char* nome : {"Option2_1", "Option2_0", "Option2_12"})
        QVERIFY2(Scegli(s, &w, tasto(nome), ora), nome);
    QCOMPARE(w.serie().Testi().LblEsito, QStringLiteral("Esatto"));
    QCOMPARE(s->TastoEvidenziato(), tasto("Option2_13"));
    QVERIFY(Scegli(s, &w, tasto("Option2_13"), ora));
    QCOMPARE(stato.Registro.IndiceEsercizio(), 2);
    QCOMPARE(StileTasti::Evidenza(tasto("Option2_7")), Chiaro);
}

QTEST_MAIN(TestScansioneFinestra)
#include "tst_ScansioneFinestra.moc"
