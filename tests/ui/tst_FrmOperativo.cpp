// The drill window driven by real key and mouse events: whole series by keyboard alone and
// by mouse alone, a held key, the sound on right replies, resizing mid-series, the menus.

#include "drill/FrmOperativo.h"
#include "start/Catalogo.h"
#include "start/Opzioni.h"
#include "support/BancoOperativo.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"
#include "support/VoceFinta.h"
#include "ui/Tavolozza.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Twenty problems of both kinds, among them the longest answers.
QList<ProblemaFinto> Problemi() {
    const QList<ProblemaFinto> base{
        {"3", "  m ", " dm ", "30"},           {"0,001", " mm ", "  m ", "0,000001"},
        {"999,9", "  m ", " mm ", "999.900"},  {"42", " dm ", "  m ", "4,2"},
        {"10,001", " cm ", "  m ", "0,10001"}, {"1", "  m ", " mm ", "1.000"},
        {"0,5", " dm ", " cm ", "5"},
    };
    QList<ProblemaFinto> problemi;
    for (int i = 0; i < 20; ++i)
        problemi << base[i % base.size()];
    return problemi;
}

// Number or symbol for each exercise of kind 3: a symbol every third exercise.
QList<float> Sorteggi() {
    QList<float> valori;
    for (int i = 0; i < 20; ++i)
        valori << (i % 3 == 1 ? 0.75f : 0.25f);
    return valori;
}

// Metres, number or symbol, both directions.
struct Banco : BancoOperativo<> {
    Banco() : BancoOperativo(4, 2, 2) {
        fonte.Carica(Sorteggi());
        BancoOperativo::Problemi(::Problemi());
    }

    void Mostra() { QVERIFY(BancoOperativo::Mostra()); }
    QLabel* Etichetta(const char* nome) const { return w->findChild<QLabel*>(QLatin1String(nome)); }
    QFrame* Cornice(const char* nome) const { return w->findChild<QFrame*>(QLatin1String(nome)); }

    bool Numero() const { return w->serie().RigaAttiva() == Riga::Numero; }
    int SimboloGiusto() const {
        for (int i = 0; i < 4; ++i)
            if (stato.Simbolo[i + 1].trimmed() == w->serie().SoluzioneTesto()) return i;
        return -1;
    }
    QString Sbagliata() const {
        return w->serie().SoluzioneTesto() == QStringLiteral("9") ? QStringLiteral("8")
                                                                  : QStringLiteral("9");
    }

    // ---- Keyboard alone: every key goes to the widget that has the focus ----
    void Premi(int tasto) {
        QWidget* fuoco = QApplication::focusWidget();
        QVERIFY2(fuoco, "nothing has the focus");
        QTest::keyClick(fuoco, Qt::Key(tasto));
    }
    void DigitaTastiera(const QString& testo) {
        for (QChar c : testo) {
            if (c == u',')
                Premi(Qt::Key_Comma);
            else if (c != u'.')
                Premi(Qt::Key_0 + c.digitValue());
        }
    }
    // A reply typed, then V and Enter; or a symbol by its digit, then Enter.
    void RispondiTastiera(bool giusta) {
        if (Numero()) {
            DigitaTastiera(giusta ? w->serie().SoluzioneTesto() : Sbagliata());
            Premi(Qt::Key_V);
        } else {
            const int giusto = SimboloGiusto();
            Premi(Qt::Key_0 + (giusta ? giusto : (giusto + 1) % 4));
        }
        Premi(Qt::Key_Return);
    }

    // ---- Mouse alone ----
    void Clic(const QString& nome) { QTest::mouseClick(Tasto(nome), Qt::LeftButton); }
    void RispondiMouse(bool giusta) {
        if (Numero()) {
            for (QChar c : giusta ? w->serie().SoluzioneTesto() : Sbagliata()) {
                if (c == u',')
                    Clic(QStringLiteral("Option2_10"));
                else if (c != u'.')
                    Clic(QStringLiteral("Option2_%1").arg(c.digitValue()));
            }
            Clic(QStringLiteral("Option2_12"));
        } else {
            const int giusto = SimboloGiusto();
            Clic(QStringLiteral("Option1_%1").arg(giusta ? giusto : (giusto + 1) % 4));
            Clic(QStringLiteral("Option1_5"));
        }
    }
    void AvantiMouse() {
        Clic(Numero() ? QStringLiteral("Option2_13") : QStringLiteral("Option1_6"));
    }

