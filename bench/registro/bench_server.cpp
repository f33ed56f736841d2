// The lab server's speed, against the PostgreSQL server that DECIMETRA_PG_PORTA (on
// 127.0.0.1) and DECIMETRA_PG_PASSFILE name (bench/tabella.py starts a private cluster with
// tests/support/pg_prova.sh):
//   - one series of 20 exercises sent on the loopback, the connection open: 50 samples;
//   - 30 computers at once, each with a connection of its own, sending 20 series each and
//     then all of them again (replies lost): the time until all 600 are stored, and a check
//     that the server holds each exactly once.
//
//   bench_server

#include "registro/RegistroServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

RegistroSerie Serie(const QString& alunno) {
    RegistroSerie s;
    s.Id = QUuid::createUuid();
    s.Inizio = QDateTime::currentDateTime();
    s.Fine = s.Inizio.addSecs(300);
    s.Livello = 4;
    s.Sistema = QStringLiteral("Misure di lunghezza");
    s.TestoTipo = QStringLiteral(" Trova il numero");
    s.TestoOrdine = QStringLiteral("In ordine sparso");
    s.Finita = true;
    s.NomeAlunno = alunno;
    for (int i = 0; i < 20; ++i) {
        EsercizioSvolto e;
        e.Dati.NumeroTesto = QStringLiteral("27,52");
        e.Dati.SimboloDa = QStringLiteral("dam");
        e.Dati.SimboloA = QStringLiteral("m");
        e.SoluzioneTesto = QStringLiteral("275,2");
        e.Tentativi = {{QStringLiteral("27,52"), false}, {QStringLiteral("275,2"), true}};
        e.Secondi = 9;
        s.Esercizi.push_back(e);
    }
    return s;
}

ConfigurazioneServer Server(const QString& computer) {
    ConfigurazioneServer c;
    c.Host = QStringLiteral("127.0.0.1");
    c.Porta = qEnvironmentVariableIntValue("DECIMETRA_PG_PORTA");
    c.FilePassword = qEnvironmentVariable("DECIMETRA_PG_PASSFILE");
    c.Computer = computer;
    return c;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    RegistroServer server(Server(QStringLiteral("banco")), 10);
    if (const auto esito = server.Connetti(); !esito.Riuscito) {
        std::printf("%s\n", qPrintable(esito.Messaggio));
        return 1;
    }
    std::vector<double> ms;
    for (int i = 0; i < 50; ++i) {
        const SerieConComputer s{Serie(QStringLiteral("Uno")), {}, 1};
        QElapsedTimer t;
        t.start();
        if (!server.Invia(s).Riuscito) return 1;
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("one series sent: n=%zu  median %.3f ms  p95 %.3f ms  max %.3f ms\n", ms.size(),
                ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());

    const auto prima = server.Elenco();
    if (!prima) return 1;
    std::atomic<int> fallite = 0;
    QElapsedTimer tempo;
    tempo.start();
    std::vector<std::thread> computer;
    for (int n = 1; n <= 30; ++n)
        computer.emplace_back([n, &fallite] {
            RegistroServer proprio(Server(QStringLiteral("aula-%1").arg(n)), 10);
            std::vector<SerieConComputer> serie;
            for (int i = 0; i < 20; ++i)
                serie.push_back({Serie(QStringLiteral("Alunno %1").arg(i)), {}, 1});
            for (int volta = 0; volta < 2; ++volta)
                for (const auto& s : serie)
                    if (!proprio.Invia(s).Riuscito) ++fallite;
        });
    for (auto& c : computer)
        c.join();
    const double totale = static_cast<double>(tempo.nsecsElapsed()) / 1e6;
    const auto dopo = server.Elenco();
    if (!dopo) return 1;
    QSet<QUuid> id;
    for (const auto& r : *dopo)
        id.insert(r.Id);
    const auto nuove = static_cast<long long>(dopo->size() - prima->size());
    const bool doppie = id.size() != static_cast<qsizetype>(dopo->size());
    std::printf("30 computers x 20 series, each sent twice: %lld stored, %s, %d failed, "
                "in %.0f ms\n",
                nuove, doppie ? "SOME DOUBLED" : "none doubled", fallite.load(), totale);
    return nuove == 600 && !doppie && fallite == 0 ? 0 : 1;
}
