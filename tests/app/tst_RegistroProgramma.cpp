// The program's register thread over a real register file: nothing started before the first
// series ends; series, names and grades stored in the order given; one message while the
// register is out of reach, the series kept and stored at the next chance; nothing queued
// lost when the program ends.

#include "app/RegistroProgramma.h"
#include "support/AvvisiFinti.h"
#include "support/SerieProva.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

class TestRegistroProgramma : public QObject {
    Q_OBJECT

private slots:
    void inOrdine();
    void fuoriPortata();
    void nienteRestaIndietro();
};

void TestRegistroProgramma::inOrdine() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("decimetra/registro.sqlite"));
    AvvisiFinti avvisi;
    RegistroProgramma registro(avvisi, file);
    QVERIFY(!registro.Avviato());
    QVERIFY(!QFile::exists(file));
    QVERIFY(QSqlDatabase::connectionNames().isEmpty());

    const RegistroSerie a = SerieProva(1), b = SerieProva(2, 7);
    QElapsedTimer t;
    t.start();
    registro.Registra(a);
    registro.ImpostaNome(a.Id, QStringLiteral("Giulia Rossi"));
    registro.ImpostaGiudizio(a.Id, QStringLiteral("OTTIMO"));
    registro.Registra(b);
    // Handed over, not saved, on the caller's thread.
    QVERIFY2(t.elapsed() < 50, qPrintable(QString::number(t.elapsed())));
    registro.Attendi();
    RegistroLocale letto(file);
    QCOMPARE(letto.Conta(), 2);
    RegistroSerie attesa = a;
    attesa.NomeAlunno = QStringLiteral("Giulia Rossi");
    attesa.Giudizio = QStringLiteral("OTTIMO");
    QCOMPARE(letto.Leggi(a.Id)->Serie, attesa);
    QCOMPARE(letto.Leggi(b.Id)->Serie, b);
    QCOMPARE(letto.Leggi(a.Id)->Computer, RegistroLocale::NomeComputer());
    QCoreApplication::processEvents();
    QVERIFY(avvisi.errori.isEmpty());
}

void TestRegistroProgramma::fuoriPortata() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("registro.sqlite"));
    QVERIFY(QDir().mkpath(file)); // a folder where the file should be
    AvvisiFinti avvisi;
    RegistroProgramma registro(avvisi, file);
    const RegistroSerie a = SerieProva(1), b = SerieProva(2);
    registro.Registra(a);
    registro.Registra(b);
    registro.ImpostaNome(b.Id, QStringLiteral("Luca"));
    registro.Attendi();
    QTRY_COMPARE_WITH_TIMEOUT(avvisi.errori.size(), 1, 120000);
    QVERIFY(avvisi.errori[0].second.startsWith(
        QStringLiteral("Non è stato possibile registrare la serie: ")));
    QTest::qWait(50);
    QCOMPARE(avvisi.errori.size(), 1); // once

    QVERIFY(QDir(file).removeRecursively());
    const RegistroSerie c = SerieProva(3);
    registro.Registra(c);
    registro.Attendi();
    RegistroLocale letto(file);
    QCOMPARE(letto.Conta(), 3);
    QCOMPARE(letto.Leggi(b.Id)->Serie.NomeAlunno, QStringLiteral("Luca"));
}

void TestRegistroProgramma::nienteRestaIndietro() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("registro.sqlite"));
    AvvisiFinti avvisi;
    {
        RegistroProgramma registro(avvisi, file);
        for (int k = 0; k < 40; ++k)
            registro.Registra(SerieProva(k));
    } // the program ends at once
    RegistroLocale letto(file);
    QCOMPARE(letto.Conta(), 40);
}

QTEST_GUILESS_MAIN(TestRegistroProgramma)
#include "tst_RegistroProgramma.moc"
