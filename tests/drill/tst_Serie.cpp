// The drill series without widgets: reply entry, checking, help, the program's solution,
// counters, times, record lines and the keyboard rules of the three key arrays.

#include "app/FonteCasualeSistema.h"
#include "app/OrologioSistema.h"
#include "drill/Serie.h"
#include "generation/Algoritmi.h"
#include "start/Catalogo.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(Pannello)
Q_DECLARE_METATYPE(Riga)

namespace {

const ProblemaFinto Metri{QStringLiteral("3"), QStringLiteral("  m "), QStringLiteral(" dm "),
                          QStringLiteral("30")};

// A series with the given kind and problems, started.
struct Banco {
    explicit Banco(QList<ProblemaFinto> problemi = {Metri}, int tipo = 1)
        : serie(stato, fonte, orologio, suono) {
        SistemaMetri(stato);
        stato.TipoEsercizio = static_cast<std::int16_t>(tipo);
        stato.OrdineSimboli = 1;
        stato.TestoOrdine = QStringLiteral(" ordine");
        stato.TestoTipo = QStringLiteral(" tipo");
        serie.ImpostaGeneratore(GeneratoreFinto(std::move(problemi)));
        serie.NuovaSerie();
    }

    // Keys of the keypad written as text: digits, "," and "C" for "Cancella".
    void Digita(const QString& tasti) {
        for (QChar c : tasti) {
            if (c == u',')
                serie.TastoPremuto(Serie::Virgola);
            else if (c == u'C')
                serie.TastoPremuto(Serie::Cancella);
            else
                serie.TastoPremuto(c.digitValue());
        }
    }

    // Types the expected number (the thousands dots come by themselves) and verifies.
    void RispondiNumero(const QString& testo) {
        Digita(QString(testo).remove(u'.'));
        serie.TastoPremuto(Serie::Verifica);
    }

    // One step of an exercise: R right reply, W wrong reply, N "NO", S "SI",
    // I "INTERVENGO IO", A "Avanti".
    void Passo(QChar passo) {
        const bool numero = serie.RigaAttiva() == Riga::Numero;
        switch (passo.unicode()) {
        case 'R':
            if (numero) {
                RispondiNumero(serie.SoluzioneTesto());
            } else {
                serie.SimboloPremuto(IndiceSimbolo(serie.SoluzioneTesto()));
                serie.SimboloPremuto(Serie::VerificaS);
            }
            break;
        case 'W':
            if (numero) {
                Digita(serie.SoluzioneTesto() == QStringLiteral("9") ? QStringLiteral("8")
                                                                     : QStringLiteral("9"));
                serie.TastoPremuto(Serie::Verifica);
            } else {
                const int giusto = IndiceSimbolo(serie.SoluzioneTesto());
                serie.SimboloPremuto(giusto == 3 ? 2 : 3);
                serie.SimboloPremuto(Serie::VerificaS);
            }
            break;
        case 'N':
            serie.AiutoPremuto(Serie::No);
            break;
        case 'S':
            serie.AiutoPremuto(Serie::Si);
            break;
        case 'I':
            serie.InterventoPremuto();
            break;
        case 'A':
            if (numero)
                serie.TastoPremuto(Serie::Avanti);
            else
                serie.SimboloPremuto(Serie::AvantiS);
            break;
        }
    }

    void Passi(const QString& passi) {
        for (QChar p : passi)
            Passo(p);
    }

    int IndiceSimbolo(const QString& simbolo) const {
        for (int i = 0; i < 4; ++i)
            if (stato.Simbolo[i + 1].trimmed() == simbolo) return i;
        return -1;
    }

    StatoProgramma stato;
    FonteCasualeFinta fonte;
    OrologioFinto orologio;
    SuonoFinto suono;
    Serie serie;
};

int Segni(const QString& riga) {
    return static_cast<int>(riga.count(QStringLiteral("* ")));
}

} // namespace

class TestSerie : public QObject {
    Q_OBJECT

private slots:
    void tastierino_data();
    void tastierino();
    void verifica_data();
    void verifica();
    void aiuto_data();
    void aiuto();
    void simboloSenzaSpazi();
    void simboloDopoNo();
    void simboloCancella();
    void sistemaATreUnita();
    void tipoTreSorteggiaOgniEsercizio();
    void tipoTreConFonteGuasta_data();
    void tipoTreConFonteGuasta();
    void fineSerie_data();
    void fineSerie();
    void annunci_data();
    void annunci();
    void dopoIlVentesimo();
    void ricomincia();
    void registroDellaSerie();
    void fineEAbbandono();
    void nessunProblemaDueVolte();
    void tempi_data();
    void tempi();
    void tempoDellaSoluzione();
    void tastiera_data();
    void tastiera();
    void tastieraAiutoEIntervento();
    void valoreRisposta_data();
    void valoreRisposta();
    void serieConIlGeneratore_data();
    void serieConIlGeneratore();
    void orologioDiSistema();
};

// ---------------------------------------------------------------------------------------

void TestSerie::tastierino_data() {
    QTest::addColumn<QString>("soluzione");
    QTest::addColumn<QString>("tasti");
    QTest::addColumn<QString>("risposta");
    QTest::addColumn<QString>("mostrata");
    QTest::addColumn<bool>("cancella");
    QTest::addColumn<bool>("verifica");

    QTest::newRow("0 0 7 -> 7") << "7"
                                << "007"
                                << "7"
                                << "7" << true << true;
    QTest::newRow("3 , 0 5 -> 3,05") << "7"
                                     << "3,05"
                                     << "3,05"
                                     << "3,05" << true << true;
    QTest::newRow("0 after the comma") << "7"
                                       << "0,0"
                                       << "0,0"
                                       << "0,0" << true << true;
    QTest::newRow("thousands while typing") << "7"
                                            << "1234"
                                            << "1.234"
                                            << "1.234" << true << true;
    QTest::newRow("999900") << "7"
                            << "999900"
                            << "999.900"
                            << "999.900" << true << true;
    QTest::newRow("eighth char cut") << "7"
                                     << "1,234567"
                                     << "1,23456"
                                     << "1,23456" << true << true;
    QTest::newRow("digit past 7 with grouping cut") << "7"
                                                    << "1234567"
                                                    << "123.456"
                                                    << "123.456" << true << true;
    QTest::newRow("comma past 7 cut") << "7"
                                      << "123456,"
                                      << "123.456"
                                      << "123.456" << true << true;
    QTest::newRow("8-char answer typable") << "0,000001"
                                           << "0,000001"
                                           << "0,000001"
                                           << "0,000001" << true << true;
    QTest::newRow("ninth char cut on 8-char answer") << "0,010001"
                                                     << "0,0100012"
                                                     << "0,010001"
                                                     << "0,010001" << true << true;
    QTest::newRow("second comma ignored") << "7"
                                          << "3,,5"
                                          << "3,5"
                                          << "3,5" << true << true;
    QTest::newRow("comma first by mouse") << "7"
                                          << ",5"
                                          << ",5"
                                          << ",5" << true << true;
    QTest::newRow("Cancella regroups") << "7"
                                       << "1234C"
                                       << "123"
                                       << "123" << true << true;
    QTest::newRow("Cancella removes comma") << "7"
                                            << "12,C"
                                            << "12"
                                            << "12" << true << true;
    QTest::newRow("Cancella to ?") << "7"
                                   << "5C"
                                   << ""
                                   << "?" << false << true;
    QTest::newRow("Cancella on empty reply") << "7"
                                             << "C"
                                             << ""
                                             << "?" << false << false;
    QTest::newRow("Cancella back with a new reply") << "7"
                                                    << "5C7"
                                                    << "7"
                                                    << "7" << true << true;
    // Checking writes ",709737" as "0,709737": the comma that opens a reply counts its zero.
    QTest::newRow("comma first counts its zero") << "7"
                                                 << ",709737"
                                                 << ",70973"
                                                 << ",70973" << true << true;
    QTest::newRow("Cancella corrects a later slip") << "7"
                                                    << "5C78C"
                                                    << "7"
                                                    << "7" << true << true;
}

