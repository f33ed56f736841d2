#include "ui/GruppoTasti.h"
#include "ui/StileTasti.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <memory>

namespace {

// A window that records the keys reaching it past its buttons.
class Finestra : public QWidget {
public:
    QList<int> tastiArrivati;

protected:
    void keyPressEvent(QKeyEvent* e) override { tastiArrivati.append(e->key()); }
};

struct Banco {
    std::unique_ptr<Finestra> finestra = std::make_unique<Finestra>();
    QList<QPushButton*> tasti;
    QPushButton* fuori = nullptr; // a button outside the group, next in the tab order
    QList<int> premuti;
    std::function<void(int)> ancheAzione; // run by the action after recording the index
    GruppoTasti* gruppo = nullptr;

    explicit Banco(int n = 4) {
        for (int i = 0; i < n; ++i) {
            auto* b = new QPushButton(QString::number(i), finestra.get());
            b->setGeometry(10 + 60 * i, 10, 50, 30);
            tasti.append(b);
        }
        fuori = new QPushButton("fuori", finestra.get());
        fuori->setGeometry(10, 60, 80, 30);
        gruppo = new GruppoTasti(
            tasti,
            [this](int i) {
                premuti.append(i);
                if (ancheAzione) ancheAzione(i);
            },
            finestra.get());
        finestra->resize(300, 120);
        finestra->show();
        finestra->activateWindow();
    }
    bool Attiva() { return QTest::qWaitForWindowActive(finestra.get()); }
};

void TastoRipetuto(QWidget* w, int codice, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, codice, mod, QString(), true);
    QApplication::sendEvent(w, &e);
}

QColor ColoreTasto(const QPushButton* b) {
    return b->palette().color(QPalette::Button);
}

// WCAG contrast ratio of two colours, from their relative luminance.
double Contrasto(const QColor& a, const QColor& b) {
    const auto luminanza = [](const QColor& c) {
        const auto lin = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
    };
    const double la = luminanza(a), lb = luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// States of a key for the painting table.
enum class Stato { Riposo, Fuoco, Premuto, PremutoConFuoco, Disabilitato, ColoriPropri };

} // namespace

class TestGruppoTasti : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(new StileTasti); }
    void tastoTenutoAgisceUnaVolta_data();
    void tastoTenutoAgisceUnaVolta();
    void spazioAvanzaSaltandoDisabilitati_data();
    void spazioAvanzaSaltandoDisabilitati();
    void invioPremeTastoConFuoco_data();
    void invioPremeTastoConFuoco();
    void mouseAgisceSullaPressione();
    void tastoMaiPremuto();
    void coloriDelFuoco();
    void coloriDipinti_data();
    void coloriDipinti();
    void cifre_data();
    void cifre();
    void tabPassa();
    void tastoExtra_data();
    void tastoExtra();
    void azioneCheDistruggeLaFinestra_data();
    void azioneCheDistruggeLaFinestra();
};

void TestGruppoTasti::tastoTenutoAgisceUnaVolta_data() {
    QTest::addColumn<int>("codice");
    QTest::addColumn<int>("modificatori");
    QTest::addColumn<bool>("cifraPreme");
    QTest::addColumn<QList<int>>("premutiAttesi");
    QTest::addColumn<int>("fuocoAtteso");
    // How the system repeats the held key: presses marked as repeats, or (X) release and
    // press pairs sharing one timestamp that Qt does not always mark.
    QTest::addColumn<bool>("coppie");
    for (bool coppie : {false, true}) {
        const char* modo = coppie ? "pairs" : "marked";
        QTest::addRow("Return, %s", modo)
            << int(Qt::Key_Return) << 0 << false << QList<int>{1} << 1 << coppie;
        QTest::addRow("keypad Enter, %s", modo) << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                                << false << QList<int>{1} << 1 << coppie;
        QTest::addRow("digit that presses, %s", modo)
            << int(Qt::Key_3) << 0 << true << QList<int>{2} << 2 << coppie;
        QTest::addRow("keypad digit that presses, %s", modo)
            << int(Qt::Key_3) << int(Qt::KeypadModifier) << true << QList<int>{2} << 2 << coppie;
        QTest::addRow("space bar: one step, %s", modo)
            << int(Qt::Key_Space) << 0 << false << QList<int>{} << 2 << coppie;
    }
}

