#include "start/FrmInizio.h"
#include "start/Opzioni.h"
#include "ui/Tavolozza.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString Nome = QStringLiteral("decimetra");

// A start screen in a fresh current folder, with a drill window that "Vai" opens.
struct Banco {
    QTemporaryDir cartella;
    QString cartellaPrima = QDir::currentPath();
    StatoProgramma stato;
    std::unique_ptr<FrmInizio> finestra;
    int aperture = 0;
    QPointer<QWidget> operativo;

    // contenuto: what the system file holds before the start; null for no file.
    explicit Banco(const QByteArray& contenuto = QByteArray()) {
        QDir::setCurrent(cartella.path());
        if (!contenuto.isNull()) {
            QFile f(Nome + ".dat");
            if (f.open(QIODevice::WriteOnly)) f.write(contenuto);
        }
        stato.NomeProgramma = Nome;
        finestra = std::make_unique<FrmInizio>(stato);
        finestra->ImpostaApriOperativo([this] {
            ++aperture;
            auto* w = new QWidget;
            w->setAttribute(Qt::WA_DeleteOnClose);
            operativo = w;
            return w;
        });
    }
    ~Banco() {
        delete operativo;
        finestra.reset();
        QDir::setCurrent(cartellaPrima);
    }
    bool Mostra() {
        finestra->show();
        return QTest::qWaitForWindowActive(finestra.get());
    }

    template <class T = QWidget> T* C(const QString& nome) const {
        return finestra->findChild<T*>(nome);
    }
    QPushButton* B(const QString& nome) const { return C<QPushButton>(nome); }
    QString Testo(const QString& nome) const { return C<QLabel>(nome)->text(); }
    QByteArray File() const {
        QFile f(Nome + ".dat");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(nessun file)");
    }
    void Tasto(int codice, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(codice), mod);
    }
};

struct Tasto {
    int codice;
    int modificatori = 0;
};

} // namespace

Q_DECLARE_METATYPE(QList<Tasto>)

class TestFrmInizio : public QObject {
    Q_OBJECT
private slots:
    void percorsoDaTastiera_data();
    void percorsoDaTastiera();
    void cifraNegliOrdiniSceglie();
    void percorsoColMouse_data();
    void percorsoColMouse();
    void vaiRiportaLaStessaFinestra();
    void riprisitina_data();
    void riprisitina();
    void clicSulleEtichette_data();
    void clicSulleEtichette();
    void esciChiudeTutto_data();
    void esciChiudeTutto();
    void tendine();
    void fileDiSistemaAllAvvio_data();
    void fileDiSistemaAllAvvio();
    void livelloRestaDopoRidimensionamentoEScelta();
    void menu();
    void menuSistema();
    void ritornoDaUnAltraFinestra();
    void aspettoDalRecord_data();
    void aspettoDalRecord();
};

void TestFrmInizio::percorsoDaTastiera_data() {
    QTest::addColumn<QList<Tasto>>("tasti");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("ordine");
    const int Kp = int(Qt::KeypadModifier);
    QTest::newRow("cifre e Invio")
        << QList<Tasto>{{Qt::Key_2}, {Qt::Key_Return}, {Qt::Key_3}, {Qt::Key_Return}} << 2 << 3;
    QTest::newRow("spazio e Invio")
        << QList<Tasto>{{Qt::Key_Space}, {Qt::Key_Space},  {Qt::Key_Enter, Kp},
                        {Qt::Key_Space}, {Qt::Key_Return}, {Qt::Key_Return}}
        << 3 << 2;
    QTest::newRow("tastierino") << QList<Tasto>{{Qt::Key_1, Kp},
                                                {Qt::Key_Enter, Kp},
                                                {Qt::Key_1, Kp},
                                                {Qt::Key_Enter, Kp}}
                                << 1 << 1;
    QTest::newRow("spazio gira e Invio sul primo") << QList<Tasto>{{Qt::Key_3},
                                                                   {Qt::Key_Space},
                                                                   {Qt::Key_Return},
                                                                   {Qt::Key_Return},
                                                                   {Qt::Key_Return}}
                                                   << 1 << 1;
}

