// Cost of a printout: a page of 20 record lines built as data and written as a PDF (what a
// print costs with no printer installed), and the same page painted as a screen preview.
// Run with QT_QPA_PLATFORM=offscreen.

#include "app/ServizioStampaQt.h"
#include "ui/DisegnaPagina.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

Pagina PaginaVentiRighe() {
    Pagina p;
    TestoPagina t;
    t.famiglia = QStringLiteral("Courier New");
    t.punti = 16;
    t.x = 1000;
    t.y = 1000;
    t.testo = QStringLiteral("SCUOLA ELEMENTARE DI ");
    p.testi.append(t);
    t.punti = 10;
    t.grassetto = true;
    t.x = 500;
    for (int k = 1; k <= 20; ++k) {
        t.y = k <= 10 ? 2000 + 400 * (k - 1) : 6000 + 400 * (k - 10);
        t.testo =
            QStringLiteral("%1)   1.234,56 m        = 12.345,6 dm       Esatto   12 s").arg(k);
        p.testi.append(t);
    }
    return p;
}

void PaginaInPdf(benchmark::State& state) {
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("pagina.pdf"));
    for (auto _ : state) {
        const Pagina pagina = PaginaVentiRighe();
        if (!ScriviPdf(pagina, file)) state.SkipWithError("PDF non scritto");
    }
}
BENCHMARK(PaginaInPdf)->Unit(benchmark::kMillisecond)->Repetitions(20)->ReportAggregatesOnly(true);

void PaginaSulloSchermo(benchmark::State& state) {
    const Pagina pagina = PaginaVentiRighe();
    QImage anteprima(600, 850, QImage::Format_RGB32);
    for (auto _ : state) {
        anteprima.fill(Qt::white);
        QPainter pittore(&anteprima);
        DisegnaPagina(pittore, pagina, 600.0 / (8.27 * 1440));
    }
}
BENCHMARK(PaginaSulloSchermo)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
