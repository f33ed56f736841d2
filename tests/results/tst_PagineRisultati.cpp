// The printout of the exercises done, the grades and the certificate, as page data.

#include "results/Attestato.h"
#include "results/Interlinea.h"
#include "results/PaginaEsercizi.h"

#include "generation/Spazi.h"

#include <QTest>

namespace {

using Posizioni = QList<QPoint>; // (k, y) pairs; x is checked apart

constexpr std::int32_t Nero = 0;
constexpr std::int32_t Rosso = 255;

DatiAttestato Dati(const QString& nome, int esatte, int esercizi) {
    DatiAttestato d;
    d.NomeAlunno = nome;
    d.EsatteTotale = esatte;
    d.IndiceEsercizio = esercizi;
    d.TestoOrdine = QStringLiteral("Da simbolo maggiore a simbolo minore");
    d.Data = DataBreve(QDate(2024, 3, 5));
    return d;
}

} // namespace

class TestPagineRisultati : public QObject {
    Q_OBJECT

private slots:
    void registro_data();
    void registro();
    void giudizi_data();
    void giudizi();
    void attestato_data();
    void attestato();
};

// Record lines: k -> y for the placed lines, the header always above them.
void TestPagineRisultati::registro_data() {
    QTest::addColumn<QString>("famiglia");
    QTest::addColumn<int>("indice");
    QTest::addColumn<int>("righe");        // record lines expected on the page
    QTest::addColumn<Posizioni>("attese"); // (k, y) with x 500

    QTest::newRow("serie di 20") << "Courier New" << 20 << 20
                                 << Posizioni{{1, 2000},  {2, 2400},  {10, 5600},
                                              {11, 6400}, {19, 9600}, {20, 10000}};
    QTest::newRow("3 righe, Courier")
        << "Courier" << 3 << 3 << Posizioni{{1, 2000}, {2, 2400}, {3, 2800}};
    QTest::newRow("30 righe") << "Courier New" << 30 << 30 << Posizioni{{21, 10900}, {30, 14500}};
    QTest::newRow("nessuna") << "Courier New" << 0 << 0 << Posizioni{};
    QTest::newRow("31 righe") << "Courier New" << 31 << 31 << Posizioni{{30, 14500}};
    QTest::newRow("60 righe") << "Courier New" << 60 << 60 << Posizioni{};
}

void TestPagineRisultati::registro() {
    QFETCH(QString, famiglia);
    QFETCH(int, indice);
    QFETCH(int, righe);
    QFETCH(Posizioni, attese);

    StatoProgramma s;
    for (int k = 1; k <= indice; ++k) {
        EsercizioSvolto e;
        e.Dati.NumeroTesto = QString::number(k);
        s.Registro.Esercizi.push_back(e);
    }
    const Pagina p = PaginaEsercizi(s, famiglia);

    QCOMPARE(p.testi.size(), 2 + righe);
    const TestoPagina& t1 = p.testi[0];
    const TestoPagina& t2 = p.testi[1];
    QCOMPARE(t1.testo, "SCUOLA ELEMENTARE DI ");
    QCOMPARE(t2.testo, "Ordina i numeri in modo crescente");
    for (const TestoPagina& t : {t1, t2}) {
        QCOMPARE(t.x, 1000);
        QCOMPARE(t.punti, 16.0);
        QVERIFY(!t.grassetto);
    }
    QCOMPARE(t1.y, 1000);
    // One 16-pt line lower: about 1.13 em of 320 twips.
    QCOMPARE(t2.y - t1.y, AltezzaRiga(famiglia, 16));

    for (int k = 1; k <= righe; ++k) {
        const TestoPagina& t = p.testi[1 + k];
        QCOMPARE(t.testo, RigaEsercizio(s.Registro.Esercizi[k - 1]));
        QCOMPARE(t.famiglia, famiglia);
        QCOMPARE(t.punti, 10.0);
        QVERIFY(t.grassetto);
        QCOMPARE(t.colore, Nero);
        QCOMPARE(t.larghezza, 0);
        QVERIFY(t.y > t2.y);
        if (k <= 30) {
            QCOMPARE(t.x, 500);
        } else {
            // Past the placed lines: the left edge, one 10-pt line below the previous one.
            QCOMPARE(t.x, 0);
            QCOMPARE(t.y - p.testi[k].y, AltezzaRiga(famiglia, 10));
            QVERIFY(t.y - p.testi[k].y > 200 && t.y - p.testi[k].y < 260);
        }
    }
    for (const QPoint& kv : attese)
        QCOMPARE(p.testi[1 + kv.x()].y, kv.y());
}