void TestFrmInizio::percorsoDaTastiera() {
    QFETCH(QList<Tasto>, tasti);
    QFETCH(int, tipo);
    QFETCH(int, ordine);
    Banco b;
    QVERIFY(b.Mostra());
    QCOMPARE(QApplication::focusWidget(), b.B("Option1(0)"));
    QVERIFY(!b.C("Frame2")->isEnabled());
    QVERIFY(!b.C("Frame3")->isEnabled());
    for (const Tasto& t : tasti)
        b.Tasto(t.codice, Qt::KeyboardModifiers(t.modificatori));
    QCOMPARE(b.stato.TipoEsercizio, tipo);
    QCOMPARE(b.stato.OrdineSimboli, ordine);
    QCOMPARE(b.Testo("Label1"), b.stato.TestoTipo);
    QCOMPARE(b.Testo("Label2"), b.stato.TestoOrdine);
    QCOMPARE(b.aperture, 1);
    QVERIFY(b.operativo && b.operativo->isVisible());
}

void TestFrmInizio::cifraNegliOrdiniSceglie() {
    Banco b;
    QVERIFY(b.Mostra());
    b.Tasto(Qt::Key_Return); // kind 1
    QCOMPARE(QApplication::focusWidget(), b.B("Option2(0)"));
    QVERIFY(b.C("Frame2")->isEnabled());
    // "Vai" stays out of reach until an order is chosen.
    QVERIFY(!b.B("Option3(0)")->isEnabled());
    b.Tasto(Qt::Key_2);
    QCOMPARE(b.stato.OrdineSimboli, 2);
    QCOMPARE(b.Testo("Label2"), QStringLiteral(" Da simbolo maggiore a simbolo minore"));
    QVERIFY(b.B("Option3(0)")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), b.B("Option3(0)"));
    QCOMPARE(b.aperture, 0);
}

void TestFrmInizio::percorsoColMouse_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("ordine");
    for (int t = 0; t < 3; ++t)
        for (int o = 0; o < 3; ++o)
            QTest::addRow("tipo %d ordine %d", t, o) << t << o;
}

void TestFrmInizio::percorsoColMouse() {
    QFETCH(int, tipo);
    QFETCH(int, ordine);
    Banco b;
    QVERIFY(b.Mostra());
    QTest::mouseClick(b.B(QStringLiteral("Option1(%1)").arg(tipo)), Qt::LeftButton);
    QCOMPARE(b.stato.TipoEsercizio, tipo + 1);
    QCOMPARE(QApplication::focusWidget(), b.B("Option2(0)"));
    QTest::mouseClick(b.B(QStringLiteral("Option2(%1)").arg(ordine)), Qt::LeftButton);
    QCOMPARE(b.stato.OrdineSimboli, ordine + 1);
    QCOMPARE(QApplication::focusWidget(), b.B("Option3(0)"));
    QCOMPARE(b.aperture, 0);
    QTest::mouseClick(b.B("Option3(0)"), Qt::LeftButton);
    QCOMPARE(b.aperture, 1);
    QVERIFY(b.operativo && b.operativo->isVisible());
    QCOMPARE(b.finestra->Operativo(), b.operativo.data());
    // No button stays shown down.
    for (QPushButton* p : b.finestra->findChildren<QPushButton*>())
        QVERIFY(!p->isDown());
}

void TestFrmInizio::vaiRiportaLaStessaFinestra() {
    Banco b;
    QVERIFY(b.Mostra());
    QTest::mouseClick(b.B("Option1(0)"), Qt::LeftButton);
    QTest::mouseClick(b.B("Option2(0)"), Qt::LeftButton);
    QTest::mouseClick(b.B("Option3(0)"), Qt::LeftButton);
    QPointer<QWidget> prima = b.operativo;
    QTest::mouseClick(b.B("Option3(0)"), Qt::LeftButton);
    QCOMPARE(b.aperture, 1);
    QCOMPARE(b.operativo, prima);
    // Once it is closed, "Vai" opens a new one.
    b.operativo->close();
    QTRY_VERIFY(b.operativo.isNull());
    QTest::mouseClick(b.B("Option3(0)"), Qt::LeftButton);
    QCOMPARE(b.aperture, 2);
}

void TestFrmInizio::riprisitina_data() {
    QTest::addColumn<bool>("daTastiera");
    QTest::newRow("mouse") << false;
    QTest::newRow("tastiera") << true;
}

