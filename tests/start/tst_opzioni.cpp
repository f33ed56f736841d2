#include "base/Aspetto.h"
#include "start/Catalogo.h"
#include "start/FileImpostazioni.h"
#include "start/Opzioni.h"

#include "support/Istantanea.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Nome = QStringLiteral("decimetra");

QByteArray Contenuto(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) return "<nessun file>";
    return file.readAll();
}

void Scrivi(const QString& percorso, const QByteArray& dati) {
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(dati), dati.size());
}

// Every entry of the current folder with its bytes.

QByteArray Record(const QList<QByteArray>& righe) {
    QByteArray r;
    for (const QByteArray& riga : righe)
        r += riga + "\r\n";
    return r;
}

// A readable record with every colour unlike the table values of its indices (7, 2, 10),
// speech switched on, capitals, praise, scanning every 2.5 s.
const QList<QByteArray> RigheScelte{"123", "456", "789", "False", "True", "False", "111",  "222",
                                    "7",   "10",  "2",   "True",  "0",    "True",  "True", "25"};

} // namespace

class TestOpzioni : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tabellaColori_data();
    void tabellaColori();
    void letturaAllAvvio_data();
    void letturaAllAvvio();
    void memorizzaScriveIValoriCorrenti();
    void contrasto_data();
    void contrasto();
    void maiuscole_data();
    void maiuscole();
    void tempoScansione_data();
    void tempoScansione();

private:
    QTemporaryDir* cartella = nullptr;
    QString precedente;
};

void TestOpzioni::init() {
    precedente = QDir::currentPath();
    cartella = new QTemporaryDir;
    QVERIFY(cartella->isValid());
    QVERIFY(QDir::setCurrent(cartella->path()));
}

void TestOpzioni::cleanup() {
    QDir::setCurrent(precedente);
    delete cartella;
    cartella = nullptr;
}

// The colour tables: index -> names and the four colours (red, green, blue), and what
// selecting that index in each group stores.
void TestOpzioni::tabellaColori_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("scansione");
    QTest::addColumn<QList<int>>("pagina");
    QTest::addColumn<QList<int>>("caratteri");
    QTest::addColumn<QList<int>>("chiara");
    QTest::addColumn<QList<int>>("scura");
    const auto riga = [](int i, const char* nome, const char* scansione, QList<int> pagina,
                         QList<int> caratteri, QList<int> chiara, QList<int> scura) {
        QTest::newRow(nome) << i << QString::fromLatin1(nome) << QString::fromLatin1(scansione)
                            << pagina << caratteri << chiara << scura;
    };
    riga(0, "Bianco", "Da bianco chiaro a scuro", {255, 255, 255}, {200, 200, 200}, {255, 255, 255},
         {235, 235, 235});
    riga(1, "Grigio", "Da grigio chiaro a scuro", {220, 220, 220}, {150, 150, 150}, {190, 190, 190},
         {150, 150, 150});
    riga(2, "Giallo", "Da giallo chiaro a scuro", {255, 255, 190}, {250, 255, 80}, {255, 255, 120},
         {250, 255, 80});
    riga(3, "Arancio", "Da arancio chiaro a scuro", {250, 220, 160}, {255, 190, 110},
         {250, 210, 140}, {255, 190, 110});
    riga(4, "Fucsia", "Da fucsia chiaro a scuro", {255, 200, 255}, {255, 130, 255}, {255, 200, 255},
         {255, 50, 255});
    riga(5, "Pervinca", "Da pervinca chiaro a scuro", {250, 210, 255}, {200, 150, 255},
         {230, 180, 255}, {200, 150, 255});
    riga(6, "Azzurro", "Da azzurro chiaro a scuro", {180, 255, 255}, {100, 255, 255},
         {100, 255, 255}, {0, 210, 255});
    riga(7, "Verde", "Da verde chiaro a scuro", {100, 255, 190}, {100, 220, 150}, {100, 220, 150},
         {100, 200, 150});
    riga(8, "Nocciola", "Da nocciola chiaro a scuro", {255, 225, 120}, {255, 200, 90},
         {255, 215, 10}, {255, 200, 90});
    riga(9, "Nero", "Da nero chiaro a scuro", {0, 0, 0}, {0, 0, 0}, {70, 70, 70}, {0, 0, 0});
    riga(10, "Rosso", "Da rosso chiaro a scuro", {255, 119, 136}, {255, 0, 0}, {255, 65, 83},
         {255, 0, 0});
}

