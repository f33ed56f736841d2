// The drill told in words, for every unit system of the catalogue: the sentences of a
// problem, of its solution and the names of the symbol keys.

#include "drill/Frasi.h"
#include "drill/Lodi.h"
#include "start/Catalogo.h"
#include "support/FonteCasualeFinta.h"

#include <QtTest>

class TestFrasi : public QObject {
    Q_OBJECT

private slots:
    void lodiMaiUgualiDiSeguito();
    void lodeDiFineSerie_data();
    void lodeDiFineSerie();
    void frasi_data();
    void frasi();
    void numeri_data();
    void numeri();
    void esercizioSvolto_data();
    void esercizioSvolto();
    void rigaDetta();
    void unisci();
};

void TestFrasi::frasi_data() {
    QTest::addColumn<int>("livello");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("risultato");
    QTest::addColumn<QString>("trovaNumero");
    QTest::addColumn<QString>("trovaSimbolo");
    QTest::addColumn<QString>("uguaglianza");
    QTest::addColumn<QString>("tastoA");

    // Symbols as the catalogue writes them, blanks included.
    QTest::newRow("decimal, plural, masculine")
        << 1 << "27,52"
        << " u "
        << " d "
        << "275,2"
        << "27 virgola cinque due unità uguale quanti decimi?"
        << "27 virgola cinque due unità uguale 275 virgola due quale unità?"
        << "27 virgola cinque due unità uguale 275 virgola due decimi"
        << "decimi";
    QTest::newRow("three-unit system, feminine, singular of -aia")
        << 2 << "1"
        << "  h "
        << " da "
        << "10"
        << "un centinaio uguale quante decine?"
        << "un centinaio uguale 10 quale unità?"
        << "un centinaio uguale 10 decine"
        << "decine";
    QTest::newRow("thousands, unità is feminine and has no singular")
        << 3 << "1"
        << "  u "
        << " uk "
        << "0,001"
        << "un'unità uguale quante migliaia?"
        << "un'unità uguale 0 virgola zero zero uno quale unità?"
        << "un'unità uguale 0 virgola zero zero uno migliaia"
        << "migliaia";
    QTest::newRow("lengths, singular result") << 4 << "10"
                                              << " dm "
                                              << "  m "
                                              << "1"
                                              << "10 decimetri uguale quanti metri?"
                                              << "10 decimetri uguale 1 quale unità?"
                                              << "10 decimetri uguale un metro"
                                              << "metri";
    QTest::newRow("weights, the names line without a comma")
        << 9 << "3.270"
        << "   g "
        << "  kg "
        << "3,27"
        << "3270 grammi uguale quanti chilogrammi?"
        << "3270 grammi uguale 3 virgola due sette quale unità?"
        << "3270 grammi uguale 3 virgola due sette chilogrammi"
        << "chilogrammi";
    QTest::newRow("quintals and tonnes") << 10 << "1"
                                         << "  q "
                                         << "  t "
                                         << "0,1"
                                         << "un quintale uguale quante tonnellate?"
                                         << "un quintale uguale 0 virgola uno quale unità?"
                                         << "un quintale uguale 0 virgola uno tonnellate"
                                         << "tonnellate";
    QTest::newRow("capacities, singular of -i") << 12 << "5"
                                                << "  hl "
                                                << "   l "
                                                << "500"
                                                << "5 ettolitri uguale quanti litri?"
                                                << "5 ettolitri uguale 500 quale unità?"
                                                << "5 ettolitri uguale 500 litri"
                                                << "litri";
}

