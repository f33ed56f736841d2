#include "start/FileImpostazioni.h"

#include "support/Istantanea.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Nome = QStringLiteral("decimetra");

QByteArray contenuto(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll();
}

void scrivi(const QString& percorso, const QByteArray& dati) {
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(dati), dati.size());
}

const QByteArray RecordPredefinito = "12640511\r\n8438015\r\n328965\r\nTrue\r\nTrue\r\nTrue\r\n"
                                     "16754175\r\n16745215\r\n4\r\n4\r\n9\r\nFalse\r\n1\r\n"
                                     "False\r\nFalse\r\n15\r\n";

// An options record that reads, with IndiceSfondo 10 and no default among the indices.
const QByteArray RecordScelto = "0\r\n1\r\n16777215\r\nFalse\r\ntrue\r\nFALSE\r\n65535\r\n255\r\n"
                                "10\r\n0\r\n3\r\n";

// What stands at a name, without following a link: kind, link target, bytes of a file.
QString Voce(const QString& percorso) {
    const QByteArray nome = QFile::encodeName(percorso);
    struct stat info {};
    if (lstat(nome.constData(), &info) != 0) return QStringLiteral("<none>");
    if (S_ISLNK(info.st_mode)) return QStringLiteral("link -> ") + QFile::symLinkTarget(percorso);
    if (S_ISFIFO(info.st_mode)) return QStringLiteral("fifo");
    if (S_ISDIR(info.st_mode)) return QStringLiteral("folder");
    return QStringLiteral("file ") + QString::fromLatin1(contenuto(percorso).toHex());
}

} // namespace

// Ways a settings file can be out of the ordinary.
enum class Insidia {
    LinkFuori,    // a link to a file outside the folder
    LinkPendente, // a link to a name outside the folder that does not exist
    LinkFifo,     // a link to a named pipe outside the folder
    Fifo,         // a named pipe in the file's place
    DiscoPieno,   // a regular record on a file system with no room left
    RecordLungo,  // a record over 1 KB: of blanks (read), or of values (refused)
};
Q_DECLARE_METATYPE(Insidia)

class TestFileImpostazioni : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void letturaDelLivello_data();
    void letturaDelLivello();
    void cartellaAlPostoDelFile();
    void fileSenzaPermessoDiLettura();
    void fileEnorme();
    void pipeNonBlocca();
    void cartellaNonScrivibile();
    void letturaDelleOpzioni_data();
    void letturaDelleOpzioni();
    void sintesiVocale_data();
    void sintesiVocale();
    void righeFacoltative_data();
    void righeFacoltative();
    void opzioniAndataERitorno();
    void ogniScritturaLasciaIntattoLAltroFile();
    void recordDelLivelloLettoComeOpzioni();
    void fileInsidiosi_data();
    void fileInsidiosi();

private:
    QTemporaryDir* cartella = nullptr;
    QString precedente;
    QString montato; // a tmpfs the test mounted, unmounted by cleanup()
};

void TestFileImpostazioni::init() {
    precedente = QDir::currentPath();
    cartella = new QTemporaryDir;
    QVERIFY(cartella->isValid());
    QVERIFY(QDir::setCurrent(cartella->path()));
}

void TestFileImpostazioni::cleanup() {
    QDir::setCurrent(precedente);
    if (!montato.isEmpty()) {
        QCOMPARE(QProcess::execute(QStringLiteral("umount"), {montato}), 0);
        montato.clear();
    }
    delete cartella;
    cartella = nullptr;
}