void TestOpzioni::tabellaColori() {
    QFETCH(int, indice);
    QFETCH(QString, nome);
    QFETCH(QString, scansione);
    QFETCH(QList<int>, pagina);
    QFETCH(QList<int>, caratteri);
    QFETCH(QList<int>, chiara);
    QFETCH(QList<int>, scura);
    const auto rgb = [](const QList<int>& c) { return Rgb(c[0], c[1], c[2]); };

    const ColoreOpzione& c = TabellaColori()[indice];
    QCOMPARE(c.Nome, nome);
    QCOMPARE(c.NomeScansione, scansione);

    // Selecting the index in each group stores the table's colours and the index.
    StatoProgramma stato;
    QVERIFY(ScegliSfondo(stato, indice));
    QVERIFY(ScegliCaratteri(stato, indice));
    QVERIFY(ScegliScansione(stato, indice));
    const Opzioni& o = stato.Impostazioni;
    QCOMPARE(o.ColoreSfondo, rgb(pagina));
    QCOMPARE(o.ColoreCaratteri, QString::number(rgb(caratteri)));
    QCOMPARE(o.ColoreScansione, rgb(chiara));
    QCOMPARE(o.ColoreScansioneScuro, QString::number(rgb(scura)));
    QCOMPARE(o.IndiceSfondo, indice);
    QCOMPARE(o.IndiceCaratteri, indice);
    QCOMPARE(o.IndiceScansione, indice);
    // The four values that no colour button touches.
    QCOMPARE(o.ColoreAusiliario, Opzioni{}.ColoreAusiliario);
    QCOMPARE(o.SuonoAttivo, true);
    // The screen shows the button selected.
    QCOMPARE(ScelteInVigore(o), (ScelteColori{indice, indice, indice}));
}

// The record at start: a good one is applied; any fault gives the defaults of all eleven
// values, and nothing in the folder changes (the system-number file least of all).
void TestOpzioni::letturaAllAvvio_data() {
    QTest::addColumn<QByteArray>("record"); // null: no options file
    QTest::addColumn<bool>("buono");
    QTest::newRow("buono") << Record(RigheScelte) << true;
    QTest::newRow("nessun file") << QByteArray() << false;
    QTest::newRow("vuoto") << QByteArray("") << false;
    auto fuori = RigheScelte;
    fuori[8] = "11";
    QTest::newRow("indice sfondo 11") << Record(fuori) << false;
    fuori = RigheScelte;
    fuori[9] = "-1";
    QTest::newRow("indice scansione -1") << Record(fuori) << false;
    fuori = RigheScelte;
    fuori[10] = "32768";
    QTest::newRow("indice caratteri oltre 16 bit") << Record(fuori) << false;
    QTest::newRow("corto, dieci righe") << Record(RigheScelte.mid(0, 10)) << false;
    // Written before the speech switch existed: read, with the switch off.
    QTest::newRow("undici righe") << Record(RigheScelte.mid(0, 11)) << true;
    QTest::newRow("il record del sistema") << QByteArray("3\r\n") << false;
    fuori = RigheScelte;
    fuori[3] = "forse";
    QTest::newRow("booleano illeggibile") << Record(fuori) << false;
    QTest::newRow("spazzatura") << QByteArray("\x7f"
                                              "ELF\x01\x02 zz\r\n\xff\xfe")
                                << false;
}

void TestOpzioni::letturaAllAvvio() {
    QFETCH(QByteArray, record);
    QFETCH(bool, buono);
    Scrivi(FileLivello(Nome), "3\r\n");
    if (!record.isNull()) Scrivi(FileOpzioni(Nome), record);
    const QStringList prima = Istantanea();

    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    stato.Impostazioni.ColoreSfondo = 42; // whatever the state held before
    QCOMPARE(LeggiEApplicaOpzioni(stato), buono);
    QCOMPARE(Istantanea(), prima);
    // Only a record read dresses the pupil's windows.
    QCOMPARE(stato.OpzioniInVigore, buono);
    QCOMPARE(Aspetto(stato).InVigore, buono);

    if (!buono) {
        QCOMPARE(stato.Impostazioni, Opzioni{});
        return;
    }
    const Opzioni& o = stato.Impostazioni;
    // Indices 7, 10, 2 select their buttons, the colours follow; the rest as stored.
    QCOMPARE(o.IndiceSfondo, 7);
    QCOMPARE(o.ColoreSfondo, Rgb(100, 255, 190));
    QCOMPARE(o.IndiceScansione, 10);
    QCOMPARE(o.ColoreScansione, Rgb(255, 65, 83));
    QCOMPARE(o.ColoreScansioneScuro, QString::number(Rgb(255, 0, 0)));
    QCOMPARE(o.IndiceCaratteri, 2);
    QCOMPARE(o.ColoreCaratteri, QString::number(Rgb(250, 255, 80)));
    QCOMPARE(o.ColoreAusiliario, 456);
    QCOMPARE(o.SuonoAttivo, false);
    QCOMPARE(o.SceltaA, true);
    QCOMPARE(o.SceltaB, false);
    QCOMPARE(stato.SceltaBeep, 1);
    QCOMPARE(o.SintesiVocale, record.count('\n') >= 12);
    QCOMPARE(o.Maiuscolo, record.count('\n') >= 13);
}

