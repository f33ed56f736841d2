#include "start/Catalogo.h"

#include <QTest>

class TestCatalogo : public QObject {
    Q_OBJECT

private slots:
    void vociDelCatalogo_data();
    void vociDelCatalogo();
    void livelloFuoriTabella_data();
    void livelloFuoriTabella();
    void ripetutaDaGliStessiTesti();
    void tipiEOrdini_data();
    void tipiEOrdini();
    void indiciFuoriGruppo();
    void passoDelLivello_data();
    void passoDelLivello();
    void menuSistema();
};

void TestCatalogo::vociDelCatalogo_data() {
    QTest::addColumn<int>("livello");
    QTest::addColumn<QStringList>("simboli");
    QTest::addColumn<int>("unita");
    QTest::addColumn<QString>("materia");
    QTest::addColumn<QString>("nomiUnita");
    QTest::addColumn<QString>("crescente");
    QTest::addColumn<QString>("decrescente");

    const QString dec = "TRASFORMAZIONI";
    const QString lun = "TRASFORMAZIONI MISURE DI LUNGHEZZA";
    const QString pes = "TRASFORMAZIONI MISURE DI PESO";
    const QString cap = "TRASFORMAZIONI MISURE DI CAPACITA'";
    QTest::newRow("1") << 1 << QStringList{" u ", " d ", " c ", " m "} << 4 << dec
                       << " unità,    decimi, centesimi, millesimi"
                       << " m   c   d   u "
                       << " u   d   c   m ";
    QTest::newRow("2") << 2 << QStringList{"    ", "  h ", " da ", "  u "} << 3 << dec
                       << "centinaia, decine, unità"
                       << "  u   da    h "
                       << "  h   da    u ";
    QTest::newRow("3") << 3 << QStringList{" uk ", "  h ", " da ", "  u "} << 4 << dec
                       << " migliaia,    centinaia, decine, unità"
                       << "  u   da    h   uk "
                       << " uk    h   da    u ";
    QTest::newRow("4") << 4 << QStringList{"  m ", " dm ", " cm ", " mm "} << 4 << lun
                       << " metri,    decimetri, centimetri, millimetri"
                       << " mm   cm   dm    m "
                       << "  m   dm   cm   mm ";
    QTest::newRow("5") << 5 << QStringList{"     ", "  hm ", " dam ", "   m "} << 3 << lun
                       << " ettometri, decametri, metri"
                       << "   m   dam    hm "
                       << "  hm   dam     m ";
    QTest::newRow("6") << 6 << QStringList{"  km ", "  hm ", " dam ", "   m "} << 4 << lun
                       << " chilometri,    ettometri, decametri, metri"
                       << "   m   dam    hm    km "
                       << "  km    hm   dam     m ";
    QTest::newRow("7") << 7 << QStringList{"  g ", " dg ", " cg ", " mg "} << 4 << pes
                       << " grammi,    decigrammi, centigrammi, milligrammi"
                       << " mg   cg   dg    g "
                       << "  g   dg   cg   mg ";
    QTest::newRow("8") << 8 << QStringList{"     ", "  hg ", " dag ", "   g "} << 3 << pes
                       << " ettogrammi, decagrammi, grammi"
                       << "   g   dag    hg "
                       << "  hg   dag     g ";
    QTest::newRow("9") << 9 << QStringList{"  kg ", "  hg ", " dag ", "   g "} << 4 << pes
                       << " chilogrammi    ettogrammi, decagrammi, grammi"
                       << "   g   dag    hg    kg "
                       << "  kg    hg   dag     g ";
    QTest::newRow("10") << 10 << QStringList{"  t ", "  q ", " Mg ", " kg "} << 4 << pes
                        << " tonnellate,    quintali, miriagrammi, chilogrammi"
                        << " kg   Mg    q    t "
                        << "  t    q   Mg   kg ";
    QTest::newRow("11") << 11 << QStringList{"  l ", " dl ", " cl ", " ml "} << 4 << cap
                        << " litri,    decilitri, centilitri, millilitri"
                        << " ml   cl   dl    l "
                        << "  l   dl   cl   ml ";
    QTest::newRow("12") << 12 << QStringList{"     ", "  hl ", " dal ", "   l "} << 3 << cap
                        << " ettolitri, decalitri, litri"
                        << "   l   dal    hl "
                        << "  hl   dal     l ";
}

