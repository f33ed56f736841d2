// What the user is told after a print: the fixed texts for failures, where a PDF went, and
// nothing at all for a page printed or a choice cancelled.

#include "base/MessaggiStampa.h"
#include "support/AvvisiFinti.h"

#include <QtTest>

class TestMessaggiStampa : public QObject {
    Q_OBJECT

private slots:
    void avvisi_data();
    void avvisi();
};

void TestMessaggiStampa::avvisi_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<bool>("pdfScelto");
    QTest::addColumn<QString>("errore");  // the error text expected, or empty
    QTest::addColumn<QString>("notizia"); // the start of the notice expected, or empty
    using T = EsitoStampa::Tipo;
    QTest::newRow("stampato") << int(T::Stampato) << false << ""
                              << "";
    QTest::newRow("annullato") << int(T::Annullato) << true << ""
                               << "";
    QTest::newRow("errore") << int(T::Errore) << false
                            << "Problema di stampa nella stampante utilizzata."
                            << "";
    QTest::newRow("font mancante")
        << int(T::FontMancante) << false << "Devi installare il font Courier o il font Courier New"
        << "";
    QTest::newRow("nessuna stampante")
        << int(T::SalvatoPdf) << false << ""
        << "Nessuna stampante disponibile: la pagina è stata salvata nel file PDF\n";
    QTest::newRow("pdf scelto") << int(T::SalvatoPdf) << true << ""
                                << "La pagina è stata salvata nel file PDF\n";
}

void TestMessaggiStampa::avvisi() {
    QFETCH(int, tipo);
    QFETCH(bool, pdfScelto);
    QFETCH(QString, errore);
    QFETCH(QString, notizia);
    EsitoStampa esito;
    esito.tipo = EsitoStampa::Tipo(tipo);
    if (esito.tipo == EsitoStampa::Tipo::SalvatoPdf)
        esito.percorso = QStringLiteral("/home/maestra/Documenti/Decimetra esercizi 2026-12-08 "
                                        "10.15 (2).pdf");
    AvvisiFinti avvisi;
    AvvisaStampa(avvisi, esito, pdfScelto);
    QCOMPARE(avvisi.errori.size(), errore.isEmpty() ? 0 : 1);
    QCOMPARE(avvisi.notizie.size(), notizia.isEmpty() ? 0 : 1);
    if (!errore.isEmpty()) QCOMPARE(avvisi.errori[0].second, errore);
    if (!notizia.isEmpty()) {
        // The whole path, as it is, after the sentence.
        QCOMPARE(avvisi.notizie[0].second, notizia + esito.percorso);
        QVERIFY(!avvisi.notizie[0].first.isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestMessaggiStampa)
#include "tst_MessaggiStampa.moc"
