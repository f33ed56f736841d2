// What a pupil does with the mouse and the keyboard, sent as real X input events (xdotool)
// to the real windows under Xvfb with a window manager: quick clicks on one key, a key held
// down on a busy machine, the focus after a window opened from the menu closes, the menus'
// access keys, the Enter typed after a reply, the "Sistema" menu walked with the keyboard,
// a name typed but not confirmed, and a name typed and pasted into the name box.
// Synthesised Qt events behave differently for many of these.

#include "drill/FrmOperativo.h"
#include "results/FrmAttestato.h"
#include "results/FrmStampaEsercizioTre.h"
#include "start/Catalogo.h"
#include "start/FrmInizio.h"
#include "support/AvvisiFinti.h"
#include "support/BancoOperativo.h"
#include "support/DoppiSerie.h"
#include "support/FonteCasualeFinta.h"
#include "support/StampaFinta.h"
#include "support/Xdotool.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Two processes that keep both cores busy for as long as the object lives.
class Carico {
public:
    Carico() {
        for (auto& p : processi_) {
            p = std::make_unique<QProcess>();
            p->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec yes")});
            p->setStandardOutputFile(QProcess::nullDevice());
        }
    }
    ~Carico() {
        for (auto& p : processi_) {
            p->kill();
            p->waitForFinished();
        }
    }

private:
    std::unique_ptr<QProcess> processi_[2];
};

struct Operativo : BancoOperativo<> {
    Operativo() : BancoOperativo(4, 0, 1) {
        // An answer long enough for every test's typing.
        Problemi({{"10", "  m ", " mm ", "10.000"}});
        w->showMaximized();
        w->activateWindow();
    }
    bool Pronto() {
        return QTest::qWaitForWindowActive(w.get()) && QTest::qWaitFor([this] {
                   return QApplication::focusWidget() == Tasto("Option2_0");
               });
    }
    QPushButton* Tasto(const char* nome) const {
        return BancoOperativo::Tasto(QLatin1String(nome));
    }
};

} // namespace

class TestInputReale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void clicRapidi_data();
    void clicRapidi();
    void tastoTenutoSottoCarico_data();
    void tastoTenutoSottoCarico();
    void fuocoDopoUnaFinestra_data();
    void fuocoDopoUnaFinestra();
    void tastiDiAccessoAiMenu();
    void invioDopoLaRisposta_data();
    void invioDopoLaRisposta();
    void sistemaDalMenu_data();
    void sistemaDalMenu();
    void nomeNonConfermato_data();
    void nomeNonConfermato();
    void nomeDigitatoEIncollato();
};

// Every press of the mouse on a key is a press, however quickly it follows the last one:
// the second click of a pair arrives as a double click.
void TestInputReale::clicRapidi_data() {
    QTest::addColumn<QString>("tasti");
    QTest::addColumn<int>("pausa"); // ms between clicks
    QTest::addColumn<QString>("risposta");
    QTest::newRow("5 four times, 150 ms") << "5555" << 150 << "5.555";
    QTest::newRow("5 four times, 250 ms") << "5555" << 250 << "5.555";
    QTest::newRow("1 then 0 four times, 150 ms") << "10000" << 150 << "10.000";
}

void TestInputReale::clicRapidi() {
    QFETCH(QString, tasti);
    QFETCH(int, pausa);
    QFETCH(QString, risposta);
    Operativo o;
    QVERIFY(o.Pronto());
    QStringList comandi;
    for (QChar c : tasti) {
        comandi << Centro(o.Tasto(qPrintable(QStringLiteral("Option2_%1").arg(c))))
                << QStringLiteral("click") << QStringLiteral("1") << QStringLiteral("sleep")
                << QString::number(pausa / 1000.0);
    }
    Xdo(comandi);
    QCOMPARE(o.w->serie().RispostaTesto(), risposta);
}

// A key held down for a second and a half acts once, also while the machine is busy.
void TestInputReale::tastoTenutoSottoCarico_data() {
    QTest::addColumn<QString>("tasto");
    QTest::addColumn<QString>("risposta");
    QTest::addColumn<QString>("fuoco"); // the key with the focus afterwards
    QTest::newRow("digit") << "7"
                           << "7"
                           << "Option2_12";
    QTest::newRow("keypad digit") << "KP_7"
                                  << "7"
                                  << "Option2_12";
    QTest::newRow("space bar") << "space"
                               << ""
                               << "Option2_1";
}

void TestInputReale::tastoTenutoSottoCarico() {
    QFETCH(QString, tasto);
    QFETCH(QString, risposta);
    QFETCH(QString, fuoco);
    Operativo o;
    QVERIFY(o.Pronto());
    {
        Carico carico;
        Xdo({QStringLiteral("keydown"), tasto, QStringLiteral("sleep"), QStringLiteral("1.5"),
             QStringLiteral("keyup"), tasto});
    }
    QCOMPARE(o.w->serie().RispostaTesto(), risposta);
    QCOMPARE(QApplication::focusWidget(), o.Tasto(qPrintable(fuoco)));
}

