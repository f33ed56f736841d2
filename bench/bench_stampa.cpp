// Cost of each printout, built from the program state with the core's page builders and
// written as a PDF (what a print costs with no printer installed): the record of a series
// of 20, the certificate, and a 30-line worksheet built, previewed and written. The record
// page is also painted as a screen preview. Run with QT_QPA_PLATFORM=offscreen.

#include "app/FonteCasualeSistema.h"
#include "app/ServizioStampaQt.h"
#include "generation/Algoritmi.h"
#include "generation/Spazi.h"
#include "results/Attestato.h"
#include "results/PaginaEsercizi.h"
#include "start/Catalogo.h"
#include "ui/DisegnaPagina.h"
#include "worksheets/Scheda.h"

#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Metres, find the number, the largest unit first: what the start screen leaves behind.
StatoProgramma StatoMetri() {
    StatoProgramma s;
    s.Livello = 4;
    SceltaSimboli(s);
    ScegliTipo(s, 0);
    ScegliOrdine(s, 1);
    return s;
}

// A whole series of 20: every problem shown and answered right at the first try.
StatoProgramma SerieDiVenti() {
    StatoProgramma s = StatoMetri();
    FonteCasualeSistema fonte;
    for (std::int16_t k = 1; k <= 20; ++k) {
        EsercizioSvolto e;
        e.Dati = GeneraProblema(s, fonte);
        e.SoluzioneTesto = e.Dati.RisultatoTesto;
        e.Tentativi.push_back({e.SoluzioneTesto, true});
        e.Secondi = 5 + k % 20;
        s.Registro.Esercizi.push_back(e);
    }
    s.Registro.Finita = true;
    return s;
}

// Where the pages go: one file, rewritten at every iteration.
class FilePdf {
public:
    QString percorso() const { return cartella_.filePath(QStringLiteral("pagina.pdf")); }

private:
    QTemporaryDir cartella_;
};

void RegistroInPdf(benchmark::State& state) {
    const StatoProgramma serie = SerieDiVenti();
    FilePdf file;
    for (auto _ : state)
        if (!ScriviPdf(PaginaEsercizi(serie, QStringLiteral("Courier New")), file.percorso()))
            state.SkipWithError("PDF non scritto");
}
BENCHMARK(RegistroInPdf)->Unit(benchmark::kMillisecond);

void AttestatoInPdf(benchmark::State& state) {
    DatiAttestato dati;
    dati.NomeAlunno = QStringLiteral("mARIO");
    dati.EsatteTotale = 18;
    dati.IndiceEsercizio = 20;
    dati.TestoOrdine = QStringLiteral("Da simbolo maggiore a simbolo minore");
    dati.Data = DataBreve(QDate(2026, 12, 8));
    FilePdf file;
    for (auto _ : state)
        if (!ScriviPdf(StampaAttestato(dati), file.percorso()))
            state.SkipWithError("PDF non scritto");
}
BENCHMARK(AttestatoInPdf)->Unit(benchmark::kMillisecond);

// The teachers' sheet of 30 lines of either kind: built, previewed and written.
void SchedaInPdf(benchmark::State& state) {
    const StatoProgramma stato = StatoMetri();
    FonteCasualeSistema fonte;
    FilePdf file;
    for (auto _ : state) {
        Scheda scheda = NuovaScheda(stato);
        ScegliNumeroProblemi(scheda, 2);
        ScegliTipoEsercizio(scheda, 2);
        ScegliOrdineSimboli(scheda, 2);
        if (!CostruisciScheda(scheda, stato, fonte)) state.SkipWithError("scheda non costruita");
        VisualizzaScheda(scheda, SchedaDocenti);
        if (!ScriviPdf(PaginaScheda(scheda, stato), file.percorso()))
            state.SkipWithError("PDF non scritto");
    }
}
BENCHMARK(SchedaInPdf)->Unit(benchmark::kMillisecond);

void RegistroSulloSchermo(benchmark::State& state) {
    const Pagina pagina = PaginaEsercizi(SerieDiVenti(), QStringLiteral("Courier New"));
    QImage anteprima(600, 850, QImage::Format_RGB32);
    for (auto _ : state) {
        anteprima.fill(Qt::white);
        QPainter pittore(&anteprima);
        DisegnaPagina(pittore, pagina, 600.0 / (8.27 * 1440));
    }
}
BENCHMARK(RegistroSulloSchermo)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
