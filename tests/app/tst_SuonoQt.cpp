// The right-answer chime: two identical PCM WAV resources, 101 played, and a player that
// neither blocks nor fails on a machine without a sound device.

#include "app/SuonoQt.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QtEndian>
#include <QtTest>

class TestSuonoQt : public QObject {
    Q_OBJECT

private slots:
    void risorse_data();
    void risorse();
    void copieUguali();
    void nonBlocca();
};

void TestSuonoQt::risorse_data() {
    QTest::addColumn<QString>("percorso");
    QTest::newRow("101") << ":/suoni/101.wav";
    QTest::newRow("102") << ":/suoni/102.wav";
}

// A plain 16-bit PCM WAV of a short, audible, unclipped sound.
void TestSuonoQt::risorse() {
    QFETCH(QString, percorso);
    QFile file(percorso);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray wav = file.readAll();
    QVERIFY(wav.size() > 44);
    QCOMPARE(wav.left(4), QByteArray("RIFF"));
    QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
    const auto u16 = [&wav](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
    const auto u32 = [&wav](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
    QCOMPARE(u16(20), 1); // PCM
    const int canali = u16(22);
    const quint32 frequenza = u32(24);
    QCOMPARE(u16(34), 16);
    QCOMPARE(wav.mid(36, 4), QByteArray("data"));
    const quint32 byte = u32(40);
    QCOMPARE(qsizetype(byte), wav.size() - 44);
    const double secondi = double(byte) / (2.0 * canali * frequenza);
    QVERIFY2(secondi > 0.2 && secondi < 1.5, qPrintable(QString::number(secondi)));

    int picco = 0;
    for (qsizetype i = 44; i + 1 < wav.size(); i += 2)
        picco = std::max(picco, std::abs(int(qFromLittleEndian<qint16>(wav.constData() + i))));
    QVERIFY(picco > 32767 / 5);      // audible
    QVERIFY(picco < 32767 * 9 / 10); // never clipped
    // Fades out: the last 10 ms are nearly silent, so the sound ends without a click.
    int coda = 0;
    for (qsizetype i = wav.size() - 2 * qsizetype(frequenza / 100); i + 1 < wav.size(); i += 2)
        coda = std::max(coda, std::abs(int(qFromLittleEndian<qint16>(wav.constData() + i))));
    QVERIFY(coda < picco / 10);
}

void TestSuonoQt::copieUguali() {
    QFile a(QStringLiteral(":/suoni/101.wav"));
    QFile b(QStringLiteral(":/suoni/102.wav"));
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
    QCOMPARE(QString::fromLatin1(SuonoQt::Risorsa), QStringLiteral("qrc:/suoni/101.wav"));
}

// Each right reply starts the chime again at once, whether a sound device exists or not.
void TestSuonoQt::nonBlocca() {
    SuonoQt suono;
    QTRY_VERIFY_WITH_TIMEOUT(suono.Pronto(), 5000); // the resource decodes
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 30; ++i) {
        suono.SuonoEsatto();
        QCoreApplication::processEvents();
    }
    QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(suono.Suonati(), 30);
}

QTEST_MAIN(TestSuonoQt)
#include "tst_SuonoQt.moc"