    // The panel in front is the only one shown and enabled, and the focus is on one of its
    // enabled keys: a keyboard user can always go on.
    void ControllaPannello() const {
        const char* nomi[5] = {"fraTastierino", "fraSimboli", "fraAiuto", "fraIntervento",
                               "fraAvviso"};
        const int davanti = static_cast<int>(w->serie().PannelloAttivo());
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(Cornice(nomi[k])->isVisible(), k == davanti);
            QCOMPARE(Cornice(nomi[k])->isEnabled(), k == davanti);
        }
        auto* fuoco = qobject_cast<QPushButton*>(QApplication::focusWidget());
        // The one exception: at the end of a series without a printout, no key takes the
        // focus by itself, lest an Enter start a new series ("Ricomincia" is reached by Tab).
        if (w->serie().PannelloAttivo() == Pannello::Avviso &&
            !w->serie().optAvviso()[Serie::Stampa]) {
            QVERIFY2(!fuoco, "a key took the focus at the end of the series");
            return;
        }
        QVERIFY2(fuoco, "the focus is not on a key");
        QCOMPARE(fuoco->parentWidget(), Cornice(nomi[davanti]));
        QVERIFY(fuoco->isEnabled());
        QCOMPARE(Cornice("fraNumero")->isVisible(), Numero());
        QCOMPARE(Cornice("fraSimbolo")->isVisible(), !Numero());
    }
};

} // namespace

class TestFrmOperativo : public QObject {
    Q_OBJECT

private slots:
    void init() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void serie_data();
    void serie();
    void cifraTenuta();
    void suonoSoloSuRispostaEsatta();
    void ridimensionareNonPerdeLaSerie();
    void chiudereEriaprire();
    void escoChiude();
    void istruzioni();
    void stampa();
    void testiFissi_data();
    void testiFissi();
    void tastoSpentoNonRisponde();
    void rigaSimboloComeUguaglianza_data();
    void rigaSimboloComeUguaglianza();
    void letturaPerGliAusili();
    void opzioniNellaFinestraAperta();
};

// A whole series by keyboard alone or by mouse alone. Per exercise: R right at first try,
// 1 right after one "NO", I wrong then "SI", 3 three "NO" then "INTERVENGO IO".
void TestFrmOperativo::serie_data() {
    QTest::addColumn<bool>("tastiera");
    QTest::addColumn<QString>("esercizi");
    QTest::addColumn<int>("esatte");
    for (bool tastiera : {true, false}) {
        const char* mezzo = tastiera ? "keyboard" : "mouse";
        QTest::addRow("%s, all right", mezzo) << tastiera << QString(20, u'R') << 20;
        QTest::addRow("%s, with help", mezzo) << tastiera << "R1IR3RRIR1RR3RRRIRR1" << 15;
    }
}

