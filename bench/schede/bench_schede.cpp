// Cost of a worksheet:
//   - SchedaInPdf: a 30-line sheet built (30 problems and their lines), previewed, laid out
//     as a page and written as a PDF (what a print costs with no printer installed);
//   - PressioneTipo: a kind key pressed on the shown screen -> the new sheet built and the
//     emptied preview painted;
//   - PressioneAnteprima: "VISUALIZZA SCHEDA" of the teachers pressed -> the 30 lines painted.
// Each screen sample runs from just before the mouse press is delivered until the event
// loop has painted the first preview line. Run with QT_QPA_PLATFORM=offscreen or under X.

#include "app/FonteCasualeSistema.h"
#include "app/ServizioStampaQt.h"
#include "start/Catalogo.h"
#include "worksheets/FrmStampaSchedeTreRidotto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

StatoProgramma StatoMetri() {
    StatoProgramma s;
    s.NomeProgramma = QStringLiteral("decimetra");
    s.Livello = 4;
    SceltaSimboli(s);
    ScegliTipo(s, 0);
    ScegliOrdine(s, 2);
    return s;
}

void SchedaInPdf(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("scheda.pdf"));
    const StatoProgramma stato = StatoMetri();
    FonteCasualeSistema fonte;
    for (auto _ : state) {
        Scheda scheda = NuovaScheda(stato);
        CostruisciScheda(scheda, stato, fonte);
        VisualizzaScheda(scheda, SchedaDocenti);
        if (!ScriviPdf(PaginaScheda(scheda, stato), file)) state.SkipWithError("PDF non scritto");
    }
}
BENCHMARK(SchedaInPdf)->Unit(benchmark::kMillisecond)->Repetitions(20)->ReportAggregatesOnly(true);

class Muti : public Avvisi {
public:
    void Errore(const QString&, const QString&) override {}
    void Informa(const QString&, const QString&) override {}
};

// Notes when a widget has been painted.
class Spia : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) dipinto = true;
        return false;
    }
    bool dipinto = false;
};

// The screen, shown at 1920 x 1061 (a maximised window on a 1920 x 1080 screen).
struct Schermo {
    StatoProgramma stato = StatoMetri();
    ServizioStampaQt servizio;
    Muti avvisi;
    FonteCasualeSistema fonte;
    FrmStampaSchedeTreRidotto finestra{stato, servizio, avvisi, fonte};
    Spia spia;

    Schermo() {
        finestra.resize(1920, 1061);
        finestra.show();
        if (!QTest::qWaitForWindowExposed(&finestra)) qFatal("the worksheet screen never showed");
        QTest::qWait(100);
        finestra.findChild<QLabel*>(QStringLiteral("LblOp(1)"))->installEventFilter(&spia);
        Clic(B(QStringLiteral("Option1(0)"))); // a sheet, with an empty preview
    }
    QPushButton* B(const QString& nome) { return finestra.findChild<QPushButton*>(nome); }
    // A click, untimed, with everything it causes painted.
    void Clic(QPushButton* tasto) {
        QTest::mouseClick(tasto, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Milliseconds from the press of the key (keys act on the press, buttons on the release
    // that follows it) to the first preview line painted; at most a second.
    double Premi(QPushButton* tasto, bool alRilascio = false) {
        QCoreApplication::processEvents();
        spia.dipinto = false;
        QElapsedTimer t;
        t.start();
        QTest::mousePress(tasto, Qt::LeftButton);
        if (alRilascio) QTest::mouseRelease(tasto, Qt::LeftButton);
        while (!spia.dipinto && t.elapsed() < 1000)
            QCoreApplication::processEvents();
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        if (!alRilascio) QTest::mouseRelease(tasto, Qt::LeftButton);
        return ms;
    }
};

void PressioneTipo(benchmark::State& state) {
    Schermo s;
    int tipo = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.Clic(s.B(QStringLiteral("CmdVisualizzaSchedaDocenti"))); // a full preview to empty
        state.ResumeTiming();
        state.SetIterationTime(s.Premi(s.B(QStringLiteral("Option1(%1)").arg(tipo++ % 3))) /
                               1000.0);
    }
}
BENCHMARK(PressioneTipo)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void PressioneAnteprima(benchmark::State& state) {
    Schermo s;
    int tipo = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.Clic(s.B(QStringLiteral("Option1(%1)").arg(tipo++ % 3))); // a new, empty preview
        state.ResumeTiming();
        state.SetIterationTime(s.Premi(s.B(QStringLiteral("CmdVisualizzaSchedaDocenti")), true) /
                               1000.0);
    }
}
BENCHMARK(PressioneAnteprima)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