void TestFileImpostazioni::letturaDelLivello_data() {
    QTest::addColumn<QByteArray>("file"); // "<none>": no file at all
    QTest::addColumn<int>("livello");
    QTest::addColumn<bool>("riscritto");

    QTest::newRow("missing (first run)") << QByteArray("<none>") << 1 << true;
    QTest::newRow("3") << QByteArray("3\r\n") << 3 << false;
    QTest::newRow("12 without line end") << QByteArray("12") << 12 << false;
    QTest::newRow("blanks around") << QByteArray("  2  \r\n") << 2 << false;
    QTest::newRow("LF only") << QByteArray("3\n") << 3 << false;
    QTest::newRow("lone CR") << QByteArray("2\rrest") << 2 << false;
    QTest::newRow("empty") << QByteArray("") << 1 << true;
    QTest::newRow("blank") << QByteArray("   \r\n") << 1 << true;
    QTest::newRow("40000") << QByteArray("40000\r\n") << 1 << true;
    QTest::newRow("32767") << QByteArray("32767\r\n") << 1 << true;
    QTest::newRow("32768") << QByteArray("32768\r\n") << 1 << true;
    QTest::newRow("-32768") << QByteArray("-32768\r\n") << 1 << true;
    QTest::newRow("-32769") << QByteArray("-32769\r\n") << 1 << true;
    QTest::newRow("0") << QByteArray("0\r\n") << 1 << true;
    QTest::newRow("13") << QByteArray("13\r\n") << 1 << true;
    QTest::newRow("negative") << QByteArray("-2\r\n") << 1 << true;
    QTest::newRow("decimal") << QByteArray("2,5\r\n") << 1 << true;
    QTest::newRow("text") << QByteArray("tre\r\n") << 1 << true;
    QTest::newRow("long text") << QByteArray(5000, 'x') << 1 << true;
    // The value must fit in 1,024 bytes, blanks around it not counted; the end of the file
    // ends it.
    QTest::newRow("1,022 blanks before") << QByteArray(1022, ' ') + "12" << 12 << false;
    QTest::newRow("CR LF straddling byte 1,024") << QByteArray(1021, ' ') + "12\r\n" << 12 << false;
    QTest::newRow("blanks past byte 1,024") << QByteArray(1022, ' ') + "12 " << 12 << false;
    QTest::newRow("3, 1,100 blanks, CR LF") << "3" + QByteArray(1100, ' ') + "\r\n" << 3 << false;
    QTest::newRow("tabs and blanks around, 2,000 in all")
        << QByteArray(1000, '\t') + "5" + QByteArray(1000, ' ') << 5 << false;
    QTest::newRow("1,024 digits") << QByteArray(1022, '0') + "12" << 12 << false;
    QTest::newRow("1,025 digits (over the limit)") << QByteArray(1023, '0') + "12" << 1 << true;
    QTest::newRow("1,025 digits among blanks")
        << QByteArray(2000, ' ') + QByteArray(1023, '0') + "12\r\n"
        << 1 << true;
    // However many blanks, the record must end within the first 64 KiB read.
    QTest::newRow("64 KiB of blanks, then 3") << QByteArray(64 * 1024, ' ') + "3" << 1 << true;
    QTest::newRow("3 in the last byte of 64 KiB")
        << QByteArray(64 * 1024 - 1, ' ') + "3" << 3 << false;
    QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe", 4) << 1 << true;
    QTest::newRow("digit then NUL") << QByteArray("2\x00", 2) << 1 << true;
    QTest::newRow("options record in its place") << RecordPredefinito << 1 << true;
}

void TestFileImpostazioni::letturaDelLivello() {
    QFETCH(QByteArray, file);
    QFETCH(int, livello);
    QFETCH(bool, riscritto);

    if (file != "<none>") scrivi(FileLivello(Nome), file);
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    LeggiLivelli(stato, Nome);
    QCOMPARE(stato.Livello, livello);
    QCOMPARE(contenuto(FileLivello(Nome)), riscritto ? QByteArray("1\r\n") : file);
}

void TestFileImpostazioni::cartellaAlPostoDelFile() {
    QVERIFY(QDir().mkdir(FileLivello(Nome)));
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    LeggiLivelli(stato, Nome);
    QCOMPARE(stato.Livello, 1);
    QVERIFY(QFileInfo(FileLivello(Nome)).isDir()); // the rewrite fails quietly
    QVERIFY(!SalvaLivello(stato));
}

void TestFileImpostazioni::fileSenzaPermessoDiLettura() {
    if (geteuid() == 0) QSKIP("root reads every file");
    scrivi(FileLivello(Nome), "3\r\n");
    QVERIFY(QFile::setPermissions(FileLivello(Nome), QFileDevice::WriteOwner));
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    LeggiLivelli(stato, Nome);
    QCOMPARE(stato.Livello, 1);
}