void TestSerie::tastierino() {
    QFETCH(QString, soluzione);
    QFETCH(QString, tasti);
    QFETCH(QString, risposta);
    QFETCH(QString, mostrata);
    QFETCH(bool, cancella);
    QFETCH(bool, verifica);

    Banco b({{QStringLiteral("7"), QStringLiteral("  m "), QStringLiteral("  m "), soluzione}});
    QVERIFY(!b.serie.Option2()[Serie::Verifica]); // shut until a reply stands
    b.Digita(tasti);
    QCOMPARE(b.serie.RispostaTesto(), risposta);
    QCOMPARE(b.serie.Testi().LblRisultato, mostrata);
    QCOMPARE(b.serie.ConVirgola(), risposta.contains(u','));
    QCOMPARE(b.serie.Option2()[Serie::Cancella], cancella);
    QCOMPARE(b.serie.Option2()[Serie::Verifica], verifica);
    QVERIFY(b.serie.RispostaTesto().size() <= b.serie.LimiteRisposta());
    QCOMPARE(b.serie.MaxCifre(), 7);
    // The reply as checking writes it keeps to the limit too.
    if (verifica) {
        b.serie.TastoPremuto(Serie::Verifica);
        QVERIFY2(b.serie.RispostaTesto().size() <= b.serie.LimiteRisposta(),
                 qPrintable(b.serie.RispostaTesto()));
    }
}

void TestSerie::verifica_data() {
    QTest::addColumn<QString>("soluzione");
    QTest::addColumn<QString>("tasti");
    QTest::addColumn<bool>("esatto");
    QTest::addColumn<QString>("risposta"); // after normalising

    QTest::newRow("5,50 for 5,5") << "5,5"
                                  << "5,50" << true << "5,5";
    QTest::newRow("007 for 7") << "7"
                               << "007" << true << "7";
    QTest::newRow("trailing comma") << "3"
                                    << "3," << true << "3";
    QTest::newRow("comma first by mouse") << "0,5"
                                          << ",5" << true << "0,5";
    QTest::newRow("999.900") << "999.900"
                             << "999900" << true << "999.900";
    QTest::newRow("0,000001") << "0,000001"
                              << "0,000001" << true << "0,000001";
    QTest::newRow("0,010001") << "0,010001"
                              << "0,010001" << true << "0,010001";
    QTest::newRow("wrong number") << "70"
                                  << "7" << false << "7";
    QTest::newRow("empty reply is wrong") << "5"
                                          << "5C" << false << "";
    QTest::newRow("lone comma is wrong") << "0"
                                         << "," << false << ",";
}

void TestSerie::verifica() {
    QFETCH(QString, soluzione);
    QFETCH(QString, tasti);
    QFETCH(bool, esatto);
    QFETCH(QString, risposta);

    Banco b({{QStringLiteral("7"), QStringLiteral("  m "), QStringLiteral("  m "), soluzione}});
    b.Digita(tasti);
    b.serie.TastoPremuto(Serie::Verifica);
    QCOMPARE(b.serie.RispostaTesto(), risposta);
    QCOMPARE(b.serie.Testi().LblEsito,
             esatto ? QStringLiteral("Esatto") : QStringLiteral("Errato"));
    QCOMPARE(b.stato.Registro.EsatteTotale(), esatto ? 1 : 0);
    QCOMPARE(b.suono.suonati, esatto ? 1 : 0);
    QCOMPARE(b.stato.Registro.Esercizi[0].Tentativi.back().Esatta, esatto);
    QCOMPARE(b.serie.PannelloAttivo(), esatto ? Pannello::Tastierino : Pannello::Aiuto);
    QCOMPARE(b.serie.LineeVisibili(), !esatto);
    QVERIFY(RigaDi(b.stato, 1).endsWith(esatto ? QStringLiteral(" s. 0") : risposta + "* "));
}

// ---------------------------------------------------------------------------------------

void TestSerie::aiuto_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("passi");
    QTest::addColumn<Pannello>("pannello");
    QTest::addColumn<int>("esatte");
    QTest::addColumn<int>("errate");
    QTest::addColumn<int>("segni");       // "* " marks in the record line
    QTest::addColumn<int>("fuoco");       // key asked to take the focus
    QTest::addColumn<bool>("correzione"); // solution shown in the display row
    QTest::addColumn<bool>("linee");

    for (int tipo : {1, 2}) {
        const QByteArray k = tipo == 1 ? "number: " : "symbol: ";
        const int avanti = tipo == 1 ? Serie::Avanti : Serie::AvantiS;
        QTest::newRow(k + "right at first try")
            << tipo << "R" << (tipo == 1 ? Pannello::Tastierino : Pannello::Simboli) << 1 << 0 << 0
            << avanti << false << false;
        QTest::newRow(k + "wrong")
            << tipo << "W" << Pannello::Aiuto << 0 << 0 << 1 << 0 << false << true;
        QTest::newRow(k + "right after one NO")
            << tipo << "WNR" << (tipo == 1 ? Pannello::Tastierino : Pannello::Simboli) << 1 << 0
            << 1 << avanti << false << false;
        QTest::newRow(k + "right after two NO")
            << tipo << "WNWNR" << (tipo == 1 ? Pannello::Tastierino : Pannello::Simboli) << 1 << 0
            << 2 << avanti << false << false;
        QTest::newRow(k + "third NO")
            << tipo << "WNWNWN" << Pannello::Intervento << 0 << 0 << 3 << 0 << false << true;
        QTest::newRow(k + "INTERVENGO IO")
            << tipo << "WNWNWNI" << (tipo == 1 ? Pannello::Tastierino : Pannello::Simboli) << 0 << 1
            << 3 << avanti << true << true;
        QTest::newRow(k + "SI at first wrong reply")
            << tipo << "WS" << (tipo == 1 ? Pannello::Tastierino : Pannello::Simboli) << 0 << 1 << 1
            << avanti << true << true;
        QTest::newRow(k + "SI after one NO")
            << tipo << "WNWS" << (tipo == 1 ? Pannello::Tastierino : Pannello::Simboli) << 0 << 1
            << 2 << avanti << true << true;
    }
}

