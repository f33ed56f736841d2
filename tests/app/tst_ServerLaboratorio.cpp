#include "registro/RegistroLocale.h"
#include "support/PostgresProva.h"

#include <QProcess>

// The real program as two computers of a lab, each an account of its own (home, data and
// configuration folders) with its own registro.conf, and a real PostgreSQL server started
// by the test: each started program sends what its register keeps, and
// "decimetra --esporta-registro" on one computer lists the other's series, or this
// computer's alone, saying why, when the server cannot be used.
class tst_ServerLaboratorio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void DueComputer();
    void ServerSpento();
    void PasswordLeggibileDaAltri();
    void SenzaConfigurazione();

private:
    struct Computer {
        QTemporaryDir casa;
        QString nome;
        QString Registro() const { return casa.filePath(".local/share/decimetra/registro.sqlite"); }
        QString Password() const { return casa.filePath("pgpass"); }
        QProcessEnvironment Ambiente() const {
            auto a = QProcessEnvironment::systemEnvironment();
            a.insert("HOME", casa.path());
            a.insert("XDG_CONFIG_HOME", casa.filePath(".config"));
            a.insert("XDG_DATA_HOME", casa.filePath(".local/share"));
            a.insert("QT_QPA_PLATFORM", "offscreen");
            return a;
        }
    };
    void Prepara(Computer& c, const QString& nome, const RegistroSerie& serie);
    // Runs decimetra --esporta-registro on computer c; the CSV's lines and standard error.
    std::pair<QStringList, QString> Esporta(const Computer& c, int& uscita);

    PostgresProva pg;
    Computer a, b;
    RegistroSerie serieA = SerieDiProva(QStringLiteral("Giulia Rossi"));
    RegistroSerie serieB = SerieDiProva(QStringLiteral("Nicolò D'Amico"));
};

void tst_ServerLaboratorio::Prepara(Computer& c, const QString& nome, const RegistroSerie& s) {
    c.nome = nome;
    QVERIFY(QDir().mkpath(c.casa.filePath(".config/decimetra")));
    QVERIFY(QFile::copy(pg.cartella + "/pgpass", c.Password()));
    QVERIFY(QFile::setPermissions(c.Password(), QFile::ReadOwner | QFile::WriteOwner));
    QFile conf(c.casa.filePath(".config/decimetra/registro.conf"));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write(
        QStringLiteral("[server]\nhost=127.0.0.1\nport=%1\ndatabase=decimetra\nuser=decimetra"
                       "\npassfile=%2\ncomputer=%3\n")
            .arg(pg.porta)
            .arg(c.Password(), nome)
            .toUtf8());
    conf.close();
    RegistroLocale registro(c.Registro());
    QVERIFY(registro.Salva(s, "pc-" + nome).Riuscito());
}

