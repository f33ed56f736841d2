// The problem generator: number forms, symbol pairs, directions, inputs outside their
// ranges, the spread of the real random source, and an exhaustive exactness check.

#include "app/FonteCasualeSistema.h"
#include "generation/Algoritmi.h"
#include "start/Catalogo.h"
#include "support/FonteCasualeFinta.h"

#include <QSet>
#include <QTest>

#include <limits>
#include <optional>

namespace {

// A number text read back exactly as mantissa / 10^decimali: digits, "." between groups
// (skipped), at most one ",". Anything else, an exponent form included, is unreadable;
// the layout itself is checked against the formatter.
struct Letto {
    qint64 mantissa = 0;
    int decimali = 0;
};

std::optional<Letto> Leggi(QStringView testo) {
    Letto l;
    bool virgola = false;
    for (QChar c : testo) {
        if (c == u',' && !virgola) {
            virgola = true;
        } else if (c >= u'0' && c <= u'9') {
            l.mantissa = l.mantissa * 10 + (c.unicode() - u'0');
            l.decimali += virgola ? 1 : 0;
        } else if (c != u'.' || virgola) {
            return std::nullopt;
        }
    }
    if (testo.isEmpty()) return std::nullopt;
    return l;
}

qint64 Pot10(int n) {
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

const std::array<QString, 5> Metri = {"", "  m ", " dm ", " cm ", " mm "};
const std::array<QString, 5> Ettometri = {"", "     ", "  hm ", " dam ", "   m "};

StatoProgramma Stato(int numeroUnita, int ordine) {
    StatoProgramma s;
    s.NumeroUnita = static_cast<std::int16_t>(numeroUnita);
    s.Simbolo = numeroUnita == 3 ? Ettometri : Metri;
    s.OrdineSimboli = static_cast<std::int16_t>(ordine);
    return s;
}

} // namespace

class TestGeneraProblema : public QObject {
    Q_OBJECT

private slots:
    void forme_data();
    void forme();
    void coppie_data();
    void coppie();
    void fuoriIntervallo_data();
    void fuoriIntervallo();
    void fonteDifettosa_data();
    void fonteDifettosa();
    void quattroUnita();
    void catalogo_data();
    void catalogo();
    void ordineTre();
    void raffica_data();
    void raffica();
    void fonteSistema();
    void esaustivo();
};

void TestGeneraProblema::forme_data() {
    QTest::addColumn<int>("forma");
    QTest::addColumn<QList<int>>("cifre");
    QTest::addColumn<QString>("numero");

    const QList<int> a = {1, 2, 3, 4};
    const QList<int> b = {9, 8, 7, 6};
    const char* conA[] = {"1",   "10",   "100",   "12",   "121",    "123",
                          "0,1", "0,01", "0,001", "0,12", "10,002", "0,123",
                          "1,2", "1,23", "1,234", "12,3", "12,34",  "123,4"};
    const char* conB[] = {"9",   "90",   "900",   "98",   "189",    "987",
                          "0,9", "0,09", "0,009", "0,98", "90,008", "0,987",
                          "9,8", "9,87", "9,876", "98,7", "98,76",  "987,6"};
    for (int f = 1; f <= 18; ++f) {
        QTest::addRow("forma %d, 1234", f) << f << a << QString(conA[f - 1]);
        QTest::addRow("forma %d, 9876", f) << f << b << QString(conB[f - 1]);
    }
    QTest::newRow("forma 5, 3 e 4") << 5 << QList<int>{3, 4, 1, 1} << "143";
    QTest::newRow("forma 11, 3 e 4") << 11 << QList<int>{3, 4, 1, 1} << "30,004";
    QTest::newRow("forma 18, tutti 9") << 18 << QList<int>{9, 9, 9, 9} << "999,9";
    QTest::newRow("forma 9, 1") << 9 << QList<int>{1, 9, 9, 9} << "0,001";
}

void TestGeneraProblema::forme() {
    QFETCH(int, forma);
    QFETCH(QList<int>, cifre);
    QFETCH(QString, numero);

    StatoProgramma s = Stato(4, 1);
    FonteCasualeFinta fonte(
        FonteCasualeFinta::Problema({cifre[0], cifre[1], cifre[2], cifre[3]}, forma, 4, 1));
    const Problema p = GeneraProblema(s, fonte);

    QCOMPARE(p.FormaNumero, forma);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(int(p.Cifra[i]), cifre[i - 1]);
    QCOMPARE(p.NumeroTesto, numero);
    const auto letto = Leggi(numero);
    QVERIFY(letto);
    QCOMPARE(p.ValoreNumero, letto->mantissa * Pot10(4 - letto->decimali));
}

void TestGeneraProblema::coppie_data() {
    QTest::addColumn<int>("numeroUnita");
    QTest::addColumn<int>("ordine");
    QTest::addColumn<int>("coppia");
    QTest::addColumn<int>("sorteggio"); // 0 when no direction is drawn
    QTest::addColumn<int>("forma");
    QTest::addColumn<QList<int>>("cifre");
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("risultato");

    const auto riga = [](const char* nome, int unita, int ordine, int coppia, int sorteggio,
                         int forma, QList<int> cifre, const char* da, const char* a,
                         const char* risultato) {
        QTest::newRow(nome) << unita << ordine << coppia << sorteggio << forma << cifre
                            << QString(da) << QString(a) << QString(risultato);
    };
    const QList<int> c = {3, 4, 5, 6}; // form 14: 3,45
    // Every pair of a four-unit system, larger to smaller then smaller to larger.
    riga("1 giu", 4, 1, 1, 0, 14, c, "  m ", " dm ", "34,5");
    riga("1 su", 4, 2, 1, 0, 14, c, " dm ", "  m ", "0,345");
    riga("2 giu", 4, 1, 2, 0, 14, c, "  m ", " cm ", "345");
    riga("2 su", 4, 2, 2, 0, 14, c, " cm ", "  m ", "0,0345");
    riga("3 giu", 4, 1, 3, 0, 14, c, "  m ", " mm ", "3.450");
    riga("3 su", 4, 2, 3, 0, 14, c, " mm ", "  m ", "0,00345");
    riga("4 giu", 4, 1, 4, 0, 14, c, " dm ", " cm ", "34,5");
    riga("4 su", 4, 2, 4, 0, 14, c, " cm ", " dm ", "0,345");
    riga("5 giu", 4, 1, 5, 0, 14, c, " dm ", " mm ", "345");
    riga("5 su", 4, 2, 5, 0, 14, c, " mm ", " dm ", "0,0345");
    riga("6 giu", 4, 1, 6, 0, 14, c, " cm ", " mm ", "34,5");
    riga("6 su", 4, 2, 6, 0, 14, c, " mm ", " cm ", "0,345");
    // Three units: the pair is drawn among 4..6 only.
    riga("tre, 4 giu", 3, 1, 4, 0, 1, c, "  hm ", " dam ", "30");
    riga("tre, 5 su", 3, 2, 5, 0, 1, c, "   m ", "  hm ", "0,03");
    riga("tre, 6 giu", 3, 1, 6, 0, 1, c, " dam ", "   m ", "30");
    // Both directions, drawn per problem.
    riga("sorteggio 1", 4, 3, 3, 1, 14, c, "  m ", " mm ", "3.450");
    riga("sorteggio 2", 4, 3, 3, 2, 14, c, " mm ", "  m ", "0,00345");
    // The examples of the generator and the longest expected texts.
    riga("999,9 x 1000", 4, 1, 3, 0, 18, QList<int>{9, 9, 9, 9}, "  m ", " mm ", "999.900");
    riga("0,001 / 1000", 4, 2, 3, 0, 9, QList<int>{1, 1, 1, 1}, " mm ", "  m ", "0,000001");
    riga("90,009 / 1000", 4, 2, 3, 0, 11, QList<int>{9, 9, 1, 1}, " mm ", "  m ", "0,090009");
    riga("3 m in dm", 4, 1, 1, 0, 1, c, "  m ", " dm ", "30");
    riga("30 dm in m", 4, 2, 1, 0, 2, c, " dm ", "  m ", "3");
    riga("30,004 x 100", 4, 1, 2, 0, 11, c, "  m ", " cm ", "3.000,4");
}

void TestGeneraProblema::coppie() {
    QFETCH(int, numeroUnita);
    QFETCH(int, ordine);
    QFETCH(int, coppia);
    QFETCH(int, sorteggio);
    QFETCH(int, forma);
    QFETCH(QList<int>, cifre);
    QFETCH(QString, da);
    QFETCH(QString, a);
    QFETCH(QString, risultato);

    StatoProgramma s = Stato(numeroUnita, ordine);
    FonteCasualeFinta fonte(FonteCasualeFinta::Problema({cifre[0], cifre[1], cifre[2], cifre[3]},
                                                        forma, numeroUnita, coppia, sorteggio));
    const Problema p = GeneraProblema(s, fonte);

    QCOMPARE(fonte.Rimescolamenti(), 1);
    QCOMPARE(fonte.Restanti(), 0); // every scripted draw used, none beyond
    QCOMPARE(fonte.OltreIlCopione(), 0);
    QCOMPARE(p.CoppiaSimboli, coppia);
    QCOMPARE(p.SimboloDa, da);
    QCOMPARE(p.SimboloA, a);
    QCOMPARE(p.RisultatoTesto, risultato);
    if (sorteggio != 0) QCOMPARE(p.Sorteggio, sorteggio);
    // Only the way towards the larger unit sets the solution.
    const bool versoMaggiore = ordine == 2 || sorteggio == 2;
    QCOMPARE(p.SoluzioneTesto, versoMaggiore ? risultato : QString());
}

void TestGeneraProblema::fuoriIntervallo_data() {
    QTest::addColumn<int>("numeroUnita");
    QTest::addColumn<int>("ordine");
    QTest::addColumn<bool>("conSorteggio");

    QTest::newRow("unita 0") << 0 << 1 << false;
    QTest::newRow("unita 5") << 5 << 2 << false;
    QTest::newRow("unita 0, ordine 3") << 0 << 3 << true;
    QTest::newRow("ordine 0") << 0 << 0 << false;
    QTest::newRow("ordine 4") << 0 << 4 << false;
    QTest::newRow("ordine -1") << 0 << -1 << false;
}

// Without a unit system or an order the problem has its number and nothing else: no pair,
// no symbols, no result that could belong to another problem.
void TestGeneraProblema::fuoriIntervallo() {
    QFETCH(int, numeroUnita);
    QFETCH(int, ordine);
    QFETCH(bool, conSorteggio);

    StatoProgramma s = Stato(4, ordine);
    s.NumeroUnita = static_cast<std::int16_t>(numeroUnita);
    // No pair is drawn for these unit counts.
    FonteCasualeFinta fonte(
        FonteCasualeFinta::Problema({2, 3, 4, 5}, 4, numeroUnita, 0, conSorteggio ? 2 : 0));
    const Problema p = GeneraProblema(s, fonte);

    QCOMPARE(fonte.Restanti(), 0);
    QCOMPARE(fonte.OltreIlCopione(), 0);
    QCOMPARE(p.NumeroTesto, QString("23")); // the number is always made
    QCOMPARE(p.CoppiaSimboli, 0);
    QCOMPARE(p.Sorteggio, conSorteggio ? 2 : 0);
    QVERIFY(p.SimboloDa.isEmpty() && p.SimboloA.isEmpty() && p.RisultatoTesto.isEmpty() &&
            p.SoluzioneTesto.isEmpty());
}

// A source that breaks its promise of [0, 1) still gives draws within their ranges.
void TestGeneraProblema::fonteDifettosa_data() {
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("cifra");
    QTest::addColumn<int>("forma");
    QTest::addColumn<int>("coppia");
    QTest::addColumn<int>("sorteggio");
    QTest::newRow("1") << 1.0f << 9 << 18 << 6 << 2;
    QTest::newRow("1e30") << 1e30f << 9 << 18 << 6 << 2;
    QTest::newRow("-0,5") << -0.5f << 1 << 1 << 1 << 1;
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 1 << 1 << 1 << 1;
}

void TestGeneraProblema::fonteDifettosa() {
    QFETCH(float, r);
    QFETCH(int, cifra);
    QFETCH(int, forma);
    QFETCH(int, coppia);
    QFETCH(int, sorteggio);
    StatoProgramma s = Stato(4, 3);
    FonteCasualeFinta fonte(QList<float>(7, r));
    const Problema p = GeneraProblema(s, fonte);
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(int(p.Cifra[k]), cifra);
    QCOMPARE(p.FormaNumero, forma);
    QCOMPARE(p.CoppiaSimboli, coppia);
    QCOMPARE(p.Sorteggio, sorteggio);
}

// With four units and the real source every pair, form and digit occurs, nothing else.
void TestGeneraProblema::quattroUnita() {
    StatoProgramma s = Stato(4, 3);
    FonteCasualeSistema fonte;
    QSet<int> coppie, forme, sorteggi;
    std::array<QSet<int>, 5> cifre;
    for (int i = 0; i < 3000; ++i) {
        const Problema p = GeneraProblema(s, fonte);
        coppie << p.CoppiaSimboli;
        forme << p.FormaNumero;
        sorteggi << p.Sorteggio;
        for (int k = 1; k <= 4; ++k)
            cifre[k] << p.Cifra[k];
    }
    QCOMPARE(coppie, (QSet<int>{1, 2, 3, 4, 5, 6}));
    QSet<int> diciotto;
    for (int f = 1; f <= 18; ++f)
        diciotto << f;
    QCOMPARE(forme, diciotto);
    QCOMPARE(sorteggi, (QSet<int>{1, 2}));
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(cifre[k], (QSet<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// On every system of the catalogue: with three units only pairs 4..6 occur and the blank
// first symbol is never used; with four units all six pairs occur.
void TestGeneraProblema::catalogo_data() {
    QTest::addColumn<int>("livello");
    for (int livello = 1; livello <= 12; ++livello)
        QTest::addRow("sistema %d", livello) << livello;
}

void TestGeneraProblema::catalogo() {
    QFETCH(int, livello);
    StatoProgramma s;
    s.Livello = static_cast<std::int16_t>(livello);
    SceltaSimboli(s);
    s.OrdineSimboli = 3;
    QVERIFY(s.NumeroUnita == 3 || s.NumeroUnita == 4);
    FonteCasualeSistema fonte;
    QSet<int> coppie;
    for (int i = 0; i < 1500; ++i) {
        const Problema p = GeneraProblema(s, fonte);
        coppie << p.CoppiaSimboli;
        QVERIFY2(!p.SimboloDa.trimmed().isEmpty() && !p.SimboloA.trimmed().isEmpty(),
                 qPrintable(QString("coppia %1").arg(p.CoppiaSimboli)));
    }
    const QSet<int> attese = s.NumeroUnita == 3 ? QSet<int>{4, 5, 6} : QSet<int>{1, 2, 3, 4, 5, 6};
    QCOMPARE(coppie, attese);
}

// Order 3 decides the direction per problem: both occur, each matching its draw.
void TestGeneraProblema::ordineTre() {
    StatoProgramma s = Stato(4, 3);
    FonteCasualeSistema fonte;
    int giu = 0;
    int su = 0;
    for (int i = 0; i < 20 * 10; ++i) {
        const Problema p = GeneraProblema(s, fonte);
        const auto indice = [&](const QString& simbolo) {
            return std::find(s.Simbolo.begin() + 1, s.Simbolo.end(), simbolo) - s.Simbolo.begin();
        };
        // Simbolo[1] is the largest unit: a lower index is a larger unit.
        if (p.Sorteggio == 1) {
            QVERIFY(indice(p.SimboloDa) < indice(p.SimboloA));
            ++giu;
        } else {
            QCOMPARE(p.Sorteggio, 2);
            QVERIFY(indice(p.SimboloDa) > indice(p.SimboloA));
            ++su;
        }
    }
    QVERIFY(giu > 50);
    QVERIFY(su > 50);
}

// Thirty calls in a burst (one worksheet) give thirty independently drawn problems, also
// when the clock does not move at all between them.
void TestGeneraProblema::raffica_data() {
    QTest::addColumn<bool>("orologioFermo");
    QTest::newRow("orologio vero") << false;
    QTest::newRow("orologio fermo") << true;
}

void TestGeneraProblema::raffica() {
    QFETCH(bool, orologioFermo);
    StatoProgramma s = Stato(4, 3);
    FonteCasualeSistema fonte(orologioFermo ? +[]() -> std::uint64_t { return 36'000'000'000'000; }
                                            : FonteCasualeSistema::OraDelGiornoSistema);
    QSet<QString> problemi;
    for (int i = 0; i < 30; ++i) {
        const Problema p = GeneraProblema(s, fonte);
        problemi << p.NumeroTesto + p.SimboloDa + p.SimboloA + QString::number(p.FormaNumero) +
                        QString::number(p.CoppiaSimboli) + QString::number(p.Cifra[1]) +
                        QString::number(p.Cifra[2]) + QString::number(p.Cifra[3]) +
                        QString::number(p.Cifra[4]);
    }
    QVERIFY2(problemi.size() >= 25, qPrintable(QString::number(problemi.size())));
}

// The real source: values in [0, 1) with a mean near one half; stirring never brings it
// back to an earlier state; two sources made at the same moment do not repeat each other.
void TestGeneraProblema::fonteSistema() {
    FonteCasualeSistema fonte;
    double somma = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = fonte.Rnd();
        QVERIFY(r >= 0.0f && r < 1.0f);
        somma += r;
    }
    QVERIFY(std::abs(somma / 100000 - 0.5) < 0.01);

    // Stirred twice with the same time of day, the source still does not come back.
    FonteCasualeSistema ferma(+[]() -> std::uint64_t { return 42; });
    QSet<float> dopoRimescola;
    for (int i = 0; i < 1000; ++i) {
        ferma.Rimescola();
        ferma.Rimescola();
        dopoRimescola << ferma.Rnd();
    }
    QVERIFY(dopoRimescola.size() > 990);

    FonteCasualeSistema a, b;
    QList<float> da, db;
    for (int i = 0; i < 4; ++i) {
        a.Rimescola();
        b.Rimescola();
        da << a.Rnd();
        db << b.Rnd();
    }
    QVERIFY(da != db);
}

// What is wrong with the problem just made, or an empty text: the number and the result
// must read back exactly, the result must be the number times (ordine 1) or divided by
// (ordine 2) the factor, and both texts must agree with the double formatter.
QString Difetto(const Problema& p, int ordine, qint64 fattore) {
    const QString problema = p.NumeroTesto + (ordine == 1 ? " x " : " : ") +
                             QString::number(fattore) + " -> " + p.RisultatoTesto;
    const auto n = Leggi(p.NumeroTesto);
    const auto r = Leggi(p.RisultatoTesto);
    if (!n || !r) return "unreadable: " + problema;
    if (n->mantissa * Pot10(4 - n->decimali) != p.ValoreNumero) return "value: " + problema;
    // r = n * f  or  r = n / f, cross-multiplied; every product stays below 10^15.
    const qint64 sinistra = r->mantissa * Pot10(n->decimali) * (ordine == 2 ? fattore : 1);
    const qint64 destra = n->mantissa * Pot10(r->decimali) * (ordine == 1 ? fattore : 1);
    if (sinistra != destra) return "inexact: " + problema;
    const double x = p.ValoreNumero / 10000.0;
    if (p.NumeroTesto != FormattaNumero(x)) return "number text: " + problema;
    const QString comeDouble =
        ordine == 1 ? FormattaNumero(x * fattore) : TestoDecimale(x / fattore);
    if (p.RisultatoTesto != comeDouble) return "result text: " + problema + " / " + comeDouble;
    return {};
}

// Every digit combination 1..9 x 18 forms x 6 pairs x 2 directions.
void TestGeneraProblema::esaustivo() {
    StatoProgramma s = Stato(4, 1);
    FonteCasualeFinta fonte;
    const qint64 fattore[] = {0, 10, 100, 1000, 10, 100, 10};
    QString piuLungo;
    const int casi = 9 * 9 * 9 * 9 * 18 * 6 * 2;
    for (int caso = 0; caso < casi; ++caso) {
        int k = caso;
        const int ordine = k % 2 + 1;
        k /= 2;
        const int coppia = k % 6 + 1;
        k /= 6;
        const int forma = k % 18 + 1;
        k /= 18;
        std::array<int, 4> cifre{};
        for (int& d : cifre) {
            d = k % 9 + 1;
            k /= 9;
        }
        s.OrdineSimboli = static_cast<std::int16_t>(ordine);
        fonte.Carica(FonteCasualeFinta::Problema(cifre, forma, 4, coppia));
        const Problema p = GeneraProblema(s, fonte);

        QCOMPARE(p.FormaNumero, forma);
        QCOMPARE(p.CoppiaSimboli, coppia);
        const QString difetto = Difetto(p, ordine, fattore[coppia]);
        QVERIFY2(difetto.isEmpty(), qPrintable(difetto));
        if (p.RisultatoTesto.size() > piuLungo.size()) piuLungo = p.RisultatoTesto;
    }
    qInfo("longest expected result: %s", qPrintable(piuLungo));
}

QTEST_APPLESS_MAIN(TestGeneraProblema)
#include "tst_GeneraProblema.moc"
