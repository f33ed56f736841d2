// The program's voice. Nothing of speech is loaded while the switch is off, not even when the
// program asks it to speak; with no speech module it answers that speech is not available.
// Switched on, its texts reach a real speech-dispatcher (a private one, tests/support/
// speechd_prova.sh) in Italian, in order, each cutting the one before short; switched off
// again it says nothing.

#include "app/VoceQt.h"
#include "base/StatoProgramma.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

bool Caricato(const QString& libreria) {
    QFile mappe(QStringLiteral("/proc/self/maps"));
    return mappe.open(QIODevice::ReadOnly) &&
           QString::fromLatin1(mappe.readAll()).contains(libreria);
}

// What the output module of a speech-dispatcher log reported from position da on, in order:
// "BEGIN" a message started, "END" spoken to its end, "STOP" cut short.
QStringList Eventi(const QByteArray& registro, qsizetype da) {
    static const QRegularExpression evento(QStringLiteral("\\|70([123]) (BEGIN|END|STOP)"));
    QStringList eventi;
    auto it = evento.globalMatch(QString::fromUtf8(registro.mid(da)));
    while (it.hasNext())
        eventi << it.next().captured(2);
    return eventi;
}

QByteArray Accodato(const QString& testo) {
    return "Queueing message |" + testo.toUtf8() + '|';
}

} // namespace

class TestVoceQt : public QObject {
    Q_OBJECT
private slots:
    void spentaNonCaricaNulla();
    void senzaModulo();
    void speechDispatcher();
};

// Runs first, while this process (linked as the program is) has loaded nothing of speech.
void TestVoceQt::spentaNonCaricaNulla() {
    const QString tts = QStringLiteral("libQt6TextToSpeech");
    QVERIFY2(!Caricato(tts), "the program links Qt TextToSpeech");
    StatoProgramma stato;
    VoceQt voce(stato, {QStringLiteral(CARTELLA_MODULO_VOCE)});
    voce.Di(QStringLiteral("Esatto"));
    voce.Di(QString());
    QTest::qWait(300); // a thread started by mistake would load the module meanwhile
    QVERIFY(!Caricato(VoceQt::FileModulo()) && !Caricato(tts));
}

void TestVoceQt::senzaModulo() {
    QTemporaryDir vuota;
    StatoProgramma stato;
    stato.Impostazioni.SintesiVocale = true;
    VoceQt voce(stato, {vuota.path()});
    voce.Di(QStringLiteral("Esatto"));
    std::optional<bool> risposta;
    voce.Disponibile([&](bool disponibile) { risposta = disponibile; });
    QTRY_VERIFY(risposta.has_value());
    QCOMPARE(*risposta, false);
    // Known from then on: answered at once.
    risposta.reset();
    voce.Disponibile([&](bool disponibile) { risposta = disponibile; });
    QCOMPARE(risposta, std::optional<bool>(false));
}

void TestVoceQt::speechDispatcher() {
    const QString script = QStringLiteral(CARTELLA_SUPPORTO "/speechd_prova.sh");
    QTemporaryDir cartella;
    QProcess avvio;
    avvio.start(QStringLiteral("bash"), {script, QStringLiteral("avvia"), cartella.path(),
                                         QString::number(QCoreApplication::applicationPid())});
    QVERIFY(avvio.waitForFinished(120000));
    if (avvio.exitCode() == 77) QSKIP(avvio.readAllStandardError().constData());
    QVERIFY2(avvio.exitCode() == 0, avvio.readAllStandardError().constData());
    qputenv("SPEECHD_ADDRESS", avvio.readAllStandardOutput().trimmed());
    QFile log(cartella.filePath(QStringLiteral("log/speech-dispatcher.log")));
    const auto registro = [&log] {
        log.close();
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    };

    {
        StatoProgramma stato;
        stato.Impostazioni.SintesiVocale = true;
        VoceQt voce(stato, {QStringLiteral(CARTELLA_MODULO_VOCE)});
        std::optional<bool> risposta;
        voce.Disponibile([&](bool disponibile) { risposta = disponibile; });
        QTRY_VERIFY_WITH_TIMEOUT(risposta.has_value(), 120000);
        QVERIFY2(*risposta, "no Italian voice through speech-dispatcher");

        // A long problem, cut short by the verdict.
        const QString problema =
            QStringLiteral("27,52 unità uguale quanti decimi? ").repeated(30).trimmed();
        voce.Di(problema);
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(Accodato(problema)), 30000);
        voce.Di(QStringLiteral("Esatto"));
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(Accodato(QStringLiteral("Esatto"))), 30000);
        QByteArray r = registro();
        const qsizetype primo = r.indexOf(Accodato(problema));
        const qsizetype secondo = r.indexOf(Accodato(QStringLiteral("Esatto")));
        QVERIFY(primo < secondo);
        QVERIFY(r.lastIndexOf("SET SELF LANGUAGE it", primo) >= 0);
        // The problem begun and cut short, the verdict begun and spoken to its end.
        QTRY_VERIFY_WITH_TIMEOUT(Eventi(registro(), primo).size() >= 4, 30000);
        QCOMPARE(Eventi(registro(), primo), QStringList({"BEGIN", "STOP", "BEGIN", "END"}));

        // Switched off, nothing is said; on again, the next text is.
        stato.Impostazioni.SintesiVocale = false;
        voce.Di(QStringLiteral("Errato"));
        stato.Impostazioni.SintesiVocale = true;
        voce.Di(QStringLiteral("Ti aiuto ?"));
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(Accodato(QStringLiteral("Ti aiuto ?"))),
                                 30000);
        QVERIFY(!registro().contains(Accodato(QStringLiteral("Errato"))));
    }
    QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("ferma"), cartella.path()});
}

QTEST_GUILESS_MAIN(TestVoceQt)
#include "tst_VoceQt.moc"