void TestFrmOperativo::serie() {
    QFETCH(bool, tastiera);
    QFETCH(QString, esercizi);
    QFETCH(int, esatte);

    Banco b;
    b.Mostra();
    // A key of the panel in front: by keyboard the focus must already be on it.
    const auto premi = [&](const QString& nome) {
        if (tastiera) {
            b.ControllaPannello();
            QCOMPARE(QApplication::focusWidget(), b.Tasto(nome));
            b.Premi(Qt::Key_Return);
        } else {
            b.Clic(nome);
        }
    };
    const auto rispondi = [&](bool giusta) {
        b.ControllaPannello();
        if (tastiera)
            b.RispondiTastiera(giusta);
        else
            b.RispondiMouse(giusta);
        QCOMPARE(b.w->findChild<QWidget*>(b.Numero() ? "Linea1" : "Line1")->isVisible(), !giusta);
    };
    for (qsizetype i = 0; i < esercizi.size(); ++i) {
        QCOMPARE(b.stato.Registro.IndiceEsercizio(), i + 1);
        const QChar passo = esercizi[i];
        if (passo == u'1') {
            rispondi(false);
            premi(QStringLiteral("Option3_0")); // NO
            QCOMPARE(b.Etichetta(b.Numero() ? "LblRisultato" : "lblRisultatoS")->text(),
                     QStringLiteral("?"));
        } else if (passo == u'I') {
            rispondi(false);
            if (tastiera) b.Premi(Qt::Key_S);
            premi(QStringLiteral("Option3_1")); // SI
        } else if (passo == u'3') {
            for (int k = 0; k < 3; ++k) {
                rispondi(false);
                premi(QStringLiteral("Option3_0"));
            }
            premi(QStringLiteral("Option4"));
        }
        if (passo == u'R' || passo == u'1') {
            rispondi(true);
            QCOMPARE(b.Etichetta("LblEsito")->text(), QStringLiteral("Esatto"));
        } else {
            QCOMPARE(b.Etichetta(b.Numero() ? "lblCorrezione" : "lblCorrezioneS")->text(),
                     b.w->serie().SoluzioneTesto());
        }
        if (i + 1 < esercizi.size())
            premi(b.Numero() ? QStringLiteral("Option2_13") : QStringLiteral("Option1_6"));
    }
    b.ControllaPannello();
    QCOMPARE(b.w->serie().PannelloAttivo(), Pannello::Avviso);
    QVERIFY(!b.Tasto(QStringLiteral("optAvviso_0"))->isEnabled()); // no printout window yet
    QCOMPARE(b.stato.Registro.EsatteTotale(), esatte);
    QCOMPARE(b.stato.Registro.ErrateTotale(), 20 - esatte);
    QCOMPARE(b.suono.suonati, esatte);
    QCOMPARE(b.Etichetta("LblOperazione")->text(), QStringLiteral("20"));
    QCOMPARE(b.Etichetta("lblRisEsatte")->text(), QString::number(esatte));

    if (tastiera) {
        // No key has the focus: the habitual Enter does nothing; Tab reaches "Ricomincia".
        QVERIFY(!qobject_cast<QPushButton*>(QApplication::focusWidget()));
        b.Premi(Qt::Key_Return);
        QCOMPARE(b.stato.Registro.IndiceEsercizio(), 20);
        b.Premi(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b.Tasto(QStringLiteral("optAvviso_1")));
        b.Premi(Qt::Key_Return); // "Ricomincia", on purpose
    } else {
        premi(QStringLiteral("optAvviso_1"));
    }
    QCOMPARE(b.stato.Registro.IndiceEsercizio(), 1);
    QCOMPARE(b.stato.Registro.EsatteTotale(), 0);
    QCOMPARE(b.Etichetta("lblRisEsatte")->text(), QString());
    b.ControllaPannello();
}

