#include "base/Aspetto.h"

#include <QSet>

namespace {

// The unit symbols of every unit system, as the catalogue writes them without blanks.
const QSet<QString> SimboliUnita{
    QStringLiteral("u"),  QStringLiteral("d"),  QStringLiteral("c"),   QStringLiteral("m"),
    QStringLiteral("h"),  QStringLiteral("da"), QStringLiteral("uk"),  QStringLiteral("dm"),
    QStringLiteral("cm"), QStringLiteral("mm"), QStringLiteral("hm"),  QStringLiteral("dam"),
    QStringLiteral("km"), QStringLiteral("g"),  QStringLiteral("dg"),  QStringLiteral("cg"),
    QStringLiteral("mg"), QStringLiteral("hg"), QStringLiteral("dag"), QStringLiteral("kg"),
    QStringLiteral("t"),  QStringLiteral("q"),  QStringLiteral("Mg"),  QStringLiteral("l"),
    QStringLiteral("dl"), QStringLiteral("cl"), QStringLiteral("ml"),  QStringLiteral("hl"),
    QStringLiteral("dal")};

// The letter colour the record holds; a text that is not a colour counts as black, as the
// preview shows it.
std::int32_t Caratteri(const Opzioni& o) {
    return ColoreDaTesto(o.ColoreCaratteri).value_or(ColoreNero);
}

} // namespace

AspettoAlunno Aspetto(const StatoProgramma& stato) {
    AspettoAlunno a;
    if (!stato.OpzioniInVigore) return a;
    const Opzioni& o = stato.Impostazioni;
    a.InVigore = true;
    a.Sfondo = o.ColoreSfondo;
    a.Caratteri = CaratteriLeggibili(o.ColoreSfondo, Caratteri(o));
    a.Leggibili = RapportoContrasto(o.ColoreSfondo, Caratteri(o)) >= ContrastoMinimo;
    a.Maiuscolo = o.Maiuscolo;
    return a;
}

QString AvvisoContrasto(const Opzioni& o) {
    return RapportoContrasto(o.ColoreSfondo, Caratteri(o)) >= ContrastoMinimo
               ? QString()
               : QStringLiteral("Colori poco leggibili");
}

QString Maiuscole(const QString& testo) {
    // Word by word, blanks kept as they are; a symbol is recognised with the punctuation
    // around it taken off ("(dam)", "mg:").
    QString risultato;
    risultato.reserve(testo.size());
    qsizetype i = 0;
    while (i < testo.size()) {
        if (testo[i].isSpace()) {
            risultato += testo[i++];
            continue;
        }
        qsizetype fine = i;
        while (fine < testo.size() && !testo[fine].isSpace())
            ++fine;
        const QString parola = testo.mid(i, fine - i);
        qsizetype a = 0, b = parola.size();
        while (a < b && !parola[a].isLetter())
            ++a;
        while (b > a && !parola[b - 1].isLetter())
            --b;
        const bool simbolo = b > a && SimboliUnita.contains(parola.mid(a, b - a));
        risultato += simbolo ? parola : parola.toUpper();
        i = fine;
    }
    return risultato;
}

QString Didascalia(const AspettoAlunno& aspetto, const QString& testo) {
    return aspetto.InVigore && aspetto.Maiuscolo ? Maiuscole(testo) : testo;
}
