// The certificate window wired to the state, the printer and the other windows: what it
// shows for a series, its three keys, the preview against the printed page, the factory the
// program opens it with, and how fast it opens.

#include "app/Avvio.h"
#include "results/FrmAttestato.h"
#include "support/AvvisiFinti.h"
#include "support/DoppiSerie.h"
#include "support/StampaFinta.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

const QDate Oggi(2026, 5, 14);

struct Banco {
    Banco(const QString& nome, int esatte, int esercizi) {
        stato.NomeAlunno = nome;
        SerieConEsiti(stato, esatte, esercizi);
        stato.Registro.TestoOrdine = QStringLiteral("dal più grande al più piccolo");
        // The start screen has moved on to another order since the series started.
        stato.TestoOrdine = QStringLiteral("dal più piccolo al più grande");
    }

    FrmAttestato* Apri() {
        w = std::make_unique<FrmAttestato>(stato, stampa, avvisi, Oggi);
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
        return w.get();
    }

    QPushButton* Tasto(int i) const {
        return w->findChild<QPushButton*>(QStringLiteral("Option5(%1)").arg(i));
    }
    AnteprimaAttestato* Anteprima() const {
        return w->findChild<AnteprimaAttestato*>(QStringLiteral("Picture1"));
    }
    QStringList Testi() const {
        QStringList testi;
        for (const TestoPagina& t : Anteprima()->Disegno().testi)
            testi << t.testo;
        return testi;
    }
    void Premi(int codice, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(codice), mod);
    }

    StatoProgramma stato;
    StampaFinta stampa;
    AvvisiFinti avvisi;
    std::unique_ptr<FrmAttestato> w;
};

// A stand-in for the printout window the certificate was opened from.
std::unique_ptr<QMainWindow> FinestraSotto() {
    auto f = std::make_unique<QMainWindow>();
    f->setWindowTitle(QStringLiteral("FINESTRA DI STAMPA "));
    f->show();
    return f;
}

} // namespace

class TestFrmAttestato : public QObject {
    Q_OBJECT
private slots:
    void cablaggio_data();
    void cablaggio();
    void tasti_data();
    void tasti();
    void anteprimaComeStampa_data();
    void anteprimaComeStampa();
    void fabbrica();
};

void TestFrmAttestato::cablaggio_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("esatte");
    QTest::addColumn<int>("esercizi");
    QTest::addColumn<QString>("giudizio");
    QTest::addColumn<bool>("stampabile");
    QTest::addColumn<QString>("nomeScritto");
    QTest::addColumn<QString>("detto"); // name and grade as the window says them
    QTest::newRow("10/20") << "Anna" << 10 << 20 << "SUFFICIENTE (!)" << true << "Anna"
                           << "Anna. Giudizio: Sufficiente";
    QTest::newRow("9/20") << "Anna" << 9 << 20 << "Non classificato" << false << "Anna"
                          << "Anna. Giudizio: Non classificato";
    QTest::newRow("19/20") << "Anna" << 19 << 20 << "OTTIMO" << true << "Anna"
                           << "Anna. Giudizio: Ottimo";
    QTest::newRow("3/4, one unanswered") << "Anna" << 3 << 4 << "BUONO" << true << "Anna"
                                         << "Anna. Giudizio: Buono";
    QTest::newRow("no exercise") << "Anna" << 0 << 0 << "Non classificato" << false << "Anna"
                                 << "Anna. Giudizio: Non classificato";
    QTest::newRow("mario d'amico")
        << "mario d'amico" << 15 << 20 << "BUONO" << true << "Mario D'Amico"
        << "Mario D'Amico. Giudizio: Buono";
    QTest::newRow("empty name") << "" << 20 << 20 << "OTTIMO" << true << ""
                                << "nessuno. Giudizio: Ottimo";
}

