// The register on a real SQLite file: every field back as saved, a series saved again
// replaced whole, the file and folder private, and the faults a classroom computer has (a
// kill in the middle of a save, a full or read-only disk, a link or a damaged file at its
// name, two copies of the program at once).

#include "registro/CodaRegistro.h"
#include "registro/RegistroLocale.h"
#include "support/SerieProva.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Child mode: saves series seme, seme+1, ... into the file and prints each seed once saved.
int Figlio(const QString& file, int primo, int quanti) {
    RegistroLocale r(file);
    for (int k = primo; k < primo + quanti; ++k) {
        const EsitoRegistro e = r.Salva(SerieProva(k), QStringLiteral("pc-%1").arg(primo));
        if (!e.Riuscito()) {
            std::fprintf(stderr, "%s\n", qPrintable(e.dettaglio));
            return 1;
        }
        std::printf("%d\n", k);
        std::fflush(stdout);
    }
    return 0;
}

QProcess* AvviaFiglio(const QString& file, int primo, int quanti) {
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIGLIO_REGISTRO"),
               QStringLiteral("%1;%2;%3").arg(file).arg(primo).arg(quanti));
    p->setProcessEnvironment(env);
    p->start(QCoreApplication::applicationFilePath(), {});
    return p;
}

mode_t Modo(const QString& percorso) {
    struct stat st {};
    lstat(QFile::encodeName(percorso).constData(), &st);
    return st.st_mode & 0777;
}

// A small file system of its own (root only): full at a few pages, or read-only.
bool Monta(const QString& cartella, const char* opzioni) {
    return mount("tmpfs", QFile::encodeName(cartella).constData(), "tmpfs", 0, opzioni) == 0;
}

} // namespace

class TestRegistroLocale : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }
    void nomiOstili_data();
    void nomiOstili();
    void fileEProprieta();
    void salvaDiNuovoSostituisce();
    void elenchiEFiltri();
    void daInviare();
    void uccisoDuranteIlSalvataggio();
    void dueProgrammiInsieme();
    void collegamentoOCartellaAlPosto_data();
    void collegamentoOCartellaAlPosto();
    void discoPienoOSolaLettura_data();
    void discoPienoOSolaLettura();
    void fileDanneggiato();
    void versioni_data();
    void versioni();
    void pbkdf2_data();
    void pbkdf2();
    void inMemoriaFinoAllaProssima();

private:
    QString File() const { return dir_->filePath(QStringLiteral("dati/registro.sqlite")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestRegistroLocale::nomiOstili_data() {
    QTest::addColumn<QString>("nome");
    QTest::newRow("apici") << QStringLiteral("D'Amico \"Ciccio\"");
    QTest::newRow("SQL") << QStringLiteral("'); DROP TABLE serie;--");
    QTest::newRow("emoji e accenti")
        << QString::fromUtf8("Zoë \U0001F600\U0001F1EE\U0001F1F9 Nicolò");
    QTest::newRow("15 lettere") << QStringLiteral("Mariaantonietta");
    QTest::newRow("formula") << QStringLiteral("=HYPERLINK(\"x\")");
    QTest::newRow("NUL in mezzo") << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b");
}

void TestRegistroLocale::nomiOstili() {
    QFETCH(QString, nome);
    {
        RegistroLocale r(File());
        RegistroSerie s = SerieProva(3, 20, nome);
        s.Esercizi[0].Tentativi.push_back({nome, false}); // a reply is the pupil's text too
        QVERIFY(r.Salva(s, nome).Riuscito());
        const auto letta = r.Leggi(s.Id);
        QVERIFY(letta);
        QCOMPARE(letta->Serie, s);
        QCOMPARE(letta->Computer, nome);
        QCOMPARE(r.Alunni(), QStringList{nome});
        QCOMPARE(r.Conta(FiltroRegistro{nome, {}, {}, {}}), 1);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("x"));
    db.setDatabaseName(File());
    QVERIFY(db.open());
    QSqlQuery q(QStringLiteral("SELECT count(*) FROM serie"), db);
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    q = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("x"));
}

void TestRegistroLocale::fileEProprieta() {
    RegistroLocale r(File());
    QVERIFY(!QFile::exists(File())); // nothing before it is needed
    QVERIFY(r.Apri().Riuscito());
    QCOMPARE(Modo(QFileInfo(File()).absolutePath()), mode_t(0700));
    QCOMPARE(Modo(File()), mode_t(0600));
    QVERIFY(r.Salva(SerieProva(1), QStringLiteral("pc")).Riuscito());
    QCOMPARE(Modo(File() + QStringLiteral("-wal")), mode_t(0600));
    r.Chiudi();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("y"));
    db.setDatabaseName(File());
    QVERIFY(db.open());
    {
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("wal"));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version")) && q.next());
        QCOMPARE(q.value(0).toInt(), 3);
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("y"));
}

