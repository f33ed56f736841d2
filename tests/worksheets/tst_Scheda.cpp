// Worksheets: their lines built with the real generator and line builders, the preview
// that decides what prints, the printed page and the texts of the set-up screen.

#include "app/FonteCasualeSistema.h"
#include "worksheets/Scheda.h"

#include "generation/Algoritmi.h"
#include "start/Catalogo.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"

#include <QTest>

#include <limits>

namespace {

QString B(int n) {
    return QString(n, u' ');
}

// A metre system in the middle of a drill series, "3 m = ? dm" on line 20, with the start
// screen's choices made.
StatoProgramma StatoInSerie() {
    StatoProgramma s;
    s.Livello = 4;
    SceltaSimboli(s);
    ScegliTipo(s, 0);
    ScegliOrdine(s, 1);
    for (int k = 1; k <= 20; ++k) {
        EsercizioSvolto e;
        e.Dati.NumeroTesto = QString::number(k);
        e.Dati.SimboloDa = "  m ";
        e.Dati.SimboloA = " dm ";
        e.Dati.RisultatoTesto = e.SoluzioneTesto = QString::number(10 * k);
        s.Registro.Esercizi.push_back(e);
    }
    return s;
}

// Plays the set-up screen's moves: "T:i" kind, "O:i" order, "N:i" count (button i),
// "C" build, "A" / "D" preview of the pupils' / teachers' sheet.
bool Esegui(Scheda& scheda, const StatoProgramma& stato, const QStringList& passi) {
    FonteCasualeSistema fonte;
    bool costruita = false;
    for (const QString& passo : passi) {
        const int i = passo.mid(2).toInt();
        switch (passo[0].unicode()) {
        case 'T':
            ScegliTipoEsercizio(scheda, i);
            break;
        case 'O':
            ScegliOrdineSimboli(scheda, i);
            break;
        case 'N':
            ScegliNumeroProblemi(scheda, i);
            break;
        case 'C':
            costruita = CostruisciScheda(scheda, stato, fonte);
            break;
        case 'A':
            VisualizzaScheda(scheda, SchedaAlunni);
            break;
        case 'D':
            VisualizzaScheda(scheda, SchedaDocenti);
            break;
        }
    }
    return costruita;
}

int RigheMostrate(const Scheda& scheda) {
    int n = 0;
    for (const QString& r : scheda.RigaStampa)
        n += r.isEmpty() ? 0 : 1;
    return n;
}

} // namespace

class TestScheda : public QObject {
    Q_OBJECT

private slots:
    void righe_data();
    void righe();
    void flusso_data();
    void flusso();
    void pagina_data();
    void pagina();
};

// One line script repeated 30 times: every line must come out the same, with one problem
// per line (and one draw of the kind per line for kind 3) whatever the count asked.
void TestScheda::righe_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("ordine");
    QTest::addColumn<QList<float>>("copione");
    QTest::addColumn<QString>("esercizio");
    QTest::addColumn<QString>("soluzione");

    // 12,3 from the digits 1 2 3 4 in form 16; pair 1 is m / dm.
    const QList<float> daMaggiore = FonteCasualeFinta::Problema({1, 2, 3, 4}, 16, 4, 1);
    const QString numeroMdm = B(5) + "12,3" + B(1) + "  m " + "= " + B(38) + B(1) + " dm ";
    const QString simboloMdm = B(5) + "12,3" + B(1) + "  m " + "= " + B(6) + "123" + " ... ";
    const QString numeroDmM = B(5) + "12,3" + B(1) + " dm " + "= " + B(38) + B(1) + "  m ";
    const QString simboloDmM = B(5) + "12,3" + B(1) + " dm " + "= " + B(5) + "1,23" + " ... ";

    QTest::newRow("numero, da maggiore")
        << 1 << 1 << daMaggiore << numeroMdm << numeroMdm + B(8) + "(r.123)";
    QTest::newRow("simbolo, da maggiore")
        << 2 << 1 << daMaggiore << simboloMdm << simboloMdm + B(9) + "(r.dm)";
    QTest::newRow("numero, da minore")
        << 1 << 2 << daMaggiore << numeroDmM << numeroDmM + B(7) + "(r.1,23)";
    QTest::newRow("simbolo, da minore")
        << 2 << 2 << daMaggiore << simboloDmM << simboloDmM + B(10) + "(r.m)";
    QTest::newRow("numero o simbolo: numero")
        << 3 << 1 << daMaggiore + QList<float>{FonteCasualeFinta::Per(1, 2, 1)} << numeroMdm
        << numeroMdm + B(8) + "(r.123)";
    QTest::newRow("numero o simbolo: simbolo, versi sorteggiati")
        << 3 << 3
        << FonteCasualeFinta::Problema({1, 2, 3, 4}, 16, 4, 1, 2) +
               QList<float>{FonteCasualeFinta::Per(2, 2, 1)}
        << simboloDmM << simboloDmM + B(10) + "(r.m)";
    // A faulty source's kind draw is held to the draw's range, as every draw is (Estrai):
    // NaN and below give "numero", 1 and above "simbolo"; nothing is cast out of range.
    const auto tipoGuasto = [&](float r) { return daMaggiore + QList<float>{r}; };
    QTest::newRow("numero o simbolo: NaN")
        << 3 << 1 << tipoGuasto(std::numeric_limits<float>::quiet_NaN()) << numeroMdm
        << numeroMdm + B(8) + "(r.123)";
    QTest::newRow("numero o simbolo: -infinito")
        << 3 << 1 << tipoGuasto(-std::numeric_limits<float>::infinity()) << numeroMdm
        << numeroMdm + B(8) + "(r.123)";
    QTest::newRow("numero o simbolo: +infinito")
        << 3 << 1 << tipoGuasto(std::numeric_limits<float>::infinity()) << simboloMdm
        << simboloMdm + B(9) + "(r.dm)";
    QTest::newRow("numero o simbolo: 1e30")
        << 3 << 1 << tipoGuasto(1e30f) << simboloMdm << simboloMdm + B(9) + "(r.dm)";
}