void TestFrasi::frasi() {
    QFETCH(int, livello);
    QFETCH(QString, numero);
    QFETCH(QString, da);
    QFETCH(QString, a);
    QFETCH(QString, risultato);
    QFETCH(QString, trovaNumero);
    QFETCH(QString, trovaSimbolo);
    QFETCH(QString, uguaglianza);
    QFETCH(QString, tastoA);

    StatoProgramma stato;
    stato.Livello = static_cast<std::int16_t>(livello);
    SceltaSimboli(stato);
    QCOMPARE(FraseTrovaNumero(stato, numero, da, a), trovaNumero);
    QCOMPARE(FraseTrovaSimbolo(stato, numero, da, risultato), trovaSimbolo);
    QCOMPARE(FraseUguaglianza(stato, numero, da, risultato, a), uguaglianza);
    QCOMPARE(NomeTastoSimbolo(stato, a), tastoA);
    // Every symbol of the system has a name of its own; a blank key says so.
    QSet<QString> nomi;
    for (int k = 1; k <= 4; ++k) {
        if (stato.Simbolo[k].trimmed().isEmpty()) {
            QCOMPARE(NomeTastoSimbolo(stato, stato.Simbolo[k]), QStringLiteral("nessun simbolo"));
            continue;
        }
        const QString nome = NomeUnita(stato, stato.Simbolo[k]);
        QVERIFY2(nome != stato.Simbolo[k].trimmed(), qPrintable(nome));
        nomi.insert(nome);
    }
    QCOMPARE(nomi.size(), stato.NumeroUnita);
}

// Numbers as a teacher says them: the whole part as one number (a speech engine reads "20"
// as "venti"), the decimals digit by digit, never "tremillesimi".
void TestFrasi::numeri_data() {
    QTest::addColumn<QString>("scritto");
    QTest::addColumn<QString>("detto");
    QTest::newRow("zeros inside the decimals") << "20,003"
                                               << "20 virgola zero zero tre";
    QTest::newRow("no whole part") << "0,004"
                                   << "0 virgola zero zero quattro";
    QTest::newRow("zeros at the end") << "105,250"
                                      << "105 virgola due cinque zero";
    QTest::newRow("thousands together") << "3.270"
                                        << "3270";
    QTest::newRow("millions and decimals") << "1.000.000,5"
                                           << "1000000 virgola cinque";
    QTest::newRow("a comma still alone") << "27,"
                                         << "27 virgola";
    QTest::newRow("in a sentence, its full stop kept")
        << "Risposta: 3.270,05. Soluzione: 27,. Tempo totale: 45 secondi."
        << "Risposta: 3270 virgola zero cinque. Soluzione: 27 virgola. Tempo totale: 45 "
           "secondi.";
    QTest::newRow("a comma between words stays") << "Esatto, 12 su 20, bravo"
                                                 << "Esatto, 12 su 20, bravo";
    QTest::newRow("said twice, unchanged") << "20 virgola zero zero tre chilogrammi"
                                           << "20 virgola zero zero tre chilogrammi";
}

void TestFrasi::numeri() {
    QFETCH(QString, scritto);
    QFETCH(QString, detto);
    QCOMPARE(NumeriDetti(scritto), detto);
    if (!scritto.contains(u' ')) QCOMPARE(NumeroDetto(scritto), detto);
    // A quantity of a weight, its unit by name.
    StatoProgramma stato;
    stato.Livello = 9;
    SceltaSimboli(stato);
    QCOMPARE(Quantita(stato, QStringLiteral("0,004"), QStringLiteral(" kg")),
             QStringLiteral("0 virgola zero zero quattro chilogrammi"));
}

// The record's exercises told for the printout window.
void TestFrasi::esercizioSvolto_data() {
    QTest::addColumn<bool>("simbolo");
    QTest::addColumn<QStringList>("risposte"); // every reply tried, the last one right or not
    QTest::addColumn<bool>("ultimaEsatta");
    QTest::addColumn<bool>("soluzione");
    QTest::addColumn<QString>("detto");
    QTest::newRow("right after a wrong reply")
        << false << QStringList{"7", "20,03"} << true << false
        << "Esercizio 3: 2 virgola zero zero tre metri uguale quanti decimetri? Risposta "
           "errata: 7. Risposta esatta: 20 virgola zero tre, in 1 secondo.";
    QTest::newRow("symbol, solved by the program")
        << true << QStringList{"  m ", " cm ", " mm "} << false << true
        << "Esercizio 3: 2 virgola zero zero tre metri uguale 20 virgola zero tre quale unità? "
           "Risposte errate: metri, centimetri, millimetri. Soluzione del programma: "
           "decimetri, dopo 1 secondo.";
    QTest::newRow("still open")
        << false << QStringList{} << false << false
        << "Esercizio 3: 2 virgola zero zero tre metri uguale quanti decimetri? Non ancora "
           "risolto.";
}