void TestOpzioni::memorizzaScriveIValoriCorrenti() {
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    Scrivi(FileOpzioni(Nome), Record(RigheScelte));
    QVERIFY(LeggiOpzioni(stato));
    QSignalSpy detto(stato.Segnali.get(), &SegnaliImpostazioni::OpzioniCambiate);
    QVERIFY(MemorizzaNuoveImpostazioni(stato));
    // The open windows are told the record applied.
    QCOMPARE(detto.size(), 1);
    QCOMPARE(detto[0][0].value<Opzioni>(), stato.Impostazioni);
    QVERIFY(stato.OpzioniInVigore);
    // Written as it was held, then applied.
    QCOMPARE(Contenuto(FileOpzioni(Nome)), Record(RigheScelte));
    QCOMPARE(stato.Impostazioni.ColoreSfondo, TabellaColori()[7].Pagina);
    // A bad index is never written.
    stato.Impostazioni.IndiceCaratteri = 11;
    QVERIFY(!MemorizzaNuoveImpostazioni(stato));
    QCOMPARE(Contenuto(FileOpzioni(Nome)), Record(RigheScelte));
    QCOMPARE(detto.size(), 1);
    // "Impostazioni predefinite" switches the sound back on, and tells.
    ScegliBeep(stato, 1);
    QVERIFY(!stato.Impostazioni.SuonoAttivo);
    QVERIFY(ImpostazioniPredefinite(stato));
    QVERIFY(stato.Impostazioni.SuonoAttivo);
    QCOMPARE(stato.SceltaBeep, 0);
    QCOMPARE(detto.size(), 2);
}

// Page and letter colours by the buttons' indices: the ratio, the preview's warning and the
// letter colour the pupil's windows use.
void TestOpzioni::contrasto_data() {
    QTest::addColumn<int>("pagina");
    QTest::addColumn<int>("lettere");
    QTest::addColumn<double>("minimo"); // the ratio lies in [minimo, massimo]
    QTest::addColumn<double>("massimo");
    QTest::addColumn<int>("usate"); // the letter colour in use, packed
    const int nero = 9, bianco = 0;
    QTest::newRow("Nero su Azzurro") << 6 << nero << 18.0 << 19.0 << Rgb(0, 0, 0);
    QTest::newRow("Nero su Giallo") << 2 << nero << 19.5 << 20.5 << Rgb(0, 0, 0);
    QTest::newRow("Nero su Nero: bianco") << nero << nero << 1.0 << 1.0 << Rgb(255, 255, 255);
    QTest::newRow("Bianco su Bianco: nero") << bianco << bianco << 1.6 << 1.8 << Rgb(0, 0, 0);
    QTest::newRow("Grigio su Bianco: nero") << bianco << 1 << 2.9 << 3.1 << Rgb(0, 0, 0);
    QTest::newRow("Rosso su Nero") << nero << 10 << 5.2 << 5.3 << Rgb(255, 0, 0);
    QTest::newRow("Giallo su Nero") << nero << 2 << 18.0 << 20.0 << Rgb(250, 255, 80);
    QTest::newRow("Azzurro su Azzurro: nero") << 6 << 6 << 1.0 << 1.2 << Rgb(0, 0, 0);
    QTest::newRow("Nero su Rosso") << 10 << nero << 8.0 << 8.5 << Rgb(0, 0, 0);
}