void TestRegistroLocale::salvaDiNuovoSostituisce() {
    RegistroLocale r(File());
    RegistroSerie s = SerieProva(5, 20);
    QVERIFY(r.Salva(s, QStringLiteral("pc")).Riuscito());
    QVERIFY(r.ImpostaNome(s.Id, QStringLiteral("Giulia Rossi")).Riuscito());
    QVERIFY(r.ImpostaGiudizio(s.Id, QStringLiteral("Ottimo")).Riuscito());
    // Saved again with fewer exercises and no name: the exercises are replaced, the name
    // and the grade already given stay.
    RegistroSerie corta = SerieProva(5, 7);
    QVERIFY(r.Salva(corta, QStringLiteral("pc")).Riuscito());
    const auto letta = r.Leggi(s.Id);
    QVERIFY(letta);
    corta.NomeAlunno = QStringLiteral("Giulia Rossi");
    corta.Giudizio = QStringLiteral("Ottimo");
    QCOMPARE(letta->Serie, corta);
    QCOMPARE(r.Conta(), 1);
    QCOMPARE(r.Elenco().at(0).Esercizi, std::int16_t(7));
    QCOMPARE(r.ImpostaNome(QUuid::createUuid(), QStringLiteral("x")).errore,
             ErroreRegistro::SerieAssente);
}

