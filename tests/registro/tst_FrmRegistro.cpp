// The register window over a real register file: the list newest first and its filters, a
// series opened to its exercises by keyboard, the chosen pupil's chart and missed pairs,
// deleting with a confirmation that says how many, renaming, the pupil's printed page, the
// list read a page at a time; and the teacher's password with its growing wait.

#include "registro/DlgPassword.h"
#include "registro/FrmRegistro.h"
#include "registro/PaginaRegistro.h"
#include "support/AvvisiFinti.h"
#include "support/SerieProva.h"
#include "support/StampaFinta.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

class TestFrmRegistro : public QObject {
    Q_OBJECT

private slots:
    void init();
    void elencoEFiltri();
    void eliminaERinomina();
    void stampaAlunno();
    void pagine();
    void password();

private:
    void Riempi(int quante);
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<RegistroLocale> registro_;
    StampaFinta stampa_;
    AvvisiFinti avvisi_;
};

void TestFrmRegistro::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    registro_ = std::make_unique<RegistroLocale>(dir_->filePath(QStringLiteral("registro.sqlite")));
    stampa_.lavori.clear();
    avvisi_.errori.clear();
}

// Series 0..quante-1; one in three nobody named, the rest Anna's.
void TestFrmRegistro::Riempi(int quante) {
    for (int k = 0; k < quante; ++k)
        QVERIFY(registro_
                    ->Salva(SerieProva(k, 20, k % 3 ? QStringLiteral("Anna") : QString()),
                            QStringLiteral("pc"))
                    .Riuscito());
}

void TestFrmRegistro::elencoEFiltri() {
    Riempi(30);
    FrmRegistro w(*registro_, stampa_, avvisi_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("REGISTRO"));
    QTableView* t = w.Tabella();
    QCOMPARE(t->model()->rowCount(), 30);
    const auto tutte = registro_->Elenco();
    QCOMPARE(t->model()->index(0, 0).data().toString(), CelleRegistro(tutte[0])[0]);
    QCOMPARE(t->model()->index(0, 1).data().toString(), NomeMostrato(tutte[0].NomeAlunno));
    // With no pupil chosen the chart waits for one.
    QCOMPARE(w.Grafico()->count(), 0);

    // By keyboard: the list takes the focus, Down opens the next series' exercises.
    t->setFocus();
    QTest::keyClick(t, Qt::Key_Down);
    QCOMPARE(t->currentIndex().row(), 1);
    const auto seconda = registro_->Leggi(tutte[1].Id);
    QCOMPARE(w.Esercizi()->count(), 20);
    QCOMPARE(w.Esercizi()->item(4)->text(), RigaEsercizio(5, seconda->Serie.Esercizi[4]));

    // Alt+A reaches the pupil filter; Anna's 20 series, her chart and her missed pairs.
    QTest::keyClick(&w, Qt::Key_A, Qt::AltModifier);
    auto* alunno = w.findChild<QComboBox*>(QStringLiteral("cboAlunno"));
    QCOMPARE(QApplication::focusWidget(), alunno);
    QCOMPARE(alunno->itemText(1), QStringLiteral("senza nome"));
    QTest::keyClick(alunno, Qt::Key_End);
    QCOMPARE(alunno->currentText(), QStringLiteral("Anna"));
    QCOMPARE(t->model()->rowCount(), 20);
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblConteggio"))->text(),
             QStringLiteral("20 serie"));
    QCOMPARE(w.Grafico()->count(), 20);
    const auto anna = registro_->Elenco(FiltroRegistro{QStringLiteral("Anna"), {}, {}, {}});
    QCOMPARE(w.Grafico()->at(19).y(), qreal(anna.front().Esatte)); // the newest last
    const auto coppie = registro_->ErroriPerCoppia(QStringLiteral("Anna"));
    QCOMPARE(w.Coppie()->count(), int(coppie.size()));
    QCOMPARE(w.Coppie()->item(0)->text(), TestoCoppia(coppie[0]));
    QVERIFY(w.Coppie()->item(0)->text().contains(QStringLiteral(" → ")));
    QVERIFY(w.findChild<QWidget*>(QStringLiteral("graficoEsatte"))
                ->accessibleName()
                .endsWith(QStringLiteral("di Anna")));

    // System and period narrow it further; "Oggi" holds none of these 2026 series.
    auto* sistema = w.findChild<QComboBox*>(QStringLiteral("cboSistema"));
    sistema->setCurrentIndex(sistema->findData(2)); // seeds 1, 13, 25: all Anna's
    QCOMPARE(t->model()->rowCount(), 3);
    w.Oggi = QDate(2026, 1, 2); // seed 1 started that day
    w.ScegliPeriodo(1);
    QCOMPARE(t->model()->rowCount(), 1);
    QCOMPARE(t->model()->index(0, 0).data().toString().left(10), QStringLiteral("02/01/2026"));
}