void TestFrmInizio::riprisitina() {
    QFETCH(bool, daTastiera);
    Banco b;
    QVERIFY(b.Mostra());
    QTest::mouseClick(b.B("Option1(1)"), Qt::LeftButton);
    QTest::mouseClick(b.B("Option2(2)"), Qt::LeftButton);
    QVERIFY(b.C("Frame3")->isEnabled());
    if (daTastiera) {
        b.Tasto(Qt::Key_Space); // from "Vai" to "Riprisitina"
        QCOMPARE(QApplication::focusWidget(), b.B("Option3(1)"));
        b.Tasto(Qt::Key_Return);
    } else {
        QTest::mouseClick(b.B("Option3(1)"), Qt::LeftButton);
    }
    QVERIFY(b.C("Frame1")->isEnabled());
    QVERIFY(!b.C("Frame2")->isEnabled());
    QVERIFY(!b.C("Frame3")->isEnabled());
    QVERIFY(b.B("Option3(2)")->isEnabled()); // "Esci" stays usable
    QVERIFY(b.Testo("Label1").isEmpty());
    QVERIFY(b.Testo("Label2").isEmpty());
    QVERIFY(b.C("Label7")->isVisible());
    QCOMPARE(QApplication::focusWidget(), b.B("Option1(0)"));
    QCOMPARE(b.aperture, 0);
    // Space from "Esci" has no other enabled key of its group to go to.
    b.B("Option3(2)")->setFocus();
    b.Tasto(Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), b.B("Option3(2)"));
}

void TestFrmInizio::clicSulleEtichette_data() {
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<bool>("cambia");
    QTest::newRow("Label5") << "Label5" << true;
    QTest::newRow("Label7") << "Label7" << true;
    QTest::newRow("Label6(2)") << "Label6(2)" << true;
    QTest::newRow("Label6(0)") << "Label6(0)" << false;
    QTest::newRow("Label6(1)") << "Label6(1)" << false;
}

void TestFrmInizio::clicSulleEtichette() {
    QFETCH(QString, etichetta);
    QFETCH(bool, cambia);
    Banco b;
    QVERIFY(b.Mostra());
    QCOMPARE(b.stato.Livello, 1);
    const QList<int> livelli = cambia ? QList<int>{2, 3, 1} : QList<int>{1, 1, 1};
    const QStringList ordini{QStringLiteral("  u   da    h "),
                             QStringLiteral("  u   da    h   uk "),
                             QStringLiteral(" m   c   d   u ")};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(b.B("Option1(0)"), Qt::LeftButton);
        QTest::mouseClick(b.B("Option2(0)"), Qt::LeftButton);
        QFile::remove(Nome + ".dat");
        QTest::mouseClick(b.C(etichetta), Qt::LeftButton);
        QCOMPARE(b.stato.Livello, livelli[i]);
        QCOMPARE(b.Testo("Label3"), QString::number(livelli[i]));
        QVERIFY(b.Testo("Label1").isEmpty());
        QVERIFY(b.Testo("Label2").isEmpty());
        if (cambia) {
            QCOMPARE(b.File(), QByteArray::number(livelli[i]) + "\r\n");
            QCOMPARE(b.B("Option2(0)")->text(), ordini[i]);
            QCOMPARE(b.Testo("Label6(2)"), b.stato.Catalogo.Label6[2]);
            QCOMPARE(b.finestra->windowTitle(), b.stato.Catalogo.Titolo);
        } else {
            QCOMPARE(b.File(), QByteArray("(nessun file)"));
        }
    }
}

void TestFrmInizio::esciChiudeTutto_data() {
    QTest::addColumn<int>("come"); // 0 "Esci" by mouse, 1 "Esci" by keyboard, 2 closing
    QTest::newRow("Esci col mouse") << 0;
    QTest::newRow("Esci da tastiera") << 1;
    QTest::newRow("chiusura della finestra") << 2;
}

void TestFrmInizio::esciChiudeTutto() {
    QFETCH(int, come);
    Banco b;
    QVERIFY(b.Mostra());
    QTest::mouseClick(b.B("Option1(0)"), Qt::LeftButton);
    QTest::mouseClick(b.B("Option2(0)"), Qt::LeftButton);
    QTest::mouseClick(b.B("Option3(0)"), Qt::LeftButton);
    QVERIFY(b.operativo && b.operativo->isVisible());
    auto altra = std::make_unique<QWidget>();
    altra->show();
    b.finestra->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.finestra.get()));
    switch (come) {
    case 0:
        QTest::mouseClick(b.B("Option3(2)"), Qt::LeftButton);
        break;
    case 1:
        b.B("Option3(2)")->setFocus();
        b.Tasto(Qt::Key_3); // the digit only moves the focus ...
        QVERIFY(b.finestra->isVisible());
        b.Tasto(Qt::Key_Return); // ... Enter presses
        break;
    default:
        b.finestra->close();
        break;
    }
    QVERIFY(!b.finestra->isVisible());
    QVERIFY(!altra->isVisible());
    QTRY_VERIFY(b.operativo.isNull()); // it deletes itself on close
}

