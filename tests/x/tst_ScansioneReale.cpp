// A pupil with one switch, under a real X server with a window manager: scanning on, a step
// of 1 s, and the only input the space bar, sent by xdotool when the key wanted is
// highlighted (read from the window: the scanner's highlight, and the pixels the X server
// shows). From the start screen: a kind, an order, "Vai"; in the drill window one problem
// answered right and "Avanti" to the next one. Also measured: how late each highlight moves.

#include "drill/FrmOperativo.h"
#include "start/FrmInizio.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"
#include "support/Xdotool.h"
#include "ui/ScansioneFinestra.h"
#include "ui/StileTasti.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

namespace {

// The shades of "Da fucsia chiaro a scuro".
const QColor Chiaro(255, 200, 255);
const QColor Scuro(255, 50, 255);

// Generous limits for a busy machine.
constexpr int Attesa = 120'000;

// The colour the X server shows near the top-left corner of a key, inside its border and
// its focus outline.
QColor ColoreSulloSchermo(const QWidget* tasto) {
    const QPoint p = tasto->mapToGlobal(QPoint(7, 7));
    const QImage immagine =
        QGuiApplication::primaryScreen()->grabWindow(0, p.x(), p.y(), 1, 1).toImage();
    return immagine.pixelColor(0, 0);
}

// Waits until the switch reaches bersaglio and presses the space bar, in the middle of a
// highlight (well past the 0,3 s in which a press is ignored, well before the next move):
// once to enter its group when its group is highlighted, once to pick it. False when the
// key never came within the limit or a press was not taken.
bool Scegli(ScansioneFinestra* s, QAbstractButton* bersaglio) {
    QElapsedTimer limite;
    limite.start();
    while (limite.elapsed() < Attesa) {
        QTest::qWait(10);
        if (!s->Attiva()) continue;
        const bool scuro = s->TastoEvidenziato() == bersaglio;
        const bool gruppo = StileTasti::Evidenza(bersaglio).isValid() && !s->TastoEvidenziato();
        const std::int64_t mostrato = s->Adesso() - s->UltimoSpostamento();
        const std::int64_t resta = s->Regole().Scadenza() - s->Adesso();
        if (!(scuro || gruppo) || mostrato < 400 || resta < 350) continue;
        const std::int64_t prima = s->UltimoSpostamento();
        if (!Xdo(Tasti({"space"}, 0.05)).riuscito) return false;
        // A press taken shows anew at once: into the group, or started again after the pick.
        if (s->UltimoSpostamento() == prima && s->Attiva()) {
            qWarning("the space bar was not taken for %s", qPrintable(bersaglio->objectName()));
            continue;
        }
        if (scuro) return true;
    }
    return false;
}

} // namespace

class TestScansioneReale : public QObject {
    Q_OBJECT

private slots:
    void soloBarraSpaziatrice();
};

