// Keys say their caption as they take the focus, with real X input (xdotool) on the drill
// window under Xvfb: a key clicked, the space bar walking the keypad; a digit typed presses
// its key without moving the focus, and the mouse only passing over keys says nothing, and
// neither do keys of windows that are not spoken.

#include "app/ParlaFuoco.h"
#include "drill/FrmOperativo.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"
#include "support/VoceFinta.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

// Runs xdotool while this program handles the events as they arrive.
void Xdo(const QStringList& comandi) {
    QProcess xdo;
    QEventLoop ciclo;
    QObject::connect(&xdo, &QProcess::finished, &ciclo, &QEventLoop::quit);
    QObject::connect(&xdo, &QProcess::errorOccurred, &ciclo, &QEventLoop::quit);
    xdo.start(QStringLiteral("xdotool"), comandi);
    if (xdo.state() != QProcess::NotRunning) ciclo.exec();
    QVERIFY2(xdo.exitStatus() == QProcess::NormalExit && xdo.exitCode() == 0,
             qPrintable(comandi.join(u' ')));
    QTest::qWait(150); // the last events arrive and are handled
}

} // namespace

class TestFuocoParlato : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void didascalia_data();
    void didascalia();
    void nelCambioDiFuoco();
    void inputReale_data();
    void inputReale();
};

void TestFuocoParlato::didascalia_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("nome"); // accessible name
    QTest::addColumn<QString>("detto");
    QTest::newRow("caption") << "Avanti"
                             << ""
                             << "Avanti";
    QTest::newRow("access key") << "&Esci"
                                << ""
                                << "Esci";
    QTest::newRow("ampersand itself") << "A && B"
                                      << ""
                                      << "A & B";
    QTest::newRow("lone ampersand at the end") << "Fine&"
                                               << ""
                                               << "Fine";
    QTest::newRow("two lines") << "Ti aiuto\n?"
                               << ""
                               << "Ti aiuto ?";
    QTest::newRow("accessible name first") << ","
                                           << "virgola"
                                           << "virgola";
    QTest::newRow("blank accessible name") << "Vai"
                                           << "  "
                                           << "Vai";
}

void TestFuocoParlato::didascalia() {
    QFETCH(QString, testo);
    QFETCH(QString, nome);
    QFETCH(QString, detto);
    QPushButton tasto(testo);
    tasto.setAccessibleName(nome);
    QCOMPARE(ParlaFuoco::Didascalia(&tasto), detto);
}

// Said while the focus moves, before anything else runs: what the window announces right
// after moving the focus is said after it, and so replaces it.
void TestFuocoParlato::nelCambioDiFuoco() {
    VoceFinta voce;
    ParlaFuoco fuoco(voce, [](const QWidget*) { return true; });
    QWidget finestra;
    auto* primo = new QPushButton(QStringLiteral("Primo"), &finestra);
    auto* secondo = new QPushButton(QStringLiteral("Secondo"), &finestra);
    secondo->move(0, 40);
    finestra.show();
    QVERIFY(QTest::qWaitForWindowActive(&finestra));
    primo->setFocus();
    secondo->setFocus();
    voce.Di(QStringLiteral("annuncio"));
    QCOMPARE(voce.detti.mid(voce.detti.size() - 3), QStringList({"Primo", "Secondo", "annuncio"}));
}

// What the pupil does on the drill window's keypad, and what is said meanwhile.
void TestFuocoParlato::inputReale_data() {
    QTest::addColumn<bool>("parlata");       // the drill is among the windows spoken
    QTest::addColumn<QStringList>("azioni"); // "key K", "click NAME", "over NAME"
    QTest::addColumn<QStringList>("detti");
    QTest::newRow("typed digit, focus stays") << true << QStringList{"key 3"} << QStringList{};
    QTest::newRow("space bar walks")
        << true << QStringList{"key space", "key space"} << QStringList{"1", "2"};
    QTest::newRow("click") << true << QStringList{"click Option2_5"} << QStringList{"5"};
    QTest::newRow("comma by its name")
        << true << QStringList{"click Option2_10"} << QStringList{"virgola"};
    QTest::newRow("mouse passing over keys")
        << true << QStringList{"over Option2_7", "over Option2_8", "over Option2_10"}
        << QStringList{};
    QTest::newRow("click, window not spoken")
        << false << QStringList{"click Option2_5", "key space"} << QStringList{};
}

void TestFuocoParlato::inputReale() {
    QFETCH(bool, parlata);
    QFETCH(QStringList, azioni);
    QFETCH(QStringList, detti);
    StatoProgramma stato;
    stato.Livello = 4;
    SistemaMetri(stato);
    stato.TipoEsercizio = 1;
    stato.OrdineSimboli = 1;
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
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(QApplication::focusWidget(),
                 w.findChild<QPushButton*>(QStringLiteral("Option2_0")));
    QTest::qWait(200);
    voce.detti.clear();

    for (const QString& azione : azioni) {
        const QString cosa = azione.section(u' ', 0, 0), su = azione.section(u' ', 1);
        if (cosa == u"key") {
            Xdo({"key", su});
            continue;
        }
        QWidget* bersaglio = w.findChild<QPushButton*>(su);
        QVERIFY2(bersaglio, qPrintable(su));
        const QPoint p = bersaglio->mapToGlobal(bersaglio->rect().center());
        QStringList comandi{"mousemove", QString::number(p.x()), QString::number(p.y())};
        if (cosa == u"click")
            comandi << "click"
                    << "1";
        Xdo(comandi);
    }
    // Only what keys say: the drill's own announcements (the reply, the problem) are left out.
    QStringList didascalie, tasti;
    for (const QPushButton* b : w.findChildren<QPushButton*>())
        didascalie << ParlaFuoco::Didascalia(b);
    for (const QString& t : voce.detti)
        if (didascalie.contains(t)) tasti << t;
    QCOMPARE(tasti, detti);
}

QTEST_MAIN(TestFuocoParlato)
#include "tst_FuocoParlato.moc"
