// The register window of a lab with a real PostgreSQL server (a private cluster): every
// computer's series, under its computer's name, read-only; this computer's register, saying
// why, when the server is down; the program's windows painting while the server is read.

#include "registro/FinestraLaboratorio.h"
#include "registro/FrmRegistro.h"
#include "registro/RegistroServer.h"
#include "support/AvvisiFinti.h"
#include "support/PostgresProva.h"
#include "support/StampaFinta.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

class tst_FinestraLaboratorio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void TuttiIComputer();
    void ServerSpento();

private:
    // The window as the register's module makes it.
    std::unique_ptr<FrmRegistro> Apri(const LaboratorioPerRegistro& laboratorio) {
        QString avviso;
        auto copia = PreparaLaboratorio(laboratorio, avviso);
        auto f = std::make_unique<FrmRegistro>(copia ? *copia->Registro : *locale, stampa, avvisi);
        MostraLaboratorio(f.get(), laboratorio, std::move(copia), avviso);
        return f;
    }
    static QString Stato(const FrmRegistro& f) {
        auto* l = f.findChild<QLabel*>("lblServer");
        return l ? l->text() : QStringLiteral("<no status line>");
    }

    PostgresProva pg;
    QTemporaryDir cartella;
    std::unique_ptr<RegistroLocale> locale;
    StampaFinta stampa;
    AvvisiFinti avvisi;
};

void tst_FinestraLaboratorio::initTestCase() {
    const QString errore = pg.Avvia();
    if (pg.saltare) QSKIP(qPrintable(errore));
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    locale = std::make_unique<RegistroLocale>(cartella.filePath("registro.sqlite"));
    QVERIFY(locale->Salva(SerieDiProva("Solo qui"), "pc-1").Riuscito());
    for (int n = 1; n <= 3; ++n) {
        RegistroServer server(pg.Configurazione(QStringLiteral("aula-%1").arg(n)));
        SerieConComputer s{SerieDiProva(QStringLiteral("Alunno %1").arg(n), 10 + n), {}, 1};
        s.Serie.Inizio = s.Serie.Inizio.addDays(n);
        QVERIFY(server.Invia(s).Riuscito);
    }
}

void tst_FinestraLaboratorio::TuttiIComputer() {
    LaboratorioPerRegistro laboratorio;
    laboratorio.Server = pg.Configurazione("aula-1");
    laboratorio.StatoInvio = [] { return QStringLiteral("Server del registro raggiunto."); };
    // The start screen keeps painting while the server is read: its timer never stalls.
    QElapsedTimer passo;
    qint64 buco = 0;
    QTimer battito;
    connect(&battito, &QTimer::timeout, this, [&] { buco = std::max(buco, passo.restart()); });
    passo.start();
    battito.start(10);
    auto f = Apri(laboratorio);
    battito.stop();
    QVERIFY2(buco < 150, qPrintable(QString::number(buco)));

    QCOMPARE(f->windowTitle(), QStringLiteral("REGISTRO DEL LABORATORIO"));
    QTableView* t = f->Tabella();
    QCOMPARE(t->model()->rowCount(), 3);
    const int computer = t->model()->columnCount() - 1;
    QCOMPARE(t->model()->headerData(computer, Qt::Horizontal).toString(),
             QStringLiteral("Computer"));
    // Newest first: aula-3's series started last.
    QCOMPARE(t->model()->index(0, computer).data().toString(), QStringLiteral("aula-3"));
    QCOMPARE(t->model()->index(0, 1).data().toString(), QStringLiteral("Alunno 3"));
    QCOMPARE(t->model()->index(2, computer).data().toString(), QStringLiteral("aula-1"));
    const QString stato = Stato(*f);
    QVERIFY2(stato.startsWith("Registro del laboratorio: 3 serie di tutti i computer") &&
                 stato.endsWith("Server del registro raggiunto."),
             qPrintable(stato));
    for (const char* nome :
         {"cmdRinomina", "cmdEliminaSerie", "cmdEliminaAlunno", "cmdEliminaTutto"})
        QVERIFY(!f->findChild<QPushButton*>(nome)->isEnabled());
    QVERIFY(f->findChild<QPushButton*>("cmdEsporta")->isEnabled());

    f->resize(FrmRegistro::LarghezzaProgetto, FrmRegistro::AltezzaProgetto);
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    f->grab().save(cartella.filePath("laboratorio_progetto.png"));
    f->resize(1920, 1061);
    QTest::qWait(50);
    f->grab().save(cartella.filePath("laboratorio_1920x1080.png"));
    if (qEnvironmentVariableIsSet("DECIMETRA_GRAB"))
        for (const char* n : {"laboratorio_progetto.png", "laboratorio_1920x1080.png"})
            QFile::copy(cartella.filePath(n), qEnvironmentVariable("DECIMETRA_GRAB") + "/" + n);
}

void tst_FinestraLaboratorio::ServerSpento() {
    QVERIFY(pg.Comando("ferma"));
    LaboratorioPerRegistro laboratorio;
    laboratorio.Server = pg.Configurazione("aula-1");
    auto f = Apri(laboratorio);
    QVERIFY(pg.Avvia().isEmpty());
    QCOMPARE(f->windowTitle(), QStringLiteral("REGISTRO"));
    QCOMPARE(f->Tabella()->model()->rowCount(), 1);
    QCOMPARE(f->Tabella()->model()->index(0, 1).data().toString(), QStringLiteral("Solo qui"));
    const QString stato = Stato(*f);
    QVERIFY2(stato.contains("non accetta connessioni") &&
                 stato.contains("Si vede solo il registro di questo computer."),
             qPrintable(stato));
    QVERIFY(f->findChild<QPushButton*>("cmdRinomina")->isEnabled());

    // No configuration at all: no status line, the window as on a computer alone.
    auto solo = Apri({});
    QVERIFY(!solo->findChild<QLabel*>("lblServer"));
}

QTEST_MAIN(tst_FinestraLaboratorio)
#include "tst_FinestraLaboratorio.moc"
