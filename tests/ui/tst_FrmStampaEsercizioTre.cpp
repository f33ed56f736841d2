// The printout window with a fake printer service: the record lines in their labels, what
// "STAMPA" sends and tells, the name panel, and the ways out ("ESCI", "ATTESTATO", the
// printer choice).

#include "results/FrmStampaEsercizioTre.h"
#include "results/PaginaEsercizi.h"
#include "support/AvvisiFinti.h"
#include "support/DoppiSerie.h"
#include "support/StampaFinta.h"
#include "worksheets/FrmSceltaStampante.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// A record of 40 exercises, each line different.
RegistroSerie Quaranta() {
    StatoProgramma s;
    SerieDiProva(
        s, 40, [](int k) { return QStringLiteral("%1,5").arg(k); },
        [](int k) { return QString::number(k * 10 + 5); });
    return s.Registro;
}

// Record line k as the printout shows it.
QString Riga(int k) {
    return RigaEsercizio(Quaranta().Esercizi[k - 1]);
}

// The first n exercises of the forty.
std::vector<EsercizioSvolto> Primi(int n) {
    const auto tutti = Quaranta().Esercizi;
    return {tutti.begin(), tutti.begin() + std::clamp(n, 0, 40)};
}

struct Banco {
    StatoProgramma stato;
    StampaFinta servizio;
    AvvisiFinti avvisi;
    QPointer<FrmStampaEsercizioTre> w;

    explicit Banco(int righe = 20, const QString& courier = QStringLiteral("Courier New")) {
        stato.Registro.Esercizi = Primi(righe);
        servizio.courier = courier;
        w = new FrmStampaEsercizioTre(stato, servizio, avvisi);
        w->setAttribute(Qt::WA_DeleteOnClose);
    }
    ~Banco() { delete w; }

    void Mostra() {
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    QPushButton* Tasto(const QString& nome) const {
        auto* b = w->findChild<QPushButton*>(nome);
        if (!b) qFatal("no key %s", qPrintable(nome));
        return b;
    }
    QLabel* Lbl(int k) const { return w->findChild<QLabel*>(QStringLiteral("LblOp_%1").arg(k)); }
    QFrame* Nome() const { return w->findChild<QFrame*>(QStringLiteral("fraNome")); }
    QLineEdit* Testo() const { return w->findChild<QLineEdit*>(QStringLiteral("txtNome")); }
    void Premi(int tasto) {
        QWidget* fuoco = QApplication::focusWidget();
        QVERIFY2(fuoco, "nothing has the focus");
        QTest::keyClick(fuoco, Qt::Key(tasto));
    }
};

} // namespace

class TestFrmStampaEsercizioTre : public QObject {
    Q_OBJECT
private slots:
    void init() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void righe_data();
    void righe();
    void stampa_data();
    void stampa();
    void nome();
    void nomeIncollato_data();
    void nomeIncollato();
    void usciteEAttestato();
};

void TestFrmStampaEsercizioTre::righe_data() {
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("courier");
    QTest::addColumn<int>("mostrate");
    QTest::addColumn<bool>("grassetto");
    QTest::newRow("serie intera") << 20 << "Courier New" << 20 << true;
    QTest::newRow("a metà serie") << 3 << "Courier New" << 3 << true;
    QTest::newRow("Courier: tondo") << 20 << "Courier" << 20 << false;
    QTest::newRow("oltre le etichette") << 35 << "Courier New" << 30 << true;
    QTest::newRow("senza Courier") << 20 << "" << 0 << false;
}

void TestFrmStampaEsercizioTre::righe() {
    QFETCH(int, indice);
    QFETCH(QString, courier);
    QFETCH(int, mostrate);
    QFETCH(bool, grassetto);
    Banco b(indice, courier);
    b.Mostra();
    QCOMPARE(b.w->windowTitle(), QStringLiteral("FINESTRA DI STAMPA "));
    for (int k = 1; k <= 30; ++k) {
        QCOMPARE(b.Lbl(k)->text(), k <= mostrate ? Riga(k) : QString());
        if (!courier.isEmpty()) {
            QCOMPARE(b.Lbl(k)->font().family(), courier);
            QCOMPARE(b.Lbl(k)->font().pointSizeF(), 10.0);
            QCOMPARE(b.Lbl(k)->font().bold(), grassetto);
        }
    }
    QCOMPARE(b.avvisi.errori.size(), courier.isEmpty() ? 1 : 0);
    if (courier.isEmpty())
        QCOMPARE(b.avvisi.errori[0].second,
                 QStringLiteral("Devi installare il font Courier o il font Courier New"));

    // The series goes on behind the window: coming back to the front shows the new lines.
    if (indice == 3) {
        b.stato.Registro.Esercizi = Primi(4);
        QWidget altra;
        altra.show();
        QApplication::setActiveWindow(&altra);
        QVERIFY(QTest::qWaitForWindowActive(&altra));
        b.Mostra();
        QCOMPARE(b.Lbl(4)->text(), Riga(4));
    }
}