void TestSerie::aiuto() {
    QFETCH(int, tipo);
    QFETCH(QString, passi);
    QFETCH(Pannello, pannello);
    QFETCH(int, esatte);
    QFETCH(int, errate);
    QFETCH(int, segni);
    QFETCH(int, fuoco);
    QFETCH(bool, correzione);
    QFETCH(bool, linee);

    Banco b({Metri}, tipo);
    b.serie.RitiraFuoco();
    b.Passi(passi);

    QCOMPARE(b.serie.PannelloAttivo(), pannello);
    QCOMPARE(b.stato.Registro.EsatteTotale(), esatte);
    QCOMPARE(b.stato.Registro.ErrateTotale(), errate);
    QCOMPARE(b.suono.suonati, esatte);
    QCOMPARE(Segni(RigaDi(b.stato, 1)), segni);
    const auto richiesta = b.serie.RitiraFuoco();
    QVERIFY(richiesta.has_value());
    QCOMPARE(richiesta->pannello, pannello);
    QCOMPARE(richiesta->indice, fuoco);
    QCOMPARE(b.serie.LineeVisibili(), linee);
    const QString soluzione = tipo == 1 ? QStringLiteral("30") : QStringLiteral("dm");
    QCOMPARE(b.serie.Testi().lblCorrezione, correzione ? soluzione : QString());
    QCOMPARE(b.serie.Testi().lblCorrezioneS, correzione ? soluzione : QString());
    if (esatte + errate == 1) {
        // Closed: only "Avanti" and the exit key are left.
        for (int i = 0; i < Serie::TastiTastierino; ++i)
            QCOMPARE(b.serie.TastoAttivo(pannello, i),
                     tipo == 1 ? i >= Serie::Avanti : (i == Serie::AvantiS || i == Serie::Esci));
        QCOMPARE(b.serie.Testi().LblOperazione, QStringLiteral("1"));
        QVERIFY(RigaDi(b.stato, 1)
                    .endsWith(errate ? "  " + soluzione + " s 0" : QStringLiteral(" s. 0")));
    }
    if (pannello == Pannello::Intervento) {
        // Nothing but "INTERVENGO IO": no reply, no verify, no "NO".
        b.serie.TastoPremuto(1);
        b.serie.SimboloPremuto(1);
        b.serie.AiutoPremuto(Serie::No);
        b.serie.VerificaRisposta();
        QCOMPARE(b.serie.PannelloAttivo(), Pannello::Intervento);
        QVERIFY(b.serie.Option4());
        QCOMPARE(b.serie.TentativiNo(), 0);
    }
}

void TestSerie::simboloSenzaSpazi() {
    Banco b({Metri}, 2);
    QCOMPARE(b.serie.SoluzioneTesto(), QStringLiteral("dm"));
    QCOMPARE(b.serie.Testi().LblSimbolo2S, QStringLiteral("30"));
    b.serie.SimboloPremuto(1);
    QCOMPARE(b.serie.RispostaTesto(), QStringLiteral(" dm "));
    QCOMPARE(b.serie.Testi().lblRisultatoS, QStringLiteral(" dm "));
    QVERIFY(b.serie.Option1()[Serie::VerificaS]);
    b.serie.SimboloPremuto(Serie::VerificaS);
    QCOMPARE(b.serie.Testi().LblEsito, QStringLiteral("Esatto"));
}

void TestSerie::simboloDopoNo() {
    Banco b({Metri}, 2);
    b.Passi(QStringLiteral("WN"));
    QCOMPARE(b.serie.PannelloAttivo(), Pannello::Simboli);
    QCOMPARE(b.serie.Testi().lblRisultatoS, QStringLiteral("?"));
    QVERIFY(!b.serie.LineeVisibili());
    QVERIFY(b.serie.Option1()[Serie::VerificaS]); // keys keep their states
    b.serie.SimboloPremuto(Serie::VerificaS);     // verifying "?" counts as wrong
    QCOMPARE(b.serie.Testi().LblEsito, QStringLiteral("Errato"));
    QCOMPARE(b.serie.PannelloAttivo(), Pannello::Aiuto);
    QCOMPARE(Segni(RigaDi(b.stato, 1)), 2);
    QCOMPARE(b.stato.Registro.EsatteTotale(), 0);
}

void TestSerie::simboloCancella() {
    Banco b({Metri}, 2);
    b.serie.SimboloPremuto(3);
    b.serie.SimboloPremuto(Serie::CancellaS);
    QCOMPARE(b.serie.RispostaTesto(), QString());
    QCOMPARE(b.serie.Testi().lblRisultatoS, QStringLiteral("?"));
    QVERIFY(b.serie.Option1()[Serie::VerificaS]);
    b.serie.SimboloPremuto(Serie::VerificaS);
    QCOMPARE(b.serie.Testi().LblEsito, QStringLiteral("Errato"));
}

void TestSerie::sistemaATreUnita() {
    StatoProgramma stato;
    stato.Simbolo = {QString(), QStringLiteral("     "), QStringLiteral("  l "),
                     QStringLiteral(" dl "), QStringLiteral(" cl ")};
    stato.NumeroUnita = 3;
    stato.TipoEsercizio = 2;
    FonteCasualeFinta fonte;
    OrologioFinto orologio;
    SuonoFinto suono;
    Serie serie(stato, fonte, orologio, suono);
    serie.ImpostaGeneratore(GeneratoreFinto(
        {{QStringLiteral("4"), QStringLiteral("  l "), QStringLiteral(" dl "), "40"}}));
    serie.NuovaSerie();
    QCOMPARE(serie.Testi().Option1[0], QStringLiteral("     "));
    QVERIFY(!serie.Option1()[0]);
    QVERIFY(serie.Option1()[1] && serie.Option1()[2] && serie.Option1()[3]);
    QCOMPARE(serie.RitiraFuoco(), (RichiestaFuoco{Pannello::Simboli, 1}));
    serie.SimboloPremuto(0);
    QCOMPARE(serie.Testi().lblRisultatoS, QStringLiteral("?"));
}

void TestSerie::tipoTreSorteggiaOgniEsercizio() {
    Banco b({Metri}, 3);
    // The first draw was made by NuovaSerie with an empty script: r = 0 gives a number.
    QCOMPARE((b.stato.Registro.Esercizi.back().ChiedeSimbolo ? 2 : 1), 1);
    b.fonte.Carica({0.9f, 0.6f, 0.2f, 0.5f});
    const QList<Riga> attese{Riga::Simbolo, Riga::Simbolo, Riga::Numero, Riga::Simbolo};
    for (Riga attesa : attese) {
        b.Passi(QStringLiteral("RA"));
        QCOMPARE(b.serie.RigaAttiva(), attesa);
        QCOMPARE((b.stato.Registro.Esercizi.back().ChiedeSimbolo ? 2 : 1),
                 attesa == Riga::Numero ? 1 : 2);
        QCOMPARE(b.serie.PannelloAttivo(),
                 attesa == Riga::Numero ? Pannello::Tastierino : Pannello::Simboli);
        QCOMPARE(b.serie.SoluzioneTesto(),
                 attesa == Riga::Numero ? QStringLiteral("30") : QStringLiteral("dm"));
        QVERIFY(RigaDi(b.stato, b.stato.Registro.IndiceEsercizio())
                    .endsWith(attesa == Riga::Numero ? QStringLiteral("  r. ")
                                                     : QStringLiteral("... r.")));
    }
    QCOMPARE(b.fonte.Letti(), 4);
}