void TestScheda::righe() {
    QFETCH(int, tipo);
    QFETCH(int, ordine);
    QFETCH(QList<float>, copione);
    QFETCH(QString, esercizio);
    QFETCH(QString, soluzione);

    // Lengths of a 4-character number's line: 59 / 74 to find the number, 30 / 45 to find
    // the symbol.
    QCOMPARE(esercizio.size(), esercizio.contains("...") ? 30 : 59);
    QCOMPARE(soluzione.size(), esercizio.size() + 15);

    const StatoProgramma stato = StatoInSerie();
    Scheda scheda = NuovaScheda(stato);
    ScegliNumeroProblemi(scheda, 0); // 10 asked
    ScegliTipoEsercizio(scheda, tipo - 1);
    ScegliOrdineSimboli(scheda, ordine - 1);
    // The same problem scripted twice: a sheet never holds a problem twice, so line 2 is
    // drawn again.
    FonteCasualeFinta fonte;
    fonte.Aggiungi(copione);
    fonte.Aggiungi(copione);

    QVERIFY(CostruisciScheda(scheda, stato, fonte));
    QCOMPARE(fonte.Restanti(), 0);
    QVERIFY(fonte.OltreIlCopione() > 0);
    QCOMPARE(scheda.Esercizio[1], esercizio);
    QCOMPARE(scheda.Soluzione[1], soluzione);
    QVERIFY(scheda.Esercizio[2] != esercizio);
    for (int i = 1; i <= RigheScheda; ++i)
        QVERIFY(scheda.Soluzione[i].startsWith(scheda.Esercizio[i]));
    // The drill's record and the start screen's choices are untouched.
    const StatoProgramma atteso = StatoInSerie();
    QVERIFY(stato.Registro == atteso.Registro);
    QVERIFY(stato.TipoEsercizio == 1 && stato.OrdineSimboli == 2);

    // The preview shows the count asked: the problems, or the problems with solutions.
    VisualizzaScheda(scheda, SchedaAlunni);
    QCOMPARE(scheda.RigaStampa[1], esercizio);
    QCOMPARE(scheda.RigaStampa[10], scheda.Esercizio[10]);
    QCOMPARE(scheda.RigaStampa[11], QString());
    VisualizzaScheda(scheda, SchedaDocenti);
    QCOMPARE(scheda.RigaStampa[1], soluzione);
    QCOMPARE(RigheMostrate(scheda), 10);
}

void TestScheda::flusso_data() {
    QTest::addColumn<int>("tipoIniziale"); // kind and order left by the start screen
    QTest::addColumn<int>("ordineIniziale");
    QTest::addColumn<QStringList>("passi");
    QTest::addColumn<bool>("costruita");
    QTest::addColumn<bool>("alunni"); // printable
    QTest::addColumn<bool>("docenti");
    QTest::addColumn<int>("righe"); // lines of the preview

    QTest::newRow("scelte della schermata iniziale")
        << 2 << 3 << QStringList{"C", "A"} << true << true << false << 30;
    QTest::newRow("nessun ordine")
        << 0 << 0 << QStringList{"T:1", "C", "A"} << false << false << false << 0;
    QTest::newRow("anteprima docenti")
        << 0 << 0 << QStringList{"T:0", "O:1", "C", "D"} << true << false << true << 30;
    QTest::newRow("20 prima di costruire")
        << 0 << 0 << QStringList{"N:1", "T:2", "O:2", "C", "A"} << true << true << false << 20;
    QTest::newRow("numero cambiato dopo l'anteprima")
        << 0 << 0 << QStringList{"T:0", "O:0", "C", "A", "N:0"} << true << false << false << 0;
    QTest::newRow("scheda ricostruita dopo l'anteprima")
        << 0 << 0 << QStringList{"T:0", "O:0", "C", "D", "C"} << true << false << false << 0;
    QTest::newRow("pulsante inesistente")
        << 0 << 0 << QStringList{"T:0", "O:0", "N:3", "T:7", "O:-1", "C", "A"} << true << true
        << false << 30;
}