void TestCatalogo::vociDelCatalogo() {
    QFETCH(int, livello);
    QFETCH(QStringList, simboli);
    QFETCH(int, unita);
    QFETCH(QString, materia);
    QFETCH(QString, nomiUnita);
    QFETCH(QString, crescente);
    QFETCH(QString, decrescente);

    StatoProgramma stato;
    stato.Livello = static_cast<std::int16_t>(livello);
    SceltaSimboli(stato);

    for (int k = 1; k <= 4; ++k)
        QCOMPARE(stato.Simbolo[k], simboli[k - 1]);
    QCOMPARE(stato.NumeroUnita, unita);
    const bool decimale = livello <= 3;
    QCOMPARE(stato.Catalogo.Titolo, decimale ? QString("SISTEMA DECIMALE:  trasformazioni")
                                             : QString("SISTEMA METRICO:  trasformazioni"));
    QCOMPARE(stato.Catalogo.Label6[0],
             decimale ? QString("SISTEMA DECIMALE ") : QString("SISTEMA METRICO"));
    QCOMPARE(stato.Catalogo.Label6[1], materia);
    QCOMPARE(stato.Catalogo.Label6[2], nomiUnita);
    QCOMPARE(stato.Catalogo.Option2[0], crescente);
    QCOMPARE(stato.Catalogo.Option2[1], decrescente);
    QCOMPARE(stato.Catalogo.Option2[2], QString("Tutti"));
}

void TestCatalogo::livelloFuoriTabella_data() {
    QTest::addColumn<int>("livello");
    QTest::newRow("0") << 0;
    QTest::newRow("13") << 13;
    QTest::newRow("-1") << -1;
    QTest::newRow("32767") << 32767;
}

void TestCatalogo::livelloFuoriTabella() {
    QFETCH(int, livello);

    // From the empty initial state nothing is filled in.
    StatoProgramma vuoto;
    vuoto.Livello = static_cast<std::int16_t>(livello);
    SceltaSimboli(vuoto);
    QCOMPARE(vuoto.NumeroUnita, 0);
    QVERIFY(vuoto.Simbolo[1].isEmpty() && vuoto.Simbolo[4].isEmpty());
    QVERIFY(vuoto.Catalogo.Titolo.isEmpty());

    // After system 5 the catalogue of system 5 stays in force.
    StatoProgramma stato;
    stato.Livello = 5;
    SceltaSimboli(stato);
    const auto simboli = stato.Simbolo;
    const QString titolo = stato.Catalogo.Titolo;
    const auto ordini = stato.Catalogo.Option2;
    stato.Livello = static_cast<std::int16_t>(livello);
    SceltaSimboli(stato);
    QCOMPARE(stato.Simbolo, simboli);
    QCOMPARE(stato.NumeroUnita, 3);
    QCOMPARE(stato.Catalogo.Titolo, titolo);
    QCOMPARE(stato.Catalogo.Option2, ordini);
}

void TestCatalogo::ripetutaDaGliStessiTesti() {
    StatoProgramma stato;
    stato.Livello = 4;
    SceltaSimboli(stato);
    const TestiCatalogo prima = stato.Catalogo;
    SceltaSimboli(stato);
    QCOMPARE(stato.Catalogo.Option2, prima.Option2);
    QCOMPARE(stato.Catalogo.Label6, prima.Label6);
}