void TestSerie::tipoTreConFonteGuasta_data() {
    QTest::addColumn<float>("r");
    QTest::addColumn<Riga>("attesa");

    // Only a faulty source gives values outside [0, 1): they are held to the two kinds.
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << Riga::Numero;
    QTest::newRow("+infinity") << std::numeric_limits<float>::infinity() << Riga::Simbolo;
    QTest::newRow("-infinity") << -std::numeric_limits<float>::infinity() << Riga::Numero;
    QTest::newRow("1") << 1.0f << Riga::Simbolo;
    QTest::newRow("3e38") << 3e38f << Riga::Simbolo;
    QTest::newRow("-0,5") << -0.5f << Riga::Numero;
}

void TestSerie::tipoTreConFonteGuasta() {
    QFETCH(float, r);
    QFETCH(Riga, attesa);

    Banco b({Metri}, 3);
    b.fonte.Carica({r});
    b.Passi(QStringLiteral("RA"));
    QCOMPARE(b.fonte.Letti(), 1);
    QCOMPARE(b.serie.RigaAttiva(), attesa);
    QCOMPARE((b.stato.Registro.Esercizi.back().ChiedeSimbolo ? 2 : 1),
             attesa == Riga::Numero ? 1 : 2);
    QCOMPARE(b.serie.PannelloAttivo(),
             attesa == Riga::Numero ? Pannello::Tastierino : Pannello::Simboli);
}

// ---------------------------------------------------------------------------------------

void TestSerie::fineSerie_data() {
    QTest::addColumn<QString>("esercizi"); // one step sequence per exercise, "|" between
    QTest::addColumn<int>("esatte");
    QTest::addColumn<int>("errate");

    QStringList tutteGiuste, tutteRisolte, miste;
    for (int i = 0; i < 20; ++i) {
        tutteGiuste << QStringLiteral("R");
        tutteRisolte << QStringLiteral("WNWNWNI");
        miste << QStringList{"R", "WNR", "WS", "WNWNR", "WNWS", "WNWNWNI"}[i % 6];
    }
    QTest::newRow("all right") << tutteGiuste.join(u'|') << 20 << 0;
    QTest::newRow("all solved by the program") << tutteRisolte.join(u'|') << 0 << 20;
    QTest::newRow("mixed") << miste.join(u'|') << 11 << 9;
}

void TestSerie::fineSerie() {
    QFETCH(QString, esercizi);
    QFETCH(int, esatte);
    QFETCH(int, errate);

    for (int tipo : {1, 2, 3}) {
        Banco b(
            {Metri, {"0,001", " mm ", "  m ", "0,000001"}, {"999,9", "  m ", " mm ", "999.900"}},
            tipo);
        b.fonte.Carica(QList<float>(20, 0.7f));
        const QStringList passi = esercizi.split(u'|');
        for (qsizetype i = 0; i < passi.size(); ++i) {
            QCOMPARE(b.stato.Registro.IndiceEsercizio(), i + 1);
            QVERIFY(b.serie.PannelloAttivo() != Pannello::Avviso);
            // True as soon as the 20th is shown, before it is answered.
            QCOMPARE(b.serie.UltimoEsercizioMostrato(), i + 1 == 20);
            b.Passi(passi[i]);
            if (i + 1 < passi.size()) b.Passo(u'A');
        }
        QCOMPARE(b.serie.PannelloAttivo(), Pannello::Avviso);
        QCOMPARE(b.stato.Registro.IndiceEsercizio(), 20);
        QCOMPARE(b.stato.Registro.EsatteTotale(), esatte);
        QCOMPARE(b.stato.Registro.ErrateTotale(), errate);
        QCOMPARE(b.stato.Registro.EsatteTotale() + b.stato.Registro.ErrateTotale(),
                 b.stato.Registro.IndiceEsercizio());
        QCOMPARE(b.suono.suonati, esatte);
        QCOMPARE(b.serie.Testi().lblRisEsatte, esatte ? QString::number(esatte) : QString());
        QCOMPARE(b.serie.Testi().lblRisErrate, errate ? QString::number(errate) : QString());
        QCOMPARE(b.serie.Testi().LblOperazione, QStringLiteral("20"));
        QCOMPARE(b.serie.RitiraAnnunci().constLast(),
                 QStringLiteral("Serie finita. Risposte esatte: %1. Risposte errate: %2. "
                                "Tempo totale: 0 secondi.")
                     .arg(esatte)
                     .arg(errate));
        for (int i = 1; i <= 20; ++i)
            QVERIFY2(RigaDi(b.stato, i).contains(QStringLiteral(" s")),
                     qPrintable(RigaDi(b.stato, i)));
        QVERIFY(RigaDi(b.stato, 21).isEmpty());
    }
}

void TestSerie::annunci_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("passi");
    QTest::addColumn<QStringList>("annunci"); // after the first problem's sentence

    const QString numero = QStringLiteral("3 metri uguale quanti decimetri?");
    const QString simbolo = QStringLiteral("3 metri uguale 30 quale unità?");
    const QString soluzione = QStringLiteral("Intervengo io: 3 metri uguale 30 decimetri");
    QTest::newRow("number: typed, erased, right")
        << 1 << "3C30V" << QStringList{"3", "Risposta: nessuna", "3", "30", "Esatto"};
    QTest::newRow("number: the comma said as a word")
        << 1 << "3,C" << QStringList{"3", "3 virgola", "Risposta: 3"};
    QTest::newRow("number: wrong, NO, asked again")
        << 1 << "WN" << QStringList{"9", "Errato", "Ti aiuto ?", numero};
    QTest::newRow("number: SI gives the solution")
        << 1 << "WS" << QStringList{"9", "Errato", "Ti aiuto ?", soluzione};
    QTest::newRow("number: next problem") << 1 << "RA" << QStringList{"3", "30", "Esatto", numero};
    QTest::newRow("symbol: chosen and right") << 2 << "R" << QStringList{"dm, decimetri", "Esatto"};
    QTest::newRow("symbol: third NO, then INTERVENGO IO")
        << 2 << "WNWNWNI" << QStringList{"mm, millimetri", "Errato", "Ti aiuto ?", simbolo,
                                         "mm, millimetri", "Errato", "Ti aiuto ?", simbolo,
                                         "mm, millimetri", "Errato", "Ti aiuto ?", soluzione};
}

