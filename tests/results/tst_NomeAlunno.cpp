// The pupil's name box rule: letters counted and cut as grapheme clusters, so an emoji or
// an accented letter at the limit stays whole; control characters dropped; blanks trimmed.

#include "results/NomeAlunno.h"

#include <QTest>

class TestNomeAlunno : public QObject {
    Q_OBJECT

private slots:
    void nome_data();
    void nome();
    void maiuscole_data();
    void maiuscole();
};

void TestNomeAlunno::nome_data() {
    QTest::addColumn<QString>("testo");   // typed or pasted
    QTest::addColumn<QString>("casella"); // what the box holds
    QTest::addColumn<QString>("nome");    // what is stored

    const QString a14(14, u'a');
    const QString sorriso = QString::fromUtf8("\U0001F600"); // 2 UTF-16 units
    const QString famiglia = QString::fromUtf8("\U0001F468\u200D\U0001F469\u200D\U0001F467");
    const QString bandiera = QString::fromUtf8("\U0001F1EE\U0001F1F9"); // IT
    const QString eAcuta = QStringLiteral("e\u0301");                   // e + accent
    QString eAcute16;
    for (int i = 0; i < 16; ++i)
        eAcute16 += eAcuta;

    QTest::newRow("vuoto") << ""
                           << ""
                           << "";
    QTest::newRow("semplice") << "Maria"
                              << "Maria"
                              << "Maria";
    QTest::newRow("15 lettere esatte") << "Maria Antoniett"
                                       << "Maria Antoniett"
                                       << "Maria Antoniett";
    QTest::newRow("oltre 15 lettere") << "Maria Antonietta Rossi"
                                      << "Maria Antoniett"
                                      << "Maria Antoniett";
    QTest::newRow("15a lettera un blank") << "Giovanni Maria Rossi"
                                          << "Giovanni Maria "
                                          << "Giovanni Maria";
    QTest::newRow("emoji al limite") << a14 + sorriso + "b" << a14 + sorriso << a14 + sorriso;
    QTest::newRow("emoji oltre il limite") << a14 + "b" + sorriso << a14 + "b" << a14 + "b";
    QTest::newRow("famiglia al limite (ZWJ)")
        << a14 + famiglia + "x" << a14 + famiglia << a14 + famiglia;
    QTest::newRow("bandiera al limite")
        << a14 + bandiera + bandiera << a14 + bandiera << a14 + bandiera;
    QTest::newRow("accenti combinanti") << eAcute16 << eAcute16.left(30) << eAcute16.left(30);
    QTest::newRow("lettere accentate precomposte")
        << QStringLiteral("Niccolò Èlia Zoë Bò") << QStringLiteral("Niccolò Èlia Zo")
        << QStringLiteral("Niccolò Èlia Zo");
    QTest::newRow("C0: TAB, LF, CR, NUL") << QStringLiteral("Ma\tri\na\r") + QChar(u'\0') + "Rossi"
                                          << "MariaRossi"
                                          << "MariaRossi";
    QTest::newRow("DEL e C1") << QStringLiteral("Lu\u007Fc\u0085a\u009F") << "Luca"
                              << "Luca";
    QTest::newRow("separatori di riga e di paragrafo")
        << QStringLiteral("Lu\u2028ca\u2029") << "Luca"
        << "Luca";
    QTest::newRow("surrogato spaiato")
        << QStringLiteral("Lu") + QChar(0xD83D) + "ca" + QChar(0xDE00) << "Luca"
        << "Luca";
    QTest::newRow("i controlli non contano tra le 15 lettere")
        << QStringLiteral("\t\t\tMaria Antoniett\u0007a") << "Maria Antoniett"
        << "Maria Antoniett";
    QTest::newRow("solo blank") << "     "
                                << ""
                                << "";
    QTest::newRow("solo blank e controlli") << QStringLiteral(" \t\n \u00A0\r\n") << ""
                                            << "";
    QTest::newRow("blank intorno") << "   Luca   "
                                   << "Luca   "
                                   << "Luca";
    QTest::newRow("blank dopo il taglio") << "Anna Maria Bian  chi"
                                          << "Anna Maria Bian"
                                          << "Anna Maria Bian";
}

void TestNomeAlunno::nome() {
    QFETCH(QString, testo);
    QFETCH(QString, casella);
    QFETCH(QString, nome);
    QCOMPARE(TestoCasellaNome(testo), casella);
    QCOMPARE(NomeAlunnoDa(testo), nome);
    // What the box holds passes the rule unchanged: typing more into it changes nothing.
    QCOMPARE(TestoCasellaNome(casella), casella);
    QCOMPARE(NomeAlunnoDa(casella), nome);
}

QTEST_APPLESS_MAIN(TestNomeAlunno)
// Every word gets its capital; the rest stays as typed.
void TestNomeAlunno::maiuscole_data() {
    QTest::addColumn<QString>("scritto");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("nome e cognome") << "giulia rossi"
                                    << "Giulia Rossi";
    QTest::newRow("apostrofo") << QStringLiteral("nicolò d'amico")
                               << QStringLiteral("Nicolò D'Amico");
    QTest::newRow("apostrofo tipografico")
        << QStringLiteral("nicolò d\u2019amico") << QStringLiteral("Nicolò D\u2019Amico");
    QTest::newRow("trattino e più blank") << "anna-maria  de luca"
                                          << "Anna-Maria  De Luca";
    QTest::newRow("il resto come scritto") << "McDonald LUCA dI"
                                           << "McDonald LUCA DI";
    QTest::newRow("un solo nome") << "luca"
                                  << "Luca";
    QTest::newRow("lettera accentata iniziale") << QStringLiteral("èlia") << QStringLiteral("Èlia");
    QTest::newRow("cifre ed emoji")
        << QString::fromUtf8("2a \U0001F600anna") << QString::fromUtf8("2a \U0001F600Anna");
    QTest::newRow("accento combinante")
        << QStringLiteral("e\u0301lia rossi") << QStringLiteral("E\u0301lia Rossi");
    QTest::newRow("vuoto") << ""
                           << "";
}

void TestNomeAlunno::maiuscole() {
    QFETCH(QString, scritto);
    QFETCH(QString, atteso);
    QCOMPARE(NomeConMaiuscole(scritto), atteso);
}

#include "tst_NomeAlunno.moc"