void TestFrmOperativo::cifraTenuta() {
    Banco b;
    b.Mostra();
    QVERIFY(b.Numero());
    QWidget* fuoco = QApplication::focusWidget();
    QCOMPARE(fuoco, b.Tasto(QStringLiteral("Option2_0")));
    // A digit held down: one press, then the keyboard's repeats, then the release.
    QKeyEvent giu(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    QApplication::sendEvent(fuoco, &giu);
    for (int k = 0; k < 5; ++k) {
        QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"), true);
        QApplication::sendEvent(QApplication::focusWidget(), &ripetuto);
    }
    QKeyEvent su(QEvent::KeyRelease, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    QApplication::sendEvent(QApplication::focusWidget(), &su);
    QCOMPARE(b.w->serie().RispostaTesto(), QStringLiteral("7"));
    QCOMPARE(b.Etichetta("LblRisultato")->text(), QStringLiteral("7"));
    // A second, separate press enters again.
    b.Premi(Qt::Key_7);
    QCOMPARE(b.Etichetta("LblRisultato")->text(), QStringLiteral("77"));
    // A held Enter on "Verifica" verifies once: the reply is wrong, "NO" is not pressed.
    b.Premi(Qt::Key_V);
    QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &invio);
    QKeyEvent invioRipetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(QApplication::focusWidget(), &invioRipetuto);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(b.w->serie().PannelloAttivo(), Pannello::Aiuto);
    QCOMPARE(b.w->serie().TentativiNo(), 0);
}

// The sound double is called once for each right reply and never otherwise.
void TestFrmOperativo::suonoSoloSuRispostaEsatta() {
    Banco b;
    b.Mostra();
    const auto passo = [&b](const char* descrizione, auto&& azione, int attesi) {
        azione();
        QVERIFY2(b.suono.suonati == attesi, descrizione);
    };
    passo(
        "wrong reply", [&] { b.RispondiMouse(false); }, 0);
    passo(
        "NO", [&] { b.Clic(QStringLiteral("Option3_0")); }, 0);
    passo(
        "right reply", [&] { b.RispondiMouse(true); }, 1);
    passo(
        "Avanti", [&] { b.AvantiMouse(); }, 1);
    passo(
        "right by keyboard", [&] { b.RispondiTastiera(true); }, 2);
    passo(
        "Enter held on the closed exercise",
        [&] {
            QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(QApplication::focusWidget(), &ripetuto);
            QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
        },
        2);
    passo(
        "Avanti", [&] { b.Premi(Qt::Key_Return); }, 2);
    passo(
        "wrong then SI",
        [&] {
            b.RispondiMouse(false);
            b.Clic(QStringLiteral("Option3_1"));
        },
        2);
}

void TestFrmOperativo::ridimensionareNonPerdeLaSerie() {
    Banco b;
    b.Mostra();
    for (int i = 0; i < 3; ++i) {
        b.RispondiMouse(true);
        b.AvantiMouse();
    }
    b.Clic(QStringLiteral("Option2_5"));
    const QString riga2 = RigaDi(b.stato, 2);
    const QSize prima = b.Tasto(QStringLiteral("Option2_5"))->size();

    b.w->showMaximized();
    QTRY_VERIFY(b.w->isMaximized());
    QTRY_VERIFY(b.Tasto(QStringLiteral("Option2_5"))->size() != prima);
    b.w->showNormal();
    b.w->resize(1000, 700);
    QTRY_COMPARE(b.w->size(), QSize(1000, 700));

    QCOMPARE(b.stato.Registro.IndiceEsercizio(), 4);
    QCOMPARE(b.stato.Registro.EsatteTotale(), 3);
    QCOMPARE(RigaDi(b.stato, 2), riga2);
    QCOMPARE(b.w->serie().RispostaTesto(), QStringLiteral("5"));
    QCOMPARE(b.Etichetta("LblRisultato")->text(), QStringLiteral("5"));
    QCOMPARE(b.Etichetta("lblRisEsatte")->text(), QStringLiteral("3"));
    // The panels and the crossing lines follow the new size.
    const auto riquadro = [&b](const QWidget* w) {
        return QRect(w->mapTo(b.w.get(), QPoint()), w->size());
    };
    QCOMPARE(riquadro(b.Cornice("fraTastierino")), riquadro(b.Etichetta("lblRiferimento")));
    b.RispondiMouse(false);
    const QWidget* linea = b.w->findChild<QWidget*>("Linea1");
    QVERIFY(linea->isVisible());
    QCOMPARE(linea->size(), b.Etichetta("LblRisultato")->size());
    QVERIFY(b.Etichetta("LblRisultato")->width() > 250 * 1000 / FrmOperativo::LarghezzaProgetto);
    QCOMPARE(b.Etichetta("LblRisultato")->font().pointSizeF(), 44.0); // fonts never scale
}

void TestFrmOperativo::chiudereEriaprire() {
    Banco b;
    b.Mostra();
    b.RispondiMouse(true);
    b.AvantiMouse();
    QCOMPARE(b.stato.Registro.IndiceEsercizio(), 2);
    b.w->close();
    b.w->show(); // shown again after closing: a new series
    QTRY_COMPARE(b.stato.Registro.IndiceEsercizio(), 1);
    QCOMPARE(b.stato.Registro.EsatteTotale(), 0);
    QVERIFY(RigaDi(b.stato, 2).isEmpty());
}

void TestFrmOperativo::escoChiude() {
    Banco b;
    b.Mostra();
    b.RispondiTastiera(true);
    b.Premi(Qt::Key_E);
    QCOMPARE(QApplication::focusWidget(),
             b.Tasto(b.Numero() ? QStringLiteral("Option2_14") : QStringLiteral("Option1_7")));
    b.Premi(Qt::Key_Return);
    QTRY_VERIFY(!b.w->isVisible());
}

void TestFrmOperativo::istruzioni() {
    Banco b;
    b.Mostra();
    auto* voce = b.w->findChild<QAction*>(QStringLiteral("mnuIstruzioni"));
    QVERIFY(voce && voce->isEnabled());
    QString aperta;
    QTimer::singleShot(0, [&aperta] {
        QWidget* modale = QApplication::activeModalWidget();
        if (!modale) return;
        aperta = modale->objectName() + u' ' + modale->windowTitle();
        modale->close();
    });
    voce->trigger(); // returns when the modal window is closed
    QCOMPARE(aperta, QStringLiteral("frmIstruzioni ISTRUZIONI"));
    QCOMPARE(b.stato.Registro.IndiceEsercizio(), 1);
}

void TestFrmOperativo::stampa() {
    Banco b;
    auto* visualizza = b.w->findChild<QAction*>(QStringLiteral("mnuVisualizza"));
    QVERIFY(!visualizza->isEnabled());
    int aperture = 0;
    b.w->ImpostaStampa([&aperture] { ++aperture; });
    b.Mostra();
    QVERIFY(visualizza->isEnabled());
    visualizza->trigger();
    QCOMPARE(aperture, 1);
    for (int i = 0; i < 20; ++i) {
        b.RispondiMouse(true);
        if (i < 19) b.AvantiMouse();
    }
    // "Stampa" now leads the end panel and opens the printout; the series stays.
    QCOMPARE(QApplication::focusWidget(), b.Tasto(QStringLiteral("optAvviso_0")));
    b.Clic(QStringLiteral("optAvviso_0"));
    QCOMPARE(aperture, 2);
    QCOMPARE(b.stato.Registro.IndiceEsercizio(), 20);
    QVERIFY(b.Cornice("fraAvviso")->isVisible());
}

void TestFrmOperativo::testiFissi_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("suggerimento");
    const QString nessuno;
    QTest::newRow("Cancella") << "Option2_11"
                              << "Cancella" << nessuno;
    QTest::newRow("Verifica") << "Option2_12"
                              << "Verifica" << nessuno;
    QTest::newRow("Avanti") << "Option2_13"
                            << "Avanti" << nessuno;
    QTest::newRow("Esco") << "Option2_14"
                          << "Esco" << nessuno;
    QTest::newRow("symbol Cancella") << "Option1_4"
                                     << "Cancella" << nessuno;
    QTest::newRow("Esci") << "Option1_7"
                          << "Esci" << nessuno;
    QTest::newRow("first symbol") << "Option1_0"
                                  << "m" << nessuno;
    QTest::newRow("Ti aiuto ?") << "LblAiuto"
                                << "Ti aiuto ?" << nessuno;
    QTest::newRow("NO") << "Option3_0"
                        << "NO" << nessuno;
    QTest::newRow("SI") << "Option3_1"
                        << "SI" << nessuno;
    QTest::newRow("INTERVENGO IO") << "Option4"
                                   << "INTERVENGO IO" << nessuno;
    QTest::newRow("Intervengo io") << "lblIntervento"
                                   << "Intervengo io" << nessuno;
    QTest::newRow("Stampa") << "optAvviso_0"
                            << "Stampa" << nessuno;
    QTest::newRow("Ricomincia") << "optAvviso_1"
                                << "Ricomincia" << nessuno;
    QTest::newRow("warning") << "Label4"
                             << "Se ricominci gli esercizi andranno persi" << nessuno;
    QTest::newRow("Operazioni") << "lblTitoloOperazioni"
                                << "Operazioni" << nessuno;
    QTest::newRow("Risposte esatte") << "lblTitoloEsatte"
                                     << "Risposte esatte " << nessuno;
    QTest::newRow("Risposte errate") << "lblTitoloErrate"
                                     << "Risposte errate" << nessuno;
    QTest::newRow("Tempo parziale") << "lblTitoloParziale"
                                    << "Tempo parziale" << nessuno;
    QTest::newRow("Tempo totale") << "lblTitoloTotale"
                                  << "Tempo totale" << nessuno;
    QTest::newRow("partial time tip") << "lblTempoOperazione"
                                      << ""
                                      << "Secondi impiegati per ogni risposta";
    QTest::newRow("total time tip") << "LblTempoTotale"
                                    << ""
                                    << "Secondi impiegati per ogni esercizio";
    QTest::newRow("order heading")
        << "Label1"
        << " Da simbolo maggiore a simbolo minore e viceversa" << nessuno;
    QTest::newRow("kind heading") << "Label2"
                                  << " Trova il numero o il simbolo" << nessuno;
}