// "Istruzioni" opened from the keyboard (Alt, then Enter) and closed with Escape or Enter:
// the keypad has the focus again and the next digit is typed.
void TestInputReale::fuocoDopoUnaFinestra_data() {
    QTest::addColumn<QString>("chiudi");
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("Enter") << "Return";
}

void TestInputReale::fuocoDopoUnaFinestra() {
    QFETCH(QString, chiudi);
    Operativo o;
    QVERIFY(o.Pronto());
    Xdo(Tasti({"8"}));
    QCOMPARE(o.w->serie().RispostaTesto(), QStringLiteral("8"));
    const QStringList aperte = Xdo(Tasti({"alt", "Return", qPrintable(chiudi)}, 0.5)).finestre;
    QCOMPARE(aperte, QStringList{QStringLiteral("frmIstruzioni")});
    QVERIFY(QTest::qWaitForWindowActive(o.w.get()));
    Xdo(Tasti({"5"}));
    QCOMPARE(o.w->serie().RispostaTesto(), QStringLiteral("85"));
    QCOMPARE(QApplication::focusWidget(), o.Tasto("Option2_12")); // "Verifica"
}

// Every menu entry has an access key (Alt + its underlined letter), and F10 opens the menu
// bar, as on other desktops.
void TestInputReale::tastiDiAccessoAiMenu() {
    QTemporaryDir cartella;
    QVERIFY(QDir::setCurrent(cartella.path()));
    {
        StatoProgramma stato;
        stato.NomeProgramma = QStringLiteral("decimetra");
        FrmInizio inizio(stato);
        inizio.showMaximized();
        inizio.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&inizio));
        for (QAction* azione : inizio.menuBar()->actions())
            QVERIFY2(azione->text().contains(u'&'), qPrintable(azione->text()));
        QCOMPARE(Xdo(Tasti({"alt+a", "Escape"}, 0.5)).finestre,
                 QStringList{QStringLiteral("frmAutore")});
    }

    Operativo o;
    QVERIFY(o.Pronto());
    for (QAction* azione : o.w->menuBar()->actions())
        QVERIFY2(azione->text().contains(u'&'), qPrintable(azione->text()));
    QCOMPARE(Xdo(Tasti({"alt+i", "Escape"}, 0.5)).finestre,
             QStringList{QStringLiteral("frmIstruzioni")});
    QCOMPARE(Xdo(Tasti({"F10", "Return", "Escape"}, 0.5)).finestre,
             QStringList{QStringLiteral("frmIstruzioni")});
    Xdo(Tasti({"4"}));
    QCOMPARE(o.w->serie().RispostaTesto(), QStringLiteral("4"));
}

// Real keys as xdotool commands, each followed by a short pause; "Option2_n" clicks key n
// of the drill window's keypad.
QStringList Comandi(const QStringList& tasti, FrmOperativo* w = nullptr) {
    QStringList comandi;
    for (const QString& t : tasti) {
        if (t.startsWith(QLatin1String("Option2_")))
            comandi << Centro(w->findChild<QPushButton*>(t)) << QStringLiteral("click") << "1";
        else
            comandi << QStringLiteral("key") << t;
        comandi << QStringLiteral("sleep") << QStringLiteral("0.2");
    }
    return comandi;
}

// The Enter a pupil types after a reply typed on the keyboard checks it (10 m in mm), also
// after "Cancella" and after a reply typed again following "NO"; a key pressed on screen
// keeps the focus, so Enter presses it again.
void TestInputReale::invioDopoLaRisposta_data() {
    QTest::addColumn<QStringList>("tasti");
    QTest::addColumn<QString>("risposta");
    QTest::addColumn<int>("esatte");
    QTest::newRow("digits") << QStringList{"1", "0", "0", "0", "0", "Return"} << "10.000" << 1;
    QTest::newRow("after Cancella")
        << QStringList{"1", "0", "0", "0", "0", "0", "BackSpace", "Return"} << "10.000" << 1;
    QTest::newRow("after NO") << QStringList{"9", "Return", "n", "Return", "1",
                                             "0", "0",      "0", "0",      "Return"}
                              << "10.000" << 1;
    QTest::newRow("a key on screen") << QStringList{"Option2_5", "Return"} << "55" << 0;
}

void TestInputReale::invioDopoLaRisposta() {
    QFETCH(QStringList, tasti);
    QFETCH(QString, risposta);
    QFETCH(int, esatte);
    Operativo o;
    QVERIFY(o.Pronto());
    Xdo(Comandi(tasti, o.w.get()));
    QCOMPARE(o.w->serie().RispostaTesto(), risposta);
    QCOMPARE(o.stato.Registro.EsatteTotale(), esatte);
}

