// The certificate window under a monkey, for a grade below five tenths and one above: the
// print key is enabled exactly when the grade allows a certificate, nothing is printed
// otherwise, and no key stays down. "Fine" closes every window: the certificate is opened
// again as the printout window would.

#include "results/FrmAttestato.h"
#include "support/AvvisiFinti.h"
#include "support/DoppiSerie.h"
#include "support/Scimmia.h"
#include "support/StampaFinta.h"

#include <QPushButton>
#include <QtTest>

#include <memory>

class TestScimmiaAttestato : public QObject {
    Q_OBJECT
private slots:
    void attestato_data();
    void attestato();
};

void TestScimmiaAttestato::attestato_data() {
    QTest::addColumn<int>("esatte");
    QTest::addColumn<bool>("stampabile");
    QTest::newRow("insufficiente") << 8 << false;
    QTest::newRow("ottimo") << 19 << true;
}

void TestScimmiaAttestato::attestato() {
    QFETCH(int, esatte);
    QFETCH(bool, stampabile);

    Scimmia scimmia(1500);
    StatoProgramma stato;
    stato.NomeAlunno = QStringLiteral("Giulia");
    SerieConEsiti(stato, esatte, 20);
    stato.Registro.TestoOrdine = QStringLiteral("dal più grande al più piccolo");
    StampaFinta stampa;
    stampa.stampanti = {QStringLiteral("Ufficio"), QStringLiteral("Aula")};
    stampa.corrente = stampa.stampanti.front();
    AvvisiFinti avvisi;
    std::unique_ptr<FrmAttestato> w;
    int aperture = 0;

    const auto bersaglio = [&]() -> QWidget* {
        if (!w || !w->isVisible()) {
            ++aperture;
            w = std::make_unique<FrmAttestato>(stato, stampa, avvisi, QDate(2026, 5, 14));
            w->show();
            QApplication::setActiveWindow(w.get());
        }
        return w.get();
    };
    const auto controlla = [&]() -> QString {
        if (w->Stampabile() != stampabile)
            return QStringLiteral("stampabile %1 col giudizio %2")
                .arg(w->Stampabile())
                .arg(stato.Giudizio);
        auto* stampaTasto = w->findChild<QPushButton*>(QStringLiteral("Option5(0)"));
        if (stampaTasto->isEnabled() != stampabile)
            return QStringLiteral("tasto di stampa abilitato %1").arg(stampaTasto->isEnabled());
        if (!stampabile && !stampa.lavori.isEmpty())
            return QStringLiteral("stampato sotto i cinque decimi");
        for (const auto& lavoro : std::as_const(stampa.lavori))
            if (lavoro.descrizione != QStringLiteral("attestato"))
                return QStringLiteral("stampato %1").arg(lavoro.descrizione);
        return {};
    };
    const QString errore = scimmia.Esegui(bersaglio, controlla);
    w.reset();
    Scimmia::EliminaFinestre();
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    qInfo("aperture %d, stampe %lld", aperture, static_cast<long long>(stampa.lavori.size()));
}

QTEST_MAIN(TestScimmiaAttestato)
#include "tst_ScimmiaAttestato.moc"