void TestSerie::annunci() {
    QFETCH(int, tipo);
    QFETCH(QString, passi);
    QFETCH(QStringList, annunci);

    StatoProgramma catalogo;
    catalogo.Livello = 4;
    SceltaSimboli(catalogo);
    Banco b({Metri}, tipo);
    b.stato.Catalogo = catalogo.Catalogo;
    b.serie.RitiraAnnunci();
    b.serie.NuovaSerie(); // again, now that the units have names
    QCOMPARE(b.serie.RitiraAnnunci(), QStringList{b.serie.FraseProblema()});
    QCOMPARE(b.serie.FraseProblema(), tipo == 1 ? QStringLiteral("3 metri uguale quanti decimetri?")
                                                : QStringLiteral("3 metri uguale 30 quale unità?"));
    for (QChar p : passi) {
        if (p == u'V')
            b.serie.TastoPremuto(Serie::Verifica);
        else if (p == u'C' || p == u',' || p.isDigit())
            b.Digita(p);
        else
            b.Passo(p);
    }
    QCOMPARE(b.serie.RitiraAnnunci(), annunci);
    QVERIFY(b.serie.RitiraAnnunci().isEmpty());
}

void TestSerie::dopoIlVentesimo() {
    Banco b;
    for (int i = 0; i < 19; ++i)
        b.Passi(QStringLiteral("RA"));
    b.Passi(QStringLiteral("R"));
    QCOMPARE(b.serie.PannelloAttivo(), Pannello::Avviso);
    // "Stampa" is shut while no printout window exists, and "Ricomincia" never takes the
    // focus by itself: an Enter meant for "Avanti" must not wipe the series.
    QCOMPARE(b.serie.RitiraFuoco(), (RichiestaFuoco{Pannello::Avviso, -1}));
    QCOMPARE(b.serie.PrimoTastoAttivo(), (RichiestaFuoco{Pannello::Avviso, -1}));
    const QString riga20 = RigaDi(b.stato, 20);

    // Nothing but the end panel answers.
    for (int i = 0; i < Serie::TastiTastierino; ++i)
        QCOMPARE(b.serie.TastoPremuto(i), Esito::Nessuno);
    for (int i = 0; i < Serie::TastiSimboli; ++i)
        QCOMPARE(b.serie.SimboloPremuto(i), Esito::Nessuno);
    b.serie.AiutoPremuto(Serie::No);
    b.serie.AiutoPremuto(Serie::Si);
    b.serie.InterventoPremuto();
    b.serie.VerificaRisposta();
    b.serie.Riprova();
    b.serie.Intervento();
    b.serie.ProssimoEsercizio();
    QCOMPARE(b.stato.Registro.IndiceEsercizio(), 20);
    QCOMPARE(b.stato.Registro.EsatteTotale(), 20);
    QCOMPARE(b.stato.Registro.ErrateTotale(), 0);
    QCOMPARE(RigaDi(b.stato, 20), riga20);
    QCOMPARE(b.serie.PannelloAttivo(), Pannello::Avviso);
    QCOMPARE(b.serie.AvvisoPremuto(Serie::Stampa), Esito::Nessuno);

    b.serie.ImpostaStampaDisponibile(true);
    QCOMPARE(b.serie.PrimoTastoAttivo(), (RichiestaFuoco{Pannello::Avviso, Serie::Stampa}));
    QCOMPARE(b.serie.AvvisoPremuto(Serie::Stampa), Esito::Stampa);
    QCOMPARE(b.serie.PannelloAttivo(), Pannello::Avviso); // "Stampa" leaves the series as is
    QCOMPARE(RigaDi(b.stato, 20), riga20);

    // With the printout at hand the series ends with the focus on "Stampa".
    Banco c;
    c.serie.ImpostaStampaDisponibile(true);
    for (int i = 0; i < 19; ++i)
        c.Passi(QStringLiteral("RA"));
    c.Passi(QStringLiteral("R"));
    QCOMPARE(c.serie.RitiraFuoco(), (RichiestaFuoco{Pannello::Avviso, Serie::Stampa}));
}

void TestSerie::ricomincia() {
    Banco b;
    for (int i = 0; i < 20; ++i) {
        b.orologio.AvanzaSecondi(7);
        b.Passi(i % 2 ? QStringLiteral("RA") : QStringLiteral("WSA"));
    }
    QCOMPARE(b.serie.PannelloAttivo(), Pannello::Avviso);
    QCOMPARE(b.stato.Registro.TempoTotale(), 140);
    // The series keeps the order it started with, whatever the start screen shows since.
    b.stato.TestoOrdine = QStringLiteral(" altro ordine");
    QCOMPARE(b.stato.Registro.TestoOrdine, QStringLiteral(" ordine"));
    QCOMPARE(b.serie.AvvisoPremuto(Serie::Ricomincia), Esito::Nessuno);
    QCOMPARE(b.stato.Registro.TestoOrdine, QStringLiteral(" altro ordine"));

    QCOMPARE(b.stato.Registro.IndiceEsercizio(), 1);
    QCOMPARE(b.stato.Registro.EsatteTotale(), 0);
    QCOMPARE(b.stato.Registro.ErrateTotale(), 0);
    QCOMPARE(b.stato.Registro.TempoTotale(), 0);
    QCOMPARE(b.serie.TentativiNo(), 0);
    const TestiSerie& t = b.serie.Testi();
    for (const QString& testo :
         {t.LblOperazione, t.lblRisEsatte, t.lblRisErrate, t.lblTempoOperazione, t.LblTempoTotale,
          t.LblEsito, t.lblCorrezione, t.lblCorrezioneS})
        QCOMPARE(testo, QString());
    QCOMPARE(t.LblRisultato, QStringLiteral("?"));
    QVERIFY(!b.serie.LineeVisibili());
    QVERIFY(RigaDi(b.stato, 1).endsWith(QStringLiteral("  r. ")));
    for (int i = 2; i <= 20; ++i)
        QVERIFY(RigaDi(b.stato, i).isEmpty());
    QCOMPARE(b.serie.PannelloAttivo(), Pannello::Tastierino);
    QCOMPARE(b.serie.RitiraFuoco(), (RichiestaFuoco{Pannello::Tastierino, 0}));
}

// ---------------------------------------------------------------------------------------

void TestSerie::tempi_data() {
    QTest::addColumn<QList<double>>("secondi"); // time of each exercise
    QTest::addColumn<QString>("parziale");
    QTest::addColumn<QString>("totale");
    QTest::addColumn<int>("tempoTotale");

    QTest::newRow("5 s") << QList<double>{5.2} << " 5"
                         << " 5" << 5;
    QTest::newRow("under 1 s") << QList<double>{0.999} << " 0"
                               << " 0" << 0;
    QTest::newRow("99 s") << QList<double>{99.9} << " 99"
                          << " 99" << 99;
    QTest::newRow("100 s shows 99") << QList<double>{100} << "99"
                                    << " 100" << 100;
    QTest::newRow("120 s shows 99") << QList<double>{120} << "99"
                                    << " 120" << 120;
    QTest::newRow("total 999") << QList<double>{500, 499} << "99"
                               << " 999" << 999;
    QTest::newRow("total past 999") << QList<double>{500, 500} << "99"
                                    << "999" << 1000;
    QTest::newRow("sum of whole seconds") << QList<double>{1.9, 1.9, 1.9} << " 1"
                                          << " 3" << 3;
    // A clock jumping forward (wrong date set, then put right) must not wrap the times round.
    QTest::newRow("clock jump past 2^31 s") << QList<double>{3e9} << "99"
                                            << "999" << INT32_MAX;
    QTest::newRow("total past 2^31 s") << QList<double>{2e9, 2e9} << "99"
                                       << "999" << INT32_MAX;
    QTest::newRow("total held at the cap") << QList<double>{3e9, 5} << " 5"
                                           << "999" << INT32_MAX;
}

