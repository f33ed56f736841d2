// The worksheet screen under a monkey, wired as the program wires it (the printer choice
// modal over it): nothing is printed by an event that began with no print key in sight, and no
// key stays down. Every seed gets as far as printing.

#include "start/Catalogo.h"
#include "support/AvvisiFinti.h"
#include "support/Scimmia.h"
#include "support/ScimmiaOperativo.h"
#include "support/StampaFinta.h"
#include "worksheets/FrmSceltaStampante.h"
#include "worksheets/FrmStampaSchedeTreRidotto.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestScimmiaSchede : public QObject {
    Q_OBJECT
private slots:
    void schede();
};

void TestScimmiaSchede::schede() {
    Scimmia scimmia(3000);
    StatoProgramma stato;
    stato.Livello = 4;
    SceltaSimboli(stato);
    ScegliTipo(stato, 2);
    ScegliOrdine(stato, 2);
    StampaFinta stampa;
    stampa.stampanti = {QStringLiteral("Ufficio"), QStringLiteral("Aula")};
    stampa.corrente = stampa.stampanti.front();
    AvvisiFinti avvisi;
    FonteSeminata fonte(scimmia.Seme());
    std::unique_ptr<FrmStampaSchedeTreRidotto> w;
    int aperture = 0;
    bool stampaInVista = false; // a print key showed before the event
    qsizetype lavori = 0;

    const auto bersaglio = [&]() -> QWidget* {
        if (!w || !w->isVisible()) {
            ++aperture;
            w = std::make_unique<FrmStampaSchedeTreRidotto>(stato, stampa, avvisi, fonte);
            FrmStampaSchedeTreRidotto* schede = w.get();
            w->ImpostaSceltaStampante(
                [&stampa, schede] { frmSceltaStampante::Carica(stampa, schede)->exec(); });
            w->show();
            QApplication::setActiveWindow(w.get());
            stampaInVista = false;
        }
        return w.get();
    };
    const auto controlla = [&]() -> QString {
        const bool alunni = w->findChild<QPushButton*>(QStringLiteral("CmdStampaSchedaAlunni"))
                                ->isVisibleTo(w.get());
        const bool docenti = w->findChild<QPushButton*>(QStringLiteral("CmdStampaSchedaDocenti"))
                                 ->isVisibleTo(w.get());
        const bool primaInVista = std::exchange(stampaInVista, alunni || docenti);
        const qsizetype nuovi = stampa.lavori.size() - std::exchange(lavori, stampa.lavori.size());
        if (nuovi > 0 && !primaInVista)
            return QStringLiteral("stampato senza un tasto di stampa in vista");
        return {};
    };
    // Now and then a teacher's own move, shows a sheet and prints it, so that a run gets as
    // far as printing whatever its seed.
    scimmia.ImpostaMossa(
        [&]() -> QString {
            const bool alunni = scimmia.Tra(0, 1) == 0;
            const QString foglio = alunni ? QStringLiteral("Alunni") : QStringLiteral("Docenti");
            for (const QString& nome : {QStringLiteral("CmdStampaScheda") + foglio,
                                        QStringLiteral("CmdVisualizzaScheda") + foglio}) {
                auto* tasto = w->findChild<QPushButton*>(nome);
                if (!tasto->isVisibleTo(w.get()) || !tasto->isEnabled()) continue;
                QTest::mouseClick(tasto, Qt::LeftButton);
                return QStringLiteral("mossa: ") + nome;
            }
            return QStringLiteral("mossa: nessun tasto");
        },
        40);
    const QString errore = scimmia.Esegui(bersaglio, controlla);
    w.reset();
    Scimmia::EliminaFinestre();
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    qInfo("aperture %d, stampe %lld", aperture, static_cast<long long>(stampa.lavori.size()));
    QVERIFY(!stampa.lavori.isEmpty()); // the monkey got as far as printing
}

QTEST_MAIN(TestScimmiaSchede)
#include "tst_ScimmiaSchede.moc"