void TestGruppoTasti::tastoTenutoAgisceUnaVolta() {
    QFETCH(int, codice);
    QFETCH(int, modificatori);
    QFETCH(bool, cifraPreme);
    QFETCH(QList<int>, premutiAttesi);
    QFETCH(int, fuocoAtteso);
    QFETCH(bool, coppie);
    Banco banco;
    QVERIFY(banco.Attiva());
    banco.gruppo->ImpostaCifre({{Qt::Key_1, 0}, {Qt::Key_2, 1}, {Qt::Key_3, 2}},
                               cifraPreme ? GruppoTasti::Cifra::Premi : GruppoTasti::Cifra::Fuoco);
    banco.tasti[1]->setFocus();
    const auto mod = Qt::KeyboardModifiers(modificatori);
    const auto evento = [&](QEvent::Type tipo, quint64 istante) {
        QKeyEvent e(tipo, codice, mod, 0, 0, 0, QString(), false, 1,
                    QInputDevice::primaryKeyboard());
        e.setTimestamp(istante);
        QApplication::sendEvent(QApplication::focusWidget(), &e);
    };
    // The key is held: the system repeats it to the focused key until it is released.
    quint64 istante = 1000;
    evento(QEvent::KeyPress, istante);
    for (int i = 0; i < 5; ++i) {
        istante += 33;
        if (coppie) {
            evento(QEvent::KeyRelease, istante);
            evento(QEvent::KeyPress, istante);
        } else {
            TastoRipetuto(QApplication::focusWidget(), codice, mod);
        }
    }
    evento(QEvent::KeyRelease, istante + 40);
    QCOMPARE(banco.premuti, premutiAttesi);
    QCOMPARE(QApplication::focusWidget(), banco.tasti[fuocoAtteso]);
    // The next press, after the release, acts again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(codice), mod);
    QCOMPARE(banco.premuti.size(), premutiAttesi.size() * 2);
}

void TestGruppoTasti::spazioAvanzaSaltandoDisabilitati_data() {
    QTest::addColumn<int>("da");
    QTest::addColumn<QList<int>>("disabilitati");
    QTest::addColumn<QList<int>>("fuochi"); // focus after each press of the space bar
    QTest::newRow("in fila") << 0 << QList<int>{} << QList<int>{1, 2, 3, 0};
    QTest::newRow("dall'ultimo al primo") << 3 << QList<int>{} << QList<int>{0};
    QTest::newRow("salta un disabilitato") << 0 << QList<int>{1} << QList<int>{2, 3, 0};
    QTest::newRow("salta il primo girando") << 2 << QList<int>{0} << QList<int>{3, 1, 2};
    QTest::newRow("salta gli ultimi due girando") << 1 << QList<int>{2, 3} << QList<int>{0, 1};
    QTest::newRow("unico abilitato: resta") << 2 << QList<int>{0, 1, 3} << QList<int>{2};
}

void TestGruppoTasti::spazioAvanzaSaltandoDisabilitati() {
    QFETCH(int, da);
    QFETCH(QList<int>, disabilitati);
    QFETCH(QList<int>, fuochi);
    Banco banco;
    QVERIFY(banco.Attiva());
    for (int i : disabilitati)
        banco.tasti[i]->setEnabled(false);
    banco.tasti[da]->setFocus();
    for (int atteso : fuochi) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), banco.tasti[atteso]);
    }
    QVERIFY(banco.premuti.isEmpty());
}