void TestSerie::tempi() {
    QFETCH(QList<double>, secondi);
    QFETCH(QString, parziale);
    QFETCH(QString, totale);
    QFETCH(int, tempoTotale);

    Banco b;
    for (qsizetype i = 0; i < secondi.size(); ++i) {
        if (i > 0) {
            b.orologio.AvanzaSecondi(1000); // waiting before "Avanti" is not counted
            b.Passo(u'A');
        }
        b.orologio.AvanzaSecondi(secondi[i]);
        b.Passo(u'R');
    }
    QCOMPARE(b.serie.Testi().lblTempoOperazione, parziale);
    QCOMPARE(b.serie.Testi().LblTempoTotale, totale);
    QCOMPARE(b.stato.Registro.TempoTotale(), tempoTotale);
    QVERIFY(RigaDi(b.stato, b.stato.Registro.IndiceEsercizio())
                .endsWith(" s. " + QString::number(b.stato.Registro.Esercizi.back().Secondi)));
    b.Passo(u'A');
    QCOMPARE(b.serie.Testi().lblTempoOperazione, QString()); // cleared by the next exercise
    QCOMPARE(b.serie.Testi().LblTempoTotale, totale);
}

void TestSerie::tempoDellaSoluzione() {
    Banco b;
    b.orologio.AvanzaSecondi(12);
    b.Passo(u'W');
    b.orologio.AvanzaSecondi(30);
    b.Passo(u'S');
    QCOMPARE(b.stato.Registro.Esercizi.back().Secondi, 42);
    QCOMPARE(b.serie.Testi().lblTempoOperazione, QStringLiteral(" 42"));
    QCOMPARE(b.serie.Testi().LblTempoTotale, QStringLiteral(" 42"));
    QVERIFY(RigaDi(b.stato, 1).endsWith(QStringLiteral("  30 s 42")));
}

// ---------------------------------------------------------------------------------------

// An action written short: "P5" press key 5, "P1>5" press 1 then focus 5, "F12" focus key
// 12, "E" press the focused key, "L" let through, "I" swallowed.
static QString Breve(const AzioneTastiera& a) {
    using T = AzioneTastiera::Tipo;
    switch (a.tipo) {
    case T::Premi:
        return u'P' + QString::number(a.indice) +
               (a.fuocoDopo >= 0 ? u'>' + QString::number(a.fuocoDopo) : QString());
    case T::Fuoco:
        return u'F' + QString::number(a.indice);
    case T::PremiFuoco:
        return QStringLiteral("E");
    case T::Lascia:
        return QStringLiteral("L");
    case T::Ingoia:
        return QStringLiteral("I");
    }
    return {};
}

void TestSerie::tastiera_data() {
    QTest::addColumn<int>("tipo"); // 1 keypad, 2 symbol picker
    // Keys typed before; "R" a right reply; "S" a symbol; "WN" a wrong reply and "NO".
    QTest::addColumn<QString>("prima");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<bool>("numerico"); // from the numeric block
    QTest::addColumn<QString>("azione");

    // Keypad: what is typed leads on to "Verifica" (12), so Enter checks; a "Cancella" that
    // erases the reply leads back to "0".
    QTest::newRow("digit") << 1 << "" << int(Qt::Key_5) << false << "P5>12";
    QTest::newRow("numeric digit") << 1 << "" << int(Qt::Key_0) << true << "P0>12";
    QTest::newRow("comma first refused") << 1 << "" << int(Qt::Key_Comma) << false << "I";
    QTest::newRow("comma") << 1 << "3" << int(Qt::Key_Comma) << false << "P10>12";
    QTest::newRow("numeric decimal comma") << 1 << "3" << int(Qt::Key_Comma) << true << "P11>0";
    QTest::newRow("numeric decimal point") << 1 << "3" << int(Qt::Key_Period) << true << "P11>0";
    QTest::newRow("C") << 1 << "3" << int(Qt::Key_C) << false << "P11>0";
    QTest::newRow("Backspace") << 1 << "3" << int(Qt::Key_Backspace) << false << "P11>0";
    QTest::newRow("Delete") << 1 << "3" << int(Qt::Key_Delete) << false << "P11>0";
    QTest::newRow("Backspace, a reply stays")
        << 1 << "34" << int(Qt::Key_Backspace) << false << "P11>12";
    QTest::newRow("digit after Cancella") << 1 << "3C" << int(Qt::Key_5) << false << "P5>12";
    QTest::newRow("digit after NO") << 1 << "WN" << int(Qt::Key_5) << false << "P5>12";
    QTest::newRow("Backspace, shut") << 1 << "3C" << int(Qt::Key_Backspace) << false << "I";
    QTest::newRow("V shut") << 1 << "" << int(Qt::Key_V) << false << "I";
    QTest::newRow("V") << 1 << "3" << int(Qt::Key_V) << false << "F12";
    QTest::newRow("N shut") << 1 << "3" << int(Qt::Key_N) << false << "I";
    QTest::newRow("E shut") << 1 << "3" << int(Qt::Key_E) << false << "I";
    QTest::newRow("Return") << 1 << "" << int(Qt::Key_Return) << false << "E";
    QTest::newRow("Enter") << 1 << "" << int(Qt::Key_Enter) << true << "E";
    QTest::newRow("F2") << 1 << "" << int(Qt::Key_F2) << false << "L";
    QTest::newRow("main point") << 1 << "3" << int(Qt::Key_Period) << false << "I";
    QTest::newRow("letter") << 1 << "" << int(Qt::Key_A) << false << "I";
    QTest::newRow("digit after the verdict") << 1 << "R" << int(Qt::Key_5) << false << "I";
    QTest::newRow("N after the verdict") << 1 << "R" << int(Qt::Key_N) << false << "F13";
    QTest::newRow("E after the verdict") << 1 << "R" << int(Qt::Key_E) << false << "F14";

    // Symbol picker.
    for (int i = 0; i < 4; ++i) {
        const QString atteso = QStringLiteral("P%1>5").arg(i);
        QTest::addRow("symbol digit %d", i) << 2 << "" << int(Qt::Key_0 + i) << false << atteso;
        QTest::addRow("symbol numeric %d", i) << 2 << "" << int(Qt::Key_0 + i) << true << atteso;
    }
    QTest::newRow("symbol digit after NO") << 2 << "WN" << int(Qt::Key_2) << false << "P2>5";
    QTest::newRow("symbol digit 4") << 2 << "" << int(Qt::Key_4) << false << "I";
    QTest::newRow("symbol numeric 4") << 2 << "" << int(Qt::Key_4) << true << "L";
    QTest::newRow("symbol numeric 5") << 2 << "" << int(Qt::Key_5) << true << "L";
    QTest::newRow("symbol numeric 6") << 2 << "" << int(Qt::Key_6) << true << "I";
    for (int tasto : {int(Qt::Key_C), int(Qt::Key_H), int(Qt::Key_U), int(Qt::Key_Backspace),
                      int(Qt::Key_Delete), int(Qt::Key_F2), int(Qt::Key_Comma)})
        QTest::addRow("symbol, let through %x", tasto) << 2 << "" << tasto << false << "L";
    QTest::newRow("symbol V shut") << 2 << "" << int(Qt::Key_V) << false << "I";
    QTest::newRow("symbol V") << 2 << "S" << int(Qt::Key_V) << false << "F5";
    QTest::newRow("symbol N shut") << 2 << "S" << int(Qt::Key_N) << false << "I";
    QTest::newRow("symbol Return") << 2 << "" << int(Qt::Key_Return) << false << "E";
    QTest::newRow("symbol letter") << 2 << "" << int(Qt::Key_X) << false << "I";
    QTest::newRow("symbol after the verdict") << 2 << "R" << int(Qt::Key_1) << false << "I";
    QTest::newRow("symbol N after the verdict") << 2 << "R" << int(Qt::Key_N) << false << "F6";
}

