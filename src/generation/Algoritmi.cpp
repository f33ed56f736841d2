#include "generation/Algoritmi.h"

#include "base/Servizi.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// Digits of any double in plain notation: 309 whole digits for the largest, 338 decimals
// for the smallest subnormal.
constexpr int CifreMassime = 360;

constexpr std::int64_t Potenza10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

// Joins sign, whole part and decimals into the text of a number: decimal comma, and with
// raggruppa "." between groups of three digits of the whole part. The decimals arrive
// without trailing zeros; the whole part without leading zeros (or as "0").
QString Componi(bool negativo, std::string_view intera, std::string_view decimali, bool raggruppa) {
    char testo[2 * CifreMassime + CifreMassime / 3 + 2];
    char* p = testo;
    if (negativo) *p++ = '-';
    const std::size_t n = intera.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (raggruppa && i > 0 && (n - i) % 3 == 0) *p++ = '.';
        *p++ = intera[i];
    }
    if (!decimali.empty()) {
        *p++ = ',';
        p = std::copy(decimali.begin(), decimali.end(), p);
    }
    return QString::fromLatin1(testo, p - testo);
}

std::string_view SenzaZeriFinali(std::string_view cifre) {
    while (!cifre.empty() && cifre.back() == '0')
        cifre.remove_suffix(1);
    return cifre;
}

// Text of a finite double: rounded to 15 significant digits, then written out in plain
// notation. The whole part is taken from the rounded digits, so a value a hair below an
// integer (0,9999999999999999) reads as that integer.
QString TestoDouble(double x, bool raggruppa) {
    const bool negativo = x < 0; // -0 is written as "0"
    const double a = std::fabs(x);

    // "d.dddddddddddddde+XX": the 15 significant digits and the decimal exponent.
    char sci[32];
    const auto fine = std::to_chars(sci, sci + sizeof sci, a, std::chars_format::scientific, 14);
    char cifre[15];
    cifre[0] = sci[0];
    std::copy(sci + 2, sci + 16, cifre + 1);
    int esponente = 0;
    std::from_chars(sci + 17 + (sci[17] == '+' ? 1 : 0), fine.ptr, esponente);

    char intera[CifreMassime];
    char decimali[CifreMassime];
    std::size_t nIntera = 0;
    std::size_t nDecimali = 0;
    if (a == 0) {
        intera[nIntera++] = '0';
    } else if (esponente >= 0) {
        for (int i = 0; i <= esponente; ++i)
            intera[nIntera++] = i < 15 ? cifre[i] : '0';
        for (int i = esponente + 1; i < 15; ++i)
            decimali[nDecimali++] = cifre[i];
    } else {
        intera[nIntera++] = '0';
        for (int i = 1; i < -esponente; ++i)
            decimali[nDecimali++] = '0';
        for (char c : cifre)
            decimali[nDecimali++] = c;
    }
    return Componi(negativo, {intera, nIntera}, SenzaZeriFinali({decimali, nDecimali}), raggruppa);
}

// Text of the exact value valore / 10^decimali, computed on the integer digits only.
QString TestoScalato(std::int64_t valore, int decimali, bool raggruppa) {
    const bool negativo = valore < 0;
    const std::uint64_t modulo =
        negativo ? 0 - static_cast<std::uint64_t>(valore) : static_cast<std::uint64_t>(valore);
    char cifre[32];
    const int zeri = decimali + 1; // at least one whole digit
    char* p = std::to_chars(cifre + zeri, cifre + sizeof cifre, modulo).ptr;
    // Right-align the digits so that there are more than `decimali` of them.
    char* inizio = cifre + zeri;
    while (p - inizio < zeri)
        *--inizio = '0';
    const std::string_view tutte(inizio, p - inizio);
    const std::string_view intera = tutte.substr(0, tutte.size() - decimali);
    const std::string_view frazione = tutte.substr(tutte.size() - decimali);
    return Componi(negativo && modulo != 0, intera, SenzaZeriFinali(frazione), raggruppa);
}

// The number forms: the value is numeratore / 10^decimali.
struct Forma {
    std::int64_t numeratore;
    int decimali;
};

Forma ValoreForma(int forma, int d1, int d2, int d3, int d4) {
    const int due = 10 * d1 + d2;
    const int tre = 100 * d1 + 10 * d2 + d3;
    const int quattro = 1000 * d1 + 100 * d2 + 10 * d3 + d4;
    switch (forma) {
    case 1:
        return {d1, 0};
    case 2:
        return {10 * d1, 0};
    case 3:
        return {100 * d1, 0};
    case 4:
        return {due, 0};
    case 5:
        return {100 + 10 * d2 + d1, 0}; // 100 is added, not multiplied by d1
    case 6:
        return {tre, 0};
    case 7:
        return {d1, 1};
    case 8:
        return {d1, 2};
    case 9:
        return {d1, 3};
    case 10:
        return {due, 2};
    case 11:
        return {10000 * d1 + d2, 3}; // 10 * d1 + d2 / 1000: only d2 is divided
    case 12:
        return {tre, 3};
    case 13:
        return {due, 1};
    case 14:
        return {tre, 2};
    case 15:
        return {quattro, 3};
    case 16:
        return {tre, 1};
    case 17:
        return {quattro, 2};
    default:
        return {quattro, 1}; // 18
    }
}

