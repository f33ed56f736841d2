#include "app/Avvio.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <memory>

class TestAvvio : public QObject {
    Q_OBJECT
private slots:
    void schermoDisponibile_data();
    void schermoDisponibile();
    void testiDiQtInItaliano();
};

void TestAvvio::schermoDisponibile_data() {
    QTest::addColumn<QByteArray>("piattaforma");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<bool>("atteso");
    QTest::newRow("niente") << QByteArray() << QByteArray() << QByteArray() << false;
    QTest::newRow("piattaforma scelta")
        << QByteArray("offscreen") << QByteArray() << QByteArray() << true;
    QTest::newRow("wayland") << QByteArray() << QByteArray("wayland-0") << QByteArray() << true;
    QTest::newRow("X locale senza server")
        << QByteArray() << QByteArray() << QByteArray(":987") << false;
    QTest::newRow("X locale senza server, schermo 0")
        << QByteArray() << QByteArray() << QByteArray(":987.0") << false;
    QTest::newRow("X remoto") << QByteArray() << QByteArray() << QByteArray("altro:10.0") << true;
}

void TestAvvio::schermoDisponibile() {
    QFETCH(QByteArray, piattaforma);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, display);
    QFETCH(bool, atteso);
    const QByteArray prima[3] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                 qgetenv("DISPLAY")};
    auto imposta = [](const char* nome, const QByteArray& valore) {
        if (valore.isEmpty())
            qunsetenv(nome);
        else
            qputenv(nome, valore);
    };
    imposta("QT_QPA_PLATFORM", piattaforma);
    imposta("WAYLAND_DISPLAY", wayland);
    imposta("DISPLAY", display);
    const bool disponibile = SchermoDisponibile();
    imposta("QT_QPA_PLATFORM", prima[0]);
    imposta("WAYLAND_DISPLAY", prima[1]);
    imposta("DISPLAY", prima[2]);
    QCOMPARE(disponibile, atteso);
}

// Qt's own texts, as the program shows them: a message box's standard button and a text
// box's context menu (the name box of the printout window has one).
void TestAvvio::testiDiQtInItaliano() {
    QTranslator traduzione;
    QElapsedTimer tempo;
    tempo.start();
    QVERIFY(CaricaTraduzioniQt(traduzione));
    const qint64 ms = tempo.elapsed();
    qInfo("traduzioni di Qt caricate in %lld ms", ms);
    QVERIFY2(ms < 50, "caricare le traduzioni rallenta l'avvio");

    QMessageBox avviso(QMessageBox::Question, QStringLiteral("Titolo"), QStringLiteral("Testo"),
                       QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(avviso.button(QMessageBox::Cancel)->text(), QStringLiteral("Annulla"));
    QLineEdit casella(QStringLiteral("Luca"));
    const std::unique_ptr<QMenu> menu(casella.createStandardContextMenu());
    QStringList voci;
    for (const QAction* azione : menu->actions())
        voci << azione->text().remove(u'&').section(u'\t', 0, 0);
    QVERIFY2(voci.contains(QStringLiteral("Seleziona tutto")), qPrintable(voci.join(u'|')));
    QVERIFY2(voci.contains(QStringLiteral("Incolla")), qPrintable(voci.join(u'|')));

    // Without the translations the same button is English.
    QCoreApplication::removeTranslator(&traduzione);
    QMessageBox inglese(QMessageBox::Question, QString(), QString(), QMessageBox::Cancel);
    QCOMPARE(inglese.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
}

QTEST_MAIN(TestAvvio)
#include "tst_Avvio.moc"