void TestFrmAttestato::cablaggio() {
    QFETCH(QString, nome);
    QFETCH(int, esatte);
    QFETCH(int, esercizi);
    QFETCH(QString, giudizio);
    QFETCH(bool, stampabile);
    QFETCH(QString, nomeScritto);
    QFETCH(QString, detto);
    Banco banco(nome, esatte, esercizi);
    FrmAttestato* w = banco.Apri();

    QCOMPARE(w->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(w->accessibleName(), QStringLiteral("Attestato"));
    // Announced whole as it opens, the date in words.
    auto* annuncio = w->findChild<QWidget*>(QStringLiteral("annunciatoreApertura"));
    QVERIFY(annuncio);
    QTRY_COMPARE(annuncio->accessibleName(),
                 QStringLiteral("Diploma di merito. Nome: %1. Risposte esatte: %2 su %3. Data: "
                                "14 maggio 2026.")
                     .arg(detto)
                     .arg(esatte)
                     .arg(esercizi));
    QCOMPARE(banco.stato.Giudizio, giudizio);
    QCOMPARE(banco.stato.NomeAlunno, nomeScritto);
    const QString ordine = QStringLiteral("  dal più grande al più piccolo");
    const QString risposte =
        QStringLiteral("con %1 risposte esatte su %2 richieste").arg(esatte).arg(esercizi);
    QStringList attesi{QStringLiteral("DIPLOMA DI MERITO"), QStringLiteral("RILASCIATO A")};
    if (!nomeScritto.isEmpty()) attesi << nomeScritto;
    attesi << QStringLiteral("per aver eseguito") << ordine
           << QStringLiteral("con la valutazione di") << giudizio << risposte
           << QStringLiteral("Data  ") + DataBreve(Oggi);
    QCOMPARE(banco.Testi(), attesi);

    // The print key: its caption, whether it works, and the focus it never takes.
    QPushButton* stampa = banco.Tasto(0);
    QCOMPARE(stampa->text(), stampabile ? QStringLiteral("STAMPA L'ATTESTATO")
                                        : QStringLiteral("ATTESTATO NON STAMPABILE"));
    QCOMPARE(stampa->isEnabled(), stampabile);
    QCOMPARE(QApplication::focusWidget(), banco.Tasto(stampabile ? 0 : 1));
    banco.Premi(Qt::Key_3);
    QCOMPARE(QApplication::focusWidget(), banco.Tasto(2));
    banco.Premi(Qt::Key_1, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), banco.Tasto(stampabile ? 0 : 2));
    banco.Tasto(2)->setFocus();
    banco.Premi(Qt::Key_Space); // wraps from the last key
    QCOMPARE(QApplication::focusWidget(), banco.Tasto(stampabile ? 0 : 1));
    QTest::mouseClick(stampa, Qt::LeftButton);
    QCOMPARE(banco.stampa.lavori.size(), stampabile ? 1 : 0);
    QCOMPARE(QApplication::focusWidget() == stampa, stampabile);
    w->EseguiScelta(0);
    QCOMPARE(banco.stampa.lavori.size(), stampabile ? 2 : 0);
    QVERIFY(banco.avvisi.errori.isEmpty());

    // Back to the printout window and the certificate again: the same drawing, its order
    // line once.
    const Pagina prima = banco.Anteprima()->Disegno();
    w->EseguiScelta(1);
    banco.Apri();
    QCOMPARE(banco.Anteprima()->Disegno(), prima);
    QCOMPARE(banco.Testi().count(ordine), 1);
}

void TestFrmAttestato::tasti_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("tenuto"); // Enter held down rather than a click
    QTest::addColumn<int>("esito");   // what the printer answers
    QTest::addColumn<int>("lavori");
    QTest::addColumn<int>("errori");
    QTest::addColumn<bool>("attestatoAperto");
    QTest::addColumn<bool>("sottoAperta");
    const int ok = int(EsitoStampa::Tipo::Stampato);
    const int ko = int(EsitoStampa::Tipo::Errore);
    QTest::newRow("print, click") << 0 << false << ok << 1 << 0 << true << true;
    QTest::newRow("print, Enter held") << 0 << true << ok << 1 << 0 << true << true;
    QTest::newRow("print, printer fails") << 0 << false << ko << 1 << 1 << true << true;
    QTest::newRow("back, click") << 1 << false << ok << 0 << 0 << false << true;
    QTest::newRow("back, Enter held") << 1 << true << ok << 0 << 0 << false << true;
    QTest::newRow("end, click") << 2 << false << ok << 0 << 0 << false << false;
    QTest::newRow("end, Enter held") << 2 << true << ok << 0 << 0 << false << false;
}