void TestGruppoTasti::invioPremeTastoConFuoco_data() {
    QTest::addColumn<int>("codice");
    QTest::addColumn<int>("modificatori");
    QTest::newRow("Return") << int(Qt::Key_Return) << 0;
    QTest::newRow("Enter del tastierino") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TestGruppoTasti::invioPremeTastoConFuoco() {
    QFETCH(int, codice);
    QFETCH(int, modificatori);
    Banco banco;
    QVERIFY(banco.Attiva());
    for (int i : {2, 0, 3}) {
        banco.tasti[i]->setFocus();
        QTest::keyClick(banco.tasti[i], Qt::Key(codice), Qt::KeyboardModifiers(modificatori));
    }
    QCOMPARE(banco.premuti, (QList<int>{2, 0, 3}));
}

void TestGruppoTasti::mouseAgisceSullaPressione() {
    Banco banco;
    QVERIFY(banco.Attiva());
    QTest::mousePress(banco.tasti[2], Qt::LeftButton);
    QCOMPARE(banco.premuti, QList<int>{2});
    QCOMPARE(QApplication::focusWidget(), banco.tasti[2]);
    QTest::mouseRelease(banco.tasti[2], Qt::LeftButton);
    QCOMPARE(banco.premuti, QList<int>{2});
    // Two quick clicks come as press, release, double click, release: the double click is
    // the second press, and acts.
    QTest::mouseClick(banco.tasti[1], Qt::LeftButton);
    QMouseEvent doppio(QEvent::MouseButtonDblClick, QPointF(5, 5),
                       banco.tasti[1]->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(banco.tasti[1], &doppio);
    QTest::mouseRelease(banco.tasti[1], Qt::LeftButton);
    QCOMPARE(banco.premuti, (QList<int>{2, 1, 1}));
    QTest::mouseClick(banco.tasti[0], Qt::RightButton);
    QCOMPARE(banco.premuti, (QList<int>{2, 1, 1}));
    // A disabled key, or one in a disabled panel, does nothing and takes no focus.
    banco.tasti[3]->setEnabled(false);
    QWidget* fuoco = QApplication::focusWidget();
    QTest::mouseClick(banco.tasti[3], Qt::LeftButton);
    QCOMPARE(banco.premuti, (QList<int>{2, 1, 1}));
    QCOMPARE(QApplication::focusWidget(), fuoco);
}

void TestGruppoTasti::tastoMaiPremuto() {
    Banco banco;
    QVERIFY(banco.Attiva());
    QSignalSpy cliccato(banco.tasti[1], &QAbstractButton::clicked);
    QSignalSpy abbassato(banco.tasti[1], &QAbstractButton::pressed);
    bool giuDuranteAzione = true;
    banco.ancheAzione = [&](int i) { giuDuranteAzione = banco.tasti[i]->isDown(); };
    // Shown down while the mouse button holds it (after the action), up at the release.
    QTest::mousePress(banco.tasti[1], Qt::LeftButton);
    QVERIFY(banco.tasti[1]->isDown());
    QVERIFY(!giuDuranteAzione);
    QTest::mouseRelease(banco.tasti[1], Qt::LeftButton);
    QVERIFY(!banco.tasti[1]->isDown());
    QTest::keyPress(banco.tasti[1], Qt::Key_Return);
    QVERIFY(!banco.tasti[1]->isDown());
    QTest::keyRelease(banco.tasti[1], Qt::Key_Return);
    // A button shown down by other code comes back up when it gains or loses the focus.
    banco.tasti[1]->setDown(true);
    banco.tasti[2]->setFocus();
    QVERIFY(!banco.tasti[1]->isDown());
    banco.tasti[1]->setDown(true);
    banco.tasti[1]->setFocus();
    QVERIFY(!banco.tasti[1]->isDown());
    // The push button's own click (space release, mouse release) never fires.
    QTest::keyClick(banco.tasti[1], Qt::Key_Space);
    QCOMPARE(cliccato.count(), 0);
    QCOMPARE(abbassato.count(), 0);
}

void TestGruppoTasti::coloriDelFuoco() {
    Banco banco;
    QVERIFY(banco.Attiva());
    const QColor fuoco(255, 192, 128), riposo(255, 224, 192);
    QCOMPARE(banco.gruppo->ColoreFuoco(), fuoco);
    QCOMPARE(banco.gruppo->ColoreRiposo(), riposo);
    for (int conFuoco : {0, 3, 1}) {
        banco.tasti[conFuoco]->setFocus();
        for (int i = 0; i < banco.tasti.size(); ++i)
            QCOMPARE(ColoreTasto(banco.tasti[i]), i == conFuoco ? fuoco : riposo);
    }
    banco.fuori->setFocus();
    for (QPushButton* b : banco.tasti)
        QCOMPARE(ColoreTasto(b), riposo);
    // A disabled key keeps the rest colour too.
    banco.tasti[2]->setEnabled(false);
    QCOMPARE(banco.tasti[2]->palette().color(QPalette::Disabled, QPalette::Button), riposo);
    banco.gruppo->ImpostaColori(Qt::red, Qt::blue);
    banco.tasti[0]->setFocus();
    QCOMPARE(ColoreTasto(banco.tasti[0]), QColor(Qt::red));
    QCOMPARE(ColoreTasto(banco.tasti[1]), QColor(Qt::blue));
}

void TestGruppoTasti::coloriDipinti_data() {
    QTest::addColumn<int>("stato");
    QTest::addColumn<QColor>("atteso");   // the flat colour, or invalid when only compared
    QTest::addColumn<QColor>("piuScuro"); // valid: the key is painted darker than this
    const QColor riposo(255, 224, 192), fuoco(255, 192, 128);
    QTest::newRow("a riposo") << int(Stato::Riposo) << riposo << QColor();
    QTest::newRow("con il fuoco") << int(Stato::Fuoco) << fuoco << QColor();
    QTest::newRow("premuto") << int(Stato::Premuto) << QColor() << riposo;
    QTest::newRow("premuto con il fuoco") << int(Stato::PremutoConFuoco) << QColor() << fuoco;
    QTest::newRow("disabilitato") << int(Stato::Disabilitato) << QColor() << QColor();
    QTest::newRow("colori propri del gruppo")
        << int(Stato::ColoriPropri) << QColor(200, 230, 255) << QColor();
}

void TestGruppoTasti::coloriDipinti() {
    QFETCH(int, stato);
    QFETCH(QColor, atteso);
    QFETCH(QColor, piuScuro);
    Banco banco;
    for (QPushButton* b : banco.tasti) {
        b->setGeometry(b->x() * 4, 10, 200, 80);
        b->setText(QStringLiteral("Verifica"));
        QFont f(QStringLiteral("Arial"), 18);
        f.setBold(true);
        b->setFont(f);
    }
    banco.finestra->resize(1000, 120);
    QVERIFY(banco.Attiva());
    QPushButton* tasto = banco.tasti[1];
    banco.fuori->setFocus();
    switch (Stato(stato)) {
    case Stato::Fuoco:
        tasto->setFocus();
        break;
    case Stato::PremutoConFuoco:
        tasto->setFocus();
        tasto->setDown(true);
        break;
    case Stato::Premuto:
        tasto->setDown(true);
        break;
    case Stato::Disabilitato:
        tasto->setEnabled(false);
        break;
    case Stato::ColoriPropri:
        banco.gruppo->ImpostaColori(QColor(255, 160, 160), QColor(200, 230, 255));
        break;
    case Stato::Riposo:
        break;
    }
    const QImage immagine = tasto->grab().toImage();
    const int w = immagine.width(), h = immagine.height();
    // Upper and lower half, left and right of the caption, and just inside the border,
    // where a gradient or a focus frame would show.
    const QList<QPoint> punti{{12, h / 4}, {w - 13, h / 4}, {12, 3 * h / 4}, {w - 13, 3 * h / 4},
                              {3, h / 2},  {w - 4, h / 2},  {w / 2, 3},      {w / 2, h - 4}};
    const QColor fondo = immagine.pixelColor(punti.first());
    // With the focus the border's inside carries the outline, which must stand out from
    // the key by more than colour: dark against the key, all the way round.
    const bool fuoco = Stato(stato) == Stato::Fuoco || Stato(stato) == Stato::PremutoConFuoco;
    for (const QPoint& p : punti.sliced(4)) {
        const QColor bordo = immagine.pixelColor(p);
        if (!fuoco) continue;
        QCOMPARE(bordo, StileTasti::ColoreContorno(fondo));
        QVERIFY2(StileTasti::Contrasto(bordo, fondo) >= StileTasti::ContrastoContorno,
                 qPrintable(bordo.name() + " on " + fondo.name()));
    }
    for (const QPoint& p : fuoco ? punti.first(4) : punti)
        QVERIFY2(immagine.pixelColor(p) == fondo,
                 qPrintable(QStringLiteral("(%1,%2) is %3, (12,%4) is %5")
                                .arg(p.x())
                                .arg(p.y())
                                .arg(immagine.pixelColor(p).name(), QString::number(h / 4),
                                     fondo.name())));
    if (atteso.isValid()) QCOMPARE(fondo, atteso);
    if (piuScuro.isValid()) {
        QVERIFY(fondo.red() <= piuScuro.red() && fondo.green() <= piuScuro.green() &&
                fondo.blue() <= piuScuro.blue());
        QVERIFY2(Contrasto(fondo, piuScuro) >= 1.2, qPrintable(fondo.name()));
    }
    if (Stato(stato) == Stato::Disabilitato) {
        // Plainly unlike the colours a usable key has: washed out towards grey.
        QVERIFY2(fondo.hsvSaturation() * 2 <= QColor(255, 224, 192).hsvSaturation(),
                 qPrintable(fondo.name()));
    }
    // The caption: the pixel standing out most from the key, readable in every state.
    double migliore = 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            migliore = std::max(migliore, Contrasto(immagine.pixelColor(x, y), fondo));
    QVERIFY2(migliore >= 4.5, qPrintable(QString::number(migliore)));
}

void TestGruppoTasti::cifre_data() {
    QTest::addColumn<bool>("preme");
    QTest::addColumn<int>("codice");
    QTest::addColumn<int>("modificatori");
    QTest::addColumn<int>("fuocoAtteso");
    QTest::addColumn<QList<int>>("premutiAttesi");
    QTest::newRow("2 sposta") << false << int(Qt::Key_2) << 0 << 1 << QList<int>{};
    QTest::newRow("tastierino 3 sposta")
        << false << int(Qt::Key_3) << int(Qt::KeypadModifier) << 2 << QList<int>{};
    QTest::newRow("2 preme") << true << int(Qt::Key_2) << 0 << 1 << QList<int>{1};
    QTest::newRow("tastierino 1 preme")
        << true << int(Qt::Key_1) << int(Qt::KeypadModifier) << 0 << QList<int>{0};
    QTest::newRow("cifra fuori mappa ignorata") << true << int(Qt::Key_5) << 0 << 3 << QList<int>{};
    QTest::newRow("cifra di un disabilitato") << true << int(Qt::Key_4) << 0 << 3 << QList<int>{};
}

void TestGruppoTasti::cifre() {
    QFETCH(bool, preme);
    QFETCH(int, codice);
    QFETCH(int, modificatori);
    QFETCH(int, fuocoAtteso);
    QFETCH(QList<int>, premutiAttesi);
    Banco banco(5);
    QVERIFY(banco.Attiva());
    banco.tasti[4]->setEnabled(false);
    banco.gruppo->ImpostaCifre({{Qt::Key_1, 0}, {Qt::Key_2, 1}, {Qt::Key_3, 2}, {Qt::Key_4, 4}},
                               preme ? GruppoTasti::Cifra::Premi : GruppoTasti::Cifra::Fuoco);
    banco.tasti[3]->setFocus();
    QTest::keyClick(banco.tasti[3], Qt::Key(codice), Qt::KeyboardModifiers(modificatori));
    QCOMPARE(QApplication::focusWidget(), banco.tasti[fuocoAtteso]);
    QCOMPARE(banco.premuti, premutiAttesi);
    QVERIFY(banco.finestra->tastiArrivati.isEmpty());
}

void TestGruppoTasti::tabPassa() {
    Banco banco;
    QVERIFY(banco.Attiva());
    banco.tasti[3]->setFocus();
    QTest::keyClick(banco.tasti[3], Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), banco.fuori);
    banco.tasti[1]->setFocus();
    QTest::keyClick(banco.tasti[1], Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), banco.tasti[0]);
    QVERIFY(banco.premuti.isEmpty());
}

