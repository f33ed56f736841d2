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
    QTest::newRow("decimal, plural, masculine") << 1 << "27,52"
                                                << " u "
                                                << " d "
                                                << "275,2"
                                                << "27,52 unità uguale quanti decimi?"
                                                << "27,52 unità uguale 275,2 quale unità?"
                                                << "27,52 unità uguale 275,2 decimi"
                                                << "d, decimi";
    QTest::newRow("three-unit system, feminine, singular of -aia")
        << 2 << "1"
        << "  h "
        << " da "
        << "10"
        << "1 centinaio uguale quante decine?"
        << "1 centinaio uguale 10 quale unità?"
        << "1 centinaio uguale 10 decine"
        << "da, decine";
    QTest::newRow("thousands, unità is feminine and has no singular")
        << 3 << "1"
        << "  u "
        << " uk "
        << "0,001"
        << "1 unità uguale quante migliaia?"
        << "1 unità uguale 0,001 quale unità?"
        << "1 unità uguale 0,001 migliaia"
        << "uk, migliaia";
    QTest::newRow("lengths, singular result") << 4 << "10"
                                              << " dm "
                                              << "  m "
                                              << "1"
                                              << "10 decimetri uguale quanti metri?"
                                              << "10 decimetri uguale 1 quale unità?"
                                              << "10 decimetri uguale 1 metro"
                                              << "m, metri";
    QTest::newRow("weights, the names line without a comma")
        << 9 << "3.270"
        << "   g "
        << "  kg "
        << "3,27"
        << "3.270 grammi uguale quanti chilogrammi?"
        << "3.270 grammi uguale 3,27 quale unità?"
        << "3.270 grammi uguale 3,27 chilogrammi"
        << "kg, chilogrammi";
    QTest::newRow("quintals and tonnes") << 10 << "1"
                                         << "  q "
                                         << "  t "
                                         << "0,1"
                                         << "1 quintale uguale quante tonnellate?"
                                         << "1 quintale uguale 0,1 quale unità?"
                                         << "1 quintale uguale 0,1 tonnellate"
                                         << "t, tonnellate";
    QTest::newRow("capacities, singular of -i") << 12 << "5"
                                                << "  hl "
                                                << "   l "
                                                << "500"
                                                << "5 ettolitri uguale quanti litri?"
                                                << "5 ettolitri uguale 500 quale unità?"
                                                << "5 ettolitri uguale 500 litri"
                                                << "l, litri";
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
