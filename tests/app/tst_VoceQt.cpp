// The program's voice. Nothing of speech is loaded while the switch is off, even when the
// program asks it to speak; with no speech module, speech is not available. Switched on, its
// texts reach a real speech-dispatcher (tests/support/speechd_prova.sh) in Italian, each
// cutting the one before short, and never another program's speech; switched off again it
// says nothing; a server stopped and started again is spoken to again. With speech on and
// nothing to speak with, the pupil is told once. Praise is said while its own switch is on,
// after the text of the same moment, with speech on or off.

#include "app/VoceQt.h"
#include "base/StatoProgramma.h"
#include "support/AvvisiFinti.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

bool Caricato(const QString& libreria) {
    QFile mappe(QStringLiteral("/proc/self/maps"));
    return mappe.open(QIODevice::ReadOnly) && mappe.readAll().contains(libreria.toUtf8());
}

QByteArray Accodato(const QString& testo) {
    return "Queueing message |" + testo.toUtf8() + '|';
}

// How the output module reported the messages from position da of the log on, in order:
// BEGIN, then END (spoken to its end) or STOP (cut short).
QStringList Eventi(const QByteArray& registro, qsizetype da) {
    static const QRegularExpression evento(QStringLiteral("\\|70[123] (BEGIN|END|STOP)"));
    QStringList eventi;
    for (auto it = evento.globalMatch(QString::fromUtf8(registro.mid(da))); it.hasNext();)
        eventi << it.next().captured(1);
    return eventi;
}

} // namespace

class TestVoceQt : public QObject {
    Q_OBJECT
private slots:
    void spentaNonCaricaNulla();
    void senzaModulo();
    void speechDispatcher();
};

// Runs first, in a process linked as the program is.
void TestVoceQt::spentaNonCaricaNulla() {
    const QString tts = QStringLiteral("libQt6TextToSpeech");
    QVERIFY2(!Caricato(tts), "the program links Qt TextToSpeech");
    StatoProgramma stato;
    VoceQt voce(stato, nullptr, {QStringLiteral(CARTELLA_MODULO_VOCE)});
    voce.Di(QStringLiteral("Esatto"));
    QTest::qWait(300); // a thread started by mistake would load the module meanwhile
    QVERIFY(!Caricato(VoceQt::FileModulo()) && !Caricato(tts));
}

void TestVoceQt::senzaModulo() {
    QTemporaryDir vuota;
    StatoProgramma stato;
    stato.Impostazioni.SintesiVocale = true;
    AvvisiFinti avvisi;
    VoceQt voce(stato, &avvisi, {vuota.path()});
    voce.Di(QStringLiteral("Esatto"));
    voce.Di(QStringLiteral("Errato"));
    QTRY_COMPARE(avvisi.notizie.size(), 1);
    QCOMPARE(avvisi.notizie[0].second,
             QStringLiteral("La sintesi vocale non è disponibile su questo computer."));
    std::optional<bool> risposta;
    voce.Disponibile([&](bool disponibile) { risposta = disponibile; });
    QTRY_VERIFY(risposta.has_value());
    QCOMPARE(*risposta, false);
    voce.Di(QStringLiteral("Ti aiuto ?"));
    QTest::qWait(300);
    QCOMPARE(avvisi.notizie.size(), 1); // once in a run
}

