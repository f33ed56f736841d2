// The options screen driven by real X key events (xdotool) under Xvfb with a window
// manager: opened from the start screen's menu with its access key, modal and maximised,
// then its command row walked and pressed from the keyboard alone.

#include "start/FileImpostazioni.h"
#include "start/FrmInizio.h"
#include "start/FrmOpzioni.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Sends the keys as real X events while this program keeps handling its events.
void Tasti(const QStringList& tasti) {
    QStringList comandi;
    for (const QString& tasto : tasti)
        comandi << QStringLiteral("key") << tasto << QStringLiteral("sleep")
                << QStringLiteral("0.3");
    QProcess xdo;
    QEventLoop ciclo;
    QObject::connect(&xdo, &QProcess::finished, &ciclo, &QEventLoop::quit);
    QObject::connect(&xdo, &QProcess::errorOccurred, &ciclo, &QEventLoop::quit);
    xdo.start(QStringLiteral("xdotool"), comandi);
    if (xdo.state() != QProcess::NotRunning) ciclo.exec();
    if (xdo.exitStatus() != QProcess::NormalExit || xdo.exitCode() != 0)
        qWarning("xdotool failed: %s", qPrintable(comandi.join(u' ')));
    QTest::qWait(150);
}

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

    Tasti({QStringLiteral("alt+o")});
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
        Tasti({k});
        QVERIFY2(QApplication::focusWidget() == tasto(fuoco), qPrintable(k));
    }
    // "Impostazioni predefinite" by Enter: the record is written.
    Tasti({QStringLiteral("Return")});
    QCOMPARE(Contenuto(FileOpzioni(stato.NomeProgramma)).split('\r').first(),
             QByteArray("16763135"));
    // "Esci" by "E" and Enter: back to the start screen, which takes the keyboard again.
    Tasti({QStringLiteral("e"), QStringLiteral("Return")});
    QTRY_VERIFY(!opzioni);
    QTRY_VERIFY(inizio.isActiveWindow());
    QTRY_VERIFY(qobject_cast<QPushButton*>(QApplication::focusWidget()));
    inizio.close();
}

QTEST_MAIN(TestOpzioniReale)
#include "tst_OpzioniReale.moc"