// The symbol pairs: indices of the larger and the smaller unit in Simbolo, and the power
// of ten between them.
struct Coppia {
    int maggiore;
    int minore;
    int zeri;
};

constexpr Coppia Coppie[7] = {{0, 0, 0}, {1, 2, 1}, {1, 3, 2}, {1, 4, 3},
                              {2, 3, 1}, {2, 4, 2}, {3, 4, 1}};

} // namespace

int Estrai(FonteCasuale& fonte, int n, int base) {
    const double k = std::floor(n * static_cast<double>(fonte.Rnd()));
    if (!(k >= 0)) return base; // negative or NaN
    // Held below n before the conversion, so an infinite draw never reaches the cast.
    return static_cast<int>(std::min<double>(k, n - 1)) + base;
}

QString FormattaNumero(double x, Avvisi* avvisi) {
    // The whole part must fit a signed 32-bit integer; NaN fails both comparisons.
    if (!(x >= -2147483648.0 && x < 2147483648.0)) {
        if (avvisi)
            avvisi->Errore(QStringLiteral("Errore di overflow"),
                           QStringLiteral("Numero troppo grande!"));
        return {};
    }
    return TestoDouble(x, true);
}

QString TestoDecimale(double x) {
    if (!std::isfinite(x)) return {};
    return TestoDouble(x, false);
}

QString TestoFisso(Fisso4 valore) {
    return TestoScalato(valore, 4, false);
}

QString FormattaFisso(Fisso4 valore) {
    return TestoScalato(valore, 4, true);
}

Problema GeneraProblema(const std::array<QString, 5>& simbolo, int numeroUnita, int ordineSimboli,
                        FonteCasuale& fonte) {
    fonte.Rimescola();

    Problema p;
    for (int i = 1; i <= 4; ++i)
        p.Cifra[i] = static_cast<std::uint8_t>(Estrai(fonte, 9, 1));
    p.FormaNumero = static_cast<std::int16_t>(Estrai(fonte, 18, 1));

    if (numeroUnita == 3)
        p.CoppiaSimboli = static_cast<std::int16_t>(Estrai(fonte, 3, 4));
    else if (numeroUnita == 4)
        p.CoppiaSimboli = static_cast<std::int16_t>(Estrai(fonte, 6, 1));

    const Forma forma = ValoreForma(p.FormaNumero, p.Cifra[1], p.Cifra[2], p.Cifra[3], p.Cifra[4]);
    p.ValoreNumero = forma.numeratore * Potenza10[4 - forma.decimali];
    p.NumeroTesto = FormattaFisso(p.ValoreNumero);

    bool versoDecrescente = true;
    switch (ordineSimboli) {
    case 1:
        versoDecrescente = true;
        break;
    case 2:
        versoDecrescente = false;
        break;
    case 3:
        p.Sorteggio = static_cast<std::int16_t>(Estrai(fonte, 2, 1));
        versoDecrescente = p.Sorteggio == 1;
        break;
    default:
        return p;
    }
    if (p.CoppiaSimboli < 1 || p.CoppiaSimboli > 6) return p;

    const Coppia& coppia = Coppie[p.CoppiaSimboli];
    if (versoDecrescente) {
        p.SimboloDa = simbolo[coppia.maggiore];
        p.SimboloA = simbolo[coppia.minore];
        p.RisultatoTesto = FormattaFisso(p.ValoreNumero * Potenza10[coppia.zeri]);
    } else {
        p.SimboloDa = simbolo[coppia.minore];
        p.SimboloA = simbolo[coppia.maggiore];
        // The quotient has up to 4 + 3 decimals; it is written from the same digits.
        p.RisultatoTesto = TestoScalato(p.ValoreNumero, 4 + coppia.zeri, false);
        p.SoluzioneTesto = p.RisultatoTesto;
    }
    return p;
}

bool StessoProblema(const Problema& a, const Problema& b) {
    return a.ValoreNumero == b.ValoreNumero && a.SimboloDa == b.SimboloDa &&
           a.SimboloA == b.SimboloA;
}

Problema GeneraProblema(const StatoProgramma& stato, FonteCasuale& fonte) {
    return GeneraProblema(stato.Simbolo, stato.NumeroUnita, stato.OrdineSimboli, fonte);
}

Problema GeneraProblemaNuovo(const std::array<QString, 5>& simbolo, int numeroUnita,
                             int ordineSimboli, FonteCasuale& fonte,
                             const std::function<bool(const Problema&)>& usato) {
    // A few thousand problems exist for every system and order, and a series or a sheet
    // holds at most 30: a repeat is rare, and a few draws always find a new one unless the
    // random source itself repeats, which the bound keeps from looping for ever.
    constexpr int Tentativi = 100;
    Problema p = GeneraProblema(simbolo, numeroUnita, ordineSimboli, fonte);
    for (int i = 1; i < Tentativi && usato && usato(p); ++i)
        p = GeneraProblema(simbolo, numeroUnita, ordineSimboli, fonte);
    return p;
}