std::pair<QStringList, QString> tst_ServerLaboratorio::Esporta(const Computer& c, int& uscita) {
    const QString file = c.casa.filePath("registro.csv");
    QFile::remove(file);
    QProcess p;
    p.setProcessEnvironment(c.Ambiente());
    p.start(PROGRAMMA, {"--esporta-registro", file});
    if (!p.waitForFinished(120000)) p.kill();
    uscita = p.exitCode();
    QFile f(file);
    QStringList righe;
    if (f.open(QIODevice::ReadOnly))
        righe = QString::fromUtf8(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
    return {righe, QString::fromLocal8Bit(p.readAllStandardError())};
}

void tst_ServerLaboratorio::initTestCase() {
    const QString errore = pg.Avvia();
    if (pg.saltare) QSKIP(qPrintable(errore));
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    Prepara(a, "aula-a", serieA);
    Prepara(b, "aula-b", serieB);
}

// Both programs started at once: each sends its series by itself at start, once; then each
// computer's export lists both, each under its computer's name.
void tst_ServerLaboratorio::DueComputer() {
    QProcess programmaA, programmaB;
    programmaA.setProcessEnvironment(a.Ambiente());
    programmaB.setProcessEnvironment(b.Ambiente());
    programmaA.start(PROGRAMMA, {});
    programmaB.start(PROGRAMMA, {});
    QVERIFY(programmaA.waitForStarted(120000) && programmaB.waitForStarted(120000));
    QTRY_COMPARE_WITH_TIMEOUT(pg.Psql("SELECT count(*) FROM serie"), QStringLiteral("2"), 120000);
    // Marked sent in each local register (the program's thread does it right after).
    QTRY_VERIFY_WITH_TIMEOUT(RegistroLocale(a.Registro()).SerieDaInviare().empty(), 120000);
    QTRY_VERIFY_WITH_TIMEOUT(RegistroLocale(b.Registro()).SerieDaInviare().empty(), 120000);
    programmaA.terminate();
    programmaB.terminate();
    QVERIFY(programmaA.waitForFinished(120000) && programmaB.waitForFinished(120000));
    QCOMPARE(pg.Psql("SELECT string_agg(computer || ':' || alunno, ',' ORDER BY computer) FROM "
                     "serie"),
             QStringLiteral("aula-a:Giulia Rossi,aula-b:Nicolò D'Amico"));

    int uscita = -1;
    const auto [righe, errori] = Esporta(a, uscita);
    QCOMPARE(uscita, 0);
    QCOMPARE(errori, QString());
    QCOMPARE(righe.size(), 1 + 40);
    QCOMPARE(righe.filter(";aula-b;Nicolò D'Amico;").size(), 20);
    QCOMPARE(righe.filter(";aula-a;Giulia Rossi;").size(), 20);
    QVERIFY(righe[1].startsWith(serieA.Id.toString(QUuid::WithoutBraces)) ||
            righe[1].startsWith(serieB.Id.toString(QUuid::WithoutBraces)));
}

// The server down: the export says so and writes this computer's register alone.
void tst_ServerLaboratorio::ServerSpento() {
    QVERIFY(pg.Comando("ferma"));
    int uscita = -1;
    const auto [righe, errori] = Esporta(b, uscita);
    QVERIFY(pg.Avvia().isEmpty());
    QCOMPARE(uscita, 0);
    QVERIFY2(errori.contains("non accetta connessioni") &&
                 errori.contains("Esporto solo il registro di questo computer."),
             qPrintable(errori));
    QCOMPARE(righe.size(), 1 + 20);
    QCOMPARE(righe.filter(";pc-aula-b;Nicolò D'Amico;").size(), 20);
}

// A passfile others can read: refused, said at the program's start and in the export, and
// the password in it used by nobody.
void tst_ServerLaboratorio::PasswordLeggibileDaAltri() {
    QVERIFY(QFile::setPermissions(a.Password(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    int uscita = -1;
    const auto [righe, errori] = Esporta(a, uscita);
    QCOMPARE(uscita, 0);
    QVERIFY2(errori.contains("anche da altri utenti") && errori.contains(a.Password()),
             qPrintable(errori));
    QVERIFY(!errori.contains("prova-segreta"));
    QCOMPARE(righe.size(), 1 + 20);

    QProcess programma;
    programma.setProcessEnvironment(a.Ambiente());
    programma.start(PROGRAMMA, {});
    QVERIFY(programma.waitForStarted(120000));
    QByteArray detto;
    QTRY_VERIFY_WITH_TIMEOUT((detto += programma.readAllStandardError()).contains("chmod 600"),
                             120000);
    programma.terminate();
    QVERIFY(programma.waitForFinished(120000));
    QVERIFY(QFile::setPermissions(a.Password(), QFile::ReadOwner | QFile::WriteOwner));
}

// No configuration file: the export is the local register's, and says nothing more.
void tst_ServerLaboratorio::SenzaConfigurazione() {
    QVERIFY(QFile::remove(b.casa.filePath(".config/decimetra/registro.conf")));
    int uscita = -1;
    const auto [righe, errori] = Esporta(b, uscita);
    QCOMPARE(uscita, 0);
    QCOMPARE(errori, QString());
    QCOMPARE(righe.size(), 1 + 20);
    QCOMPARE(righe.filter(";pc-aula-b;").size(), 20);
}

QTEST_GUILESS_MAIN(tst_ServerLaboratorio)
#include "tst_ServerLaboratorio.moc"