void TestSerie::tastiera() {
    QFETCH(int, tipo);
    QFETCH(QString, prima);
    QFETCH(int, tasto);
    QFETCH(bool, numerico);
    QFETCH(QString, azione);

    Banco b({Metri}, tipo);
    if (prima == QStringLiteral("R") || prima == QStringLiteral("WN"))
        b.Passi(prima);
    else if (prima == QStringLiteral("S"))
        b.serie.SimboloPremuto(0);
    else
        b.Digita(prima);
    QCOMPARE(Breve(tipo == 1 ? b.serie.TastieraTastierino(tasto, numerico)
                             : b.serie.TastieraSimboli(tasto, numerico)),
             azione);
}

void TestSerie::tastieraAiutoEIntervento() {
    using T = AzioneTastiera::Tipo;
    Banco b;
    b.Passo(u'W');
    QCOMPARE(b.serie.TastieraAiuto(Qt::Key_N), (AzioneTastiera{T::Fuoco, Serie::No}));
    QCOMPARE(b.serie.TastieraAiuto(Qt::Key_S), (AzioneTastiera{T::Fuoco, Serie::Si}));
    QCOMPARE(b.serie.TastieraAiuto(Qt::Key_Return).tipo, T::PremiFuoco);
    QCOMPARE(b.serie.TastieraAiuto(Qt::Key_5).tipo, T::Ingoia);
    QCOMPARE(b.serie.TastieraIntervento(Qt::Key_X).tipo, T::Ingoia); // not in front
    b.Passi(QStringLiteral("NWNWN"));
    QCOMPARE(b.serie.TastieraIntervento(Qt::Key_X), (AzioneTastiera{T::Premi, 0}));
    QCOMPARE(b.serie.TastieraIntervento(Qt::Key_Shift).tipo, T::Ingoia);
    QCOMPARE(b.serie.TastieraAiuto(Qt::Key_Return).tipo, T::Ingoia); // not in front
}

// ---------------------------------------------------------------------------------------

void TestSerie::valoreRisposta_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("numero");
    QTest::addColumn<double>("valore");

    QTest::newRow("whole") << "37" << true << 37.0;
    QTest::newRow("thousands") << "999.900" << true << 999900.0;
    QTest::newRow("decimal comma") << "3,05" << true << 3.05;
    QTest::newRow("comma first") << ",5" << true << 0.5;
    QTest::newRow("comma last") << "3," << true << 3.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("lone comma") << "," << false << 0.0;
    QTest::newRow("symbol") << " dm " << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("negative") << "-5" << false << 0.0;
    QTest::newRow("32767") << "32767" << true << 32767.0;
    QTest::newRow("32768") << "32768" << true << 32768.0;
    QTest::newRow("CR without LF") << "3\r" << true << 3.0;
    QTest::newRow("LF at the end") << "3,5\n" << true << 3.5;
    QTest::newRow("binary") << QString::fromLatin1("\x01\xff", 2) << false << 0.0;
    QTest::newRow("too long for a double") << QString(400, u'9') << false << 0.0;
}

void TestSerie::valoreRisposta() {
    QFETCH(QString, testo);
    QFETCH(bool, numero);
    QFETCH(double, valore);

    const auto letto = Serie::ValoreRisposta(testo);
    QCOMPARE(letto.has_value(), numero);
    if (numero) QCOMPARE(*letto, valore);
}

// ---------------------------------------------------------------------------------------

void TestSerie::serieConIlGeneratore_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("ordine");
    for (int tipo : {1, 2, 3})
        for (int ordine : {1, 2, 3})
            QTest::addRow("kind %d order %d", tipo, ordine) << tipo << ordine;
}

// With the real generator every expected answer can be typed on the keypad (or picked
// among the symbols) and is then judged right.
void TestSerie::serieConIlGeneratore() {
    QFETCH(int, tipo);
    QFETCH(int, ordine);

    StatoProgramma stato;
    SistemaMetri(stato);
    stato.TipoEsercizio = static_cast<std::int16_t>(tipo);
    stato.OrdineSimboli = static_cast<std::int16_t>(ordine);
    FonteCasualeSistema fonte;
    OrologioFinto orologio;
    SuonoFinto suono;
    Serie serie(stato, fonte, orologio, suono);
    for (int n = 0; n < 100; ++n) {
        serie.NuovaSerie();
        for (int i = 1; i <= 20; ++i) {
            const QString attesa = serie.SoluzioneTesto();
            if (serie.RigaAttiva() == Riga::Numero) {
                for (QChar c : attesa) {
                    if (c == u',')
                        serie.TastoPremuto(Serie::Virgola);
                    else if (c != u'.')
                        serie.TastoPremuto(c.digitValue());
                }
                QCOMPARE(serie.Testi().LblRisultato, attesa);
                serie.TastoPremuto(Serie::Verifica);
                if (i < 20) serie.TastoPremuto(Serie::Avanti);
            } else {
                int k = 0;
                while (k < 4 && serie.Testi().Option1[k].trimmed() != attesa)
                    ++k;
                QVERIFY(k < 4);
                serie.SimboloPremuto(k);
                serie.SimboloPremuto(Serie::VerificaS);
                if (i < 20) serie.SimboloPremuto(Serie::AvantiS);
            }
        }
        QCOMPARE(stato.Registro.EsatteTotale(), 20);
    }
    QCOMPARE(suono.suonati, 2000);
}

// The real clock counts milliseconds from a monotonic source.
void TestSerie::orologioDiSistema() {
    OrologioSistema orologio;
    QElapsedTimer riferimento;
    riferimento.start();
    const std::int64_t inizio = orologio.Millisecondi();
    std::int64_t ultimo = inizio;
    while (riferimento.elapsed() < 60) {
        const std::int64_t ora = orologio.Millisecondi();
        QVERIFY(ora >= ultimo);
        ultimo = ora;
    }
    QVERIFY2(ultimo - inizio >= 50 && ultimo - inizio < 1000, qPrintable(QString::number(ultimo)));
}