void TestFrmOperativo::testiFissi() {
    QFETCH(QString, nome);
    QFETCH(QString, testo);
    QFETCH(QString, suggerimento);

    Banco b;
    b.Mostra();
    QCOMPARE(b.w->windowTitle(), QStringLiteral("TRASFORMAZIONI"));
    QWidget* w = b.w->findChild<QWidget*>(nome);
    QVERIFY(w);
    if (auto* tasto = qobject_cast<QPushButton*>(w))
        QCOMPARE(tasto->text(), testo);
    else
        QCOMPARE(qobject_cast<QLabel*>(w)->text(), testo);
    QCOMPARE(w->toolTip(), suggerimento);
    // The diagnostics never show, even though they hold the expected answer.
    for (const char* diagnostica : {"Label6", "Label7", "Label8"})
        QVERIFY(!b.Etichetta(diagnostica)->isVisible());
    QCOMPARE(b.Etichetta("Label8")->text(), b.w->serie().SoluzioneTesto());
}

// A shut key ignores the mouse: "Verifica" before any reply, "Avanti" before the verdict.
void TestFrmOperativo::tastoSpentoNonRisponde() {
    Banco b;
    b.Mostra();
    QVERIFY(!b.Tasto(QStringLiteral("Option2_12"))->isEnabled());
    b.Clic(QStringLiteral("Option2_12"));
    b.Clic(QStringLiteral("Option2_13"));
    QCOMPARE(b.stato.Registro.IndiceEsercizio(), 1);
    QVERIFY(b.Cornice("fraTastierino")->isVisible());
    QCOMPARE(b.Etichetta("LblEsito")->text(), QString());
}