void TestCatalogo::tipiEOrdini_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("testoTipo");
    QTest::addColumn<QString>("testoOrdine");
    QTest::newRow("0") << 0 << " Trova il numero"
                       << " Da simbolo minore a simbolo maggiore";
    QTest::newRow("1") << 1 << " Trova il simbolo"
                       << " Da simbolo maggiore a simbolo minore";
    QTest::newRow("2") << 2 << " Trova il numero o il simbolo"
                       << " Da simbolo maggiore a simbolo minore e viceversa";
}

void TestCatalogo::tipiEOrdini() {
    QFETCH(int, indice);
    QFETCH(QString, testoTipo);
    QFETCH(QString, testoOrdine);

    StatoProgramma stato;
    stato.Livello = 3;
    ScegliTipo(stato, indice);
    QCOMPARE(stato.TipoEsercizio, indice + 1);
    QCOMPARE(stato.TestoTipo, testoTipo);
    QCOMPARE(stato.Livello, 3); // choosing a kind leaves the system alone
    ScegliOrdine(stato, indice);
    QCOMPARE(stato.OrdineSimboli, indice + 1);
    QCOMPARE(stato.TestoOrdine, testoOrdine);
}

void TestCatalogo::indiciFuoriGruppo() {
    StatoProgramma stato;
    ScegliTipo(stato, 3);
    ScegliOrdine(stato, -1);
    QCOMPARE(stato.TipoEsercizio, 0);
    QVERIFY(stato.TestoTipo.isEmpty());
    QCOMPARE(stato.OrdineSimboli, 0);

    ScegliTipo(stato, 1);
    ScegliOrdine(stato, 2);
    ScegliTipo(stato, 7);
    ScegliOrdine(stato, 3);
    QCOMPARE(stato.TipoEsercizio, 2);
    QCOMPARE(stato.TestoTipo, QString(" Trova il simbolo"));
    QCOMPARE(stato.OrdineSimboli, 3);
}

void TestCatalogo::passoDelLivello_data() {
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("a");
    // Within the subject in force, wrapping; never from a metric system back to 1.
    const QList<QList<int>> giri{{1, 2, 3}, {4, 5, 6}, {7, 8, 9, 10}, {11, 12}};
    for (const QList<int>& giro : giri)
        for (qsizetype k = 0; k < giro.size(); ++k)
            QTest::addRow("%d", giro[k]) << giro[k] << giro[(k + 1) % giro.size()];
    QTest::newRow("0") << 0 << 1;
    QTest::newRow("13") << 13 << 1;
}

// The "Sistema" menu: subjects, captions (the unit names tidied) and systems, in
// catalogue order.
void TestCatalogo::menuSistema() {
    QStringList righe;
    for (const MateriaSistemi& materia : MenuSistema()) {
        righe << materia.Nome;
        for (const VoceSistema& voce : materia.Sistemi)
            righe << QStringLiteral("%1 %2").arg(voce.Livello).arg(voce.Didascalia);
    }
    QCOMPARE(righe, (QStringList{
                        "Sistema decimale",
                        "1 unità, decimi, centesimi, millesimi",
                        "2 centinaia, decine, unità",
                        "3 migliaia, centinaia, decine, unità",
                        "Misure di lunghezza",
                        "4 metri, decimetri, centimetri, millimetri",
                        "5 ettometri, decametri, metri",
                        "6 chilometri, ettometri, decametri, metri",
                        "Misure di peso",
                        "7 grammi, decigrammi, centigrammi, milligrammi",
                        "8 ettogrammi, decagrammi, grammi",
                        "9 chilogrammi, ettogrammi, decagrammi, grammi",
                        "10 tonnellate, quintali, miriagrammi, chilogrammi",
                        "Misure di capacità",
                        "11 litri, decilitri, centilitri, millilitri",
                        "12 ettolitri, decalitri, litri",
                    }));
}

void TestCatalogo::passoDelLivello() {
    QFETCH(int, da);
    QFETCH(int, a);
    QCOMPARE(LivelloSuccessivo(static_cast<std::int16_t>(da)), a);
}

QTEST_GUILESS_MAIN(TestCatalogo)
#include "tst_catalogo.moc"