// Each subject of the "Sistema" menu through the real menu: Alt+I (or F10, I) opens it on
// its first entry, Down passes over the subject headings, Enter chooses and stores.
void TestInputReale::sistemaDalMenu_data() {
    QTest::addColumn<QStringList>("apri");
    QTest::addColumn<int>("livello");
    QTest::newRow("decimal system") << QStringList{"alt+i"} << 2;
    QTest::newRow("lengths") << QStringList{"alt+i"} << 5;
    QTest::newRow("weights, F10") << QStringList{"F10", "i"} << 9;
    QTest::newRow("capacities") << QStringList{"alt+i"} << 12;
}

void TestInputReale::sistemaDalMenu() {
    QFETCH(QStringList, apri);
    QFETCH(int, livello);
    QTemporaryDir cartella;
    QVERIFY(QDir::setCurrent(cartella.path()));
    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    FrmInizio inizio(stato);
    inizio.showMaximized();
    inizio.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&inizio));
    Xdo(Comandi(apri + QList<QString>(livello - 1, QStringLiteral("Down")) << "Return"));
    QCOMPARE(stato.Livello, livello);
    QFile file(QStringLiteral("decimetra.dat"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::number(livello) + "\r\n");
}

// A name typed in the printout window's name panel and not confirmed with "AVANTI" is
// taken by the key clicked next, each word with its capital; an empty box takes nothing.
void TestInputReale::nomeNonConfermato_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("tasto");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("ATTESTATO") << "luca"
                               << "Command1_2"
                               << "Luca";
    QTest::newRow("ESCI") << "luca"
                          << "Command1_0"
                          << "Luca";
    QTest::newRow("empty box") << ""
                               << "Command1_2"
                               << "Giulia";
}

void TestInputReale::nomeNonConfermato() {
    QFETCH(QString, nome);
    QFETCH(QString, tasto);
    QFETCH(QString, atteso);
    StatoProgramma stato;
    stato.NomeAlunno = QStringLiteral("Giulia"); // the pupil before
    StampaFinta servizio;
    AvvisiFinti avvisi;
    QPointer<FrmAttestato> attestato;
    QPointer<FrmStampaEsercizioTre> w = new FrmStampaEsercizioTre(stato, servizio, avvisi);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->ImpostaApriAttestato([&] { return attestato = new FrmAttestato(stato, servizio, avvisi); });
    w->showMaximized();
    QVERIFY(QTest::qWaitForWindowActive(w));
    const auto clic = [&](const QString& k) {
        Xdo(Centro(w->findChild<QPushButton*>(k)) << QStringLiteral("click") << "1");
    };
    clic(QStringLiteral("Command1_3")); // "NOME"
    if (!nome.isEmpty()) Xdo({QStringLiteral("type"), nome});
    clic(tasto);
    QCOMPARE(stato.NomeAlunno, atteso);
    if (attestato) QCOMPARE(attestato->Dati().NomeAlunno, atteso);
    QCOMPARE(bool(attestato), tasto == QLatin1String("Command1_2"));
    delete attestato;
    delete w;
}

// The name box takes typed keys up to the 15th letter and no further, and a paste with
// Ctrl+V passes the same rule: an emoji at the limit stays whole, a tab and a line end go.
void TestInputReale::nomeDigitatoEIncollato() {
    StatoProgramma stato;
    StampaFinta servizio;
    AvvisiFinti avvisi;
    FrmStampaEsercizioTre w(stato, servizio, avvisi);
    w.showMaximized();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* casella = w.findChild<QLineEdit*>(QStringLiteral("txtNome"));
    auto* nome = w.findChild<QPushButton*>(QStringLiteral("Command1_3"));
    QVERIFY(casella && nome);
    Xdo(Centro(nome) << QStringLiteral("click") << QStringLiteral("1"));
    QVERIFY(QTest::qWaitFor([casella] { return QApplication::focusWidget() == casella; }));

    Xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"),
         QStringLiteral("Maria Antonietta Rossi")});
    QCOMPARE(casella->text(), QStringLiteral("Maria Antoniett"));

    QApplication::clipboard()->setText(QString(14, u'a') + QString::fromUtf8("\U0001F600") +
                                       QStringLiteral("b\tc\n"));
    Xdo(Tasti({"ctrl+a", "BackSpace", "ctrl+v"}, 0.2));
    QCOMPARE(casella->text(), QString(14, u'a') + QString::fromUtf8("\U0001F600"));
    QApplication::clipboard()->setText(QStringLiteral("\tLuca\r\n"));
    Xdo(Tasti({"ctrl+a", "BackSpace", "ctrl+v", "Return"}, 0.2));
    QCOMPARE(stato.NomeAlunno, QStringLiteral("Luca"));
}

QTEST_MAIN(TestInputReale)
#include "tst_InputReale.moc"
