// The worksheet screen driven by mouse and keyboard events: when the print buttons can be
// reached, what each of them prints, and that nothing of the program-wide state changes
// while a drill series is open beside the screen.

#include "worksheets/FrmStampaSchedeTreRidotto.h"

#include "app/FonteCasualeSistema.h"
#include "generation/Algoritmi.h"
#include "start/Catalogo.h"
#include "support/AvvisiFinti.h"
#include "support/DoppiSerie.h"
#include "support/StampaFinta.h"
#include "ui/StileTasti.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

namespace {

// A metre system in the middle of a drill series, with the start screen's choices made.
StatoProgramma StatoInSerie() {
    StatoProgramma s;
    s.NomeProgramma = QStringLiteral("decimetra");
    s.Livello = 4;
    SceltaSimboli(s);
    ScegliTipo(s, 1);
    ScegliOrdine(s, 2);
    SerieConEsiti(s, 5, 7);
    return s;
}

// What a drill series open beside the screen relies on.
bool StessoStato(const StatoProgramma& a, const StatoProgramma& b) {
    return a.Registro.Esercizi == b.Registro.Esercizi && a.TipoEsercizio == b.TipoEsercizio &&
           a.OrdineSimboli == b.OrdineSimboli && a.TestoOrdine == b.TestoOrdine;
}

struct Banco {
    StatoProgramma stato = StatoInSerie();
    StampaFinta stampa;
    AvvisiFinti avvisi;
    FonteCasualeSistema fonte;
    FrmStampaSchedeTreRidotto finestra{stato, stampa, avvisi, fonte};

    bool Mostra() {
        finestra.show();
        finestra.activateWindow();
        return QTest::qWaitForWindowActive(&finestra);
    }
    template <class T = QPushButton> T* C(const QString& nome) {
        return finestra.findChild<T*>(nome);
    }
    // A click where the named control lies, delivered to the window: it reaches whatever is
    // shown there, as a real click would.
    void Clic(const QString& nome) {
        QWidget* w = C<QWidget>(nome);
        QVERIFY2(w, qPrintable(nome));
        const QPoint punto = w->mapTo(&finestra, w->rect().center());
        QTest::mouseClick(finestra.windowHandle(), Qt::LeftButton, {}, punto);
    }
    void Tasto(Qt::Key tasto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        // Apart in time: a press stamped with the very time of the last release of its key
        // is taken for a held key's repeat, as X sends them.
        QTest::qWait(3);
        QTest::keyClick(finestra.windowHandle(), tasto, mod);
    }
    // Plays the steps: "clic:NAME", "tab", "backtab", "invio", "spazio".
    void Esegui(const QStringList& passi) {
        for (const QString& passo : passi) {
            if (passo.startsWith("clic:"))
                Clic(passo.mid(5));
            else if (passo == "tab")
                Tasto(Qt::Key_Tab);
            else if (passo == "backtab")
                Tasto(Qt::Key_Backtab);
            else if (passo == "invio")
                Tasto(Qt::Key_Return);
            else if (passo == "spazio")
                Tasto(Qt::Key_Space);
            else
                QFAIL(qPrintable("passo sconosciuto " + passo));
        }
    }
    QStringList Anteprima() {
        QStringList righe;
        for (int i = 1; i <= RigheScheda; ++i)
            if (const QString t = C<QLabel>(QStringLiteral("LblOp(%1)").arg(i))->text();
                !t.isEmpty())
                righe << t;
        return righe;
    }
    // Index of the red indicator of a group ("Label3" / "Label4"), -1 when none.
    int Rosso(const QString& gruppo) {
        for (int i = 0; i < 3; ++i) {
            auto* l = C<QLabel>(QStringLiteral("%1(%2)").arg(gruppo).arg(i));
            if (l->palette().color(QPalette::Window) == QColor(255, 0, 0)) return i;
        }
        return -1;
    }
};

} // namespace

class TestFrmStampaSchede : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(new StileTasti); }
    void pulsanti_data();
    void pulsanti();
    void sceltaStampante();
};