void TestPagineRisultati::giudizi_data() {
    QTest::addColumn<int>("esatte");
    QTest::addColumn<int>("esercizi");
    QTest::addColumn<int>("voto");
    QTest::addColumn<QString>("giudizio");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("nomeScritto");

    QTest::newRow("20 su 20") << 20 << 20 << 10 << "OTTIMO"
                              << "mARIO"
                              << "Mario";
    QTest::newRow("19 su 20") << 19 << 20 << 9 << "OTTIMO"
                              << "a"
                              << "A";
    QTest::newRow("17 su 20") << 17 << 20 << 8 << "DISTINTO"
                              << ""
                              << "";
    QTest::newRow("15 su 20") << 15 << 20 << 7 << "BUONO"
                              << "LUCIA"
                              << "Lucia";
    QTest::newRow("13 su 20") << 13 << 20 << 6 << "SUFFICIENTE"
                              << "èlla"
                              << "Èlla";
    QTest::newRow("11 su 20") << 11 << 20 << 5 << "SUFFICIENTE (!)"
                              << "anna maria"
                              << "Anna maria";
    QTest::newRow("10 su 20") << 10 << 20 << 5 << "SUFFICIENTE (!)"
                              << "x"
                              << "X";
    QTest::newRow("9 su 20") << 9 << 20 << 4 << "Non classificato"
                             << "x"
                             << "X";
    QTest::newRow("3 su 4") << 3 << 4 << 7 << "BUONO"
                            << "x"
                            << "X";
    QTest::newRow("nessun esercizio") << 0 << 0 << 0 << "Non classificato"
                                      << "x"
                                      << "X";
}

void TestPagineRisultati::giudizi() {
    QFETCH(int, esatte);
    QFETCH(int, esercizi);
    QFETCH(int, voto);
    QFETCH(QString, giudizio);
    QFETCH(QString, nome);
    QFETCH(QString, nomeScritto);

    QCOMPARE(Voto(esatte, esercizi), voto);
    QCOMPARE(GiudizioSerie(esatte, esercizi), giudizio);
    const bool stampabile = voto >= 5;
    QCOMPARE(AttestatoStampabile(giudizio), stampabile);
    QCOMPARE(DidascaliaStampaAttestato(stampabile),
             stampabile ? "STAMPA L'ATTESTATO" : "ATTESTATO NON STAMPABILE");
    QCOMPARE(NomeAttestato(nome), nomeScritto);
}

// The certificate rows: text, size, bold, colour, in order from the top.
void TestPagineRisultati::attestato_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("righe");

    const QStringList comuni = {"DIPLOMA DI MERITO", "RILASCIATO A"};
    const QStringList coda = {"per aver eseguito",
                              "  Da simbolo maggiore a simbolo minore",
                              "con la valutazione di",
                              "BUONO",
                              "con 15 risposte esatte su 20 richieste",
                              "Data  05/03/24"};
    QTest::newRow("con nome") << "gIULIA" << comuni + QStringList{"Giulia"} + coda;
    QTest::newRow("senza nome") << "" << comuni + coda;
}