void TestRegistroLocale::elenchiEFiltri() {
    RegistroLocale r(File());
    for (int k = 0; k < 30; ++k)
        QVERIFY(r.Salva(SerieProva(k, 20, k % 3 ? QStringLiteral("Anna") : QString()),
                        QStringLiteral("pc"))
                    .Riuscito());
    const auto tutte = r.Elenco();
    QCOMPARE(int(tutte.size()), 30);
    QVERIFY(std::is_sorted(tutte.begin(), tutte.end(),
                           [](const auto& a, const auto& b) { return a.Inizio > b.Inizio; }));
    QCOMPARE(r.Alunni(), (QStringList{QString(), QStringLiteral("Anna")}));
    QCOMPARE(r.Conta(FiltroRegistro{QString(), {}, {}, {}}), 10);
    QCOMPARE(r.Conta(FiltroRegistro{{}, std::int16_t(4), {}, {}}), 3); // seeds 3, 15, 27
    // Days 1..3 of 2026 hold seeds 1..3; the bounds are days, both included.
    QCOMPARE(r.Conta(FiltroRegistro{{}, {}, QDate(2026, 1, 2), QDate(2026, 1, 4)}), 3);
    const auto pagina = r.Elenco({}, 10, 5);
    QCOMPARE(int(pagina.size()), 5);
    QCOMPARE(pagina[0].Id, tutte[10].Id);
    QCOMPARE(int(r.Sistemi().size()), 12);

    // The missed pairs, counted from the records themselves.
    std::map<std::pair<QString, QString>, std::pair<int, int>> attesi;
    for (int k = 0; k < 30; ++k) {
        if (k % 3 == 0) continue;
        for (const auto& e : SerieProva(k).Esercizi) {
            auto& [errori, totale] =
                attesi[{e.Dati.SimboloDa.trimmed(), e.Dati.SimboloA.trimmed()}];
            const bool sbagliato = e.SoluzioneData || !e.Tentativi.front().Esatta;
            errori += sbagliato;
            ++totale;
        }
    }
    const auto coppie = r.ErroriPerCoppia(QStringLiteral("Anna"));
    QVERIFY(!coppie.empty());
    for (std::size_t i = 0; i < coppie.size(); ++i) {
        const auto [errori, totale] = attesi.at({coppie[i].SimboloDa, coppie[i].SimboloA});
        QCOMPARE(coppie[i].Errori, errori);
        QCOMPARE(coppie[i].Totale, totale);
        if (i > 0) QVERIFY(coppie[i - 1].Errori >= coppie[i].Errori);
    }

    QCOMPARE(r.RinominaAlunno(QString(), QStringLiteral("Bruno")), 10);
    // Renamed and deleted series leave the counts of missed pairs as the records say.
    QCOMPARE(r.Elimina(SerieProva(1).Id), 1);
    std::map<std::pair<QString, QString>, std::pair<int, int>> diBruno, diAnna;
    for (int k = 0; k < 30; ++k)
        for (const auto& e : k == 1 ? std::vector<EsercizioSvolto>{} : SerieProva(k).Esercizi) {
            auto& [errori, totale] =
                (k % 3 ? diAnna : diBruno)[{e.Dati.SimboloDa.trimmed(), e.Dati.SimboloA.trimmed()}];
            errori += e.SoluzioneData || !e.Tentativi.front().Esatta;
            ++totale;
        }
    for (const auto& [nome, attese] :
         {std::pair{QStringLiteral("Bruno"), diBruno}, std::pair{QStringLiteral("Anna"), diAnna}}) {
        int errate = 0;
        for (const auto& [coppia, conti] : attese)
            errate += conti.first > 0;
        const auto lette = r.ErroriPerCoppia(nome);
        QCOMPARE(int(lette.size()), errate);
        for (const auto& c : lette)
            QCOMPARE(std::pair(c.Errori, c.Totale), attese.at({c.SimboloDa, c.SimboloA}));
    }
    QVERIFY(r.Salva(SerieProva(1, 20, QStringLiteral("Anna")), QStringLiteral("pc")).Riuscito());
    QCOMPARE(r.Conta(FiltroRegistro{QString(), {}, {}, {}}), 0);
    QCOMPARE(r.Elimina(tutte[0].Id), 1);
    QCOMPARE(r.Elimina(tutte[0].Id), 0);
    const bool primaAnna = !tutte[0].NomeAlunno.isEmpty();
    QCOMPARE(r.EliminaAlunno(QStringLiteral("Anna")), primaAnna ? 19 : 20);
    QCOMPARE(r.EliminaTutto(), primaAnna ? 10 : 9);
    QCOMPARE(r.Conta(), 0);
}

void TestRegistroLocale::daInviare() {
    RegistroLocale r(File());
    for (int k : {4, 2, 3})
        QVERIFY(r.Salva(SerieProva(k), QStringLiteral("pc")).Riuscito());
    auto da = r.SerieDaInviare();
    QCOMPARE(int(da.size()), 3);
    QCOMPARE(da[0].Serie, SerieProva(2)); // oldest first
    QCOMPARE(da[2].Serie, SerieProva(4));
    // Named while on its way: the mark for the old revision does not hide the change.
    QVERIFY(r.ImpostaNome(da[0].Serie.Id, QStringLiteral("Luca")).Riuscito());
    QVERIFY(r.SegnaInviata(da[0].Serie.Id, da[0].Revisione).Riuscito());
    QVERIFY(r.SegnaInviata(da[1].Serie.Id, da[1].Revisione).Riuscito());
    da = r.SerieDaInviare();
    QCOMPARE(int(da.size()), 2);
    QCOMPARE(da[0].Serie.NomeAlunno, QStringLiteral("Luca"));
    QVERIFY(r.SegnaInviata(da[0].Serie.Id).Riuscito());
    QCOMPARE(int(r.SerieDaInviare().size()), 1);
}

