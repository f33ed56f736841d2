// The number formatter: decimal comma, "." between groups of three, no trailing zeros, no
// exponent form, and the overflow report through the message seam.

#include "generation/Algoritmi.h"
#include "support/AvvisiFinti.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestFormattaNumero : public QObject {
    Q_OBJECT

private slots:
    void formatta_data();
    void formatta();
    void troppoGrande_data();
    void troppoGrande();
    void troppoGrandeSenzaAvvisi();
    void testoDecimale_data();
    void testoDecimale();
    void testoFisso_data();
    void testoFisso();
    void fissoComeDouble();
};

void TestFormattaNumero::formatta_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("meno zero") << -0.0 << "0";
    QTest::newRow("mezzo") << 0.5 << "0,5";
    QTest::newRow("0,05") << 0.05 << "0,05";
    QTest::newRow("37") << 37.0 << "37";
    QTest::newRow("1000") << 1000.0 << "1.000";
    QTest::newRow("999,9") << 999.9 << "999,9";
    QTest::newRow("0,000001") << 0.000001 << "0,000001";
    QTest::newRow("999900") << 999900.0 << "999.900";
    QTest::newRow("1234,5") << 1234.5 << "1.234,5";
    QTest::newRow("12345,678") << 12345.678 << "12.345,678";
    QTest::newRow("un milione") << 1e6 << "1.000.000";
    QTest::newRow("100000") << 100000.0 << "100.000";
    // Binary forms that are not exact must not leak their tails.
    QTest::newRow("0,1+0,2") << 0.1 + 0.2 << "0,3";
    QTest::newRow("1,1*3") << 1.1 * 3 << "3,3";
    QTest::newRow("0,7+0,1") << 0.7 + 0.1 << "0,8";
    QTest::newRow("999,9*1000") << 999.9 * 1000 << "999.900";
    QTest::newRow("0,001/1000") << 0.001 / 1000 << "0,000001";
    QTest::newRow("30,004") << 30 + 4 / 1000.0 << "30,004";
    // A hair below an integer: the whole part follows the rounded digits.
    QTest::newRow("sotto 1") << std::nextafter(1.0, 0.0) << "1";
    QTest::newRow("sotto 1000") << std::nextafter(1000.0, 0.0) << "1.000";
    QTest::newRow("sopra 1000") << std::nextafter(1000.0, 2000.0) << "1.000";
    // 15 significant digits at most; very small values stay in plain notation.
    QTest::newRow("15 cifre") << 0.12345678901234567 << "0,123456789012346";
    QTest::newRow("1e-20") << 1e-20 << "0,00000000000000000001";
    QTest::newRow("1,5e-7") << 1.5e-7 << "0,00000015";
    QTest::newRow("1234567,891") << 1234567.891 << "1.234.567,891";
    // Negative values: the sign, then the text of the magnitude.
    QTest::newRow("-0,5") << -0.5 << "-0,5";
    QTest::newRow("-1234,5") << -1234.5 << "-1.234,5";
    QTest::newRow("-7") << -7.0 << "-7";
    QTest::newRow("-0,000001") << -0.000001 << "-0,000001";
    // The edges of the 32-bit whole part.
    QTest::newRow("INT32_MAX") << 2147483647.0 << "2.147.483.647";
    QTest::newRow("INT32_MAX,5") << 2147483647.5 << "2.147.483.647,5";
    QTest::newRow("INT32_MIN") << -2147483648.0 << "-2.147.483.648";
    QTest::newRow("INT32_MIN+0,5") << -2147483647.5 << "-2.147.483.647,5";
    QTest::newRow("16 bit") << 32768.0 << "32.768";
    QTest::newRow("-16 bit") << -32769.0 << "-32.769";
}

void TestFormattaNumero::formatta() {
    QFETCH(double, x);
    QFETCH(QString, atteso);
    AvvisiFinti avvisi;
    QCOMPARE(FormattaNumero(x, &avvisi), atteso);
    QVERIFY(avvisi.errori.isEmpty());
}