void TestFileImpostazioni::fileEnorme() {
    // A 64 MB text file starting with a valid value: only its beginning is read.
    {
        QFile file(FileLivello(Nome));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("3\r\n");
        file.write(QByteArray(64 * 1024 * 1024, 'x'));
    }
    StatoProgramma testo;
    testo.NomeProgramma = Nome;
    LeggiLivelli(testo, Nome);
    QCOMPARE(testo.Livello, 3);

    // A sparse file of NUL bytes after the value is a binary file, not a record.
    QVERIFY(QFile::remove(FileLivello(Nome)));
    {
        QFile file(FileLivello(Nome));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2\r\n");
        QVERIFY(file.resize(64 * 1024 * 1024));
    }
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    LeggiLivelli(stato, Nome);
    // The NUL bytes after the value make the record unreadable: fallback, rewritten.
    QCOMPARE(stato.Livello, 1);
    QCOMPARE(QFileInfo(FileLivello(Nome)).size(), 3);
}

void TestFileImpostazioni::pipeNonBlocca() {
    // A named pipe with no writer would block a reader that opened it.
    QVERIFY(mkfifo(QFile::encodeName(FileOpzioni(Nome)).constData(), 0600) == 0);
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    QVERIFY(!LeggiOpzioni(stato));
    QCOMPARE(stato.Impostazioni, Opzioni{});
}