void TestGruppoTasti::tastoExtra_data() {
    QTest::addColumn<int>("esito");
    QTest::addColumn<bool>("arrivaAllaFinestra");
    QTest::addColumn<bool>("senzaCallback");
    QTest::newRow("gestito") << int(GruppoTasti::Esito::Gestito) << false << false;
    QTest::newRow("ingoiato") << int(GruppoTasti::Esito::Ingoiato) << false << false;
    QTest::newRow("lasciato") << int(GruppoTasti::Esito::Lasciato) << true << false;
    QTest::newRow("senza callback: scartato") << 0 << false << true;
}

void TestGruppoTasti::tastoExtra() {
    QFETCH(int, esito);
    QFETCH(bool, arrivaAllaFinestra);
    QFETCH(bool, senzaCallback);
    Banco banco;
    QVERIFY(banco.Attiva());
    QList<QPair<int, int>> visti;
    if (!senzaCallback)
        banco.gruppo->ImpostaTastoExtra([&](int indice, QKeyEvent* e) {
            visti.append({indice, e->key()});
            return GruppoTasti::Esito(esito);
        });
    banco.tasti[2]->setFocus();
    QTest::keyClick(banco.tasti[2], Qt::Key_Escape);
    TastoRipetuto(banco.tasti[2], Qt::Key_Escape);
    QTest::keyRelease(banco.tasti[2], Qt::Key_Escape);
    QTest::keyClick(banco.tasti[2], Qt::Key_Return); // the group's own key: not for the callback
    if (!senzaCallback) QCOMPARE(visti, (QList<QPair<int, int>>{{2, int(Qt::Key_Escape)}}));
    QCOMPARE(banco.finestra->tastiArrivati.contains(Qt::Key_Escape), arrivaAllaFinestra);
    QCOMPARE(banco.finestra->tastiArrivati.size(), arrivaAllaFinestra ? 1 : 0);
    QCOMPARE(banco.premuti, QList<int>{2});
}