void TestFrmInizio::tendine() {
    Banco b;
    auto* p1 = b.C("Picture1");
    auto* p2 = b.C("Picture2");
    QVERIFY(b.finestra->TendineInMovimento());
    QCOMPARE(p1->width(), 397); // half the design width
    QCOMPARE(p1->x(), 0);
    QCOMPARE(p2->x(), 779);
    b.finestra->resize(1588, 1124 + b.finestra->menuBar()->height());
    QVERIFY(b.Mostra());
    QTRY_VERIFY_WITH_TIMEOUT(!b.finestra->TendineInMovimento(), 20000);
    QVERIFY(p1->width() == 0 || !p1->isVisible());
    QVERIFY(p2->width() == 0 || !p2->isVisible());
    // A later resize does not bring them back.
    b.finestra->resize(900, 700);
    QVERIFY(!p1->isVisible() || p1->width() == 0);
    QVERIFY(!p2->isVisible() || p2->width() == 0);
}

void TestFrmInizio::fileDiSistemaAllAvvio_data() {
    QTest::addColumn<QByteArray>("contenuto"); // null: no file
    QTest::addColumn<int>("livello");
    QTest::addColumn<QByteArray>("fileDopo");
    QTest::addColumn<QString>("simbolo1");
    QTest::newRow("cartella vuota")
        << QByteArray() << 1 << QByteArray("1\r\n") << QStringLiteral(" u ");
    QTest::newRow("3") << QByteArray("3\r\n") << 3 << QByteArray("3\r\n") << QStringLiteral(" uk ");
    QTest::newRow("40000") << QByteArray("40000\r\n") << 1 << QByteArray("1\r\n")
                           << QStringLiteral(" u ");
    QTest::newRow("11") << QByteArray("11\r\n") << 11 << QByteArray("11\r\n")
                        << QStringLiteral("  l ");
}

void TestFrmInizio::fileDiSistemaAllAvvio() {
    QFETCH(QByteArray, contenuto);
    QFETCH(int, livello);
    QFETCH(QByteArray, fileDopo);
    QFETCH(QString, simbolo1);
    Banco b(contenuto);
    QCOMPARE(b.stato.Livello, livello);
    QCOMPARE(b.File(), fileDopo);
    QCOMPARE(b.Testo("Label3"), QString::number(livello));
    QCOMPARE(b.stato.Simbolo[1], simbolo1);
    QCOMPARE(b.Testo("Label6(1)"), b.stato.Catalogo.Label6[1]);
    QCOMPARE(b.finestra->windowTitle(), b.stato.Catalogo.Titolo);
    QCOMPARE(b.B("Option2(1)")->text(), b.stato.Catalogo.Option2[1]);
    QCOMPARE(b.stato.Impostazioni, Opzioni{});
}

void TestFrmInizio::livelloRestaDopoRidimensionamentoEScelta() {
    Banco b("3\r\n");
    QVERIFY(b.Mostra());
    const QRect prima = b.B("Option1(0)")->geometry();
    const QFont font = b.B("Option1(0)")->font();
    b.finestra->resize(1588, 1124 + b.finestra->menuBar()->height());
    QTRY_COMPARE(b.C("client")->size(), QSize(1588, 1124));
    QCOMPARE(b.B("Option1(0)")->geometry(),
             QRect(prima.x() * 2, prima.y() * 2, prima.width() * 2, prima.height() * 2));
    QCOMPARE(b.B("Option1(0)")->font(), font);
    QCOMPARE(b.stato.Livello, 3);
    QTest::mouseClick(b.B("Option1(1)"), Qt::LeftButton);
    QCOMPARE(b.stato.Livello, 3);
    QCOMPARE(b.Testo("Label3"), QStringLiteral("3"));
    // The next step follows what is shown: 3 -> 1.
    QTest::mouseClick(b.C("Label5"), Qt::LeftButton);
    QCOMPARE(b.stato.Livello, 1);
}

void TestFrmInizio::menu() {
    Banco b;
    QMap<QString, bool> attese{{"mnuStampa", false}, {"mnuAutore", true}, {"mnuOpzioni", false}};
    for (auto it = attese.cbegin(); it != attese.cend(); ++it) {
        auto* a = b.finestra->findChild<QAction*>(it.key());
        QVERIFY2(a, qPrintable(it.key()));
        QCOMPARE(a->isEnabled(), it.value());
    }
    auto* sistema = b.finestra->findChild<QMenu*>("mnuSistema");
    QVERIFY(sistema->menuAction()->isEnabled());
    QCOMPARE(sistema->menuAction()->text(), QStringLiteral("S&istema"));
    int schede = 0;
    b.finestra->ImpostaApriStampaSchede([&] {
        ++schede;
        auto* w = new QWidget;
        w->setAttribute(Qt::WA_DeleteOnClose);
        return w;
    });
    auto* stampa = b.finestra->findChild<QAction*>("mnuStampa");
    QVERIFY(stampa->isEnabled());
    stampa->trigger();
    QCOMPARE(schede, 1);
    b.finestra->close(); // closes the worksheet window too
}