void TestRegistroLocale::uccisoDuranteIlSalvataggio() {
    // Killed at random moments while saving: afterwards every series reported saved is
    // there, and every series there is whole.
    QSet<int> salvate;
    int primo = 0;
    for (int giro = 0; giro < 6; ++giro, primo += 1000) {
        std::unique_ptr<QProcess> p(AvviaFiglio(File(), primo, 1000));
        QVERIFY(p->waitForStarted(120000));
        QTest::qWait(150 + QRandomGenerator::global()->bounded(400));
        ::kill(static_cast<pid_t>(p->processId()), SIGKILL);
        QVERIFY(p->waitForFinished(120000));
        for (const QByteArray& riga : p->readAllStandardOutput().split('\n'))
            if (!riga.isEmpty()) salvate.insert(riga.toInt());
    }
    QVERIFY2(!salvate.isEmpty(), "no child saved anything before the kill");
    RegistroLocale r(File());
    QVERIFY(r.Apri().Riuscito());
    QVERIFY(r.FileMessoDaParte().isEmpty());
    const auto righe = r.Elenco();
    QVERIFY(int(righe.size()) >= salvate.size());
    QSet<QUuid> presenti;
    for (const auto& riga : righe)
        presenti.insert(riga.Id);
    for (int k : salvate)
        QVERIFY2(presenti.contains(SerieProva(k).Id), qPrintable(QString::number(k)));
    for (const auto& riga : righe) {
        const int seme = riga.Computer.mid(3).toInt();
        bool trovata = false;
        for (int k = seme; k < seme + 1000 && !trovata; ++k) {
            const RegistroSerie attesa = SerieProva(k);
            if (attesa.Id != riga.Id) continue;
            trovata = true;
            QCOMPARE(r.Leggi(riga.Id)->Serie, attesa);
        }
        QVERIFY(trovata);
    }
}

void TestRegistroLocale::dueProgrammiInsieme() {
    std::unique_ptr<QProcess> a(AvviaFiglio(File(), 0, 60)), b(AvviaFiglio(File(), 100, 60));
    QVERIFY(a->waitForFinished(120000) && b->waitForFinished(120000));
    QCOMPARE(a->exitCode(), 0);
    QCOMPARE(b->exitCode(), 0);
    RegistroLocale r(File());
    QCOMPARE(r.Conta(), 120);
}

void TestRegistroLocale::collegamentoOCartellaAlPosto_data() {
    QTest::addColumn<QString>("nome"); // where the planted thing stands
    QTest::addColumn<bool>("cartella");
    QTest::newRow("link al posto del file") << QString() << false;
    QTest::newRow("cartella al posto del file") << QString() << true;
    QTest::newRow("link al posto del giornale") << QStringLiteral("-wal") << false;
}

void TestRegistroLocale::collegamentoOCartellaAlPosto() {
    QFETCH(QString, nome);
    QFETCH(bool, cartella);
    QDir().mkpath(QFileInfo(File()).absolutePath());
    const QString bersaglio = dir_->filePath(QStringLiteral("bersaglio"));
    QFile f(bersaglio);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("da non toccare");
    f.close();
    const QString piantato = File() + nome;
    if (cartella)
        QVERIFY(QDir().mkdir(piantato));
    else
        QVERIFY(QFile::link(bersaglio, piantato));
    RegistroLocale r(File());
    const EsitoRegistro e = r.Salva(SerieProva(1), QStringLiteral("pc"));
    QCOMPARE(e.errore, ErroreRegistro::NomeNonFile);
    QVERIFY(!CausaRegistro(e).isEmpty());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("da non toccare"));
    QCOMPARE(QFileInfo(piantato).isSymLink(), !cartella);
}

void TestRegistroLocale::discoPienoOSolaLettura_data() {
    QTest::addColumn<QByteArray>("opzioni");
    QTest::addColumn<int>("errore");
    QTest::newRow("disco pieno") << QByteArray("size=96k") << int(ErroreRegistro::DiscoPieno);
    QTest::newRow("sola lettura") << QByteArray("ro") << int(ErroreRegistro::SenzaPermesso);
}

