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

// Qt's own texts as the program shows them: a message box's button, a text box's context
// menu (the name box has one). Loading the translations costs the start-up next to nothing.
void TestAvvio::testiDiQtInItaliano() {
    QTranslator traduzione;
    QElapsedTimer tempo;
    tempo.start();
    QVERIFY(CaricaTraduzioniQt(traduzione));
    qInfo("traduzioni di Qt caricate in %lld us", tempo.nsecsElapsed() / 1000);
    QMessageBox avviso(QMessageBox::Question, {}, {}, QMessageBox::Cancel);
    QCOMPARE(avviso.button(QMessageBox::Cancel)->text(), QStringLiteral("Annulla"));
    QLineEdit casella;
    const std::unique_ptr<QMenu> menu(casella.createStandardContextMenu());
    QCOMPARE(menu->actions().constLast()->text().section(u'\t', 0, 0).remove(u'&'),
             QStringLiteral("Seleziona tutto"));
}

QTEST_MAIN(TestAvvio)
#include "tst_Avvio.moc"
