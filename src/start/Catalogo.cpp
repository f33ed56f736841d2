#include "start/Catalogo.h"

namespace {

struct Voce {
    const char* simbolo[4];
    const char* materia;
    const char* unita;
};

// One entry per unit system, Livello 1 to 12. The blanks inside the symbols line them up
// in the fixed-pitch displays; they are part of the texts.
const Voce voci[12] = {
    {{" u ", " d ", " c ", " m "}, "TRASFORMAZIONI", " unità,    decimi, centesimi, millesimi"},
    {{"    ", "  h ", " da ", "  u "}, "TRASFORMAZIONI", "centinaia, decine, unità"},
    {{" uk ", "  h ", " da ", "  u "}, "TRASFORMAZIONI", " migliaia,    centinaia, decine, unità"},
    {{"  m ", " dm ", " cm ", " mm "},
     "TRASFORMAZIONI MISURE DI LUNGHEZZA",
     " metri,    decimetri, centimetri, millimetri"},
    {{"     ", "  hm ", " dam ", "   m "},
     "TRASFORMAZIONI MISURE DI LUNGHEZZA",
     " ettometri, decametri, metri"},
    {{"  km ", "  hm ", " dam ", "   m "},
     "TRASFORMAZIONI MISURE DI LUNGHEZZA",
     " chilometri,    ettometri, decametri, metri"},
    {{"  g ", " dg ", " cg ", " mg "},
     "TRASFORMAZIONI MISURE DI PESO",
     " grammi,    decigrammi, centigrammi, milligrammi"},
    {{"     ", "  hg ", " dag ", "   g "},
     "TRASFORMAZIONI MISURE DI PESO",
     " ettogrammi, decagrammi, grammi"},
    {{"  kg ", "  hg ", " dag ", "   g "},
     "TRASFORMAZIONI MISURE DI PESO",
     " chilogrammi    ettogrammi, decagrammi, grammi"},
    {{"  t ", "  q ", " Mg ", " kg "},
     "TRASFORMAZIONI MISURE DI PESO",
     " tonnellate,    quintali, miriagrammi, chilogrammi"},
    {{"  l ", " dl ", " cl ", " ml "},
     "TRASFORMAZIONI MISURE DI CAPACITA'",
     " litri,    decilitri, centilitri, millilitri"},
    {{"     ", "  hl ", " dal ", "   l "},
     "TRASFORMAZIONI MISURE DI CAPACITA'",
     " ettolitri, decalitri, litri"},
};

// The catalogue's subjects, each a run of consecutive systems.
struct Materia {
    const char* nome;
    std::int16_t primo, ultimo;
};
const Materia materie[] = {
    {"Sistema decimale", 1, 3},
    {"Misure di lunghezza", 4, 6},
    {"Misure di peso", 7, 10},
    {"Misure di capacità", 11, 12},
};

// The unit names of an entry as a menu shows them: single blanks, a comma after each name
// but the last (the catalogue's line keeps its design blanks and misses one comma).
QString NomiOrdinati(const char* unita) {
    TestiCatalogo testi;
    testi.Label6[2] = QString::fromUtf8(unita);
    return testi.NomiUnita().join(QStringLiteral(", "));
}

// Three-unit systems have a blank largest symbol.
bool treUnita(const Voce& voce) {
    return QString::fromUtf8(voce.simbolo[0]).trimmed().isEmpty();
}

} // namespace

void SceltaSimboli(StatoProgramma& stato) {
    if (stato.Livello < 1 || stato.Livello > 12) return;
    const Voce& voce = voci[stato.Livello - 1];

    for (int k = 1; k <= 4; ++k)
        stato.Simbolo[k] = QString::fromUtf8(voce.simbolo[k - 1]);
    stato.NumeroUnita = treUnita(voce) ? 3 : 4;

    const bool decimale = stato.Livello <= 3;
    TestiCatalogo& testi = stato.Catalogo;
    testi.Titolo = decimale ? QStringLiteral("SISTEMA DECIMALE:  trasformazioni")
                            : QStringLiteral("SISTEMA METRICO:  trasformazioni");
    testi.Label6[0] =
        decimale ? QStringLiteral("SISTEMA DECIMALE ") : QStringLiteral("SISTEMA METRICO");
    testi.Label6[1] = QString::fromUtf8(voce.materia);
    testi.Label6[2] = QString::fromUtf8(voce.unita);

    // Button 0 lists the smallest unit first, button 1 the largest first; a three-unit
    // system leaves its blank largest symbol out of both.
    const int primo = stato.NumeroUnita == 3 ? 2 : 1;
    QString crescente = stato.Simbolo[4];
    for (int k = 3; k >= primo; --k)
        crescente += QLatin1Char(' ') + stato.Simbolo[k];
    QString decrescente = stato.Simbolo[primo];
    for (int k = primo + 1; k <= 4; ++k)
        decrescente += QLatin1Char(' ') + stato.Simbolo[k];
    testi.Option2 = {crescente, decrescente, QStringLiteral("Tutti")};
}

void ScegliTipo(StatoProgramma& stato, int indice) {
    static const char* const testi[] = {" Trova il numero", " Trova il simbolo",
                                        " Trova il numero o il simbolo"};
    if (indice < 0 || indice > 2) return;
    stato.TipoEsercizio = static_cast<std::int16_t>(indice + 1);
    stato.TestoTipo = QString::fromUtf8(testi[indice]);
}

void ScegliOrdine(StatoProgramma& stato, int indice) {
    static const char* const testi[] = {" Da simbolo minore a simbolo maggiore",
                                        " Da simbolo maggiore a simbolo minore",
                                        " Da simbolo maggiore a simbolo minore e viceversa"};
    if (indice < 0 || indice > 2) return;
    stato.OrdineSimboli = static_cast<std::int16_t>(indice + 1);
    stato.TestoOrdine = QString::fromUtf8(testi[indice]);
}

const QList<MateriaSistemi>& MenuSistema() {
    static const QList<MateriaSistemi> menu = [] {
        QList<MateriaSistemi> m;
        for (const Materia& materia : materie) {
            MateriaSistemi voce{QString::fromUtf8(materia.nome), {}};
            for (std::int16_t livello = materia.primo; livello <= materia.ultimo; ++livello)
                voce.Sistemi.append({livello, NomiOrdinati(voci[livello - 1].unita)});
            m.append(voce);
        }
        return m;
    }();
    return menu;
}

std::int16_t LivelloSuccessivo(std::int16_t livello) {
    for (const Materia& materia : materie)
        if (livello >= materia.primo && livello <= materia.ultimo)
            return livello < materia.ultimo ? static_cast<std::int16_t>(livello + 1)
                                            : materia.primo;
    return 1;
}
