// The register's speed: one series recorded with its sync to disk, and the register window
// over a hundred thousand series (made once, in a file beside the benchmark): opening it,
// and redrawing it for a filter (a pupil, with the chart and the missed pairs; a system).
//
//   QT_QPA_PLATFORM=offscreen bench_registro [FOLDER]   (FOLDER on a real disk; default .)

#include "registro/FrmRegistro.h"
#include "support/SerieProva.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

QString cartella = QStringLiteral(".");
constexpr int SerieGrandi = 100000;
constexpr int Alunni = 25;

class NienteStampa : public ServizioStampa {
public:
    QStringList Elenco() override { return {}; }
    QString Corrente() override { return {}; }
    bool Scegli(const QString&) override { return false; }
    void ScegliPdf() override {}
    bool PdfScelto() override { return false; }
    QString CercaCourier() override { return {}; }
    EsitoStampa Stampa(const Pagina&, const QString&) override { return {}; }
};

class NienteAvvisi : public Avvisi {
public:
    void Errore(const QString&, const QString& t) override { qWarning("%s", qPrintable(t)); }
    void Informa(const QString&, const QString&) override {}
};

QString FileGrande() {
    return QDir(cartella).filePath(QStringLiteral("registro-100000.sqlite"));
}

// A class of 25 pupils, 4000 series each, made once and kept.
void PreparaGrande() {
    RegistroLocale r(FileGrande());
    if (r.Conta().value_or(0) == SerieGrandi) return;
    r.EliminaTutto();
    std::vector<RegistroSerie> lotto;
    for (int k = 0; k < SerieGrandi; ++k) {
        lotto.push_back(SerieProva(k, 20, QStringLiteral("Alunno %1").arg(k % Alunni)));
        if (lotto.size() == 2000) {
            r.SalvaTutte(lotto, QStringLiteral("aula"));
            lotto.clear();
        }
    }
}

void RegistraSerie(benchmark::State& stato) {
    const QString file = QDir(cartella).filePath(QStringLiteral("registro-piccolo.sqlite"));
    QFile::remove(file);
    RegistroLocale r(file);
    r.Apri();
    int seme = 1000000;
    for (auto _ : stato) {
        const EsitoRegistro e = r.Salva(SerieProva(++seme), QStringLiteral("aula"));
        if (!e.Riuscito()) stato.SkipWithError(qPrintable(e.dettaglio));
    }
}

void ApriFinestra(benchmark::State& stato) {
    PreparaGrande();
    NienteStampa stampa;
    NienteAvvisi avvisi;
    for (auto _ : stato) {
        RegistroLocale r(FileGrande());
        FrmRegistro w(r, stampa, avvisi);
        w.resize(1920, 1061);
        w.show();
        QCoreApplication::processEvents(); // laid out and painted
        benchmark::DoNotOptimize(w.Tabella()->model()->rowCount());
    }
}

void Filtro(benchmark::State& stato) {
    PreparaGrande();
    NienteStampa stampa;
    NienteAvvisi avvisi;
    RegistroLocale r(FileGrande());
    FrmRegistro w(r, stampa, avvisi);
    w.resize(1920, 1061);
    w.show();
    QCoreApplication::processEvents();
    auto* scelta = w.findChild<QComboBox*>(stato.range(0) ? QStringLiteral("cboAlunno")
                                                          : QStringLiteral("cboSistema"));
    int i = 0;
    for (auto _ : stato) {
        scelta->setCurrentIndex(1 + i++ % (scelta->count() - 1));
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(RegistraSerie)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(ApriFinestra)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(Filtro)->Arg(1)->Arg(0)->ArgName("alunno")->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc > 1) cartella = QString::fromLocal8Bit(argv[1]);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