void TestScheda::flusso() {
    QFETCH(int, tipoIniziale);
    QFETCH(int, ordineIniziale);
    QFETCH(QStringList, passi);
    QFETCH(bool, costruita);
    QFETCH(bool, alunni);
    QFETCH(bool, docenti);
    QFETCH(int, righe);

    StatoProgramma stato = StatoInSerie();
    stato.TipoEsercizio = static_cast<std::int16_t>(tipoIniziale);
    stato.OrdineSimboli = static_cast<std::int16_t>(ordineIniziale);
    Scheda scheda = NuovaScheda(stato);
    QCOMPARE(Esegui(scheda, stato, passi), costruita);
    QCOMPARE(SchedaStampabile(scheda, SchedaAlunni), alunni);
    QCOMPARE(SchedaStampabile(scheda, SchedaDocenti), docenti);
    QCOMPARE(RigheMostrate(scheda), righe);
    for (int i = 1; i <= RigheScheda; ++i)
        QCOMPARE(scheda.Esercizio[i].isEmpty(), !costruita);
}

// The page for each count and sheet, in several unit systems: the level line must fit one
// 8-pt line of an A4 or Letter page (about 11 000 twips wide, 96 twips a character).
void TestScheda::pagina_data() {
    QTest::addColumn<int>("bottone"); // count button: 10, 20, 30 problems
    QTest::addColumn<int>("tipoScheda");
    QTest::addColumn<int>("livello");
    QTest::addColumn<QString>("livelloTesto");

    QTest::newRow("10 alunni, metri") << 0 << 1 << 4
                                      << "SISTEMA METRICO - MISURE DI LUNGHEZZA: metri, decimetri, "
                                         "centimetri, millimetri";
    QTest::newRow("20 docenti, tre unità")
        << 1 << 2 << 5 << "SISTEMA METRICO - MISURE DI LUNGHEZZA: ettometri, decametri, metri";
    QTest::newRow("30 alunni, testo più lungo")
        << 2 << 1 << 10
        << "SISTEMA METRICO - MISURE DI PESO: tonnellate, quintali, miriagrammi, chilogrammi";
    QTest::newRow("30 docenti, decimale")
        << 2 << 2 << 3 << "SISTEMA DECIMALE: migliaia, centinaia, decine, unità";
}

void TestScheda::pagina() {
    QFETCH(int, bottone);
    QFETCH(int, tipoScheda);
    QFETCH(int, livello);
    QFETCH(QString, livelloTesto);

    StatoProgramma stato = StatoInSerie();
    stato.Livello = static_cast<std::int16_t>(livello);
    SceltaSimboli(stato);
    stato.NomeProgramma = "decimetra";
    Scheda scheda = NuovaScheda(stato);
    Esegui(scheda, stato,
           {"T:0", "O:1", QStringLiteral("N:%1").arg(bottone), "C",
            tipoScheda == 1 ? QStringLiteral("A") : QStringLiteral("D")});
    const int n = 10 * (bottone + 1);
    const double punti = tipoScheda == 1 ? 14 : 12;
    const Pagina p = PaginaScheda(scheda, stato);

    QCOMPARE(p.testi.size(), 2 + n + 3);
    struct Atteso {
        int x, y;
        double punti;
        QString testo;
    };
    QList<Atteso> attesi = {
        {1000, 1000, 14, "Nome e cognome"},
        {1000, 1500, 12, "Classe ________   Data ____________"},
    };
    const int yBlocchi[] = {2000,  2400,  2800,  3200,  3600,  4000,  4400,  4800,  5200,  5600,
                            6400,  6800,  7200,  7600,  8000,  8400,  8800,  9200,  9600,  10000,
                            10900, 11300, 11700, 12100, 12500, 12900, 13300, 13700, 14100, 14500};
    const auto& righe = tipoScheda == 1 ? scheda.Esercizio : scheda.Soluzione;
    for (int i = 1; i <= n; ++i)
        attesi.append({500, yBlocchi[i - 1], punti, righe[i]});
    attesi.append({1000, 15100, 8, "Trova il numero - Da simbolo maggiore a simbolo minore"});
    attesi.append({1000, 15300, 8, "Livello di difficoltà: " + livelloTesto});
    attesi.append({1000, 15500, 8,
                   tipoScheda == 1 ? "Scheda per alunni stampata con decimetra"
                                   : "Scheda per docenti stampata con decimetra"});
    QVERIFY(1000 + 96 * attesi[attesi.size() - 2].testo.size() <= 11000);

    for (int i = 0; i < attesi.size(); ++i) {
        const TestoPagina& t = p.testi[i];
        QCOMPARE(t.x, attesi[i].x);
        QCOMPARE(t.y, attesi[i].y);
        QCOMPARE(t.punti, attesi[i].punti);
        QCOMPARE(t.testo, attesi[i].testo);
        QVERIFY(!t.testo.isEmpty());
        QCOMPARE(t.famiglia, "Courier New");
        QCOMPARE(t.colore, 0);
        QVERIFY(!t.grassetto);
    }
}

QTEST_APPLESS_MAIN(TestScheda)
#include "tst_Scheda.moc"