// "STAMPA" by keyboard: the space bar walks from "ESCI" to "STAMPA", Enter prints.
void TestFrmStampaEsercizioTre::stampa_data() {
    QTest::addColumn<QString>("courier");
    QTest::addColumn<int>("esito");
    QTest::addColumn<int>("lavori");
    QTest::addColumn<QString>("errore");
    QTest::addColumn<QString>("notizia");
    const auto tipo = [](EsitoStampa::Tipo t) { return static_cast<int>(t); };
    QTest::newRow("stampata") << "Courier New" << tipo(EsitoStampa::Tipo::Stampato) << 1 << ""
                              << "La pagina è stata inviata alla stampante\nAula 3";
    QTest::newRow("senza Courier") << "" << tipo(EsitoStampa::Tipo::Stampato) << 0
                                   << "Devi installare il font Courier o il font Courier New"
                                   << "";
    QTest::newRow("salvata in PDF")
        << "Courier" << tipo(EsitoStampa::Tipo::SalvatoPdf) << 1 << ""
        << "Nessuna stampante disponibile: la pagina è stata salvata nel file PDF\n"
           "/casa/Documenti/esercizi.pdf";
    QTest::newRow("stampante guasta") << "Courier New" << tipo(EsitoStampa::Tipo::Errore) << 1
                                      << "Problema di stampa nella stampante utilizzata."
                                      << "";
}

void TestFrmStampaEsercizioTre::stampa() {
    QFETCH(QString, courier);
    QFETCH(int, esito);
    QFETCH(int, lavori);
    QFETCH(QString, errore);
    QFETCH(QString, notizia);
    Banco b(20, courier);
    b.servizio.esito = {static_cast<EsitoStampa::Tipo>(esito), "/casa/Documenti/esercizi.pdf"};
    b.servizio.corrente = QStringLiteral("Aula 3");
    b.Mostra();
    b.avvisi.errori.clear(); // the font check at loading is tested above
    QCOMPARE(QApplication::focusWidget(), b.Tasto(QStringLiteral("Command1_0")));
    b.Premi(Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), b.Tasto(QStringLiteral("Command1_1")));
    b.Premi(Qt::Key_Return);

    QCOMPARE(b.servizio.lavori.size(), lavori);
    if (lavori) {
        QCOMPARE(b.servizio.lavori[0].pagina, PaginaEsercizi(b.stato, courier));
        QCOMPARE(b.servizio.lavori[0].descrizione, QStringLiteral("esercizi"));
    }
    QCOMPARE(b.avvisi.errori.size(), errore.isEmpty() ? 0 : 1);
    if (!errore.isEmpty()) QCOMPARE(b.avvisi.errori[0].second, errore);
    QCOMPARE(b.avvisi.notizie.size(), notizia.isEmpty() ? 0 : 1);
    if (!notizia.isEmpty()) QCOMPARE(b.avvisi.notizie[0].second, notizia);
    QVERIFY(b.w); // the window stays
}

void TestFrmStampaEsercizioTre::nome() {
    Banco b;
    b.stato.NomeAlunno = QStringLiteral("prima");
    b.w->resize(1200, 800);
    b.Mostra();
    QVERIFY(b.Nome()->isHidden());

    // "NOME" by keyboard: space, space reaches it (third from the top), Enter opens it.
    b.Premi(Qt::Key_Space);
    b.Premi(Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), b.Tasto(QStringLiteral("Command1_3")));
    b.Premi(Qt::Key_Return);
    QVERIFY(b.Nome()->isVisible());
    QCOMPARE(QApplication::focusWidget(), b.Testo());
    const QRect client = b.w->centralWidget()->rect();
    QVERIFY(qAbs(b.Nome()->geometry().center().x() - client.center().x()) <= 1);
    QVERIFY(qAbs(b.Nome()->geometry().center().y() - client.center().y()) <= 1);
    QCOMPARE(b.stato.NomeAlunno, QStringLiteral("prima")); // nothing stored yet

    // Typing stops at the 15th character; Enter stores the name as typed.
    QTest::keyClicks(b.Testo(), QStringLiteral("Maria Antonietta Rossi"));
    QCOMPARE(b.Testo()->text(), QStringLiteral("Maria Antoniett"));
    b.Premi(Qt::Key_Return);
    QVERIFY(b.Nome()->isHidden());
    QCOMPARE(b.stato.NomeAlunno, QStringLiteral("Maria Antoniett"));

    // Opened again it shows the name typed before; "AVANTI" with the box emptied stores "".
    QTest::mouseClick(b.Tasto(QStringLiteral("Command1_3")), Qt::LeftButton);
    QCOMPARE(b.Testo()->text(), QStringLiteral("Maria Antoniett"));
    QCOMPARE(QApplication::focusWidget(), b.Testo());
    b.Testo()->clear();
    b.Premi(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), b.Tasto(QStringLiteral("cmdAvanti")));
    b.Premi(Qt::Key_Return);
    QVERIFY(b.Nome()->isHidden());
    QCOMPARE(b.stato.NomeAlunno, QString());
    QVERIFY(b.servizio.lavori.isEmpty());
}

