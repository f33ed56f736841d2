// Pads and the lines built from them: the record of the exercises done and the worksheet
// lines.

#include "generation/Spazi.h"

#include <QTest>

namespace {

QString B(int n) {
    return QString(n, u' ');
} // n blanks
QString P(int n) {
    return QString(n, u'.');
} // n dots

// The problem "3 m = ? dm".
Problema ProblemaMetri() {
    Problema p;
    p.NumeroTesto = "3";
    p.SimboloDa = "  m ";
    p.SimboloA = " dm ";
    p.RisultatoTesto = "30";
    return p;
}

// Plays the drill's moves on an exercise closed 12 seconds after it was shown: "N" / "S" a
// number / symbol problem, "E:x" a wrong reply x, "G:x" a right reply x, "P" the solution
// given by the program, "T:x" sets the number text.
EsercizioSvolto Esegui(const QStringList& passi) {
    EsercizioSvolto e;
    e.Dati = ProblemaMetri();
    e.SoluzioneTesto = "30";
    e.Secondi = 12;
    for (const QString& passo : passi) {
        const QString arg = passo.mid(2);
        switch (passo[0].unicode()) {
        case 'N':
            e.ChiedeSimbolo = false;
            break;
        case 'S':
            e.ChiedeSimbolo = true;
            break;
        case 'E':
            e.Tentativi.push_back({arg, false});
            break;
        case 'G':
            e.Tentativi.push_back({arg, true});
            break;
        case 'P':
            e.SoluzioneData = true;
            break;
        case 'T':
            e.Dati.NumeroTesto = arg;
            break;
        default:
            qFatal("unknown step");
        }
    }
    return e;
}

} // namespace

class TestSpazi : public QObject {
    Q_OBJECT

private slots:
    void pads_data();
    void pads();
    void righe_data();
    void righe();
    void schede_data();
    void schede();
};

// Every pad measured on one text: the widths 9 (number, result), 11 (reply, solution),
// 5 (symbols) and 66 (dots); the worksheet gap is always 38.
void TestSpazi::pads_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("in9");
    QTest::addColumn<int>("in11");
    QTest::addColumn<int>("in5");
    QTest::addColumn<int>("in66");

    QTest::newRow("vuoto") << "" << 9 << 11 << 5 << 66;
    QTest::newRow("1") << "3" << 8 << 10 << 4 << 65;
    QTest::newRow("simbolo di 4") << "  m " << 5 << 7 << 1 << 62;
    QTest::newRow("simbolo di 5") << " dam " << 4 << 6 << 0 << 61;
    QTest::newRow("simbolo di 6") << "  dam " << 3 << 5 << 0 << 60;
    QTest::newRow("8") << "0,000001" << 1 << 3 << 0 << 58;
    QTest::newRow("9") << "999.900,5" << 0 << 2 << 0 << 57;
    QTest::newRow("10") << "0,12345678" << 0 << 1 << 0 << 56;
    QTest::newRow("11") << "1.234.567,8" << 0 << 0 << 0 << 55;
    QTest::newRow("12") << "123456789012" << 0 << 0 << 0 << 54;
    QTest::newRow("65") << QString(65, u'x') << 0 << 0 << 0 << 1;
    QTest::newRow("66") << QString(66, u'x') << 0 << 0 << 0 << 0;
    QTest::newRow("70") << QString(70, u'x') << 0 << 0 << 0 << 0;
}

void TestSpazi::pads() {
    QFETCH(QString, testo);
    QFETCH(int, in9);
    QFETCH(int, in11);
    QFETCH(int, in5);
    QFETCH(int, in66);

    Problema p;
    p.NumeroTesto = p.RisultatoTesto = p.SimboloDa = p.SimboloA = testo;
    const Spazi spazi = PreparaSpazi(p, testo, testo, testo);
    QCOMPARE(spazi.SpazioNumero, B(in9));
    QCOMPARE(spazi.SpazioRisultato, B(in9));
    QCOMPARE(spazi.SpazioRisposta, B(in11));
    QCOMPARE(spazi.SpazioSoluzione, B(in11));
    QCOMPARE(spazi.SpazioDa, B(in5));
    QCOMPARE(spazi.SpazioA, B(in5));
    QCOMPARE(spazi.Puntini, P(in66));
    QCOMPARE(spazi.SpazioScheda, B(38));
}