void TestFrasi::esercizioSvolto() {
    QFETCH(bool, simbolo);
    QFETCH(QStringList, risposte);
    QFETCH(bool, ultimaEsatta);
    QFETCH(bool, soluzione);
    QFETCH(QString, detto);
    StatoProgramma stato;
    stato.Livello = 4;
    SceltaSimboli(stato);
    EsercizioSvolto e;
    e.Dati.NumeroTesto = QStringLiteral("2,003");
    e.Dati.SimboloDa = QStringLiteral("  m ");
    e.Dati.SimboloA = QStringLiteral(" dm ");
    e.Dati.RisultatoTesto = QStringLiteral("20,03");
    e.ChiedeSimbolo = simbolo;
    e.SoluzioneTesto = simbolo ? QStringLiteral(" dm ") : QStringLiteral("20,03");
    for (const QString& r : risposte)
        e.Tentativi.push_back({r, false});
    if (ultimaEsatta) e.Tentativi.back().Esatta = true;
    e.SoluzioneData = soluzione;
    e.Secondi = 1;
    QCOMPARE(FraseEsercizioSvolto(stato, 3, e), detto);
}

// A sheet's line told in words: its blank, its symbols by name.
void TestFrasi::rigaDetta() {
    StatoProgramma stato;
    stato.Livello = 9;
    SceltaSimboli(stato);
    QCOMPARE(RigaDetta(stato, QStringLiteral("  3.270  g  = .........  kg")),
             QStringLiteral("3270 grammi uguale puntini chilogrammi"));
    QCOMPARE(RigaDetta(stato, QStringLiteral(" 0,004 kg =     4 ....")),
             QStringLiteral("0 virgola zero zero quattro chilogrammi uguale 4 puntini"));
    QCOMPARE(RigaDetta(stato, QStringLiteral("0,797 hg =  g (r.79,7)")),
             QStringLiteral("0 virgola sette nove sette ettogrammi uguale grammi risposta 79 "
                            "virgola sette"));
}

void TestFrasi::unisci() {
    QCOMPARE(Unisci({"Errato", "Ti aiuto ?"}), QStringLiteral("Errato. Ti aiuto ?"));
    QCOMPARE(Unisci({"Esatto", "Serie finita.", "", "Fine?", "Sì"}),
             QStringLiteral("Esatto. Serie finita. Fine? Sì"));
    QCOMPARE(Unisci({}), QString());
}

// Whatever the draws, even the same value again and again or the edges of [0, 1), two
// praises in a row differ, and every praise of the list comes out.
void TestFrasi::lodiMaiUgualiDiSeguito() {
    QList<float> copione{0.0f, 0.0f, 0.0f, 0.9999f, 0.9999f, 0.5f, 0.5f, 0.5f};
    for (int i = 0; i < 200; ++i)
        copione << float((i * 37) % 100) / 100.0f;
    FonteCasualeFinta fonte(copione);
    Lodi lodi;
    QSet<QString> dette;
    QString prima;
    for (int i = 0; i < copione.size(); ++i) {
        const QString lode = lodi.Prossima(fonte);
        QVERIFY2(lode != prima, qPrintable(lode));
        QVERIFY(Lodi::Elenco().contains(lode));
        dette << lode;
        prima = lode;
    }
    QCOMPARE(dette.size(), Lodi::Elenco().size());
}

void TestFrasi::lodeDiFineSerie_data() {
    QTest::addColumn<int>("esatte");
    QTest::addColumn<QString>("lode");
    QTest::newRow("20") << 20 << "Serie finita: 20 risposte esatte su 20. Perfetto!";
    QTest::newRow("16") << 16 << "Serie finita: 16 risposte esatte su 20. Ottimo lavoro!";
    QTest::newRow("15") << 15 << "Serie finita: 15 risposte esatte su 20. Bravo!";
    QTest::newRow("10") << 10 << "Serie finita: 10 risposte esatte su 20. Bravo!";
    QTest::newRow("1")
        << 1 << "Serie finita: 1 risposta esatta su 20. Continua ad allenarti: migliorerai!";
    QTest::newRow("0")
        << 0 << "Serie finita: 0 risposte esatte su 20. Continua ad allenarti: migliorerai!";
}

void TestFrasi::lodeDiFineSerie() {
    QFETCH(int, esatte);
    QTEST(Lodi::FineSerie(esatte, 20), "lode");
}

QTEST_APPLESS_MAIN(TestFrasi)
#include "tst_Frasi.moc"