void TestFrmOperativo::rigaSimboloComeUguaglianza_data() {
    QTest::addColumn<QString>("risultato");
    QTest::addColumn<QSize>("dimensione"); // invalid: the design size
    for (const char* risultato : {"5", "99.990", "0,000001"})
        for (const QSize& dimensione : {QSize(), QSize(1024, 768), QSize(1920, 1080)})
            QTest::addRow(
                "%s, %s", risultato,
                dimensione.isValid()
                    ? qPrintable(
                          QStringLiteral("%1x%2").arg(dimensione.width()).arg(dimensione.height()))
                    : "progetto")
                << QString::fromLatin1(risultato) << dimensione;
}

// The find-the-symbol row reads as one equation: the result number just after "=", the reply
// box just after the number, and a margin between the box and the row's edge.
void TestFrmOperativo::rigaSimboloComeUguaglianza() {
    QFETCH(QString, risultato);
    QFETCH(QSize, dimensione);
    BancoOperativo b(4, 1, 2); // find the symbol
    b.Problemi({{"0,001", " cm ", "  m ", risultato}});
    FrmOperativo& w = *b.w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (dimensione.isValid()) {
        w.resize(dimensione);
        QTRY_COMPARE(w.size(), dimensione);
    }
    const auto riquadro = [&w](const char* nome) {
        return w.findChild<QWidget*>(QLatin1String(nome))->geometry();
    };
    auto* numero = w.findChild<QLabel*>(QStringLiteral("LblSimbolo2S"));
    QCOMPARE(numero->text(), risultato);
    const QWidget* riga = w.findChild<QWidget*>(QStringLiteral("fraSimbolo"));
    const int larghezza = riga->width();
    const int spazioMassimo = larghezza * 3 / 100;
    const QRect uguale = riquadro("lblUgualeS");
    const QRect casella = riquadro("lblRisultatoS");

    // The number's label holds its text with no room to spare, so the text is where it is.
    const int testo = numero->fontMetrics().horizontalAdvance(risultato);
    QVERIFY(numero->width() >= testo && numero->width() <= testo + spazioMassimo);
    const int dopoUguale = numero->x() - uguale.right();
    QVERIFY2(dopoUguale >= 0 && dopoUguale <= spazioMassimo,
             qPrintable(QString::number(dopoUguale)));
    const int dopoNumero = casella.x() - numero->geometry().right();
    QVERIFY2(dopoNumero >= 0 && dopoNumero <= spazioMassimo,
             qPrintable(QString::number(dopoNumero)));
    const int margine = riga->contentsRect().right() - casella.right();
    QVERIFY2(margine >= larghezza / 100, qPrintable(QString::number(margine)));
    // The reply box stays as tall as the number and in its line; the correction sits under it.
    QCOMPARE(casella.top(), numero->y());
    QCOMPARE(riquadro("lblCorrezioneS").x(), casella.x());
}