// Each row plays real clicks and keys on the screen opened beside a drill series, then
// checks the print buttons, the preview, what was printed and the indicators.
void TestFrmStampaSchede::pulsanti_data() {
    QTest::addColumn<QStringList>("passi");
    QTest::addColumn<bool>("stampaAlunni"); // visible at the end
    QTest::addColumn<bool>("stampaDocenti");
    QTest::addColumn<int>("anteprima"); // lines shown
    QTest::addColumn<int>("stampate");  // pages printed
    QTest::addColumn<int>("punti");     // size of the printed lines (0: nothing printed)
    QTest::addColumn<int>("tipo");      // Label3 in red
    QTest::addColumn<int>("ordine");    // Label4 in red

    QTest::newRow("stampa alunni non raggiungibile prima del fuoco")
        << QStringList{"clic:Option1(0)", "clic:CmdStampaSchedaAlunni"} << false << false << 0 << 0
        << 0 << 0 << -1;
    QTest::newRow("anteprima alunni col mouse, stampa alunni")
        << QStringList{"clic:Option1(0)", "clic:CmdVisualizzaSchedaAlunni",
                       "clic:CmdStampaSchedaAlunni"}
        << true << false << 30 << 1 << 14 << 0 << -1;
    QTest::newRow("anteprima docenti, stampa dal tasto degli alunni")
        << QStringList{"clic:Option1(1)", "clic:Option2(0)", "clic:CmdVisualizzaSchedaDocenti",
                       "backtab", "clic:CmdStampaSchedaAlunni"}
        << true << true << 30 << 1 << 12 << 1 << 0;
    QTest::newRow("anteprima alunni, stampa dal tasto dei docenti")
        << QStringList{"clic:Option1(2)", "clic:CmdVisualizzaSchedaAlunni", "tab", "tab",
                       "clic:CmdStampaSchedaDocenti"}
        << true << true << 30 << 1 << 14 << 2 << -1;
    QTest::newRow("tastiera sola: invio, tab, spazio")
        << QStringList{"invio", "tab", "spazio", "invio", "tab", "tab", "invio", "tab", "invio"}
        << true << false << 30 << 1 << 14 << 0 << 1;
    QTest::newRow("un nuovo ordine nasconde le stampe e svuota l'anteprima")
        << QStringList{"clic:Option1(0)", "clic:CmdVisualizzaSchedaAlunni", "clic:Option2(2)",
                       "clic:CmdStampaSchedaAlunni"}
        << false << false << 0 << 0 << 0 << 0 << 2;
    QTest::newRow("cancella scheda nasconde le stampe")
        << QStringList{"clic:Option1(0)", "clic:CmdVisualizzaSchedaDocenti", "clic:CmdRicomincia",
                       "clic:CmdStampaSchedaDocenti"}
        << false << false << 0 << 0 << 0 << 0 << -1;
    QTest::newRow("numero cambiato dopo l'anteprima")
        << QStringList{"clic:Option1(0)", "clic:CmdVisualizzaSchedaDocenti", "clic:Opt1(0)",
                       "clic:CmdStampaSchedaDocenti"}
        << false << false << 0 << 0 << 0 << 0 << -1;
    QTest::newRow("10 problemi, docenti")
        << QStringList{"clic:Opt1(0)", "clic:Option1(0)", "clic:CmdVisualizzaSchedaDocenti",
                       "clic:CmdStampaSchedaDocenti"}
        << false << true << 10 << 1 << 12 << 0 << -1;
    QTest::newRow("20 problemi dopo la costruzione, alunni")
        << QStringList{"clic:Option1(1)", "clic:Opt1(1)", "clic:CmdVisualizzaSchedaAlunni",
                       "clic:CmdStampaSchedaAlunni"}
        << true << false << 20 << 1 << 14 << 1 << -1;
    QTest::newRow("scheda mai costruita: anteprima vuota, niente stampa")
        << QStringList{"clic:CmdVisualizzaSchedaAlunni", "clic:CmdStampaSchedaAlunni"} << true
        << false << 0 << 0 << 0 << -1 << -1;
}

void TestFrmStampaSchede::pulsanti() {
    QFETCH(QStringList, passi);
    QFETCH(bool, stampaAlunni);
    QFETCH(bool, stampaDocenti);
    QFETCH(int, anteprima);
    QFETCH(int, stampate);
    QFETCH(int, punti);
    QFETCH(int, tipo);
    QFETCH(int, ordine);

    Banco b;
    QVERIFY(b.Mostra());
    b.C("Option1(0)")->setFocus();
    b.Esegui(passi);

    QCOMPARE(b.C("CmdStampaSchedaAlunni")->isVisible(), stampaAlunni);
    QCOMPARE(b.C("CmdStampaSchedaDocenti")->isVisible(), stampaDocenti);
    const QStringList mostrate = b.Anteprima();
    QCOMPARE(mostrate.size(), anteprima);
    QCOMPARE(b.stampa.lavori.size(), stampate);
    QCOMPARE(b.Rosso("Label3"), tipo);
    QCOMPARE(b.Rosso("Label4"), ordine);

    if (stampate > 0) {
        // The page holds the preview's lines, in the size and with the stamp of the sheet shown.
        const StampaFinta::Lavoro& lavoro = b.stampa.lavori.first();
        const bool alunni = punti == 14;
        QCOMPARE(lavoro.descrizione, alunni ? "scheda alunni" : "scheda docenti");
        const Scheda& scheda = b.finestra.SchedaCorrente();
        const auto& attese = alunni ? scheda.Esercizio : scheda.Soluzione;
        QStringList righe;
        for (const TestoPagina& t : lavoro.pagina.testi)
            if (t.x == 500) {
                QCOMPARE(t.punti, double(punti));
                righe << t.testo;
            }
        QCOMPARE(righe, mostrate);
        for (int i = 0; i < righe.size(); ++i)
            QCOMPARE(righe[i], attese[i + 1]);
        QCOMPARE(lavoro.pagina.testi.last().testo,
                 alunni ? "Scheda per alunni stampata con decimetra"
                        : "Scheda per docenti stampata con decimetra");
        // Printed: the page is said to be sent to the printer, by its name.
        QVERIFY(b.avvisi.errori.isEmpty());
        QCOMPARE(b.avvisi.notizie.size(), 1);
        QCOMPARE(b.avvisi.notizie[0].second,
                 QStringLiteral("La pagina è stata inviata alla stampante\n") + lavoro.stampante);
        b.avvisi.notizie.clear();
    }
    // The drill series open beside the screen keeps its record, its problem and its choices.
    QVERIFY(StessoStato(b.stato, StatoInSerie()));
}

// The printer choice: greyed until the assembly gives the window that opens it.
void TestFrmStampaSchede::sceltaStampante() {
    Banco b;
    auto* voce = b.finestra.findChild<QAction*>("mnuStampante");
    QVERIFY(voce && !voce->isEnabled());
    QCOMPARE(voce->text(), QStringLiteral("&Impostazione stampante"));
    int aperture = 0;
    b.finestra.ImpostaSceltaStampante([&] { ++aperture; });
    QVERIFY(voce->isEnabled());
    voce->trigger();
    QCOMPARE(aperture, 1);
}

QTEST_MAIN(TestFrmStampaSchede)
#include "tst_FrmStampaSchedeTreRidotto.moc"