void TestSpazi::righe_data() {
    QTest::addColumn<QStringList>("passi");
    QTest::addColumn<QString>("riga");
    QTest::addColumn<int>("colonna"); // where " s." starts, -1 when absent

    const QString numero = B(8) + "3" + B(1) + "  m " + " = ..." + B(1) + " dm " + "  r. ";
    const QString simbolo = B(8) + "3" + B(1) + "  m " + " = " + B(7) + "30" + "..." + " r.";
    QCOMPARE(numero.size(), 30);
    QCOMPARE(simbolo.size(), 32);

    QTest::newRow("numero aperto") << QStringList{"N"} << numero << -1;
    QTest::newRow("simbolo aperto") << QStringList{"S"} << simbolo << -1;
    QTest::newRow("esatta al primo colpo")
        << QStringList{"N", "G:30"} << numero + B(9) + "30" + "  " + P(36) + " s. 12" << 79;
    QTest::newRow("esatta dopo due errate")
        << QStringList{"N", "E:25", "E:300", "G:30"}
        << numero + B(9) + "25* " + B(8) + "300* " + B(9) + "30  " + P(10) + " s. 12" << 79;
    QTest::newRow("simbolo esatto dopo due errate")
        << QStringList{"S", "E:cm", "E:mm", "G:dm"}
        << simbolo + B(9) + "cm* " + B(9) + "mm* " + B(9) + "dm  " + P(8) + " s. 12" << 79;
    QTest::newRow("soluzione del programma")
        << QStringList{"N", "E:25", "E:300", "E:3", "P"}
        << numero + B(9) + "25* " + B(8) + "300* " + B(10) + "3* " + "  30 s 12" << -1;
    QTest::newRow("risposta di 11") << QStringList{"N", "G:1234567,891"}
                                    << numero + "1234567,891" + "  " + P(36) + " s. 12" << 79;
    QTest::newRow("risposta di 12 sposta la colonna")
        << QStringList{"N", "G:1234567,8912"} << numero + "1234567,8912" + "  " + P(36) + " s. 12"
        << 80;
    QTest::newRow("numero di 9") << QStringList{"T:999.900,5", "N", "G:30"}
                                 << "999.900,5" + B(1) + "  m " + " = ..." + B(1) + " dm " +
                                        "  r. " + B(9) + "30  " + P(36) + " s. 12"
                                 << 79;
    QTest::newRow("numero di 11 allunga la riga")
        << QStringList{"T:1.234.567,8", "N"}
        << "1.234.567,8" + B(1) + "  m " + " = ..." + B(1) + " dm " + "  r. " << -1;
    const QString x34(34, u'x');
    QTest::newRow("riga di 66, niente puntini")
        << QStringList{"N", "E:" + x34, "G:30"} << numero + x34 + "* " + B(9) + "30  " + " s. 12"
        << 79;
    QTest::newRow("riga di 69, niente puntini")
        << QStringList{"N", "E:1234567,891", "E:1234567,891", "E:1234567,891", "G:30"}
        << numero + "1234567,891* 1234567,891* 1234567,891* " + B(9) + "30  " + " s. 12" << 82;
}

void TestSpazi::righe() {
    QFETCH(QStringList, passi);
    QFETCH(QString, riga);
    QFETCH(int, colonna);

    const QString fatta = RigaEsercizio(Esegui(passi));
    QCOMPARE(fatta, riga);
    QCOMPARE(fatta.indexOf(" s."), colonna);
}

void TestSpazi::schede_data() {
    QTest::addColumn<bool>("trovaSimbolo");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("risultato");
    QTest::addColumn<QString>("esercizio");
    QTest::addColumn<QString>("soluzione");

    const auto riga = [](const char* nome, bool simbolo, const char* numero, const char* da,
                         const char* a, const char* risultato, const QString& esercizio,
                         const char* soluzione) {
        QTest::newRow(nome) << simbolo << QString(numero) << QString(da) << QString(a)
                            << QString(risultato) << esercizio << QString(soluzione);
    };
    riga("numero", false, "3,45", "  m ", " mm ", "3.450",
         B(5) + "3,45" + B(1) + "  m " + "= " + B(38) + B(1) + " mm ", "(r.3.450)");
    riga("numero, simboli di 5", false, "0,001", "   m ", "  hm ", "0,00001",
         B(4) + "0,001" + "   m " + "= " + B(38) + "  hm ", "(r.0,00001)");
    riga("numero, risultato di 8", false, "0,001", " mm ", "  m ", "0,000001",
         B(4) + "0,001" + B(1) + " mm " + "= " + B(38) + B(1) + "  m ", "(r.0,000001)");
    riga("simbolo", true, "3", "  m ", " dm ", "30",
         B(8) + "3" + B(1) + "  m " + "= " + B(7) + "30" + " ... ", "(r.dm)");
    riga("simbolo di 5", true, "999,9", "   m ", " dam ", "99,99",
         B(4) + "999,9" + "   m " + "= " + B(4) + "99,99" + " ... ", "(r.dam)");
}

void TestSpazi::schede() {
    QFETCH(bool, trovaSimbolo);
    QFETCH(QString, numero);
    QFETCH(QString, da);
    QFETCH(QString, a);
    QFETCH(QString, risultato);
    QFETCH(QString, esercizio);
    QFETCH(QString, soluzione);

    Problema p;
    p.NumeroTesto = numero;
    p.SimboloDa = da;
    p.SimboloA = a;
    p.RisultatoTesto = risultato;
    const RigaScheda riga = trovaSimbolo ? RigaSchedaSimbolo(p) : RigaSchedaNumero(p);

    const QString atteso = soluzione.mid(3, soluzione.size() - 4);
    QCOMPARE(riga.Esercizio, esercizio);
    // The solution follows the line, right-aligned in 11 before "(r.".
    QCOMPARE(riga.Soluzione, esercizio + B(qMax(0, 11 - int(atteso.size()))) + soluzione);
}

QTEST_APPLESS_MAIN(TestSpazi)
#include "tst_Spazi.moc"