// Options stored while the drill window is open dress it at once: the page and its ordinary
// text, and capitals; the display rows, the reply, the keys and the symbols keep theirs.
void TestFrmOperativo::opzioniNellaFinestraAperta() {
    QTemporaryDir cartella;
    QVERIFY(QDir::setCurrent(cartella.path()));
    Banco b;
    b.stato.NomeProgramma = QStringLiteral("prova");
    b.Mostra();
    QWidget* pagina = b.w->centralWidget();
    const auto colore = [](QWidget* w, int x, int y) {
        return w->grab().toImage().pixelColor(x, y);
    };
    // Left of the headings and panels: the page itself.
    const QPoint vuoto(8, 300);
    QCOMPARE(colore(pagina, vuoto.x(), vuoto.y()), tavolozza::SfondoEsercizio);
    const QString verifica = b.Tasto(QStringLiteral("Option2_12"))->text();
    const QString simbolo = b.Tasto(QStringLiteral("Option1_1"))->text();
    const QColor tasto = b.Tasto(QStringLiteral("Option2_12"))->palette().color(QPalette::Button);

    for (const auto& [sfondo, lettere, testo] :
         {std::tuple{6, 9, QColor(0, 0, 0)}, std::tuple{9, 9, QColor(255, 255, 255)}}) {
        QVERIFY(ScegliSfondo(b.stato, sfondo));
        QVERIFY(ScegliCaratteri(b.stato, lettere));
        QVERIFY(ScegliTipoCaratteri(b.stato, 0));
        QVERIFY(MemorizzaNuoveImpostazioni(b.stato));
        const QColor fondo = tavolozza::Colore(TabellaColori()[sfondo].Pagina);
        QCOMPARE(colore(pagina, vuoto.x(), vuoto.y()), fondo);
        // The headings: black text on the page ("Nero" on "Nero" falls back to white).
        QLabel* titolo = b.Etichetta("Label1");
        QCOMPARE(titolo->palette().color(QPalette::WindowText), testo);
        const QImage immagine = titolo->grab().toImage();
        int inChiaro = 0, lettera = 0;
        for (int y = 0; y < immagine.height(); ++y)
            for (int x = 0; x < immagine.width(); ++x) {
                const QColor c = immagine.pixelColor(x, y);
                inChiaro += c == fondo;
                lettera += c == testo;
            }
        QVERIFY2(inChiaro > immagine.width() * immagine.height() / 2, "the page behind the text");
        QVERIFY2(lettera > 20, "letters in the letter colour");
        QCOMPARE(titolo->text(), b.stato.TestoOrdine.toUpper());
        QCOMPARE(b.Etichetta("lblTitoloEsatte")->palette().color(QPalette::WindowText), testo);
        // What keeps its own look and case.
        QCOMPARE(b.Cornice("fraNumero")->palette().color(QPalette::Window), tavolozza::SfondoRiga);
        QCOMPARE(b.Etichetta("LblRisultato")->palette().color(QPalette::WindowText),
                 tavolozza::TestoRisposta);
        QCOMPARE(b.Tasto(QStringLiteral("Option2_12"))->palette().color(QPalette::Button), tasto);
        QCOMPARE(b.Tasto(QStringLiteral("Option2_12"))->text(), verifica.toUpper());
        QCOMPARE(b.Tasto(QStringLiteral("Option1_1"))->text(), simbolo);
    }
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
}