void TestRegistroLocale::discoPienoOSolaLettura() {
    QFETCH(QByteArray, opzioni);
    QFETCH(int, errore);
    const QString punto = dir_->filePath(QStringLiteral("dati"));
    QDir().mkpath(punto);
    if (!Monta(punto, opzioni.constData())) QSKIP("mounting a small file system needs root");
    EsitoRegistro e;
    std::vector<RegistroSerie> salvate;
    {
        RegistroLocale r(File());
        for (int k = 0; k < 400 && e.Riuscito(); ++k) {
            const RegistroSerie s = SerieProva(k, 20, QString(200, u'x'));
            e = r.Salva(s, QStringLiteral("pc"));
            if (e.Riuscito()) salvate.push_back(s);
        }
        QCOMPARE(int(e.errore), errore);
        QVERIFY(CausaRegistro(e).startsWith(errore == int(ErroreRegistro::DiscoPieno)
                                                ? QStringLiteral("il disco è pieno")
                                                : QStringLiteral("non è permesso")));
        // The series that failed left nothing half written; the earlier ones are whole.
        for (const auto& s : salvate)
            QCOMPARE(r.Leggi(s.Id)->Serie, s);
        QCOMPARE(r.Conta().value_or(int(salvate.size())), int(salvate.size()));
    }
    QVERIFY(umount2(QFile::encodeName(punto).constData(), MNT_DETACH) == 0);
}

void TestRegistroLocale::fileDanneggiato() {
    QDir().mkpath(QFileInfo(File()).absolutePath());
    QFile f(File());
    QVERIFY(f.open(QIODevice::WriteOnly));
    const QByteArray rovinato = QByteArray("not a database, a pupil's essay\n").repeated(200);
    f.write(rovinato);
    f.close();
    RegistroLocale r(File());
    QVERIFY(r.Salva(SerieProva(1), QStringLiteral("pc")).Riuscito());
    const QString vecchio = r.FileMessoDaParte();
    QVERIFY(QFileInfo(vecchio).fileName().startsWith(QStringLiteral("registro danneggiato 20")));
    QCOMPARE(QFileInfo(vecchio).absolutePath(), QFileInfo(File()).absolutePath());
    QFile v(vecchio);
    QVERIFY(v.open(QIODevice::ReadOnly));
    QCOMPARE(v.readAll(), rovinato);
    QCOMPARE(r.Conta(), 1);
}

void TestRegistroLocale::versioni_data() {
    QTest::addColumn<QString>("sql"); // run on a register of today's version
    QTest::addColumn<int>("errore");
    // A register of the first version (before the teacher's password) is brought up to date
    // with its series; one from a newer program is left exactly as it is.
    QTest::newRow("versione 1") << "DROP TABLE insegnante; DROP TRIGGER esercizio_aggiunto; "
                                   "DROP TRIGGER serie_tolta; DROP TRIGGER serie_rinominata; "
                                   "DROP TABLE errori_alunno; PRAGMA user_version=1"
                                << int(ErroreRegistro::Nessuno);
    QTest::newRow("versione futura")
        << "PRAGMA user_version=7" << int(ErroreRegistro::VersioneFutura);
}

void TestRegistroLocale::versioni() {
    QFETCH(QString, sql);
    QFETCH(int, errore);
    {
        RegistroLocale r(File());
        QVERIFY(r.Salva(SerieProva(1), QStringLiteral("pc")).Riuscito());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("z"));
        db.setDatabaseName(File());
        QVERIFY(db.open());
        for (const QString& istruzione : sql.split(QStringLiteral("; ")))
            QVERIFY(QSqlQuery(db).exec(istruzione));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("z"));
    }
    QFile f(File());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray prima = f.readAll();
    f.close();
    RegistroLocale r(File());
    const EsitoRegistro aperto = r.Apri();
    QVERIFY2(int(aperto.errore) == errore, qPrintable(aperto.dettaglio));
    QVERIFY(r.FileMessoDaParte().isEmpty());
    if (errore != int(ErroreRegistro::Nessuno)) {
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), prima);
        return;
    }
    QCOMPARE(r.Leggi(SerieProva(1).Id)->Serie, SerieProva(1));
    // The missed pairs counted from the series already there.
    int errori = 0;
    for (const auto& e : SerieProva(1).Esercizi)
        errori += e.SoluzioneData || !e.Tentativi.front().Esatta;
    int lette = 0;
    for (const auto& c : r.ErroriPerCoppia(QString()))
        lette += c.Errori;
    QCOMPARE(lette, errori);
    std::optional<PasswordSalvata> password;
    QVERIFY(r.LeggiPassword(password).Riuscito());
    QVERIFY(!password);
    const PasswordSalvata nuova = NuovaPassword(QStringLiteral("maestra"), 10);
    QVERIFY(r.ImpostaPassword(nuova).Riuscito());
    QVERIFY(r.LeggiPassword(password).Riuscito());
    QVERIFY(password && PasswordGiusta(*password, QStringLiteral("maestra")));
    QVERIFY(!PasswordGiusta(*password, QStringLiteral("Maestra")));
}