void TestScansioneReale::soloBarraSpaziatrice() {
    QApplication::setStyle(new StileTasti);
    QTemporaryDir cartella;
    QVERIFY(QDir::setCurrent(cartella.path()));

    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    FonteCasualeFinta fonte;
    OrologioFinto orologio;
    SuonoFinto suono;
    FrmInizio inizio(stato);
    QPointer<FrmOperativo> operativo;
    inizio.ImpostaApriOperativo([&]() -> QWidget* {
        operativo = new FrmOperativo(stato, fonte, orologio, suono, nullptr);
        operativo->setAttribute(Qt::WA_DeleteOnClose);
        operativo->serie().ImpostaGeneratore(GeneratoreFinto({{"1", "  m ", " dm ", "10"}}));
        return operativo;
    });

    // "SCANSIONE" switched on with a step of 1 s, in the fuchsia shades.
    stato.Impostazioni.Scansione = true;
    stato.Impostazioni.PassoScansione = 10;
    stato.Impostazioni.ColoreScansione = Rgb(255, 200, 255);
    stato.Impostazioni.ColoreScansioneScuro = QString::number(Rgb(255, 50, 255));
    emit stato.Segnali->OpzioniCambiate(stato.Impostazioni);

    QList<std::int64_t> ritardi;
    const auto misura = [&ritardi](ScansioneFinestra* s) {
        QObject::connect(s, &ScansioneFinestra::Evidenziato, s, [s, &ritardi] {
            if (s->Ritardo() >= 0) ritardi.append(s->Ritardo());
        });
    };
    misura(inizio.Scansione());

    inizio.showMaximized();
    inizio.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&inizio, Attesa));
    const auto tasto = [](QWidget* w, const char* nome) {
        auto* b = w->findChild<QPushButton*>(QLatin1String(nome));
        if (!b) qFatal("no key %s", nome);
        return b;
    };

    // With no key pressed the highlight moves over the panels, in the light shade, as the X
    // server shows it.
    QPushButton* tipo = tasto(&inizio, "Option1(0)");
    QSet<QString> visti;
    bool chiaroVisto = false;
    QElapsedTimer tempo;
    tempo.start();
    while (tempo.elapsed() < Attesa && (visti.size() < 2 || !chiaroVisto)) {
        QTest::qWait(50);
        const ScansioneFinestra* s = inizio.Scansione();
        if (!s->Attiva()) continue;
        visti.insert(QString::number(s->Regole().GruppoEvidenziato()));
        if (StileTasti::Evidenza(tipo) == Chiaro && s->Adesso() - s->UltimoSpostamento() > 200)
            chiaroVisto = ColoreSulloSchermo(tipo) == Chiaro || chiaroVisto;
    }
    QVERIFY2(visti.size() >= 2, "the highlight did not move by itself");
    QVERIFY2(chiaroVisto, "the light shade was not seen on the kinds' panel");

    // "Trova il numero": into its panel, then the key itself, shown dark on screen.
    QVERIFY(Scegli(inizio.Scansione(), tipo));
    QCOMPARE(stato.TipoEsercizio, 1);
    // The orders come next, then "Vai".
    QVERIFY(Scegli(inizio.Scansione(), tasto(&inizio, "Option2(0)")));
    QCOMPARE(stato.OrdineSimboli, 1);
    QPushButton* vai = tasto(&inizio, "Option3(0)");
    QVERIFY(QTest::qWaitFor([&] { return inizio.Scansione()->TastoEvidenziato() == vai; }, 5000));
    QTest::qWait(400);
    QCOMPARE(ColoreSulloSchermo(vai), Scuro);
    QVERIFY(Scegli(inizio.Scansione(), vai));
    QVERIFY(QTest::qWaitFor([&] { return operativo && operativo->isActiveWindow(); }, Attesa));
    misura(operativo->Scansione());
    // Behind the drill window the start screen's highlight has stopped and gone.
    QVERIFY(QTest::qWaitFor([&] { return !inizio.Scansione()->Attiva(); }, Attesa));
    QCOMPARE(StileTasti::Evidenza(vai), QColor());

    // 1 m in dm: "1", "0", "Verifica", then "Avanti".
    for (const char* nome : {"Option2_1", "Option2_0", "Option2_12"})
        QVERIFY2(Scegli(operativo->Scansione(), tasto(operativo, nome)), nome);
    QCOMPARE(operativo->serie().Testi().LblEsito, QStringLiteral("Esatto"));
    QCOMPARE(stato.Registro.EsatteTotale(), 1);
    QVERIFY(Scegli(operativo->Scansione(), tasto(operativo, "Option2_13")));
    QCOMPARE(stato.Registro.IndiceEsercizio(), 2);
    QCOMPARE(operativo->serie().Testi().LblRisultato, QStringLiteral("?"));

    std::sort(ritardi.begin(), ritardi.end());
    QVERIFY(!ritardi.isEmpty());
    qInfo("highlight moves late by (ms): median %lld, worst %lld, over %lld moves",
          static_cast<long long>(ritardi[ritardi.size() / 2]),
          static_cast<long long>(ritardi.last()), static_cast<long long>(ritardi.size()));
    QVERIFY(ritardi[ritardi.size() / 2] <= 20);
    if (operativo) operativo->close();
}

QTEST_MAIN(TestScansioneReale)
#include "tst_ScansioneReale.moc"
