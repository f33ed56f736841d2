// The drill window under a monkey: thousands of random keys, held keys, clicks and resizes on
// whole series made by the real generator from a seeded source. After every event the counts
// add up, the reply keeps to its limit, one answer panel alone is in front and no key stays
// down.

#include "drill/FrmOperativo.h"
#include "start/Catalogo.h"
#include "support/BancoOperativo.h"
#include "support/DoppiSerie.h"
#include "support/Scimmia.h"
#include "support/ScimmiaOperativo.h"

#include <QFrame>
#include <QtTest>

class TestScimmiaOperativo : public QObject {
    Q_OBJECT
private slots:
    void serie_data();
    void serie();
};

void TestScimmiaOperativo::serie_data() {
    QTest::addColumn<int>("livello");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("ordine");
    // Lengths with four units, numbers either way; hundredths with three units, symbols;
    // capacities, number or symbol, both orders.
    QTest::newRow("numero") << 4 << 0 << 0;
    QTest::newRow("simbolo") << 1 << 1 << 1;
    QTest::newRow("entrambi") << 7 << 2 << 2;
}

void TestScimmiaOperativo::serie() {
    QFETCH(int, livello);
    QFETCH(int, tipo);
    QFETCH(int, ordine);

    Scimmia scimmia(1200);
    BancoOperativo<FonteSeminata> b(livello, tipo, ordine, scimmia.Seme());
    StatoProgramma& stato = b.stato;
    OrologioFinto& orologio = b.orologio;
    FrmOperativo& w = *b.w;
    int stampe = 0;
    w.ImpostaStampa([&stampe] { ++stampe; });

    int aperture = 0;
    const auto bersaglio = [&]() -> QWidget* {
        orologio.AvanzaSecondi(0.7);
        // "Esco" closes the window: the pupil opens it again from the start screen.
        if (!w.isVisible()) {
            ++aperture;
            w.show();
            QApplication::setActiveWindow(&w);
        }
        return &w;
    };
    // Now and then the right reply, typed on the keyboard, or "Avanti": whole series.
    scimmia.ImpostaMossa(
        [&]() -> QString {
            QWidget* fuoco = QApplication::focusWidget();
            if (!fuoco || fuoco->window() != &w) return QStringLiteral("nessun fuoco");
            const Serie& serie = w.serie();
            if (serie.PannelloAttivo() == Pannello::Tastierino && Aperto(serie)) {
                for (qsizetype k = serie.RispostaTesto().size(); k > 0; --k)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
                for (QChar c : serie.SoluzioneTesto())
                    if (c == u',')
                        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Comma);
                    else if (c.isDigit())
                        QTest::keyClick(QApplication::focusWidget(),
                                        Qt::Key(Qt::Key_0 + c.digitValue()));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_V);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                return QStringLiteral("risposta giusta %1").arg(serie.SoluzioneTesto());
            }
            if (serie.PannelloAttivo() == Pannello::Simboli && Aperto(serie)) {
                for (int i = 0; i < 4; ++i)
                    if (stato.Simbolo[i + 1].trimmed() == serie.SoluzioneTesto())
                        QTest::keyClick(fuoco, Qt::Key(Qt::Key_0 + i));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                return QStringLiteral("simbolo giusto %1").arg(serie.SoluzioneTesto());
            }
            QTest::keyClick(fuoco, Qt::Key_N);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            return QStringLiteral("avanti");
        },
        4);

    // How far the monkey got: the most exercises closed in one series, and the panels seen.
    int piuChiusi = 0;
    std::array<int, 5> pannelli{};
    const auto controlla = [&] {
        const QString errore = ControllaOperativo(w, stato);
        piuChiusi =
            std::max(piuChiusi, stato.Registro.EsatteTotale() + stato.Registro.ErrateTotale());
        ++pannelli[static_cast<int>(w.serie().PannelloAttivo())];
        return errore;
    };
    const QString errore = scimmia.Esegui(bersaglio, controlla);
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    qInfo("aperture %d, stampe chieste %d, al piu' %d esercizi chiusi; pannelli %d %d %d %d %d",
          aperture, stampe, piuChiusi, pannelli[0], pannelli[1], pannelli[2], pannelli[3],
          pannelli[4]);
    // A monkey that never got past the first reply would prove nothing.
    QVERIFY(piuChiusi > 0);
}

QTEST_MAIN(TestScimmiaOperativo)
#include "tst_ScimmiaOperativo.moc"
