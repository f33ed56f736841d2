// The printer choice without its window: the list, the labels, and what each selection in
// the list does to the printer service.

#include "support/StampaFinta.h"
#include "worksheets/SceltaStampante.h"

#include <QTest>

namespace {

const QString Predefinita = QStringLiteral("La stampante predefinita è \n");
const QString Scelta = QStringLiteral("La stampante scelta è \n");

} // namespace

class TestSceltaStampante : public QObject {
    Q_OBJECT
private slots:
    void selezioni_data();
    void selezioni();
    void stampanteRimossa();
};

// stampanti: the system's printers; passi: the entries selected after loading's own
// selection of entry 0 ("-" for none, when the list is empty). Then: the printer current
// and whether PDF is chosen, the labels, and how many choices reached the service.
void TestSceltaStampante::selezioni_data() {
    QTest::addColumn<QStringList>("stampanti");
    QTest::addColumn<QString>("corrente");
    QTest::addColumn<QList<int>>("passi");
    QTest::addColumn<QStringList>("voci");
    QTest::addColumn<QString>("correnteDopo");
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");

    const QStringList tre{"Ufficio", "Aula 2", "Laser"};
    const QStringList treVoci{"Ufficio", "Aula 2", "Laser", "File PDF"};
    QTest::newRow("aperta e chiusa: niente cambia")
        << tre << "Aula 2" << QList<int>{} << treVoci << "Aula 2" << false << Predefinita + "Aula 2"
        << "";
    // The first entry shown selected is not a choice; selected again by the user it is.
    QTest::newRow("la prima voce scelta davvero")
        << tre << "Aula 2" << QList<int>{0} << treVoci << "Ufficio" << false
        << Predefinita + "Aula 2" << Scelta + "Ufficio";
    QTest::newRow("una scelta sostituisce la stampante")
        << tre << "Ufficio" << QList<int>{2} << treVoci << "Laser" << false
        << Predefinita + "Ufficio" << Scelta + "Laser";
    QTest::newRow("due scelte: vale l'ultima")
        << tre << "Ufficio" << QList<int>{2, 1} << treVoci << "Aula 2" << false
        << Predefinita + "Ufficio" << Scelta + "Aula 2";
    QTest::newRow("File PDF")
        << tre << "Ufficio" << QList<int>{3} << treVoci << "Ufficio" << true
        << Predefinita + "Ufficio"
        << "Le stampe saranno salvate in un file PDF:\na ogni stampa verrà chiesto il nome del "
           "file";
    QTest::newRow("dopo File PDF di nuovo una stampante")
        << tre << "Ufficio" << QList<int>{3, 1} << treVoci << "Aula 2" << false
        << Predefinita + "Ufficio" << Scelta + "Aula 2";
    QTest::newRow("voce fuori elenco ignorata") << tre << "Ufficio" << QList<int>{4, -1} << treVoci
                                                << "Ufficio" << false << Predefinita + "Ufficio"
                                                << "";
    QTest::newRow("nessuna stampante: elenco vuoto")
        << QStringList{} << "" << QList<int>{0} << QStringList{} << "" << false
        << Predefinita + "nessuna: le stampe sono salvate come file PDF"
        << "";
}

void TestSceltaStampante::selezioni() {
    QFETCH(QStringList, stampanti);
    QFETCH(QString, corrente);
    QFETCH(QList<int>, passi);
    QFETCH(QStringList, voci);
    QFETCH(QString, correnteDopo);
    QFETCH(bool, pdf);
    QFETCH(QString, label1);
    QFETCH(QString, label2);

    StampaFinta servizio;
    servizio.stampanti = stampanti;
    servizio.corrente = corrente;
    SceltaStampante scelta(servizio);
    QCOMPARE(scelta.Voci(), voci);
    QVERIFY(!scelta.PrimoClic());
    // Loading selects the entry in force, the current printer: swallowed.
    QCOMPARE(scelta.VoceInVigore(), voci.isEmpty() ? -1 : int(voci.indexOf(corrente)));
    QVERIFY(!scelta.Selezione(std::max(0, scelta.VoceInVigore())).has_value());
    QCOMPARE(scelta.PrimoClic(), !voci.isEmpty());
    QCOMPARE(servizio.scelte, 0);
    QVERIFY(!servizio.pdf);

    for (int indice : passi) {
        const auto testo = scelta.Selezione(indice);
        QCOMPARE(testo.has_value(), indice >= 0 && indice < voci.size());
        if (testo) QCOMPARE(*testo, scelta.Label2());
    }
    QCOMPARE(servizio.corrente, correnteDopo);
    QCOMPARE(servizio.pdf, pdf);
    QCOMPARE(scelta.Label1(), label1);
    QCOMPARE(scelta.Label2(), label2);
    // Loaded again, it shows what is now in force: "File PDF" says so at once.
    SceltaStampante riaperta(servizio);
    if (!voci.isEmpty())
        QCOMPARE(riaperta.Voci().at(riaperta.VoceInVigore()),
                 pdf ? QStringLiteral("File PDF") : correnteDopo);
    QCOMPARE(riaperta.Label2(), pdf ? label2 : QString());
}

// Two printers of one name: the first is taken (by the service); a printer removed since the
// list was filled leaves the current one, and the label says where the prints go.
void TestSceltaStampante::stampanteRimossa() {
    StampaFinta servizio;
    servizio.stampanti = {"Aula", "Aula", "Laser"};
    servizio.corrente = "Laser";
    SceltaStampante scelta(servizio);
    QCOMPARE(scelta.Voci(), (QStringList{"Aula", "Aula", "Laser", "File PDF"}));
    scelta.Selezione(0);
    QCOMPARE(scelta.Selezione(1), std::optional<QString>(Scelta + "Aula"));
    QCOMPARE(servizio.corrente, QStringLiteral("Aula"));

    servizio.stampanti = {"Aula"}; // "Laser" removed
    QCOMPARE(scelta.Selezione(2), std::optional<QString>(Scelta + "Aula"));
    scelta.Selezione(3); // File PDF
    QVERIFY(servizio.pdf);
    scelta.Selezione(2); // "Laser" not found: still PDF, and the label says so
    QVERIFY(servizio.pdf);
    QVERIFY(scelta.Label2().contains(QStringLiteral("PDF")));
}

QTEST_GUILESS_MAIN(TestSceltaStampante)
#include "tst_SceltaStampante.moc"