void TestFileImpostazioni::cartellaNonScrivibile() {
    if (geteuid() == 0) QSKIP("root writes in every folder");
    QVERIFY(
        QFile::setPermissions(cartella->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    LeggiLivelli(stato, Nome);
    QCOMPARE(stato.Livello, 1);
    QVERIFY(!MemorizzaOpzioni(stato));
    QFile::setPermissions(cartella->path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestFileImpostazioni::letturaDelleOpzioni_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("letto");

    QByteArray scelte = "0\r\n1\r\n16777215\r\nFalse\r\ntrue\r\nFALSE\r\n65535\r\n255\r\n"
                        "10\r\n0\r\n3";
    QTest::newRow("chosen values, no final line end") << scelte << true;
    QTest::newRow("LF only") << QByteArray(scelte).replace("\r\n", "\n") << true;
    QTest::newRow("lone CR") << QByteArray(scelte).replace("\r\n", "\r") << true;
    QTest::newRow("blanks around") << QByteArray(scelte).replace("\r\n", "  \r\n  ") << true;
    QTest::newRow("missing") << QByteArray("<none>") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("ten lines") << scelte.left(scelte.lastIndexOf("\r\n")) << false;
    QTest::newRow("index 11") << QByteArray(scelte).replace("\r\n10\r\n", "\r\n11\r\n") << false;
    QTest::newRow("index -1") << QByteArray(scelte).replace("\r\n0\r\n3", "\r\n-1\r\n3") << false;
    QTest::newRow("index 32768") << QByteArray(scelte).replace("\r\n0\r\n3", "\r\n32768\r\n3")
                                 << false;
    QTest::newRow("colour beyond RGB")
        << QByteArray(scelte).replace("16777215", "16777216") << false;
    QTest::newRow("negative colour")
        << QByteArray(scelte).replace("0\r\n1\r\n", "-1\r\n1\r\n") << false;
    QTest::newRow("not a boolean") << QByteArray(scelte).replace("False", "Forse") << false;
    QTest::newRow("blank line") << QByteArray(scelte).replace("\r\n65535\r\n", "\r\n \r\n")
                                << false;
    QTest::newRow("binary") << QByteArray("\x01\x02\x00\xff", 4) << false;
    QTest::newRow("long text") << QByteArray(100000, '7') << false;
    QByteArray kilo = scelte;
    kilo.prepend(QByteArray(1024 - kilo.size(), ' '));
    QTest::newRow("1 KB with blanks") << kilo << true;
    QTest::newRow("blanks past 1 KB") << kilo + ' ' << true;
    QTest::newRow("a blank record over 2 KB")
        << QByteArray(scelte).replace("\r\n", QByteArray(200, ' ') + "\r\n" + QByteArray(20, '\t'))
        << true;
    // Values of 1,024 bytes in all (blanks and line ends not counted): the first colour
    // written with leading zeros.
    qsizetype valori = 0;
    for (const char c : scelte)
        valori += QByteArray(" \t\r\n").contains(c) ? 0 : 1;
    const QByteArray valori1024 = QByteArray(1024 - valori, '0') + scelte;
    QTest::newRow("values of 1,024 bytes") << valori1024 << true;
    QTest::newRow("values of 1,025 bytes") << "0" + valori1024 << false;
}

void TestFileImpostazioni::letturaDelleOpzioni() {
    QFETCH(QByteArray, file);
    QFETCH(bool, letto);

    if (file != "<none>") scrivi(FileOpzioni(Nome), file);
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    stato.Impostazioni.IndiceSfondo = 7; // left over from before: must not survive a failure
    QCOMPARE(LeggiOpzioni(stato), letto);
    if (!letto) {
        QCOMPARE(stato.Impostazioni, Opzioni{});
        QCOMPARE(contenuto(FileOpzioni(Nome)), file == "<none>" ? QByteArray("<missing>") : file);
        return;
    }
    const Opzioni& o = stato.Impostazioni;
    QCOMPARE(o.ColoreSfondo, 0);
    QCOMPARE(o.ColoreAusiliario, 1);
    QCOMPARE(o.ColoreCaratteri, QString("16777215"));
    QCOMPARE(o.SuonoAttivo, false);
    QCOMPARE(o.SceltaA, true);
    QCOMPARE(o.SceltaB, false);
    QCOMPARE(o.ColoreScansione, 65535);
    QCOMPARE(o.ColoreScansioneScuro, QString("255"));
    QCOMPARE(o.IndiceSfondo, 10);
    QCOMPARE(o.IndiceScansione, 0);
    QCOMPARE(o.IndiceCaratteri, 3);
}

// The speech switch on a twelfth line: missing or unreadable, it is off, and the eleven
// values are read all the same.
void TestFileImpostazioni::sintesiVocale_data() {
    QTest::addColumn<QByteArray>("coda"); // what follows the eleven lines
    QTest::addColumn<bool>("voce");
    QTest::newRow("none") << QByteArray() << false;
    QTest::newRow("True") << QByteArray("True\r\n") << true;
    QTest::newRow("true, blanks, no line end") << QByteArray(" true ") << true;
    QTest::newRow("False") << QByteArray("False\r\n") << false;
    QTest::newRow("not a boolean") << QByteArray("Attivata\r\n") << false;
    QTest::newRow("blank, then True") << QByteArray("\r\nTrue\r\n") << false;
    // Blanks are never counted against the record's limit.
    QTest::newRow("after 1,000 blanks") << QByteArray(1000, ' ') + "True\r\n" << true;
}

void TestFileImpostazioni::sintesiVocale() {
    QFETCH(QByteArray, coda);
    QFETCH(bool, voce);
    scrivi(FileOpzioni(Nome), RecordScelto + coda);
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    QVERIFY(LeggiOpzioni(stato));
    QCOMPARE(stato.Impostazioni.IndiceSfondo, 10);
    QCOMPARE(stato.Impostazioni.SintesiVocale, voce);
}

// Lines 12 to 16 after the eleven values: each missing or unreadable keeps its default, and
// the others are read all the same.
void TestFileImpostazioni::righeFacoltative_data() {
    QTest::addColumn<QByteArray>("coda"); // what follows the eleven lines
    QTest::addColumn<bool>("voce");
    QTest::addColumn<bool>("maiuscolo");
    QTest::addColumn<bool>("rinforzo");
    QTest::addColumn<bool>("scansione");
    QTest::addColumn<int>("passo");
    QTest::newRow("11 lines") << QByteArray() << false << false << false << false << 15;
    QTest::newRow("12 lines") << QByteArray("True\r\n") << true << false << false << false << 15;
    QTest::newRow("13 lines, capitals")
        << QByteArray("False\r\n0\r\n") << false << true << false << false << 15;
    QTest::newRow("14 lines, no line end")
        << QByteArray("True\r\n0\r\nTrue") << true << true << true << false << 15;
    QTest::newRow("16 lines") << QByteArray("False\r\n1\r\nTrue\r\nTrue\r\n50\r\n") << false
                              << false << true << true << 50;
    QTest::newRow("16 lines, LF, least step")
        << QByteArray("True\n0\nFalse\nTrue\n 5 \n") << true << true << false << true << 5;
    QTest::newRow("bad 13, the rest read")
        << QByteArray("True\r\n2\r\nTrue\r\nTrue\r\n20\r\n") << true << false << true << true << 20;
    QTest::newRow("bad 12 and 14, the rest read")
        << QByteArray("Si\r\n0\r\nAttivato\r\nTrue\r\n30\r\n") << false << true << false << true
        << 30;
    QTest::newRow("step 4") << QByteArray("False\r\n1\r\nFalse\r\nFalse\r\n4\r\n") << false << false
                            << false << false << 15;
    QTest::newRow("step 51") << QByteArray("False\r\n0\r\nFalse\r\nFalse\r\n51\r\n") << false
                             << true << false << false << 15;
    QTest::newRow("step 1.5") << QByteArray("False\r\n0\r\nFalse\r\nTrue\r\n1.5\r\n") << false
                              << true << false << true << 15;
}

void TestFileImpostazioni::righeFacoltative() {
    QFETCH(QByteArray, coda);
    scrivi(FileOpzioni(Nome), RecordScelto + coda);
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    QVERIFY(LeggiOpzioni(stato));
    const Opzioni& o = stato.Impostazioni;
    QCOMPARE(o.IndiceSfondo, 10);
    QCOMPARE(o.IndiceCaratteri, 3);
    QTEST(o.SintesiVocale, "voce");
    QTEST(o.Maiuscolo, "maiuscolo");
    QTEST(o.RinforzoSonoro, "rinforzo");
    QTEST(o.Scansione, "scansione");
    QTEST(int(o.PassoScansione), "passo");
}

void TestFileImpostazioni::opzioniAndataERitorno() {
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    QVERIFY(MemorizzaOpzioni(stato));
    QCOMPARE(contenuto(FileOpzioni(Nome)), RecordPredefinito);

    stato.Impostazioni.ColoreSfondo = Rgb(0, 0, 0); // "Nero" as page colour
    stato.Impostazioni.SuonoAttivo = false;
    stato.Impostazioni.IndiceCaratteri = 0;
    QVERIFY(MemorizzaOpzioni(stato));
    QVERIFY(contenuto(FileOpzioni(Nome)).startsWith("0\r\n8438015\r\n328965\r\nFalse\r\n"));

    StatoProgramma letto;
    letto.NomeProgramma = Nome;
    QVERIFY(LeggiOpzioni(letto));
    QCOMPARE(letto.Impostazioni, stato.Impostazioni);

    stato.Impostazioni.SintesiVocale = true;
    stato.Impostazioni.Maiuscolo = true;
    stato.Impostazioni.RinforzoSonoro = true;
    stato.Impostazioni.Scansione = true;
    stato.Impostazioni.PassoScansione = 7;
    QVERIFY(MemorizzaOpzioni(stato));
    QVERIFY(contenuto(FileOpzioni(Nome))
                .endsWith("\r\n4\r\n4\r\n0\r\nTrue\r\n0\r\nTrue\r\nTrue\r\n7\r\n"));
    QVERIFY(LeggiOpzioni(letto));
    QCOMPARE(letto.Impostazioni, stato.Impostazioni);
}

void TestFileImpostazioni::ogniScritturaLasciaIntattoLAltroFile() {
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    stato.Livello = 3;
    QVERIFY(SalvaLivello(stato));
    stato.Impostazioni.IndiceSfondo = 9;
    QVERIFY(MemorizzaOpzioni(stato));
    QCOMPARE(contenuto(FileLivello(Nome)), QByteArray("3\r\n"));

    stato.Livello = 2;
    QVERIFY(SalvaLivello(stato));
    StatoProgramma dopo;
    dopo.NomeProgramma = Nome;
    LeggiLivelli(dopo, Nome);
    QVERIFY(LeggiOpzioni(dopo));
    QCOMPARE(dopo.Livello, 2);
    QCOMPARE(dopo.Impostazioni.IndiceSfondo, 9);

    // Only the two record files, no temporary file left behind.
    QCOMPARE(QDir().entryList(QDir::Files).size(), 2);
}

void TestFileImpostazioni::recordDelLivelloLettoComeOpzioni() {
    scrivi(FileOpzioni(Nome), "3\r\n");
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    QVERIFY(!LeggiOpzioni(stato));
    QCOMPARE(stato.Impostazioni, Opzioni{});
}

void TestFileImpostazioni::fileInsidiosi_data() {
    QTest::addColumn<bool>("opzioni"); // the options file, else the level file
    QTest::addColumn<Insidia>("insidia");
    QTest::addColumn<QByteArray>("record"); // the file, or the link's target when there is one
    QTest::addColumn<bool>("letto");        // the reader takes the record
    QTest::addColumn<QByteArray>("dopo");   // the file after reading; "<same>": as it was

    const QByteArray segreto = "segreto\r\n";
    for (bool opzioni : {false, true}) {
        const QString f = opzioni ? QStringLiteral("options: ") : QStringLiteral("level: ");
        const QByteArray record = opzioni ? RecordScelto : QByteArray("3\r\n");
        QTest::addRow("%slink to a file outside", qPrintable(f))
            << opzioni << Insidia::LinkFuori << segreto << false << QByteArray("<same>");
        QTest::addRow("%sdangling link", qPrintable(f))
            << opzioni << Insidia::LinkPendente << QByteArray() << false << QByteArray("<same>");
        QTest::addRow("%slink to a FIFO", qPrintable(f))
            << opzioni << Insidia::LinkFifo << QByteArray() << false << QByteArray("<same>");
        QTest::addRow("%sFIFO in its place", qPrintable(f))
            << opzioni << Insidia::Fifo << QByteArray() << false << QByteArray("<same>");
        QTest::addRow("%sfull file system", qPrintable(f))
            << opzioni << Insidia::DiscoPieno << record << true << QByteArray("<same>");
    }

    // Blanks are not counted against the 1 KB of a record: 1,100 of them after "3" (it
    // read as system 1 and was rewritten when they counted).
    QTest::newRow("level: 3 and 1,100 blanks")
        << false << Insidia::RecordLungo << "3" + QByteArray(1100, ' ') + "\r\n"
        << true << QByteArray("<same>");
    // A value that really is over the limit: 1,023 zeros then "12" is never cut at byte
    // 1,024 (where it read as 1); unreadable, it is replaced by the record of system 1.
    QTest::newRow("level: 1,025 digits")
        << false << Insidia::RecordLungo << QByteArray(1023, '0') + "12" << false
        << QByteArray("1\r\n");
    // The last line "10" straddles byte 1,024 after blanks: read whole, as index 10.
    QByteArray lungo = RecordScelto;
    lungo.replace("\r\n0\r\n3\r\n", "\r\n0\r\n");
    lungo.prepend(QByteArray(1023 - lungo.size(), ' '));
    QCOMPARE(lungo.size(), 1023);
    lungo += "10\r\n";
    QTest::newRow("options: blanks, then a line straddling byte 1,024")
        << true << Insidia::RecordLungo << lungo << true << QByteArray("<same>");
    // The same last line, over the limit: written with 1,100 leading zeros.
    QByteArray troppo = RecordScelto;
    troppo.replace("\r\n0\r\n3\r\n", "\r\n0\r\n" + QByteArray(1100, '0') + "3\r\n");
    QTest::newRow("options: values over 1 KB")
        << true << Insidia::RecordLungo << troppo << false << QByteArray("<same>");
}

// Settings are read from and written to regular files only: nothing outside the folder
// changes, whatever stands at the name stays as it was, the writer reports failure and no
// temporary file is left behind.
void TestFileImpostazioni::fileInsidiosi() {
    QFETCH(bool, opzioni);
    QFETCH(Insidia, insidia);
    QFETCH(QByteArray, record);
    QFETCH(bool, letto);
    QFETCH(QByteArray, dopo);

    QVERIFY(QDir::setCurrent(precedente)); // the working folder is made afresh below
    const QDir base(cartella->path());
    QVERIFY(base.mkdir(QStringLiteral("casa")) && base.mkdir(QStringLiteral("fuori")));
    const QString casa = base.filePath(QStringLiteral("casa"));
    const QString fuori = base.filePath(QStringLiteral("fuori"));
    const QString nome = opzioni ? FileOpzioni(Nome) : FileLivello(Nome);
    scrivi(fuori + QStringLiteral("/bersaglio"), "segreto\r\n");
    QVERIFY(mkfifo(QFile::encodeName(fuori + QStringLiteral("/fifo")).constData(), 0600) == 0);

    QStringList attesiInCasa{nome};
    if (insidia == Insidia::DiscoPieno) {
        if (geteuid() != 0) QSKIP("mounting a small tmpfs to fill up needs root");
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64k"), QStringLiteral("tmpfs"), casa}) != 0)
            QSKIP("could not mount a tmpfs (no mount permission here)");
        montato = casa;
    }
    QVERIFY(QDir::setCurrent(casa));

    const auto collega = [&](const QString& bersaglio) { QVERIFY(QFile::link(bersaglio, nome)); };
    switch (insidia) {
    case Insidia::LinkFuori:
        collega(fuori + QStringLiteral("/bersaglio"));
        break;
    case Insidia::LinkPendente:
        collega(fuori + QStringLiteral("/nuovo"));
        break;
    case Insidia::LinkFifo:
        collega(fuori + QStringLiteral("/fifo"));
        break;
    case Insidia::Fifo:
        QVERIFY(mkfifo(QFile::encodeName(nome).constData(), 0600) == 0);
        break;
    case Insidia::DiscoPieno: {
        scrivi(nome, record);
        // Fill every block left; then not even one byte fits in a new file.
        const int fd = open("riempitivo", O_WRONLY | O_CREAT | O_EXCL, 0600);
        QVERIFY(fd >= 0);
        const QByteArray blocco(4096, 'x');
        while (write(fd, blocco.constData(), blocco.size()) > 0) {
        }
        QCOMPARE(errno, ENOSPC);
        close(fd);
        const int prova = open("prova", O_WRONLY | O_CREAT | O_EXCL, 0600);
        QVERIFY(prova >= 0);
        QCOMPARE(write(prova, "1", 1), ssize_t(-1));
        close(prova);
        QVERIFY(QFile::remove(QStringLiteral("prova")));
        attesiInCasa << QStringLiteral("riempitivo");
        break;
    }
    case Insidia::RecordLungo:
        scrivi(nome, record);
        break;
    }
    attesiInCasa.sort();

    const QStringList fuoriPrima = Istantanea(fuori);
    const QString prima = Voce(nome);
    const QString attesoDopo =
        dopo == "<same>" ? prima : QStringLiteral("file ") + QString::fromLatin1(dopo.toHex());

    // Reading (the level reader writes 1 when it cannot read).
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    if (opzioni) {
        stato.Impostazioni.IndiceSfondo = 7;
        QCOMPARE(LeggiOpzioni(stato), letto);
        QCOMPARE(stato.Impostazioni.IndiceSfondo, letto ? 10 : Opzioni{}.IndiceSfondo);
    } else {
        LeggiLivelli(stato, Nome);
        QCOMPARE(stato.Livello, letto ? 3 : 1);
    }
    QCOMPARE(Voce(nome), attesoDopo);
    QCOMPARE(Istantanea(fuori), fuoriPrima);

    // Writing a changed record: refused or failed, and nothing moves.
    if (insidia != Insidia::RecordLungo) {
        stato.Livello = 5;
        stato.Impostazioni.IndiceSfondo = 2;
        QVERIFY(!(opzioni ? MemorizzaOpzioni(stato) : SalvaLivello(stato)));
        QCOMPARE(Voce(nome), prima);
        QCOMPARE(Istantanea(fuori), fuoriPrima);
    }
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                              QDir::Name),
             attesiInCasa);
}

QTEST_GUILESS_MAIN(TestFileImpostazioni)
#include "tst_fileimpostazioni.moc"