void TestFrmAttestato::tasti() {
    QFETCH(int, indice);
    QFETCH(bool, tenuto);
    QFETCH(int, esito);
    QFETCH(int, lavori);
    QFETCH(int, errori);
    QFETCH(bool, attestatoAperto);
    QFETCH(bool, sottoAperta);
    auto sotto = FinestraSotto();
    Banco banco(QStringLiteral("Luca"), 16, 20);
    banco.stampa.esito.tipo = EsitoStampa::Tipo(esito);
    FrmAttestato* w = banco.Apri();

    QPushButton* tasto = banco.Tasto(indice);
    if (tenuto) {
        tasto->setFocus();
        QTest::keyPress(tasto, Qt::Key_Return);
        // Repeats of the held key reach whatever has the focus now.
        for (int i = 0; i < 4; ++i) {
            QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
            if (QWidget* fuoco = QApplication::focusWidget())
                QApplication::sendEvent(fuoco, &ripetuto);
        }
        // Released where the keyboard goes now (nowhere once every window is closed).
        QWidget* fuoco = QApplication::focusWidget();
        QTest::keyRelease(fuoco ? fuoco : static_cast<QWidget*>(w), Qt::Key_Return);
    } else {
        QTest::mouseClick(tasto, Qt::LeftButton);
    }

    QCOMPARE(banco.stampa.lavori.size(), lavori);
    if (lavori > 0) {
        const StampaFinta::Lavoro& lavoro = banco.stampa.lavori.constFirst();
        QCOMPARE(lavoro.descrizione, QStringLiteral("attestato ") + banco.stato.NomeAlunno);
        QCOMPARE(lavoro.pagina, StampaAttestato(w->Dati()));
    }
    QCOMPARE(banco.avvisi.errori.size(), errori);
    if (errori > 0)
        QCOMPARE(banco.avvisi.errori.constFirst().second,
                 QStringLiteral("Problema di stampa nella stampante utilizzata."));
    QCOMPARE(w->isVisible(), attestatoAperto);
    QCOMPARE(sotto->isVisible(), sottoAperta);
    if (!sottoAperta) {
        for (QWidget* finestra : QApplication::topLevelWidgets())
            QVERIFY2(!finestra->isVisible(), qPrintable(finestra->objectName()));
    }
}

void TestFrmAttestato::anteprimaComeStampa_data() {
    QTest::addColumn<QSize>("dimensione");
    QTest::newRow("1920x1080") << QSize(1920, 1080);
    QTest::newRow("design size") << QSize(FrmAttestato::LarghezzaProgetto,
                                          FrmAttestato::AltezzaProgetto);
    QTest::newRow("1024x768") << QSize(1024, 768);
    QTest::newRow("tall and narrow") << QSize(700, 1400);
}

void TestFrmAttestato::anteprimaComeStampa() {
    QFETCH(QSize, dimensione);
    Banco banco(QStringLiteral("Giulia"), 18, 20);
    FrmAttestato* w = banco.Apri();
    w->resize(dimensione);
    QCoreApplication::processEvents();
    w->EseguiScelta(0);
    QCOMPARE(banco.stampa.lavori.size(), 1);

    // The printed page is the preview's drawing, moved to (1000, 100) twips on the sheet.
    const AnteprimaAttestato* anteprima = banco.Anteprima();
    const Pagina& stampata = banco.stampa.lavori.constFirst().pagina;
    QVERIFY(!anteprima->Disegno().testi.isEmpty());
    QCOMPARE(SpostaPagina(stampata, -1000, -100), anteprima->Disegno());

    // On screen the whole drawing fits the visible part of its box, in its own proportions,
    // as large as the box allows: one pair of sides touches the margins.
    const QRectF pagina = anteprima->RettangoloPagina();
    const QRectF visibile =
        QRectF(anteprima->rect()) & QRectF(QPointF(-anteprima->pos()), w->centralWidget()->size());
    QVERIFY(visibile.contains(pagina));
    QCOMPARE(pagina.width() / pagina.height(), double(LarghezzaAttestato) / AltezzaAttestato);
    QCOMPARE(anteprima->Scala(), pagina.width() / LarghezzaAttestato);
    const double liberoX = visibile.width() - pagina.width();
    const double liberoY = visibile.height() - pagina.height();
    QVERIFY(qFuzzyCompare(std::min(liberoX, liberoY), 16.0));
    // The bigger the window, the bigger the preview.
    if (dimensione.width() >= 1920) QVERIFY(pagina.height() > 900);
}

void TestFrmAttestato::fabbrica() {
    StatoProgramma stato;
    stato.NomeAlunno = QStringLiteral("sara");
    SerieConEsiti(stato, 20, 20);
    StampaFinta stampa;
    AvvisiFinti avvisi;
    const std::function<QWidget*()> apri = FabbricaAttestato(stato, stampa, avvisi);
    QPointer<QWidget> finestra = apri();
    QVERIFY(qobject_cast<FrmAttestato*>(finestra.data()));
    QVERIFY(finestra->isVisible());
    QVERIFY(finestra->windowState() & Qt::WindowMaximized);
    QCOMPARE(stato.NomeAlunno, QStringLiteral("Sara"));
    QCOMPARE(stato.Giudizio, QStringLiteral("OTTIMO"));
    // Closed, it goes away by itself.
    finestra->close();
    QTRY_VERIFY(finestra.isNull());
}

QTEST_MAIN(TestFrmAttestato)
#include "tst_FrmAttestato.moc"