void TestVoceQt::speechDispatcher() {
    const QString script = QStringLiteral(CARTELLA_SUPPORTO "/speechd_prova.sh");
    QTemporaryDir cartella;
    // Started, or started again on the same socket; the exit status of the script.
    const auto avvia = [&] {
        QProcess avvio;
        avvio.start(QStringLiteral("bash"), {script, "avvia", cartella.path(),
                                             QString::number(QCoreApplication::applicationPid())});
        if (!avvio.waitForFinished(120000)) return -1;
        if (avvio.exitCode() == 0)
            qputenv("SPEECHD_ADDRESS", avvio.readAllStandardOutput().trimmed());
        else
            qWarning("%s", avvio.readAllStandardError().constData());
        return avvio.exitCode();
    };
    const int avviato = avvia();
    if (avviato == 77) QSKIP("speech-dispatcher is not installed");
    QCOMPARE(avviato, 0);
    const auto registro = [&cartella] {
        QFile log(cartella.filePath(QStringLiteral("log/speech-dispatcher.log")));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    };
    {
        StatoProgramma stato;
        stato.Impostazioni.SintesiVocale = true;
        AvvisiFinti avvisi;
        VoceQt voce(stato, &avvisi, {QStringLiteral(CARTELLA_MODULO_VOCE)});
        std::optional<bool> risposta;
        voce.Disponibile([&](bool disponibile) { risposta = disponibile; });
        QTRY_VERIFY_WITH_TIMEOUT(risposta.has_value(), 60000);
        QVERIFY2(*risposta, "no Italian voice through speech-dispatcher");

        // A long problem, cut short by the verdict.
        const QString problema =
            QStringLiteral("27,52 unità uguale quanti decimi? ").repeated(30).trimmed();
        voce.Di(problema);
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(Accodato(problema)), 30000);
        voce.Di(QStringLiteral("Esatto"));
        QTRY_VERIFY_WITH_TIMEOUT(Eventi(registro(), 0).size() >= 4, 30000);
        const QByteArray r = registro();
        const qsizetype primo = r.indexOf(Accodato(problema));
        QVERIFY(primo < r.indexOf(Accodato(QStringLiteral("Esatto"))));
        QVERIFY(r.lastIndexOf("SET SELF LANGUAGE it", primo) >= 0);
        QCOMPARE(Eventi(r, primo), QStringList({"BEGIN", "STOP", "BEGIN", "END"}));

        // Switched off, nothing is said; on again, the next text is.
        stato.Impostazioni.SintesiVocale = false;
        voce.Di(QStringLiteral("Errato"));
        stato.Impostazioni.SintesiVocale = true;
        voce.Di(QStringLiteral("Ti aiuto ?"));
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(Accodato(QStringLiteral("Ti aiuto ?"))),
                                 30000);
        QVERIFY(!registro().contains(Accodato(QStringLiteral("Errato"))));
        // Only its own speech was stopped.
        QVERIFY(registro().contains("CANCEL SELF"));
        QVERIFY(!registro().contains("CANCEL ALL") && !registro().contains("STOP ALL"));

        // The server stopped mid-series: what is said meanwhile is lost, and the pupil is
        // told once; started again, the next problem is heard.
        QProcess::execute(QStringLiteral("bash"), {script, "ferma", cartella.path()});
        voce.Di(QStringLiteral("Esatto"));
        QTRY_COMPARE_WITH_TIMEOUT(avvisi.notizie.size(), 1, 30000);
        voce.Di(QStringLiteral("Errato"));
        QCOMPARE(avvia(), 0);
        const QString dopo = QStringLiteral("3 metri uguale quanti decimetri?");
        voce.Di(dopo);
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(Accodato(dopo)), 30000);
        std::optional<bool> ancora;
        voce.Disponibile([&](bool disponibile) { ancora = disponibile; });
        QTRY_VERIFY_WITH_TIMEOUT(ancora.has_value(), 30000);
        QVERIFY(*ancora);
        QCOMPARE(avvisi.notizie.size(), 1);

        // Praise ("RINFORZO SONORO") with speech on follows the verdict in the same text.
        stato.Impostazioni.RinforzoSonoro = true;
        voce.Loda(QStringLiteral("Perfetto!"));
        voce.Di(QStringLiteral("Esatto"));
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(Accodato(QStringLiteral("Esatto Perfetto!"))),
                                 30000);
        // With speech off it is said all the same, and a text left unsaid does not cut it.
        QTest::qWait(2 * VoceQt::AttesaLode); // a moment of its own
        stato.Impostazioni.SintesiVocale = false;
        voce.Loda(QStringLiteral("Bravo!"));
        voce.Di(QStringLiteral("Errato"));
        QTRY_VERIFY_WITH_TIMEOUT(registro().contains(Accodato(QStringLiteral("Bravo!"))), 30000);
        QVERIFY(!registro().contains(Accodato(QStringLiteral("Errato"))));
        // The praise switch off: nothing.
        stato.Impostazioni.RinforzoSonoro = false;
        voce.Loda(QStringLiteral("Molto bene!"));
        QTest::qWait(2 * VoceQt::AttesaLode + 500);
        QVERIFY(!registro().contains(Accodato(QStringLiteral("Molto bene!"))));
    }
    QProcess::execute(QStringLiteral("bash"), {script, "ferma", cartella.path()});
}

QTEST_GUILESS_MAIN(TestVoceQt)
#include "tst_VoceQt.moc"
