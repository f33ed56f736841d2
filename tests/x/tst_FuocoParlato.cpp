// Keys say their caption, or their accessible name when they have one, as they take the
// focus, with real X input (xdotool) on the drill window: a click, the space bar walking the
// keypad; the mouse only passing over keys says nothing, nor do the keys of a window that is
// not spoken. And what a right reply clicked by the pupil makes heard, by the options: the
// chime only while "BEEP" is on, praise while "RINFORZO SONORO" is.

#include "app/ParlaFuoco.h"
#include "app/SuonoOpzioni.h"
#include "drill/FrmOperativo.h"
#include "start/Opzioni.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"
#include "support/VoceFinta.h"
#include "support/Xdotool.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

class TestFuocoParlato : public QObject {
    Q_OBJECT
private slots:
    void nelCambioDiFuoco();
    void inputReale_data();
    void inputReale();
    void suonoDelleOpzioni_data();
    void suonoDelleOpzioni();
};

// Said while the focus moves, so that what the window announces right after replaces it.
void TestFuocoParlato::nelCambioDiFuoco() {
    VoceFinta voce;
    ParlaFuoco fuoco(voce, [](const QWidget*) { return true; });
    QWidget finestra;
    new QPushButton(QStringLiteral("Primo"), &finestra);
    auto* secondo = new QPushButton(QStringLiteral("Secondo"), &finestra);
    finestra.show();
    QVERIFY(QTest::qWaitForWindowActive(&finestra));
    secondo->setFocus();
    voce.Di(QStringLiteral("annuncio"));
    QCOMPARE(voce.detti.mid(voce.detti.size() - 2), QStringList({"Secondo", "annuncio"}));
}

void TestFuocoParlato::inputReale_data() {
    QTest::addColumn<bool>("parlata"); // the drill is among the windows spoken
    QTest::addColumn<QStringList>("xdotool");
    QTest::addColumn<QStringList>("detti");
    QTest::newRow("space bar walks")
        << true << QStringList{"key space", "key space"} << QStringList{"1", "2"};
    QTest::newRow("click") << true << QStringList{"click Option2_5"} << QStringList{"5"};
    QTest::newRow("comma by its name")
        << true << QStringList{"click Option2_10"} << QStringList{"virgola"};
    QTest::newRow("mouse passing over keys")
        << true << QStringList{"over Option2_7", "over Option2_8"} << QStringList{};
    QTest::newRow("window not spoken")
        << false << QStringList{"click Option2_5", "key space"} << QStringList{};
}

void TestFuocoParlato::inputReale() {
    QFETCH(bool, parlata);
    QFETCH(QStringList, xdotool);
    QFETCH(QStringList, detti);
    StatoProgramma stato;
    SistemaMetri(stato);
    stato.TipoEsercizio = stato.OrdineSimboli = 1;
    FonteCasualeFinta fonte;
    OrologioFinto orologio;
    SuonoFinto suono;
    VoceFinta voce;
    ParlaFuoco fuoco(voce, [parlata](const QWidget* f) {
        return parlata && qobject_cast<const FrmOperativo*>(f);
    });
    FrmOperativo w(stato, fonte, orologio, suono, nullptr);
    w.serie().ImpostaGeneratore(GeneratoreFinto({{"10", "  m ", " mm ", "10.000"}}));
    w.findChild<QPushButton*>(QStringLiteral("Option2_10"))->setAccessibleName("virgola");
    w.showMaximized();
    QTRY_COMPARE(QApplication::focusWidget(),
                 w.findChild<QPushButton*>(QStringLiteral("Option2_0")));
    QTest::qWait(200);
    voce.detti.clear();

    QStringList comandi;
    for (const QString& azione : xdotool) {
        const QString cosa = azione.section(u' ', 0, 0), su = azione.section(u' ', 1);
        if (cosa == u"key") {
            comandi << "key" << su;
            continue;
        }
        comandi << Centro(w.findChild<QPushButton*>(su));
        if (cosa == u"click")
            comandi << "click"
                    << "1";
        comandi << "sleep"
                << "0.2";
    }
    // The events are handled as they arrive, while xdotool runs.
    QVERIFY(Xdo(comandi).riuscito);
    // Only what keys say: the drill's own announcements are left out.
    QStringList didascalie, tasti;
    for (const QPushButton* b : w.findChildren<QPushButton*>())
        didascalie << ParlaFuoco::Didascalia(b);
    for (const QString& t : voce.detti)
        if (didascalie.contains(t)) tasti << t;
    QCOMPARE(tasti, detti);
}

void TestFuocoParlato::suonoDelleOpzioni_data() {
    QTest::addColumn<int>("beep");     // the "BEEP" button chosen: 0 "Attivato", 1 "Disattivato"
    QTest::addColumn<int>("rinforzo"); // the "RINFORZO SONORO" button chosen
    QTest::addColumn<int>("suonati");  // chimes asked of the sound
    QTest::addColumn<int>("lodi");     // praises asked of the voice
    QTest::newRow("BEEP off") << 1 << 1 << 0 << 0;
    QTest::newRow("BEEP on") << 0 << 1 << 1 << 0;
    QTest::newRow("BEEP off, praise on") << 1 << 0 << 0 << 1;
}

void TestFuocoParlato::suonoDelleOpzioni() {
    QFETCH(int, beep);
    QFETCH(int, rinforzo);
    StatoProgramma stato;
    SistemaMetri(stato);
    stato.TipoEsercizio = stato.OrdineSimboli = 1;
    QVERIFY(ScegliBeep(stato, beep));
    QVERIFY(ScegliRinforzo(stato, rinforzo));
    FonteCasualeFinta fonte, fonteLodi;
    OrologioFinto orologio;
    SuonoFinto campanello;
    VoceFinta voce;
    SuonoOpzioni suono(stato, campanello, voce, fonteLodi);
    FrmOperativo w(stato, fonte, orologio, suono, nullptr);
    w.serie().ImpostaGeneratore(GeneratoreFinto({{"1", "  m ", " dm ", "10"}}));
    w.showMaximized();
    const auto tasto = [&w](int i) {
        return w.findChild<QPushButton*>(QStringLiteral("Option2_%1").arg(i));
    };
    QTRY_COMPARE(QApplication::focusWidget(), tasto(0));
    QTest::qWait(200);

    // "1", "0", "Verifica", clicked.
    QStringList comandi;
    for (int i : {1, 0, Serie::Verifica})
        comandi << Centro(tasto(i)) << "click"
                << "1"
                << "sleep"
                << "0.2";
    QVERIFY(Xdo(comandi).riuscito);
    QCOMPARE(w.serie().Registro().EsatteTotale(), 1); // a right reply, as the pupil gave it
    QTEST(campanello.suonati, "suonati");
    QTEST(int(voce.lodi.size()), "lodi");
}

QTEST_MAIN(TestFuocoParlato)
#include "tst_FuocoParlato.moc"