void TestOpzioni::contrasto() {
    QFETCH(int, pagina);
    QFETCH(int, lettere);
    QFETCH(double, minimo);
    QFETCH(double, massimo);
    StatoProgramma stato;
    stato.OpzioniInVigore = true;
    QVERIFY(ScegliSfondo(stato, pagina));
    QVERIFY(ScegliCaratteri(stato, lettere));
    const double rapporto =
        RapportoContrasto(TabellaColori()[pagina].Pagina, TabellaColori()[lettere].Caratteri);
    QVERIFY2(rapporto >= minimo && rapporto <= massimo, qPrintable(QString::number(rapporto)));
    const bool leggibili = rapporto >= ContrastoMinimo;
    const AspettoAlunno a = Aspetto(stato);
    QCOMPARE(a.Sfondo, TabellaColori()[pagina].Pagina);
    QTEST(a.Caratteri, "usate");
    QCOMPARE(a.Leggibili, leggibili);
    QCOMPARE(AvvisoContrasto(stato.Impostazioni),
             leggibili ? QString() : QStringLiteral("Colori poco leggibili"));
    // The measure itself: black on white is 21, the grey that just reads on white 4.54.
    QCOMPARE(RapportoContrasto(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0);
    QVERIFY(qAbs(RapportoContrasto(Rgb(118, 118, 118), Rgb(255, 255, 255)) - 4.54) < 0.01);
}

void TestOpzioni::maiuscole_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("maiuscolo");
    QTest::newRow("didascalia") << "Trova il numero o il simbolo"
                                << "TROVA IL NUMERO O IL SIMBOLO";
    QTest::newRow("accenti") << "unità, decimi"
                             << "UNITÀ, DECIMI";
    QTest::newRow("simboli") << "mm cm dm m"
                             << "mm cm dm m";
    QTest::newRow("dam, Mg, mg") << "dam Mg mg kg"
                                 << "dam Mg mg kg";
    QTest::newRow("con numeri") << "Risposte esatte: 12,5 dam"
                                << "RISPOSTE ESATTE: 12,5 dam";
    QTest::newRow("punteggiatura") << "(dam) mg: l'esercizio"
                                   << "(dam) mg: L'ESERCIZIO";
    QTest::newRow("Da all'inizio") << " Da simbolo minore"
                                   << " DA SIMBOLO MINORE";
}

void TestOpzioni::maiuscole() {
    QFETCH(QString, testo);
    QFETCH(QString, maiuscolo);
    QCOMPARE(Maiuscole(testo), maiuscolo);
    // No symbol of any unit system changes case.
    for (std::int16_t livello = 1; livello <= 12; ++livello) {
        StatoProgramma stato;
        stato.Livello = livello;
        SceltaSimboli(stato);
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(Maiuscole(stato.Simbolo[k]), stato.Simbolo[k]);
    }
    AspettoAlunno a;
    a.Maiuscolo = true;
    QCOMPARE(Didascalia(a, testo), testo); // no record in force: as designed
    a.InVigore = true;
    QCOMPARE(Didascalia(a, testo), maiuscolo);
}

// "Tempo": each choice's caption, what it stores, and the choice a stored step shows.
void TestOpzioni::tempoScansione_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("didascalia");
    QTest::addColumn<QString>("detto");
    QTest::addColumn<int>("passo");
    QTest::newRow("0,5 s") << 0 << "0,5 s"
                           << "0,5 secondi" << 5;
    QTest::newRow("1 s") << 1 << "1 s"
                         << "1 secondo" << 10;
    QTest::newRow("1,5 s") << 2 << "1,5 s"
                           << "1,5 secondi" << 15;
    QTest::newRow("5 s") << 9 << "5 s"
                         << "5 secondi" << 50;
}

void TestOpzioni::tempoScansione() {
    QFETCH(int, indice);
    QFETCH(QString, didascalia);
    QFETCH(QString, detto);
    QFETCH(int, passo);
    QCOMPARE(DidascalieTempo().size(), NumeroTempi);
    QCOMPARE(DidascalieTempo().at(indice), didascalia);
    QCOMPARE(TempiDetti().at(indice), detto);
    StatoProgramma stato;
    QVERIFY(ScegliTempo(stato, indice));
    QCOMPARE(stato.Impostazioni.PassoScansione, passo);
    QCOMPARE(IndiceTempo(passo), indice);
    // A step between two choices, from a record written by hand, shows the nearer one.
    QCOMPARE(IndiceTempo(passo + 2), indice);
    QCOMPARE(IndiceTempo(passo - 2), indice);
    // Outside the choices nothing changes.
    QVERIFY(!ScegliTempo(stato, NumeroTempi));
    QVERIFY(!ScegliTempo(stato, -1));
    QCOMPARE(stato.Impostazioni.PassoScansione, passo);
}

QTEST_GUILESS_MAIN(TestOpzioni)
#include "tst_opzioni.moc"
