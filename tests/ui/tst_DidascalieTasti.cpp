// Key captions of the start screen and the drill window: every caption fits its key, as the
// key style lays it out, at the design size and at 1024 x 768, for every unit system; and
// every key of a window has one caption size, large enough for a pupil.

#include "drill/FrmOperativo.h"
#include "start/Catalogo.h"
#include "start/FrmInizio.h"
#include "support/BancoOperativo.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"
#include "ui/StileTasti.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

constexpr qreal PuntiMinimi = 18;

// A find-the-symbol problem with the longest result number, so the symbol keys are filled.
QList<ProblemaFinto> Problemi() {
    return {{"0,001", " mm ", "  m ", "0,000001"}};
}

// Every key of the window against its caption area; a failure names the key.
void ControllaDidascalie(QMainWindow* w) {
    const QList<QPushButton*> tasti = w->findChildren<QPushButton*>();
    QVERIFY(tasti.size() >= 8);
    const qreal punti = tasti.first()->font().pointSizeF();
    QVERIFY2(punti >= PuntiMinimi, qPrintable(QString::number(punti)));
    for (QPushButton* tasto : tasti) {
        const QString nome = tasto->objectName();
        QVERIFY2(StileTasti::Segnato(tasto), qPrintable(nome));
        QCOMPARE(tasto->font().pointSizeF(), punti);
        QStyleOptionButton opzione;
        opzione.initFrom(tasto);
        opzione.rect = tasto->rect();
        opzione.text = tasto->text();
        const QRect area =
            tasto->style()->subElementRect(QStyle::SE_PushButtonContents, &opzione, tasto);
        QVERIFY2(tasto->rect().contains(area) && !area.isEmpty(), qPrintable(nome));
        const QFontMetrics metrica(tasto->font());
        const QStringList righe = StileTasti::Righe(tasto->text(), metrica, area.width());
        // Nothing of the caption is lost by the line break, and it takes two lines at most.
        QVERIFY2(righe.size() <= 2, qPrintable(nome));
        QCOMPARE(righe.join(QLatin1Char(' ')).simplified(), tasto->text().simplified());
        const QRect testo =
            metrica.boundingRect(area, Qt::AlignCenter, righe.join(QLatin1Char('\n')));
        QVERIFY2(testo.width() <= area.width() && testo.height() <= area.height(),
                 qPrintable(QStringLiteral("%1 \"%2\": text %3x%4 in %5x%6")
                                .arg(nome, tasto->text())
                                .arg(testo.width())
                                .arg(testo.height())
                                .arg(area.width())
                                .arg(area.height())));
    }
}

} // namespace

class TestDidascalieTasti : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(new StileTasti); }
    void didascalie_data();
    void inizio_data() { didascalie_data(); }
    void inizio();
    void operativo_data() { didascalie_data(); }
    void operativo();
};

void TestDidascalieTasti::didascalie_data() {
    QTest::addColumn<int>("livello");
    QTest::addColumn<QSize>("dimensione"); // invalid: the design size
    for (int livello = 1; livello <= 12; ++livello) {
        QTest::addRow("sistema %d, progetto", livello) << livello << QSize();
        QTest::addRow("sistema %d, 1024x768", livello) << livello << QSize(1024, 768);
    }
}

void TestDidascalieTasti::inizio() {
    QFETCH(int, livello);
    QFETCH(QSize, dimensione);
    QTemporaryDir cartella;
    const QString prima = QDir::currentPath();
    QDir::setCurrent(cartella.path());
    {
        QFile file(QStringLiteral("decimetra.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(livello) + "\r\n");
    }
    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    auto w = std::make_unique<FrmInizio>(stato);
    QDir::setCurrent(prima);
    QCOMPARE(stato.Livello, livello);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    if (dimensione.isValid()) w->resize(dimensione);
    QTRY_COMPARE(w->size(), dimensione.isValid() ? dimensione : w->size());
    QCOMPARE(w->centralWidget()->size().width(), dimensione.isValid() ? dimensione.width() : 794);
    ControllaDidascalie(w.get());
}

void TestDidascalieTasti::operativo() {
    QFETCH(int, livello);
    QFETCH(QSize, dimensione);
    BancoOperativo b(livello, 1, 2); // find the symbol
    b.Problemi(Problemi());
    StatoProgramma& stato = b.stato;
    auto& w = b.w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    if (dimensione.isValid()) w->resize(dimensione);
    QTRY_COMPARE(w->size(), dimensione.isValid() ? dimensione : w->size());
    QCOMPARE(w->centralWidget()->size().width(),
             dimensione.isValid() ? dimensione.width() : FrmOperativo::LarghezzaProgetto);
    // The symbol keys carry the system's symbols.
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("Option1_3"))->text(),
             stato.Simbolo[4].trimmed());
    ControllaDidascalie(w.get());
}

QTEST_MAIN(TestDidascalieTasti)
#include "tst_DidascalieTasti.moc"