// A scripted series kept as values: a right reply; a wrong one, then "SI"; three wrong ones
// with "NO" until "INTERVENGO IO". Every field of the record, and the printed lines made
// from it, character for character.
void TestSerie::registroDellaSerie() {
    const ProblemaFinto chili{QStringLiteral("0,2"), QStringLiteral(" dag "),
                              QStringLiteral("  g "), QStringLiteral("2")};
    const ProblemaFinto litri{QStringLiteral("40"), QStringLiteral(" cl "), QStringLiteral("  l "),
                              QStringLiteral("0,4")};
    Banco b({Metri, chili, litri});
    b.orologio.AvanzaSecondi(4);
    b.Passi(QStringLiteral("RA"));
    b.orologio.AvanzaSecondi(7);
    b.Passi(QStringLiteral("WSA"));
    b.orologio.AvanzaSecondi(12);
    b.Passi(QStringLiteral("WNWNWNI"));

    const RegistroSerie& r = b.serie.Registro();
    QCOMPARE(&r, &b.stato.Registro); // the record the printout window reads
    QVERIFY(!r.Id.isNull());
    QVERIFY(r.Inizio.isValid() && !r.Fine.isValid());
    QCOMPARE(r.TipoEsercizio, 1);
    QCOMPARE(r.TestoTipo, QStringLiteral(" tipo"));
    QCOMPARE(r.OrdineSimboli, 1);
    QCOMPARE(r.TestoOrdine, QStringLiteral(" ordine"));
    QCOMPARE(r.IndiceEsercizio(), 3);
    QCOMPARE(r.EsatteTotale(), 1);
    QCOMPARE(r.ErrateTotale(), 2);
    QCOMPARE(r.TempoTotale(), 4 + 7 + 12);
    QVERIFY(!r.Finita);

    const auto tentativi = [](const EsercizioSvolto& e) {
        QStringList t;
        for (const Tentativo& x : e.Tentativi)
            t << x.Risposta + (x.Esatta ? QStringLiteral("=giusta") : QStringLiteral("=errata"));
        return t;
    };
    QCOMPARE(r.Esercizi[0].Dati.NumeroTesto, QStringLiteral("3"));
    QCOMPARE(r.Esercizi[0].SoluzioneTesto, QStringLiteral("30"));
    QCOMPARE(tentativi(r.Esercizi[0]), QStringList{QStringLiteral("30=giusta")});
    QVERIFY(!r.Esercizi[0].AiutoOfferto && !r.Esercizi[0].SoluzioneData);
    QCOMPARE(r.Esercizi[0].Secondi, 4);

    QCOMPARE(tentativi(r.Esercizi[1]), QStringList{QStringLiteral("9=errata")});
    QVERIFY(r.Esercizi[1].AiutoOfferto && r.Esercizi[1].AiutoAccettato);
    QVERIFY(r.Esercizi[1].SoluzioneData && !r.Esercizi[1].Esatto());
    QCOMPARE(r.Esercizi[1].Secondi, 7);

    QCOMPARE(tentativi(r.Esercizi[2]), QStringList(3, QStringLiteral("9=errata")));
    QVERIFY(r.Esercizi[2].AiutoOfferto && !r.Esercizi[2].AiutoAccettato);
    QVERIFY(r.Esercizi[2].SoluzioneData);
    QCOMPARE(r.Esercizi[2].Secondi, 12);

    // The lines as the record of the exercises done has always printed them.
    const QStringList righe = RigheEsercizi(r);
    QCOMPARE(righe, (QStringList{
                        "        3   m  = ...  dm   r.          30  " + QString(36, u'.') + " s. 4",
                        "      0,2 dag  = ...   g   r.           9*   2 s 7",
                        "       40  cl  = ...   l   r.           9*           9*           9*   "
                        "0,4 s 12",
                    }));
}

// The series tells its end once, with the whole record; a series left early is told as
// unfinished with what was done; a series with no exercise is never told.
void TestSerie::fineEAbbandono() {
    Banco b;
    QList<RegistroSerie> detti;
    b.serie.ImpostaFineSerie([&detti](const RegistroSerie& r) { detti << r; });
    for (int i = 1; i < 20; ++i)
        b.Passi(QStringLiteral("RA"));
    QVERIFY(detti.isEmpty());
    b.Passi(QStringLiteral("R"));
    QCOMPARE(detti.size(), 1);
    QVERIFY(detti[0].Finita && detti[0].Fine.isValid());
    QCOMPARE(detti[0].IndiceEsercizio(), 20);
    QCOMPARE(detti[0].EsatteTotale(), 20);
    b.serie.Abbandona(); // the window closes after the end: nothing more to tell
    QCOMPARE(detti.size(), 1);

    // "Ricomincia", then two exercises and a new series: the first one left unfinished.
    b.serie.AvvisoPremuto(Serie::Ricomincia);
    QCOMPARE(detti.size(), 1);
    b.Passi(QStringLiteral("RAW"));
    const QUuid lasciata = b.serie.Registro().Id;
    QVERIFY(lasciata != detti[0].Id);
    b.serie.NuovaSerie();
    QCOMPARE(detti.size(), 2);
    QVERIFY(!detti[1].Finita);
    QCOMPARE(detti[1].Id, lasciata);
    QCOMPARE(detti[1].IndiceEsercizio(), 2);
    QCOMPARE(detti[1].Esercizi[1].Tentativi.size(), 1u);
    b.serie.Abbandona();
    b.serie.Abbandona();
    QCOMPARE(detti.size(), 3); // the new series' first exercise, once

    Serie vuota(b.stato, b.fonte, b.orologio, b.suono);
    vuota.ImpostaFineSerie([&detti](const RegistroSerie& r) { detti << r; });
    vuota.Abbandona(); // never started: the record on show belongs to another series
    QCOMPARE(detti.size(), 3);
}

// With the real generator a series never holds the same number, pair and direction twice.
void TestSerie::nessunProblemaDueVolte() {
    StatoProgramma stato;
    stato.Livello = 4;
    SceltaSimboli(stato);
    stato.TipoEsercizio = 1;
    stato.OrdineSimboli = 3;
    FonteCasualeSistema fonte;
    OrologioFinto orologio;
    SuonoFinto suono;
    Serie serie(stato, fonte, orologio, suono);
    for (int n = 0; n < 200; ++n) {
        serie.NuovaSerie();
        for (int i = 1; i < 20; ++i) {
            serie.Intervento(); // not reachable: the series stays put
            serie.TastoPremuto(Serie::Avanti);
        }
        const auto& e = serie.Registro().Esercizi;
        for (std::size_t i = 0; i < e.size(); ++i)
            for (std::size_t j = i + 1; j < e.size(); ++j)
                QVERIFY2(!StessoProblema(e[i].Dati, e[j].Dati), qPrintable(e[i].Dati.NumeroTesto));
    }
}

QTEST_APPLESS_MAIN(TestSerie)
#include "tst_Serie.moc"