void TestFrmRegistro::eliminaERinomina() {
    Riempi(30);
    FrmRegistro w(*registro_, stampa_, avvisi_);
    QStringList domande;
    bool risposta = false;
    w.Conferma = [&](const QString& testo) {
        domande << testo;
        return risposta;
    };
    w.EliminaTutto();
    QCOMPARE(domande.last(), QStringLiteral("Eliminare tutto il registro: 30 serie?"));
    QCOMPARE(registro_->Conta(), 30); // answered no
    risposta = true;
    w.ScegliAlunno(QStringLiteral("Anna"));
    w.EliminaAlunno();
    QCOMPARE(domande.last(), QStringLiteral("Eliminare 20 serie dell'alunno Anna?"));
    QCOMPARE(registro_->Conta(), 10);
    QCOMPARE(w.Tabella()->model()->rowCount(), 10);

    // The newest unnamed series renamed as pupils write names, then deleted alone.
    w.ChiediNome = [](const QString& attuale) -> std::optional<QString> {
        return attuale.isEmpty() ? QStringLiteral("giulia d'amico") : QStringLiteral("x");
    };
    w.Tabella()->setCurrentIndex(w.Tabella()->model()->index(0, 0));
    const QUuid id = registro_->Elenco().front().Id;
    w.Rinomina();
    QCOMPARE(registro_->Leggi(id)->Serie.NomeAlunno, QStringLiteral("Giulia D'Amico"));
    w.Tabella()->setCurrentIndex(w.Tabella()->model()->index(0, 0));
    w.EliminaSerie();
    QVERIFY(domande.last().startsWith(QStringLiteral("Eliminare 1 serie (Giulia D'Amico, ")));
    QVERIFY(!registro_->Leggi(id));
    QCOMPARE(registro_->Conta(), 9);
    QVERIFY(avvisi_.errori.isEmpty());
}

void TestFrmRegistro::stampaAlunno() {
    Riempi(12);
    FrmRegistro w(*registro_, stampa_, avvisi_);
    w.ScegliAlunno(QStringLiteral("Anna"));
    w.findChild<QPushButton*>(QStringLiteral("cmdStampa"))->click();
    QCOMPARE(stampa_.lavori.size(), 1);
    QCOMPARE(stampa_.lavori[0].descrizione, QStringLiteral("registro Anna"));
    const QStringList righe = RigheDiTesto(stampa_.lavori[0].pagina);
    QCOMPARE(righe.first(), QStringLiteral("Registro di Anna"));
    QVERIFY(righe.contains(QStringLiteral("Conversioni più sbagliate")));
    // One bar per series with a right reply, beside the chart's frame.
    const auto anna = registro_->Elenco(FiltroRegistro{QStringLiteral("Anna"), {}, {}, {}});
    const int conBarra =
        int(std::count_if(anna.begin(), anna.end(), [](const auto& r) { return r.Esatte > 0; }));
    QCOMPARE(stampa_.lavori[0].pagina.riquadri.size(), 1 + conBarra);
}

// A hundred thousand series must not be read at once: a page, then more as the list scrolls.
void TestFrmRegistro::pagine() {
    Riempi(450);
    FrmRegistro w(*registro_, stampa_, avvisi_);
    w.resize(1200, 800);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAbstractItemModel* m = w.Tabella()->model();
    QCOMPARE(m->rowCount(), 200);
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblConteggio"))->text(),
             QStringLiteral("450 serie"));
    w.Tabella()->setFocus();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(w.Tabella(), Qt::Key_End, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
    QCOMPARE(m->rowCount(), 450);
    const auto tutte = registro_->Elenco();
    QCOMPARE(m->index(449, 0).data().toString(), CelleRegistro(tutte[449])[0]);
}

void TestFrmRegistro::password() {
    // First opening: typed twice, the two must agree.
    DlgPassword nuova(std::nullopt);
    nuova.show();
    QTest::keyClicks(nuova.Casella(), QStringLiteral("maestra1"));
    QTest::keyClicks(nuova.Ripeti(), QStringLiteral("maestra2"));
    QTest::keyClick(nuova.Ripeti(), Qt::Key_Return);
    QCOMPARE(nuova.result(), int(QDialog::Rejected));
    QCOMPARE(nuova.Messaggio()->text(), QStringLiteral("Le due password sono diverse."));
    QTest::keyClicks(nuova.Ripeti(), QStringLiteral("maestra1"));
    QTest::keyClick(nuova.Ripeti(), Qt::Key_Return);
    QCOMPARE(nuova.result(), int(QDialog::Accepted));
    QVERIFY(nuova.Nuova() && PasswordGiusta(*nuova.Nuova(), QStringLiteral("maestra1")));

    // Later: a wrong one closes the box for a second, the next wrong one for two.
    DlgPassword::Errori() = 0;
    DlgPassword chiedi(*nuova.Nuova());
    chiedi.show();
    QElapsedTimer orologio;
    orologio.start();
    QTest::keyClicks(chiedi.Casella(), QStringLiteral("alunno"));
    QTest::keyClick(chiedi.Casella(), Qt::Key_Return);
    QCOMPARE(chiedi.result(), int(QDialog::Rejected));
    QVERIFY(!chiedi.Casella()->isEnabled());
    QCOMPARE(chiedi.Messaggio()->text(), QStringLiteral("Password sbagliata. Attendi 1 secondi."));
    QTRY_VERIFY_WITH_TIMEOUT(chiedi.Casella()->isEnabled(), 120000);
    QVERIFY(orologio.elapsed() >= 950);
    QTest::keyClicks(chiedi.Casella(), QStringLiteral("maestra"));
    QTest::keyClick(chiedi.Casella(), Qt::Key_Return);
    QCOMPARE(chiedi.Messaggio()->text(), QStringLiteral("Password sbagliata. Attendi 2 secondi."));
    // Closing the box does not start the count over.
    DlgPassword ancora(*nuova.Nuova());
    QVERIFY(!ancora.Casella()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(ancora.Casella()->isEnabled(), 120000);
    ancora.show();
    QTest::keyClicks(ancora.Casella(), QStringLiteral("maestra1"));
    QTest::keyClick(ancora.Casella(), Qt::Key_Return);
    QCOMPARE(ancora.result(), int(QDialog::Accepted));
    QCOMPARE(DlgPassword::Errori(), 0);
}

QTEST_MAIN(TestFrmRegistro)
#include "tst_FrmRegistro.moc"