QTEST_MAIN(TestFrmOperativo)
#include "tst_FrmOperativo.moc"

// What a screen reader and the program's voice get: the problem as one sentence on the row,
// the reply box and the counts by name, each step announced (and said, when a voice is
// given), and never the expected answer.
void TestFrmOperativo::letturaPerGliAusili() {
    VoceFinta voce;
    Banco b;
    b.w->ImpostaVoce(&voce);
    b.Mostra();
    const auto nome = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    auto* annunciatore = b.w->findChild<QWidget*>(QStringLiteral("annunciatore"));
    QVERIFY(annunciatore);
    const QString problema = QStringLiteral("3 metri uguale quanti decimetri?");
    QCOMPARE(nome(b.Cornice("fraNumero")), problema);
    QTRY_COMPARE(nome(annunciatore), problema);
    QCOMPARE(QAccessible::queryAccessibleInterface(annunciatore)->role(),
             QAccessible::Notification);
    QCOMPARE(nome(b.Etichetta("LblRisultato")), QStringLiteral("Risposta: nessuna"));
    // The expected answer is in Label8 and in no text an assistive tool can read.
    QCOMPARE(b.Etichetta("Label8")->text(), QStringLiteral("30"));
    for (QWidget* w : b.w->findChildren<QWidget*>()) {
        const QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
        for (auto t : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
            QVERIFY2(i->text(t) != QStringLiteral("30"), qPrintable(w->objectName()));
    }

    b.DigitaTastiera(QStringLiteral("9"));
    QCOMPARE(nome(b.Etichetta("LblRisultato")), QStringLiteral("Risposta: 9"));
    QTRY_COMPARE(nome(annunciatore), QStringLiteral("9"));
    b.Premi(Qt::Key_V);
    b.Premi(Qt::Key_Return);
    QTRY_COMPARE(nome(annunciatore), QStringLiteral("Errato. Ti aiuto ?"));
    b.Premi(Qt::Key_S);
    b.Premi(Qt::Key_Return);
    QTRY_COMPARE(nome(annunciatore), QStringLiteral("Intervengo io: 3 metri uguale 30 decimetri"));
    QCOMPARE(nome(b.Etichetta("lblCorrezione")), QStringLiteral("Soluzione: 30"));
    QCOMPARE(nome(b.Etichetta("lblRisErrate")), QStringLiteral("Risposte errate: 1"));
    QCOMPARE(voce.detti, (QStringList{problema, "9", "Errato. Ti aiuto ?",
                                      "Intervengo io: 3 metri uguale 30 decimetri"}));
}