// While a link stands at the register's name the series wait in memory, the user is told
// once, a name given meanwhile goes with its series; once the link is gone the next series
// takes them all into the register.
void TestRegistroLocale::inMemoriaFinoAllaProssima() {
    QDir().mkpath(QFileInfo(File()).absolutePath());
    QVERIFY(QFile::link(dir_->filePath(QStringLiteral("altrove")), File()));
    CodaRegistro coda(File(), QStringLiteral("pc"));
    QStringList avvisi;
    coda.Avvisa = [&](const QString& t) { avvisi << t; };
    const RegistroSerie a = SerieProva(1), b = SerieProva(2);
    QCOMPARE(coda.Registra(a).errore, ErroreRegistro::NomeNonFile);
    QCOMPARE(coda.Registra(b).errore, ErroreRegistro::NomeNonFile);
    QVERIFY(coda.ImpostaNome(a.Id, QStringLiteral("Giulia Rossi")).errore !=
            ErroreRegistro::Nessuno);
    QCOMPARE(avvisi.size(), 1);
    QVERIFY(avvisi[0].startsWith(QStringLiteral("Non è stato possibile registrare la serie: ")));
    QCOMPARE(int(coda.InAttesa().size()), 2);
    QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("altrove"))));

    QVERIFY(QFile::remove(File()));
    const RegistroSerie c = SerieProva(3);
    QVERIFY(coda.Registra(c).Riuscito());
    QVERIFY(coda.InAttesa().empty());
    RegistroLocale r(File());
    QCOMPARE(r.Conta(), 3);
    QCOMPARE(r.Leggi(a.Id)->Serie.NomeAlunno, QStringLiteral("Giulia Rossi"));
    QCOMPARE(r.Leggi(b.Id)->Serie, b);
    QCOMPARE(avvisi.size(), 1);
}

// PBKDF2-HMAC-SHA256 against the published test vectors (RFC 7914, section 11), and the
// growing wait after wrong passwords.
void TestRegistroLocale::pbkdf2_data() {
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("sale");
    QTest::addColumn<int>("iterazioni");
    QTest::addColumn<QByteArray>("atteso");
    QTest::newRow("RFC 7914, 1 giro")
        << QByteArray("passwd") << QByteArray("salt") << 1
        << QByteArray("55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc49ca9cccf179"
                      "b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
    QTest::newRow("RFC 7914, 80000 giri")
        << QByteArray("Password") << QByteArray("NaCl") << 80000
        << QByteArray("4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56a1d425a12258"
                      "33549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d");
}

void TestRegistroLocale::pbkdf2() {
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, sale);
    QFETCH(int, iterazioni);
    QFETCH(QByteArray, atteso);
    QCOMPARE(Pbkdf2Sha256(password, sale, iterazioni, 64).toHex(), atteso);
    QCOMPARE(Pbkdf2Sha256(password, sale, iterazioni, 20).toHex(), atteso.left(40));
    const QList<int> attese = {0, 1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000};
    for (int errori = 0; errori < attese.size(); ++errori)
        QCOMPARE(AttesaDopoErrori(errori), attese[errori]);
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString figlio = qEnvironmentVariable("FIGLIO_REGISTRO");
    if (!figlio.isEmpty()) {
        const QStringList parti = figlio.split(QLatin1Char(';'));
        return Figlio(parti[0], parti[1].toInt(), parti[2].toInt());
    }
    TestRegistroLocale prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "tst_RegistroLocale.moc"