// What reaches the name box by pasting passes the same rule as typing: letters counted as
// a reader counts them (an emoji at the limit stays whole), control characters dropped;
// "AVANTI" stores the name without blanks at its ends.
void TestFrmStampaEsercizioTre::nomeIncollato_data() {
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("nome");
    const QString a14(14, u'a');
    const QString sorriso = QString::fromUtf8("\U0001F600");
    QTest::newRow("emoji al limite") << "" << a14 + sorriso + "b" << a14 + sorriso << a14 + sorriso;
    QTest::newRow("dopo il nome digitato") << "Anna "
                                           << "Maria Bianchi Rossi"
                                           << "Anna Maria Bian"
                                           << "Anna Maria Bian";
    QTest::newRow("controlli") << "" << QStringLiteral("\tLu\u0000ca\r\n\u007F\u0085") << "Luca"
                               << "Luca";
    QTest::newRow("solo blank") << "" << QStringLiteral("   \t ") << ""
                                << "";
    QTest::newRow("blank in fondo") << "Luca"
                                    << "   "
                                    << "Luca   "
                                    << "Luca";
}

void TestFrmStampaEsercizioTre::nomeIncollato() {
    QFETCH(QString, digitato);
    QFETCH(QString, incollato);
    QFETCH(QString, casella);
    QFETCH(QString, nome);
    Banco b;
    b.Mostra();
    QTest::mouseClick(b.Tasto(QStringLiteral("Command1_3")), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), b.Testo());
    QTest::keyClicks(b.Testo(), digitato);
    QGuiApplication::clipboard()->setText(incollato);
    QTest::keySequence(b.Testo(), QKeySequence::Paste);
    QCOMPARE(b.Testo()->text(), casella);
    b.Premi(Qt::Key_Return);
    QVERIFY(b.Nome()->isHidden());
    QCOMPARE(b.stato.NomeAlunno, nome);
}

void TestFrmStampaEsercizioTre::usciteEAttestato() {
    Banco b;
    QWidget operativo;
    b.w->ImpostaOperativo(&operativo);
    b.Mostra();

    // "ATTESTATO": greyed until the certificate can be made; one window, brought back.
    QVERIFY(!b.Tasto(QStringLiteral("Command1_2"))->isEnabled());
    int fatti = 0;
    QPointer<QWidget> attestato;
    b.w->ImpostaApriAttestato([&]() -> QWidget* {
        ++fatti;
        attestato = new QWidget;
        attestato->setAttribute(Qt::WA_DeleteOnClose);
        return attestato;
    });
    QVERIFY(b.Tasto(QStringLiteral("Command1_2"))->isEnabled());
    QTest::mouseClick(b.Tasto(QStringLiteral("Command1_2")), Qt::LeftButton);
    QTest::mouseClick(b.Tasto(QStringLiteral("Command1_2")), Qt::LeftButton);
    QCOMPARE(fatti, 1);
    QVERIFY(attestato && attestato->isVisible());
    QVERIFY(b.w->isVisible()); // the printout window stays
    delete attestato;

    // "Scegli la stampante": the printer choice, modeless.
    b.w->findChild<QAction*>(QStringLiteral("mnuScegli"))->trigger();
    QPointer<frmSceltaStampante> scelta = frmSceltaStampante::Caricata();
    QVERIFY(scelta && scelta->isVisible());
    QVERIFY(!scelta->isModal());

    // "ESCI": the drill window again, this one unloaded (the printer choice with it).
    QVERIFY(!operativo.isVisible());
    QTest::mouseClick(b.Tasto(QStringLiteral("Command1_0")), Qt::LeftButton);
    QVERIFY(operativo.isVisible());
    QTRY_VERIFY(!b.w);
    QTRY_VERIFY(!scelta);
}

QTEST_MAIN(TestFrmStampaEsercizioTre)
#include "tst_FrmStampaEsercizioTre.moc"