// An entry of "Sistema" does what a label click does, and is checked; later clicks step
// within its subject.
void TestFrmInizio::menuSistema() {
    Banco b;
    QVERIFY(b.Mostra());
    QTest::mouseClick(b.B("Option1(0)"), Qt::LeftButton);
    b.finestra->findChild<QAction*>("mnuSistema(9)")->trigger();
    QCOMPARE(b.File(), QByteArray("9\r\n"));
    QCOMPARE(b.Testo("Label3"), QStringLiteral("9"));
    QCOMPARE(b.Testo("Label6(2)"),
             QStringLiteral(" chilogrammi    ettogrammi, decagrammi, grammi"));
    QCOMPARE(b.B("Option2(1)")->text(), QStringLiteral("  kg    hg   dag     g "));
    QVERIFY(b.Testo("Label1").isEmpty());
    for (int livello : {10, 7}) {
        QTest::mouseClick(b.C("Label5"), Qt::LeftButton);
        QVERIFY(b.finestra->findChild<QAction*>(QStringLiteral("mnuSistema(%1)").arg(livello))
                    ->isChecked());
    }
    QCOMPARE(b.File(), QByteArray("7\r\n"));
}

void TestFrmInizio::ritornoDaUnAltraFinestra() {
    Banco b;
    QVERIFY(b.Mostra());
    QTest::mouseClick(b.B("Option1(1)"), Qt::LeftButton);
    QTest::mouseClick(b.B("Option2(1)"), Qt::LeftButton);
    QTest::mouseClick(b.B("Option3(0)"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(b.operativo));
    b.operativo->close();
    b.finestra->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.finestra.get()));
    // Back from the drill: the texts are cleared, the focus is on the first kind, and the
    // panels stay as they were.
    QTRY_COMPARE(QApplication::focusWidget(), b.B("Option1(0)"));
    QVERIFY(b.Testo("Label1").isEmpty());
    QVERIFY(b.Testo("Label2").isEmpty());
    QVERIFY(b.C("Frame2")->isEnabled());
    QVERIFY(b.C("Frame3")->isEnabled());
    QCOMPARE(b.stato.OrdineSimboli, 2);
}

// The page below the title band, and its author's line, as a stored options record dresses
// them at start; with no record, as designed.
void TestFrmInizio::aspettoDalRecord_data() {
    QTest::addColumn<bool>("record");
    QTest::addColumn<QColor>("pagina");
    QTest::addColumn<QColor>("lettere");
    QTest::newRow("nessun record") << false << tavolozza::SfondoInizio << tavolozza::TestoTitoli;
    QTest::newRow("Azzurro, Nero") << true << QColor(180, 255, 255) << QColor(0, 0, 0);
}

void TestFrmInizio::aspettoDalRecord() {
    QFETCH(bool, record);
    QFETCH(QColor, pagina);
    QFETCH(QColor, lettere);
    QTemporaryDir cartella;
    QDir::setCurrent(cartella.path());
    if (record) {
        StatoProgramma prima;
        prima.NomeProgramma = Nome;
        QVERIFY(ScegliSfondo(prima, 6) && ScegliCaratteri(prima, 9));
        QVERIFY(MemorizzaNuoveImpostazioni(prima));
    }
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    FrmInizio w(stato);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY_WITH_TIMEOUT(!w.TendineInMovimento(), 20000);
    QWidget* client = w.centralWidget();
    QCOMPARE(client->grab().toImage().pixelColor(client->width() - 4, client->height() - 4),
             pagina);
    QLabel* autore = w.findChild<QLabel*>(QStringLiteral("Label5"));
    QCOMPARE(autore->palette().color(QPalette::WindowText), lettere);
    // A step of the unit system is told to the windows that follow it.
    QSignalSpy livello(stato.Segnali.get(), &SegnaliImpostazioni::LivelloCambiato);
    QTest::mouseClick(autore, Qt::LeftButton);
    QCOMPARE(livello.size(), 1);
    QCOMPARE(livello[0][0].toInt(), 2);
    QDir::setCurrent(QDir::tempPath());
}

QTEST_MAIN(TestFrmInizio)
#include "tst_FrmInizio.moc"
