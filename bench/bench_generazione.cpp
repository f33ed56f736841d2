// Cost of making problems and their text: one drill exercise (problem and record line),
// one number formatted, one whole worksheet of 30 lines.

#include "app/FonteCasualeSistema.h"
#include "generation/Algoritmi.h"
#include "generation/Spazi.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

StatoProgramma StatoMetri() {
    StatoProgramma s;
    s.Simbolo = {"", "  m ", " dm ", " cm ", " mm "};
    s.NumeroUnita = 4;
    s.OrdineSimboli = 3;
    return s;
}

void GeneraProblemaERiga(benchmark::State& state) {
    StatoProgramma s = StatoMetri();
    FonteCasualeSistema fonte;
    for (auto _ : state) {
        EsercizioSvolto e;
        e.Dati = GeneraProblema(s, fonte);
        const QString riga = RigaEsercizio(e);
        benchmark::DoNotOptimize(riga.constData());
    }
}
BENCHMARK(GeneraProblemaERiga);

void FormattaNumeroUno(benchmark::State& state) {
    const std::array<double, 8> valori = {999.9,   0.000001, 1234.5, 0.1 + 0.2,
                                          999900., 30.004,   7.0,    2147483647.5};
    std::size_t i = 0;
    for (auto _ : state) {
        QString testo = FormattaNumero(valori[i++ % valori.size()]);
        benchmark::DoNotOptimize(testo.constData());
    }
}
BENCHMARK(FormattaNumeroUno);

// A worksheet of the kind "Trova il numero o il simbolo": per line a problem, a draw of
// the kind and the line with its solution.
void Scheda30(benchmark::State& state) {
    StatoProgramma s = StatoMetri();
    FonteCasualeSistema fonte;
    for (auto _ : state) {
        RigaScheda ultima;
        for (std::int16_t riga = 1; riga <= 30; ++riga) {
            const Problema p = GeneraProblema(s, fonte);
            ultima = fonte.Rnd() < 0.5f ? RigaSchedaNumero(p) : RigaSchedaSimbolo(p);
        }
        benchmark::DoNotOptimize(ultima.Soluzione.constData());
    }
}
BENCHMARK(Scheda30)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