void TestFormattaNumero::troppoGrande_data() {
    QTest::addColumn<double>("x");

    QTest::newRow("2^31") << 2147483648.0;
    QTest::newRow("appena sotto 2^31") << std::nextafter(2147483648.0, 0.0);
    QTest::newRow("sotto INT32_MIN") << -2147483648.5;
    QTest::newRow("-2^31-1") << -2147483649.0;
    QTest::newRow("1e12") << 1e12;
    QTest::newRow("max double") << std::numeric_limits<double>::max();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("+inf") << std::numeric_limits<double>::infinity();
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
}

void TestFormattaNumero::troppoGrande() {
    QFETCH(double, x);
    AvvisiFinti avvisi;
    const QString testo = FormattaNumero(x, &avvisi);
    if (std::floor(x) == 2147483647.0) {
        // Just below 2^31 the whole part still fits: formatted, not reported.
        QCOMPARE(testo, QString("2.147.483.648"));
        QVERIFY(avvisi.errori.isEmpty());
        return;
    }
    QCOMPARE(testo, QString());
    QCOMPARE(avvisi.errori.size(), 1);
    QCOMPARE(avvisi.errori[0].first, QString("Errore di overflow"));
    QCOMPARE(avvisi.errori[0].second, QString("Numero troppo grande!"));
}

void TestFormattaNumero::troppoGrandeSenzaAvvisi() {
    QCOMPARE(FormattaNumero(1e300), QString());
    QCOMPARE(FormattaNumero(std::numeric_limits<double>::quiet_NaN()), QString());
}

void TestFormattaNumero::testoDecimale_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("senza gruppi") << 1234.5 << "1234,5";
    QTest::newRow("0,0000001") << 1e-7 << "0,0000001";
    QTest::newRow("0,000009") << 0.009 / 1000 << "0,000009";
    QTest::newRow("0,090009") << 90.009 / 1000 << "0,090009";
    QTest::newRow("0,1+0,2") << 0.1 + 0.2 << "0,3";
    QTest::newRow("negativo") << -0.25 << "-0,25";
    QTest::newRow("grande") << 1e20 << "100000000000000000000";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "";
}

void TestFormattaNumero::testoDecimale() {
    QFETCH(double, x);
    QFETCH(QString, atteso);
    QCOMPARE(TestoDecimale(x), atteso);
}

void TestFormattaNumero::testoFisso_data() {
    QTest::addColumn<qint64>("valore");
    QTest::addColumn<QString>("piano");
    QTest::addColumn<QString>("raggruppato");

    QTest::newRow("zero") << qint64(0) << "0"
                          << "0";
    QTest::newRow("1,5") << qint64(15000) << "1,5"
                         << "1,5";
    QTest::newRow("0,001") << qint64(10) << "0,001"
                           << "0,001";
    QTest::newRow("0,0001") << qint64(1) << "0,0001"
                            << "0,0001";
    QTest::newRow("9999") << qint64(99990000) << "9999"
                          << "9.999";
    QTest::newRow("999900") << qint64(9999000000) << "999900"
                            << "999.900";
    QTest::newRow("3000,4") << qint64(30004000) << "3000,4"
                            << "3.000,4";
    QTest::newRow("negativo") << qint64(-12345000) << "-1234,5"
                              << "-1.234,5";
    QTest::newRow("-0,0005") << qint64(-5) << "-0,0005"
                             << "-0,0005";
    QTest::newRow("INT64_MIN") << std::numeric_limits<qint64>::min() << "-922337203685477,5808"
                               << "-922.337.203.685.477,5808";
}

void TestFormattaNumero::testoFisso() {
    QFETCH(qint64, valore);
    QFETCH(QString, piano);
    QFETCH(QString, raggruppato);
    QCOMPARE(TestoFisso(valore), piano);
    QCOMPARE(FormattaFisso(valore), raggruppato);
}

// Every value with up to four decimals below 1 000 000 reads the same through the fixed
// path and through the double formatter.
void TestFormattaNumero::fissoComeDouble() {
    for (qint64 v = 0; v < 10000000000; v += 99989) {
        const double x = static_cast<double>(v) / 10000.0;
        QCOMPARE(FormattaFisso(v), FormattaNumero(x));
        QCOMPARE(TestoFisso(v), TestoDecimale(x));
    }
}

QTEST_APPLESS_MAIN(TestFormattaNumero)
#include "tst_FormattaNumero.moc"
