// Lines are joined from many short pieces: let each join allocate once.
#define QT_USE_QSTRINGBUILDER

#include "generation/Spazi.h"

namespace {

// `carattere` repeated (larghezza - length of misurato) times; none when the text already
// fills the width.
QString Riempi(const QString& misurato, int larghezza, QChar carattere) {
    const qsizetype n = larghezza - misurato.size();
    return n > 0 ? QString(n, carattere) : QString();
}

bool IndiceValido(int indice) {
    return indice >= 0 && indice < RigheRegistro;
}

// Leading and trailing blanks off; only blanks, as the symbols are padded with them.
QString SenzaSpazi(const QString& testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && testo[inizio] == u' ')
        ++inizio;
    while (fine > inizio && testo[fine - 1] == u' ')
        --fine;
    return testo.sliced(inizio, fine - inizio);
}

// The number right-aligned in 9 and its symbol in 5: the start of every problem line.
QString InizioRiga(const StatoProgramma& stato, const Spazi& spazi) {
    return spazi.SpazioNumero + stato.NumeroTesto + spazi.SpazioDa + stato.SimboloDa;
}

// Writes a worksheet line and, after it, the same line with its solution in brackets.
void ScriviScheda(StatoProgramma& stato, const Spazi& spazi, const QString& esercizio) {
    stato.Esercizio[stato.IndiceRiga] = esercizio;
    stato.Soluzione[stato.IndiceRiga] = esercizio + spazi.SpazioSoluzione + QStringLiteral("(r.") +
                                        stato.SoluzioneTesto + QLatin1Char(')');
}

} // namespace

Spazi PreparaSpazi(const StatoProgramma& stato) {
    Spazi spazi;
    spazi.SpazioNumero = Riempi(stato.NumeroTesto, 9, u' ');
    spazi.SpazioRisultato = Riempi(stato.RisultatoTesto, 9, u' ');
    spazi.SpazioRisposta = Riempi(stato.RispostaTesto, 11, u' ');
    spazi.SpazioSoluzione = Riempi(stato.SoluzioneTesto, 11, u' ');
    spazi.SpazioDa = Riempi(stato.SimboloDa, 5, u' ');
    spazi.SpazioA = Riempi(stato.SimboloA, 5, u' ');
    const QString riga =
        IndiceValido(stato.IndiceEsercizio) ? stato.Esercizio[stato.IndiceEsercizio] : QString();
    spazi.Puntini = Riempi(riga, 66, u'.');
    spazi.SpazioScheda = QString(38, u' ');
    return spazi;
}

void ApriRigaNumero(StatoProgramma& stato) {
    if (!IndiceValido(stato.IndiceEsercizio)) return;
    const Spazi spazi = PreparaSpazi(stato);
    stato.Esercizio[stato.IndiceEsercizio] = InizioRiga(stato, spazi) + QStringLiteral(" = ...") +
                                             spazi.SpazioA + stato.SimboloA +
                                             QStringLiteral("  r. ");
}

void ApriRigaSimbolo(StatoProgramma& stato) {
    if (!IndiceValido(stato.IndiceEsercizio)) return;
    const Spazi spazi = PreparaSpazi(stato);
    stato.Esercizio[stato.IndiceEsercizio] = InizioRiga(stato, spazi) + QStringLiteral(" = ") +
                                             spazi.SpazioRisultato + stato.RisultatoTesto +
                                             QStringLiteral("...") + QStringLiteral(" r.");
}

void AggiungiRispostaErrata(StatoProgramma& stato) {
    if (!IndiceValido(stato.IndiceEsercizio)) return;
    const Spazi spazi = PreparaSpazi(stato);
    stato.Esercizio[stato.IndiceEsercizio] +=
        spazi.SpazioRisposta + stato.RispostaTesto + stato.Segno;
}

void AggiungiRispostaEsatta(StatoProgramma& stato) {
    if (!IndiceValido(stato.IndiceEsercizio)) return;
    // The dots are measured on the line as it stands before this append, so " s." starts
    // at the same column on every line that is not already longer than 66.
    const Spazi spazi = PreparaSpazi(stato);
    stato.Esercizio[stato.IndiceEsercizio] += spazi.SpazioRisposta + stato.RispostaTesto +
                                              stato.Segno + spazi.Puntini + QStringLiteral(" s.") +
                                              stato.TempoRispostaTesto;
}

void AggiungiSoluzione(StatoProgramma& stato) {
    if (!IndiceValido(stato.IndiceEsercizio)) return;
    stato.Esercizio[stato.IndiceEsercizio] += QStringLiteral("  ") + stato.SoluzioneTesto +
                                              QStringLiteral(" s ") +
                                              QString::number(stato.TempoRisposta);
}

void RigaSchedaNumero(StatoProgramma& stato) {
    if (!IndiceValido(stato.IndiceRiga)) return;
    stato.SoluzioneTesto = stato.RisultatoTesto;
    const Spazi spazi = PreparaSpazi(stato);
    ScriviScheda(stato, spazi,
                 InizioRiga(stato, spazi) + QStringLiteral("= ") + spazi.SpazioScheda +
                     spazi.SpazioA + stato.SimboloA);
}

void RigaSchedaSimbolo(StatoProgramma& stato) {
    if (!IndiceValido(stato.IndiceRiga)) return;
    stato.SoluzioneTesto = SenzaSpazi(stato.SimboloA);
    const Spazi spazi = PreparaSpazi(stato);
    ScriviScheda(stato, spazi,
                 InizioRiga(stato, spazi) + QStringLiteral("= ") + spazi.SpazioRisultato +
                     stato.RisultatoTesto + QStringLiteral(" ... "));
}