void TestPagineRisultati::attestato() {
    QFETCH(QString, nome);
    QFETCH(QStringList, righe);

    struct Stile {
        double punti;
        bool grassetto;
        std::int32_t colore;
        int dopo; // down to the next text, when the name is drawn
    };
    const int a12 = AltezzaRiga("Arial", 12);
    const int a14 = AltezzaRiga("Arial", 14);
    const int a20 = AltezzaRiga("Arial", 20);
    const QHash<QString, Stile> stili = {
        {"DIPLOMA DI MERITO", {20, true, Rosso, a20}},
        {"RILASCIATO A", {20, true, Nero, 2 * a20}},
        {"Giulia", {20, true, Rosso, 2 * a20}},
        {"per aver eseguito", {12, false, Nero, 2 * a12}},
        {"  Da simbolo maggiore a simbolo minore", {12, false, Nero, 2 * a12 + 2 * a14}},
        {"con la valutazione di", {14, false, Nero, 2 * a14}},
        {"BUONO", {14, true, Rosso, 2 * a14}},
        {"con 15 risposte esatte su 20 richieste", {12, false, Nero, 4 * a12}},
        {"Data  05/03/24", {12, false, Nero, a12}},
    };

    const Pagina p = DisegnoAttestato(Dati(nome, 15, 20));
    QCOMPARE(p.testi.size(), righe.size());
    int yPrecedente = 5 * 195 - 1; // five empty 8.25-pt lines come first
    for (int i = 0; i < righe.size(); ++i) {
        const TestoPagina& t = p.testi[i];
        QCOMPARE(t.testo, righe[i]);
        QVERIFY(stili.contains(t.testo));
        const Stile st = stili[t.testo];
        QCOMPARE(t.famiglia.toLower(), "arial");
        QCOMPARE(t.punti, st.punti);
        QCOMPARE(t.grassetto, st.grassetto);
        QCOMPARE(t.colore, st.colore);
        QCOMPARE(t.x, 0);
        QCOMPARE(t.larghezza, LarghezzaAttestato);
        QVERIFY2(t.y > yPrecedente, qPrintable(t.testo));
        yPrecedente = t.y;
        if (!nome.isEmpty() && i + 1 < righe.size()) QCOMPARE(p.testi[i + 1].y - t.y, st.dopo);
    }
    QCOMPARE(p.testi.first().y, 5 * 195);
    // The empty name keeps its line: the rows below do not move up.
    const Pagina conNome = DisegnoAttestato(Dati(QStringLiteral("x"), 15, 20));
    QCOMPARE(p.testi.last().y, conNome.testi.last().y);
    // Everything fits inside the drawing.
    QVERIFY(p.testi.last().y + AltezzaRiga("Arial", 12) <= AltezzaAttestato);
    for (const RiquadroPagina& r : p.riquadri) {
        QVERIFY(r.x >= 0 && r.y >= 0);
        QVERIFY(r.x + r.larghezza <= LarghezzaAttestato);
        QVERIFY(r.y + r.altezza <= AltezzaAttestato);
    }

    // The printout is the same drawing at (1000, 100).
    const Pagina stampa = StampaAttestato(Dati(nome, 15, 20));
    QCOMPARE(stampa.testi.size(), p.testi.size());
    QCOMPARE(stampa.riquadri.size(), p.riquadri.size());
    for (int i = 0; i < p.testi.size(); ++i) {
        TestoPagina atteso = p.testi[i];
        atteso.x += 1000;
        atteso.y += 100;
        QCOMPARE(stampa.testi[i], atteso);
    }
    for (int i = 0; i < p.riquadri.size(); ++i) {
        QCOMPARE(stampa.riquadri[i].x, p.riquadri[i].x + 1000);
        QCOMPARE(stampa.riquadri[i].y, p.riquadri[i].y + 100);
    }
}

QTEST_APPLESS_MAIN(TestPagineRisultati)
#include "tst_PagineRisultati.moc"
