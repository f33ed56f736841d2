// What the user is told after a print: the fixed texts for failures, where a PDF went or
// could not go and why, and nothing at all for a page printed or a choice cancelled.

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
    QTest::addColumn<int>("causa");       // of a PDF not written
    QTest::addColumn<bool>("muta");       // the printer did not answer
    using T = EsitoStampa::Tipo;
    using C = ErroreScrittura;
    QTest::newRow("stampato") << int(T::Stampato) << false << ""
                              << "La pagina è stata inviata alla stampante\nAula 3" << 0 << false;
    QTest::newRow("annullato") << int(T::Annullato) << true << ""
                               << "" << 0 << false;
    QTest::newRow("errore") << int(T::Errore) << false
                            << "Problema di stampa nella stampante utilizzata."
                            << "" << 0 << false;
    QTest::newRow("font mancante")
        << int(T::FontMancante) << false << "Devi installare il font Courier o il font Courier New"
        << "" << 0 << false;
    QTest::newRow("nessuna stampante")
        << int(T::SalvatoPdf) << false << ""
        << "Nessuna stampante disponibile: la pagina è stata salvata nel file PDF\n"
        << 0 << false;
    QTest::newRow("pdf scelto") << int(T::SalvatoPdf) << true << ""
                                << "La pagina è stata salvata nel file PDF\n"
                                << 0 << false;
    // Not printed: an error, though the page is safe in a PDF.
    QTest::newRow("stampante muta") << int(T::SalvatoPdf) << false
                                    << "La stampante non risponde: la pagina è stata salvata "
                                       "nel file PDF\n"
                                    << "" << 0 << true;
    // A PDF not written: where it was to go, and why; never a printer's fault.
    QTest::newRow("pdf non scritto, disco pieno")
        << int(T::ErrorePdf) << false
        << "Non è stato possibile salvare il file PDF nella cartella\n"
        << "" << int(C::DiscoPieno) << false;
    QTest::newRow("pdf scelto non scritto, causa ignota")
        << int(T::ErrorePdf) << true << "Non è stato possibile salvare il file PDF\n"
        << "" << int(C::Altro) << false;
    QTest::newRow("stampante muta, pdf non scritto")
        << int(T::ErrorePdf) << false
        << "La stampante non risponde e non è stato possibile salvare il file PDF nella "
           "cartella\n"
        << "" << int(C::NomiEsauriti) << true;
}

void TestMessaggiStampa::avvisi() {
    QFETCH(int, tipo);
    QFETCH(bool, pdfScelto);
    QFETCH(QString, errore);
    QFETCH(QString, notizia);
    QFETCH(int, causa);
    QFETCH(bool, muta);
    EsitoStampa esito;
    esito.tipo = EsitoStampa::Tipo(tipo);
    esito.causa = ErroreScrittura(causa);
    esito.stampanteMuta = muta;
    if (esito.tipo == EsitoStampa::Tipo::SalvatoPdf)
        esito.percorso = QStringLiteral("/home/maestra/Documenti/Decimetra esercizi 2026-12-08 "
                                        "10.15 (2).pdf");
    if (esito.tipo == EsitoStampa::Tipo::ErrorePdf)
        esito.percorso = QStringLiteral("/home/maestra/Documenti");
    if (esito.tipo == EsitoStampa::Tipo::Stampato) esito.stampante = QStringLiteral("Aula 3");
    AvvisiFinti avvisi;
    AvvisaStampa(avvisi, esito, pdfScelto);
    QCOMPARE(avvisi.errori.size(), errore.isEmpty() ? 0 : 1);
    QCOMPARE(avvisi.notizie.size(), notizia.isEmpty() ? 0 : 1);
    // A fixed text whole; a text about a file: the sentence, then the path on its own line
    // (and the cause's sentence, when there is one).
    if (!errore.isEmpty() && esito.percorso.isEmpty()) QCOMPARE(avvisi.errori[0].second, errore);
    if (!errore.isEmpty() && !esito.percorso.isEmpty()) {
        QVERIFY(avvisi.errori[0].second.startsWith(errore + esito.percorso));
        if (esito.tipo == EsitoStampa::Tipo::ErrorePdf)
            QCOMPARE(avvisi.errori[0].second.endsWith(u'.'), esito.causa != ErroreScrittura::Altro);
    }
    if (!notizia.isEmpty()) {
        // The whole path, as it is, after the sentence.
        QCOMPARE(avvisi.notizie[0].second, notizia + esito.percorso);
        QVERIFY(!avvisi.notizie[0].first.isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestMessaggiStampa)
#include "tst_MessaggiStampa.moc"
