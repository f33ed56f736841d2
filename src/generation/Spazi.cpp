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
QString InizioRiga(const Problema& p, const Spazi& spazi) {
    return spazi.SpazioNumero + p.NumeroTesto + spazi.SpazioDa + p.SimboloDa;
}

// A worksheet line and, after it, the same line with its solution in brackets.
RigaScheda Scheda(const QString& esercizio, const QString& soluzione) {
    const Spazi spazi = PreparaSpazi(Problema{}, {}, soluzione);
    return {esercizio, esercizio + spazi.SpazioSoluzione + QStringLiteral("(r.") + soluzione +
                           QLatin1Char(')')};
}

} // namespace

Spazi PreparaSpazi(const Problema& p, const QString& risposta, const QString& soluzione,
                   const QString& riga) {
    Spazi spazi;
    spazi.SpazioNumero = Riempi(p.NumeroTesto, 9, u' ');
    spazi.SpazioRisultato = Riempi(p.RisultatoTesto, 9, u' ');
    spazi.SpazioRisposta = Riempi(risposta, 11, u' ');
    spazi.SpazioSoluzione = Riempi(soluzione, 11, u' ');
    spazi.SpazioDa = Riempi(p.SimboloDa, 5, u' ');
    spazi.SpazioA = Riempi(p.SimboloA, 5, u' ');
    spazi.Puntini = Riempi(riga, 66, u'.');
    spazi.SpazioScheda = QString(38, u' ');
    return spazi;
}

QString RigaEsercizio(const EsercizioSvolto& e) {
    const Problema& p = e.Dati;
    const Spazi spazi = PreparaSpazi(p);
    QString riga = InizioRiga(p, spazi);
    if (e.ChiedeSimbolo)
        riga += QStringLiteral(" = ") + spazi.SpazioRisultato + p.RisultatoTesto +
                QStringLiteral("...") + QStringLiteral(" r.");
    else
        riga += QStringLiteral(" = ...") + spazi.SpazioA + p.SimboloA + QStringLiteral("  r. ");
    for (const Tentativo& t : e.Tentativi) {
        const QString pad = Riempi(t.Risposta, 11, u' ');
        if (!t.Esatta) {
            riga += pad + t.Risposta + QStringLiteral("* ");
        } else {
            // The dots are measured on the line as it stands before the reply, so " s." starts
            // at the same column on every line that is not already longer than 66.
            const QString puntini = Riempi(riga, 66, u'.');
            riga += pad + t.Risposta + QStringLiteral("  ") + puntini + QStringLiteral(" s. ") +
                    QString::number(e.Secondi);
        }
    }
    if (e.SoluzioneData)
        riga += QStringLiteral("  ") + e.SoluzioneTesto + QStringLiteral(" s ") +
                QString::number(e.Secondi);
    return riga;
}

QStringList RigheEsercizi(const RegistroSerie& registro) {
    QStringList righe;
    righe.reserve(registro.IndiceEsercizio());
    for (const EsercizioSvolto& e : registro.Esercizi)
        righe.append(RigaEsercizio(e));
    return righe;
}

RigaScheda RigaSchedaNumero(const Problema& p) {
    const Spazi spazi = PreparaSpazi(p);
    return Scheda(InizioRiga(p, spazi) + QStringLiteral("= ") + spazi.SpazioScheda + spazi.SpazioA +
                      p.SimboloA,
                  p.RisultatoTesto);
}

RigaScheda RigaSchedaSimbolo(const Problema& p) {
    const Spazi spazi = PreparaSpazi(p);
    return Scheda(InizioRiga(p, spazi) + QStringLiteral("= ") + spazi.SpazioRisultato +
                      p.RisultatoTesto + QStringLiteral(" ... "),
                  SenzaSpazi(p.SimboloA));
}
