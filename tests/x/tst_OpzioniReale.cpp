// The options screen driven by real X key events (xdotool) under Xvfb with a window
// manager: opened from the start screen's menu with its access key, modal and maximised,
// then its command row walked and pressed from the keyboard alone.

#include "start/FileImpostazioni.h"
#include "start/FrmInizio.h"
#include "start/FrmOpzioni.h"
#include "support/Xdotool.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nessun file>");
}

} // namespace

class TestOpzioniReale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void tastieraReale();
};

void TestOpzioniReale::tastieraReale() {
    QTemporaryDir cartella;
    QDir::setCurrent(cartella.path());
    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    FrmInizio inizio(stato);
    QPointer<FrmOpzioni> opzioni;
    inizio.ImpostaApriOpzioni([&] {
        opzioni = new FrmOpzioni(stato, nullptr);
        opzioni->setAttribute(Qt::WA_DeleteOnClose);
        opzioni->setWindowModality(Qt::ApplicationModal);
        opzioni->showMaximized();
    });
    inizio.showMaximized();
    QVERIFY(QTest::qWaitForWindowActive(&inizio));
    QTRY_VERIFY_WITH_TIMEOUT(!inizio.TendineInMovimento(), 10000);

    Xdo(Tasti({QStringLiteral("alt+o")}));
    QTRY_VERIFY(opzioni && opzioni->isActiveWindow());
    QVERIFY(opzioni->isMaximized());
    QCOMPARE(QApplication::activeModalWidget(), opzioni.data());
    const auto tasto = [&](int i) {
        return opzioni->findChild<QPushButton*>(QStringLiteral("Option5(%1)").arg(i));
    };
    QTRY_COMPARE(QApplication::focusWidget(), tasto(1));

    const QList<std::pair<QString, int>> passi{{"e", 2}, {"space", 0}, {"space", 1}, {"i", 0},
                                               {"3", 2}, {"2", 1},     {"x", 1},     {"1", 0}};
    for (const auto& [k, fuoco] : passi) {
        Xdo(Tasti({k}));
        QVERIFY2(QApplication::focusWidget() == tasto(fuoco), qPrintable(k));
    }
    // "Impostazioni predefinite" by Enter: the record is written.
    Xdo(Tasti({QStringLiteral("Return")}));
    QCOMPARE(Contenuto(FileOpzioni(stato.NomeProgramma)).split('\r').first(),
             QByteArray("16763135"));
    // "Esci" by "E" and Enter: back to the start screen, which takes the keyboard again.
    Xdo(Tasti({QStringLiteral("e"), QStringLiteral("Return")}));
    QTRY_VERIFY(!opzioni);
    QTRY_VERIFY(inizio.isActiveWindow());
    QTRY_VERIFY(qobject_cast<QPushButton*>(QApplication::focusWidget()));
    inizio.close();
}

QTEST_MAIN(TestOpzioniReale)
#include "tst_OpzioniReale.moc"
