#include "registro/PaginaRegistro.h"

#include "registro/EsportaCsv.h"

#include <algorithm>

QStringList IntestazioniRegistro() {
    return {QStringLiteral("Data"),  QStringLiteral("Alunno"),   QStringLiteral("Sistema"),
            QStringLiteral("Tipo"),  QStringLiteral("Esatte"),   QStringLiteral("Dal programma"),
            QStringLiteral("Tempo"), QStringLiteral("Giudizio"), QStringLiteral("Computer")};
}

QString NomeMostrato(const QString& nome) {
    return nome.isEmpty() ? QString::fromUtf8(SenzaNome) : nome;
}

namespace {

QString Tempo(std::int32_t secondi) {
    return QStringLiteral("%1:%2").arg(secondi / 60).arg(secondi % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QStringList CelleRegistro(const RigaRegistro& r) {
    // An unfinished series says out of how many exercises.
    const QString esatte = r.Finita ? QString::number(r.Esatte)
                                    : QStringLiteral("%1 su %2").arg(r.Esatte).arg(r.Esercizi);
    return {r.Inizio.toString(QStringLiteral("dd/MM/yyyy hh:mm")),
            NomeMostrato(r.NomeAlunno),
            r.Sistema.trimmed(),
            r.TestoTipo.trimmed(),
            esatte,
            QString::number(r.Errate),
            Tempo(r.TempoTotale),
            r.Giudizio,
            r.Computer};
}

QString RigaEsercizio(int numero, const EsercizioSvolto& e) {
    QStringList risposte;
    for (const Tentativo& t : e.Tentativi)
        risposte << (e.ChiedeSimbolo
                         ? t.Risposta
                         : QString(t.Risposta).replace(QLatin1Char('.'), QLatin1Char(',')));
    QString esito = e.Esatto()        ? QStringLiteral("esatta")
                    : e.SoluzioneData ? QStringLiteral("data dal programma")
                                      : QStringLiteral("non finita");
    QString riga = QStringLiteral("%1. %2   risposte: %3   %4   %5 s")
                       .arg(numero)
                       .arg(ProblemaMostrato(e),
                            risposte.isEmpty() ? QStringLiteral("nessuna")
                                               : risposte.join(QStringLiteral(" | ")),
                            esito)
                       .arg(e.Secondi);
    if (e.AiutoAccettato)
        riga += QStringLiteral("   aiuto accettato");
    else if (e.AiutoOfferto)
        riga += QStringLiteral("   aiuto rifiutato");
    return riga;
}

QString TestoCoppia(const ErroriCoppia& c) {
    return QStringLiteral("%1 → %2: %3 %4 su %5")
        .arg(c.SimboloDa, c.SimboloA)
        .arg(c.Errori)
        .arg(c.Errori == 1 ? QStringLiteral("errore") : QStringLiteral("errori"))
        .arg(c.Totale);
}

QStringList PeriodiRegistro() {
    return {QStringLiteral("Sempre"), QStringLiteral("Oggi"), QStringLiteral("Ultimi 7 giorni"),
            QStringLiteral("Ultimi 30 giorni"), QStringLiteral("Ultimo anno")};
}

std::pair<QDate, QDate> GiorniPeriodo(int periodo, const QDate& oggi) {
    switch (periodo) {
    case 1:
        return {oggi, oggi};
    case 2:
        return {oggi.addDays(-6), oggi};
    case 3:
        return {oggi.addDays(-29), oggi};
    case 4:
        return {oggi.addYears(-1).addDays(1), oggi};
    default:
        return {};
    }
}

Pagina PaginaAlunno(const QString& alunno, const std::vector<RigaRegistro>& serie,
                    const std::vector<ErroriCoppia>& coppie, const QString& famiglia) {
    constexpr int Sinistra = 720, Riga = 300, MassimoSerie = 30;
    Pagina p;
    int y = 0;
    const auto scrivi = [&](const QString& testo, double punti, bool grassetto) {
        p.testi.push_back({Sinistra, y, famiglia, punti, grassetto, 0, testo, 0});
        y += static_cast<int>(punti * 20 * 1.4);
    };
    scrivi(QStringLiteral("Registro di ") + NomeMostrato(alunno), 16, true);
    const int quante = std::min<int>(static_cast<int>(serie.size()), MassimoSerie);
    scrivi(
        QStringLiteral("Serie: %1 (le ultime %2, dalla più vecchia)").arg(serie.size()).arg(quante),
        11, false);
    y += Riga / 2;
    // The oldest of the last ones first, as a teacher reads a progress.
    for (int i = quante - 1; i >= 0; --i) {
        const QStringList c = CelleRegistro(serie[static_cast<std::size_t>(i)]);
        p.testi.push_back({Sinistra, y, famiglia, 9, false, 0,
                           QStringLiteral("%1   %2   esatte %3   dal programma %4   tempo %5   %6")
                               .arg(c[0], c[2], c[4], c[5], c[6], c[7]),
                           0});
        y += Riga - 60;
    }
    y += Riga;

    // The chart: one bar per series, its height the right replies out of 20.
    scrivi(QStringLiteral("Risposte esatte per serie (su 20)"), 11, true);
    constexpr int Altezza = 2400, Larghezza = 9600;
    const int base = y + Altezza;
    p.riquadri.push_back({Sinistra, y, Larghezza, Altezza, 0, 15});
    if (quante > 0) {
        const int passo = Larghezza / quante;
        for (int i = quante - 1, k = 0; i >= 0; --i, ++k) {
            const int esatte = serie[static_cast<std::size_t>(i)].Esatte;
            const int h = Altezza * std::clamp(esatte, 0, 20) / 20;
            if (h > 0)
                p.riquadri.push_back({Sinistra + k * passo + passo / 4, base - h,
                                      std::max(passo / 2, 30), h, 0xB05000, 30});
        }
    }
    y = base + Riga;

    scrivi(QStringLiteral("Conversioni più sbagliate"), 11, true);
    if (coppie.empty()) scrivi(QStringLiteral("nessuna"), 10, false);
    for (std::size_t i = 0; i < coppie.size() && i < 8; ++i)
        scrivi(TestoCoppia(coppie[i]), 10, false);
    return p;
}
