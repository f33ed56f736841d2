// The printout window under a monkey, wired as the program wires it: the certificate opens
// from it and the printer choice from its menu. After every event the pupil's name keeps to
// its fifteen characters, the printer stays the one in use until the list is used, every
// print goes to an installed printer, and one printer choice and one certificate at most are
// open.

#include "app/Avvio.h"
#include "results/FrmAttestato.h"
#include "results/FrmStampaEsercizioTre.h"
#include "support/AvvisiFinti.h"
#include "support/DoppiSerie.h"
#include "support/Scimmia.h"
#include "support/StampaFinta.h"
#include "worksheets/FrmSceltaStampante.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QtTest>

class TestScimmiaStampa : public QObject {
    Q_OBJECT
private slots:
    void stampa();
};

void TestScimmiaStampa::stampa() {
    Scimmia scimmia(3000);
    StatoProgramma stato;
    SerieConEsiti(stato, 15, 20);
    StampaFinta stampa;
    stampa.stampanti = {QStringLiteral("Ufficio"), QStringLiteral("Aula")};
    stampa.corrente = stampa.stampanti.front();
    AvvisiFinti avvisi;
    QMainWindow operativo; // the drill window "ESCI" goes back to
    QPointer<FrmStampaEsercizioTre> w;
    int aperture = 0;
    int selezioni = 0; // selections made in a printer list
    QList<QPointer<QComboBox>> liste;

    const auto bersaglio = [&]() -> QWidget* {
        if (!w || !w->isVisible()) {
            ++aperture;
            if (!w) {
                w = new FrmStampaEsercizioTre(stato, stampa, avvisi);
                w->setAttribute(Qt::WA_DeleteOnClose);
                w->ImpostaApriAttestato(FabbricaAttestato(stato, stampa, avvisi));
                w->ImpostaOperativo(&operativo);
            }
            w->show();
            QApplication::setActiveWindow(w);
        }
        return w;
    };
    const auto controlla = [&]() -> QString {
        if (stato.NomeAlunno.size() > 15)
            return QStringLiteral("nome \"%1\" troppo lungo").arg(stato.NomeAlunno);
        if (w) {
            const QString nome = w->findChild<QLineEdit*>(QStringLiteral("txtNome"))->text();
            if (nome.size() > 15)
                return QStringLiteral("casella del nome \"%1\" troppo lunga").arg(nome);
        }
        int scelte = 0;
        int attestati = 0;
        for (QWidget* f : QApplication::allWidgets()) {
            if (auto* s = qobject_cast<frmSceltaStampante*>(f)) {
                ++scelte;
                auto* lista = s->findChild<QComboBox*>(QStringLiteral("Combo1"));
                if (!liste.contains(lista)) {
                    liste << lista;
                    QObject::connect(lista, &QComboBox::activated, [&selezioni] { ++selezioni; });
                }
            }
            if (qobject_cast<FrmAttestato*>(f) && f->isVisible()) ++attestati;
        }
        if (scelte > 1) return QStringLiteral("%1 finestre di scelta della stampante").arg(scelte);
        if (attestati > 1) return QStringLiteral("%1 attestati aperti").arg(attestati);
        if (selezioni == 0 && (stampa.scelte != 0 || stampa.pdf))
            return QStringLiteral("stampante cambiata senza una scelta: %1").arg(stampa.corrente);
        if (!stampa.stampanti.contains(stampa.corrente))
            return QStringLiteral("stampante %1 non installata").arg(stampa.corrente);
        for (const auto& lavoro : std::as_const(stampa.lavori))
            if (lavoro.stampante != QStringLiteral("PDF") &&
                !stampa.stampanti.contains(lavoro.stampante))
                return QStringLiteral("stampa su %1").arg(lavoro.stampante);
        return {};
    };
    const QString errore = scimmia.Esegui(bersaglio, controlla);
    delete w;
    Scimmia::EliminaFinestre();
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    qInfo("aperture %d, stampe %lld, selezioni %d, scelte %d", aperture,
          static_cast<long long>(stampa.lavori.size()), selezioni, stampa.scelte);
}

QTEST_MAIN(TestScimmiaStampa)
#include "tst_ScimmiaStampa.moc"