void TestGruppoTasti::azioneCheDistruggeLaFinestra_data() {
    QTest::addColumn<int>("via"); // 0 mouse, 1 Enter, 2 digit, 3 extra key
    QTest::newRow("mouse") << 0;
    QTest::newRow("Enter") << 1;
    QTest::newRow("cifra") << 2;
    QTest::newRow("tasto extra") << 3;
}

void TestGruppoTasti::azioneCheDistruggeLaFinestra() {
    QFETCH(int, via);
    auto* finestra = new QWidget;
    QList<QPushButton*> tasti{new QPushButton("a", finestra), new QPushButton("b", finestra)};
    QPointer<QWidget> custode(finestra);
    auto* gruppo = new GruppoTasti(
        tasti, [&](int) { delete finestra; }, finestra);
    QPointer<GruppoTasti> gruppoCustode(gruppo);
    gruppo->ImpostaCifre({{Qt::Key_2, 1}}, GruppoTasti::Cifra::Premi);
    gruppo->ImpostaTastoExtra([&](int, QKeyEvent*) {
        delete finestra;
        return GruppoTasti::Esito::Lasciato;
    });
    finestra->show();
    QVERIFY(QTest::qWaitForWindowActive(finestra));
    tasti[0]->setFocus();
    switch (via) {
    case 0:
        QTest::mousePress(tasti[1], Qt::LeftButton);
        break;
    case 1:
        QTest::keyPress(tasti[0], Qt::Key_Return);
        break;
    case 2:
        QTest::keyPress(tasti[0], Qt::Key_2);
        break;
    default:
        QTest::keyPress(tasti[0], Qt::Key_X);
        break;
    }
    QVERIFY(custode.isNull());
    QVERIFY(gruppoCustode.isNull());
}

QTEST_MAIN(TestGruppoTasti)
#include "tst_GruppoTasti.moc"
