#include "start/FileImpostazioni.h"
#include "start/FrmInizio.h"
#include "start/FrmOpzioni.h"
#include "start/Opzioni.h"
#include "support/AvvisiFinti.h"
#include "support/VoceFinta.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString Nome = QStringLiteral("decimetra");

QByteArray Contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nessun file>");
}

QColor Packed(std::int32_t rgb) {
    return QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff);
}

// An options screen in a fresh current folder, shown and activated.
struct Banco {
    QTemporaryDir cartella;
    QString cartellaPrima = QDir::currentPath();
    StatoProgramma stato;
    AvvisiFinti avvisi;
    VoceFinta voce;
    bool conVoce = true;
    QPointer<FrmOpzioni> finestra;

    Banco() {
        QDir::setCurrent(cartella.path());
        stato.NomeProgramma = Nome;
    }
    ~Banco() {
        delete finestra;
        QDir::setCurrent(cartellaPrima);
    }
    bool Apri() {
        finestra = new FrmOpzioni(stato, &avvisi);
        if (conVoce) finestra->ImpostaVoce(&voce);
        finestra->show();
        return QTest::qWaitForWindowActive(finestra.data()) &&
               QTest::qWaitFor([this] { return QApplication::focusWidget() == B("Option5(1)"); });
    }
    template <class T = QWidget> T* C(const QString& nome) const {
        return finestra->findChild<T*>(nome);
    }
    QPushButton* B(const QString& nome) const { return C<QPushButton>(nome); }
    QRadioButton* R(const QString& nome) const { return C<QRadioButton>(nome); }
    void Clic(const QString& nome) const { QTest::mouseClick(C(nome), Qt::LeftButton); }
    void Tasto(int codice, Qt::KeyboardModifiers mod = Qt::NoModifier) const {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(codice), mod);
    }
    QByteArray Record() const { return Contenuto(FileOpzioni(Nome)); }
    QList<QByteArray> Righe() const { return Record().split('\n'); }
    QColor Testo(const QString& nome) const {
        QWidget* w = C(nome);
        return w->palette().color(qobject_cast<QPushButton*>(w) ? QPalette::ButtonText
                                                                : QPalette::WindowText);
    }
    QColor Fondo(const QString& nome) const {
        QWidget* w = C(nome);
        return w->palette().color(qobject_cast<QPushButton*>(w) ? QPalette::Button
                                                                : QPalette::Window);
    }
};

const QStringList Anteprima{"Option4", "Option2", "Label5", "Label4"};

QString Didascalia(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    return qobject_cast<QLabel*>(w)->text();
}

} // namespace

class TestFrmOpzioni : public QObject {
    Q_OBJECT

private slots:
    void aspetto();
    void sceltaDeiColori_data();
    void sceltaDeiColori();
    void tipoCaratteri();
    void memorizzaSenzaCambiamenti();
    void impostazioniPredefinite();
    void scritturaFallitaAvvisa();
    void comandiDaTastiera_data();
    void comandiDaTastiera();
    void gruppiDaTastiera();
    void aperturaNonCambiaLoStato();
    void sintesiVocale_data();
    void sintesiVocale();
    void opzioniAllAvvio_data();
    void opzioniAllAvvio();
    void menuOpzioni();
    void scansione();
};

void TestFrmOpzioni::aspetto() {
    Banco b;
    QVERIFY(b.Apri());
    QCOMPARE(b.finestra->windowTitle(), QStringLiteral(" PANNELLO OPZIONI"));
    QCOMPARE(b.C<QGroupBox>("Frame1")->title(), QStringLiteral("ANTEPRIMA DELLE TUE SCELTE"));
    QCOMPARE(b.C<QGroupBox>("Frame9")->title(), QStringLiteral("QUADRO DELLE SCELTE"));
    const QStringList iniziali{"123", "AAAA", "ADC", "123"};
    for (int i = 0; i < Anteprima.size(); ++i)
        QCOMPARE(Didascalia(b.C(Anteprima[i])), iniziali[i]);
    for (int i = 0; i < NumeroColori; ++i) {
        QCOMPARE(b.R(QStringLiteral("Option1(%1)").arg(i))->text(), TabellaColori()[i].Nome);
        QCOMPARE(b.R(QStringLiteral("Option27(%1)").arg(i))->text(), TabellaColori()[i].Nome);
        QCOMPARE(b.R(QStringLiteral("Option17(%1)").arg(i))->text(),
                 TabellaColori()[i].NomeScansione);
    }
    QVERIFY(!b.C("Option1(11)"));
    QCOMPARE(b.B("Option5(0)")->text(), QStringLiteral("Impostazioni predefinite"));
    QCOMPARE(b.B("Option5(1)")->text(), QStringLiteral("Memorizza nuove impostazioni"));
    QCOMPARE(b.B("Option5(2)")->text(), QStringLiteral("Esci"));

    // Scaled with the window: every control keeps its share of the inner size.
    const QRect prima = b.B("Option5(2)")->geometry();
    b.finestra->resize(2 * FrmOpzioni::LarghezzaProgetto, 2 * FrmOpzioni::AltezzaProgetto);
    QTRY_COMPARE(b.B("Option5(2)")->geometry(),
                 QRect(2 * prima.x(), 2 * prima.y(), 2 * prima.width(), 2 * prima.height()));
}

// Each colour group by mouse: the state takes the table's colour, the preview shows it,
// and the record stores it.
void TestFrmOpzioni::sceltaDeiColori_data() {
    QTest::addColumn<QString>("gruppo");
    QTest::addColumn<int>("indice");
    for (int i : {0, 9, 10}) {
        QTest::addRow("sfondo %d", i) << "Option1" << i;
        QTest::addRow("caratteri %d", i) << "Option27" << i;
        QTest::addRow("scansione %d", i) << "Option17" << i;
    }
}

void TestFrmOpzioni::sceltaDeiColori() {
    QFETCH(QString, gruppo);
    QFETCH(int, indice);
    Banco b;
    QVERIFY(b.Apri());
    const ColoreOpzione& c = TabellaColori()[indice];
    b.Clic(QStringLiteral("%1(%2)").arg(gruppo).arg(indice));
    QVERIFY(b.R(QStringLiteral("%1(%2)").arg(gruppo).arg(indice))->isChecked());
    const Opzioni& o = b.stato.Impostazioni;
    if (gruppo == "Option1") {
        QCOMPARE(o.IndiceSfondo, indice);
        QCOMPARE(b.Fondo("Frame1"), Packed(c.Pagina));
    } else if (gruppo == "Option27") {
        QCOMPARE(o.IndiceCaratteri, indice);
        for (const QString& nome : Anteprima)
            QCOMPARE(b.Testo(nome), Packed(c.Caratteri));
    } else {
        QCOMPARE(o.IndiceScansione, indice);
        QCOMPARE(b.Fondo("Option4"), Packed(c.ScansioneScura));
        QCOMPARE(b.Fondo("Option2"), Packed(o.ColoreSfondo));
        // The command keys: the focused one in the dark shade, the others in the light.
        QCOMPARE(b.Fondo("Option5(0)"), Packed(c.ScansioneChiara));
    }
    b.Clic("Option5(1)");
    const QList<QByteArray> righe = b.Righe();
    QCOMPARE(righe.size(), 17); // sixteen lines and the end of the last
    if (gruppo == "Option1") {
        // "Nero" (9) stores 0 on the first line.
        QCOMPARE(righe[0], QByteArray::number(c.Pagina) + '\r');
        QCOMPARE(righe[8], QByteArray::number(indice) + '\r');
    } else if (gruppo == "Option27") {
        QCOMPARE(righe[2], QByteArray::number(c.Caratteri) + '\r');
        QCOMPARE(righe[10], QByteArray::number(indice) + '\r');
    } else {
        QCOMPARE(righe[6], QByteArray::number(c.ScansioneChiara) + '\r');
        QCOMPARE(righe[7], QByteArray::number(c.ScansioneScura) + '\r');
        QCOMPARE(righe[9], QByteArray::number(indice) + '\r');
    }
}

// "TIPO CARATTERI", "RINFORZO SONORO" and "BEEP" act on the state at once and are stored
// on their lines; the preview warns of colours that do not read, and every choice says its
// group and whether it is chosen.
void TestFrmOpzioni::tipoCaratteri() {
    Banco b;
    QVERIFY(b.Apri());
    for (const auto& [scelta, attesa] :
         {std::pair{"Option9(1)", "aaaa"}, {"Option9(0)", "AAAA"}, {"Option9(1)", "aaaa"}}) {
        b.Clic(scelta);
        for (const QString& nome : Anteprima)
            QCOMPARE(Didascalia(b.C(nome)), QString::fromLatin1(attesa));
    }
    QVERIFY(!b.stato.Impostazioni.Maiuscolo);
    b.Clic("Option9(0)");
    QVERIFY(b.stato.Impostazioni.Maiuscolo);
    // Praise is said by the voice: switching it on asks whether this computer can speak.
    b.Clic("Option28(0)");
    QVERIFY(b.stato.Impostazioni.RinforzoSonoro);
    QCOMPARE(b.voce.domande, 1);
    b.Clic("Option3(1)");
    QVERIFY(!b.stato.Impostazioni.SuonoAttivo);
    QCOMPARE(b.R("Option3(1)")->accessibleDescription(), QStringLiteral("BEEP: scelto"));
    QCOMPARE(b.R("Option3(0)")->accessibleDescription(), QStringLiteral("BEEP: non scelto"));
    QCOMPARE(b.Record(), QByteArray("<nessun file>"));

    // Black letters on a black page: the preview says so, and a screen reader hears it.
    QLabel* avviso = b.C<QLabel>("lblAvviso");
    QVERIFY(avviso->isHidden());
    b.Clic("Option1(9)");
    b.Clic("Option27(9)");
    QVERIFY(avviso->isVisible());
    QCOMPARE(avviso->text(), QStringLiteral("Colori poco leggibili"));
    QCOMPARE(b.C("Frame1")->accessibleDescription(), avviso->text());
    b.Clic("Option1(2)"); // "Giallo"
    QVERIFY(avviso->isHidden());

    b.Clic("Option5(1)");
    const QList<QByteArray> righe = b.Righe();
    QCOMPARE(righe.size(), 17); // sixteen lines and the end of the last
    QCOMPARE(righe[3], QByteArray("False\r"));
    QCOMPARE(righe.mid(12, 4), (QList<QByteArray>{"0\r", "True\r", "False\r", "15\r"}));
}

void TestFrmOpzioni::memorizzaSenzaCambiamenti() {
    Banco b;
    Opzioni& o = b.stato.Impostazioni;
    // Values unlike the table values of their indices: stored as they are.
    o.ColoreSfondo = 123;
    o.ColoreAusiliario = 456;
    o.ColoreCaratteri = QStringLiteral("789");
    o.SuonoAttivo = false;
    o.SceltaA = false;
    o.ColoreScansione = 111;
    o.ColoreScansioneScuro = QStringLiteral("222");
    o.IndiceSfondo = 7;
    o.IndiceScansione = 10;
    o.IndiceCaratteri = 2;
    QVERIFY(b.Apri());
    b.Tasto(Qt::Key_Return); // "Memorizza nuove impostazioni" has the focus
    QCOMPARE(b.Record(), QByteArray("123\r\n456\r\n789\r\nFalse\r\nFalse\r\nTrue\r\n111\r\n222\r\n"
                                    "7\r\n10\r\n2\r\nFalse\r\n1\r\nFalse\r\nFalse\r\n15\r\n"));
    // Then applied: the colours follow the indices, and the screen shows them.
    QCOMPARE(o.ColoreSfondo, TabellaColori()[7].Pagina);
    QCOMPARE(b.Fondo("Frame1"), Packed(TabellaColori()[7].Pagina));
    QCOMPARE(b.Testo("Label5"), Packed(TabellaColori()[2].Caratteri));
    QVERIFY(b.R("Option3(1)")->isChecked()); // SuonoAttivo false
    QVERIFY(b.avvisi.errori.isEmpty());
}

void TestFrmOpzioni::impostazioniPredefinite() {
    Banco b;
    b.stato.Impostazioni.ColoreAusiliario = 456;
    b.stato.Impostazioni.SceltaB = false;
    QVERIFY(b.Apri());
    b.Clic("Option1(0)");
    b.Clic("Option27(3)");
    b.Clic("Option17(6)");
    b.Clic("Option3(1)");
    b.Clic("Option5(0)");
    QCOMPARE(b.Record(), QByteArray("16763135\r\n456\r\n328965\r\nTrue\r\nTrue\r\nFalse\r\n"
                                    "16763135\r\n16724735\r\n4\r\n4\r\n9\r\nFalse\r\n1\r\n"
                                    "False\r\nFalse\r\n15\r\n"));
    // The text colour on show is "Nero" while the record holds "328965".
    QVERIFY(b.R("Option27(9)")->isChecked());
    QCOMPARE(b.stato.Impostazioni.ColoreCaratteri, QStringLiteral("0"));
    for (const QString& nome : Anteprima)
        QCOMPARE(b.Testo(nome), QColor(Qt::black));
    QVERIFY(b.R("Option1(4)")->isChecked() && b.R("Option17(4)")->isChecked());
    QVERIFY(b.R("Option3(0)")->isChecked());
    QCOMPARE(b.stato.SceltaBeep, 0);
    QCOMPARE(b.Fondo("Frame1"), QColor(255, 200, 255));
}

void TestFrmOpzioni::scritturaFallitaAvvisa() {
    Banco b;
    QVERIFY(QDir().mkdir(FileOpzioni(Nome)));
    QVERIFY(b.Apri());
    b.Clic("Option27(3)");
    b.Clic("Option5(1)");
    QCOMPARE(b.avvisi.errori.size(), 1);
    QVERIFY(b.avvisi.errori[0].second.contains(QStringLiteral("memorizzare le impostazioni")));
    // The choice is in use all the same.
    QCOMPARE(b.stato.Impostazioni.IndiceCaratteri, 3);
    QVERIFY(b.finestra->isVisible());
}

// The command row by keyboard, from the focus the screen opens with ("Memorizza nuove
// impostazioni"): which key has the focus after the keys, and what was pressed.
void TestFrmOpzioni::comandiDaTastiera_data() {
    QTest::addColumn<QList<int>>("tasti");
    QTest::addColumn<int>("fuoco");        // index of the focused command key; -1 closed
    QTest::addColumn<QByteArray>("riga1"); // first line of the record afterwards
    const QByteArray nessuno = "<nessun file>";
    QTest::newRow("I") << QList<int>{Qt::Key_I} << 0 << nessuno;
    QTest::newRow("E") << QList<int>{Qt::Key_E} << 2 << nessuno;
    QTest::newRow("I poi M") << QList<int>{Qt::Key_I, Qt::Key_M} << 1 << nessuno;
    QTest::newRow("1") << QList<int>{Qt::Key_1} << 0 << nessuno;
    QTest::newRow("3") << QList<int>{Qt::Key_3} << 2 << nessuno;
    QTest::newRow("3 poi 2") << QList<int>{Qt::Key_3, Qt::Key_2} << 1 << nessuno;
    QTest::newRow("spazio") << QList<int>{Qt::Key_Space} << 2 << nessuno;
    QTest::newRow("spazio, spazio: da capo")
        << QList<int>{Qt::Key_Space, Qt::Key_Space} << 0 << nessuno;
    QTest::newRow("tre spazi: il giro completo")
        << QList<int>{Qt::Key_Space, Qt::Key_Space, Qt::Key_Space} << 1 << nessuno;
    QTest::newRow("altri tasti scartati")
        << QList<int>{Qt::Key_X, Qt::Key_4, Qt::Key_Escape, Qt::Key_A} << 1 << nessuno;
    QTest::newRow("frecce") << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << 1
                            << nessuno;
    QTest::newRow("Invio memorizza") << QList<int>{Qt::Key_Return} << 1 << QByteArray("12640511");
    QTest::newRow("I, Invio: predefinite")
        << QList<int>{Qt::Key_I, Qt::Key_Enter} << 0 << QByteArray("16763135");
    QTest::newRow("E, Invio: esce") << QList<int>{Qt::Key_E, Qt::Key_Return} << -1 << nessuno;
    QTest::newRow("spazio, Invio: esce")
        << QList<int>{Qt::Key_Space, Qt::Key_Return} << -1 << nessuno;
}

void TestFrmOpzioni::comandiDaTastiera() {
    QFETCH(QList<int>, tasti);
    QFETCH(int, fuoco);
    QFETCH(QByteArray, riga1);
    Banco b;
    QVERIFY(b.Apri());
    for (int tasto : tasti)
        b.Tasto(tasto);
    if (fuoco < 0) {
        QTRY_VERIFY(!b.finestra || !b.finestra->isVisible());
    } else {
        QCOMPARE(QApplication::focusWidget(), b.B(QStringLiteral("Option5(%1)").arg(fuoco)));
        // The focused key in the dark scan shade, the others in the light one.
        const Opzioni& o = b.stato.Impostazioni;
        for (int i = 0; i < 3; ++i)
            QCOMPARE(b.Fondo(QStringLiteral("Option5(%1)").arg(i)),
                     i == fuoco ? Packed(o.ColoreScansioneScuro.toInt())
                                : Packed(o.ColoreScansione));
    }
    QCOMPARE(b.Record().split('\r').first(), riga1);
}

// The choice groups by keyboard alone: Tab from group to group, arrows within one.
void TestFrmOpzioni::gruppiDaTastiera() {
    Banco b;
    ApplicaOpzioni(b.stato); // a record read at start: the indices' colours in force
    QVERIFY(b.Apri());
    b.Tasto(Qt::Key_Tab); // Esci
    b.Tasto(Qt::Key_Tab); // the page colour group, at its selected button
    QCOMPARE(QApplication::focusWidget(), b.R("Option1(4)"));
    b.Tasto(Qt::Key_Down);
    QVERIFY(b.R("Option1(5)")->isChecked());
    QCOMPARE(b.stato.Impostazioni.IndiceSfondo, 5);
    QCOMPARE(b.Fondo("Frame1"), Packed(TabellaColori()[5].Pagina));
    b.Tasto(Qt::Key_Tab); // the text colour group
    QCOMPARE(QApplication::focusWidget(), b.R("Option27(9)"));
    b.Tasto(Qt::Key_Up);
    QCOMPARE(b.stato.Impostazioni.IndiceCaratteri, 8);
    b.Tasto(Qt::Key_Tab); // the scan colour group
    b.Tasto(Qt::Key_Up);
    QCOMPARE(b.stato.Impostazioni.IndiceScansione, 3);
    b.Tasto(Qt::Key_Tab); // "BEEP"
    b.Tasto(Qt::Key_Tab); // "TIPO CARATTERI", at the choice in force: "Minuscolo"
    QCOMPARE(QApplication::focusWidget(), b.R("Option9(1)"));
    b.Tasto(Qt::Key_Up);
    QVERIFY(b.R("Option9(0)")->isChecked());
    QVERIFY(b.stato.Impostazioni.Maiuscolo);
    QCOMPARE(b.B("Option2")->text(), QStringLiteral("AAAA"));
    b.Tasto(Qt::Key_Tab, Qt::ShiftModifier);
    b.Tasto(Qt::Key_Down); // "Disattivato"
    QCOMPARE(b.stato.SceltaBeep, 1);
    QVERIFY(!b.stato.Impostazioni.SuonoAttivo);
}

// Opening the screen shows the state without changing it, even when the colours are not
// the table colours of the indices (the record could not be read at start): the preview
// shows the colours in force, and no colour button claims a colour the preview lacks.
void TestFrmOpzioni::aperturaNonCambiaLoStato() {
    Banco b;
    const StatoProgramma prima = b.stato;
    QVERIFY(b.Apri());
    QCOMPARE(b.stato.Impostazioni, prima.Impostazioni);
    QCOMPARE(b.Fondo("Frame1"), Packed(prima.Impostazioni.ColoreSfondo));
    QCOMPARE(b.Fondo("Option4"), Packed(prima.Impostazioni.ColoreScansioneScuro.toInt()));
    QCOMPARE(b.Fondo("Option2"), Packed(prima.Impostazioni.ColoreScansione));
    QCOMPARE(b.Testo("Label5"), Packed(prima.Impostazioni.ColoreCaratteri.toInt()));
    for (const char* gruppo : {"Option1", "Option27", "Option17"})
        for (int i = 0; i < NumeroColori; ++i)
            QVERIFY2(!b.R(QStringLiteral("%1(%2)").arg(gruppo).arg(i))->isChecked(), gruppo);
    QVERIFY(b.R("Option3(0)")->isChecked()); // SuonoAttivo
    // Stored unchanged and applied, the record's indices select their colours, shown alike.
    b.Tasto(Qt::Key_Return);
    QVERIFY(b.R("Option1(4)")->isChecked() && b.R("Option27(9)")->isChecked() &&
            b.R("Option17(4)")->isChecked());
    QCOMPARE(b.Fondo("Frame1"), Packed(TabellaColori()[4].Pagina));
}

// "SINTESI VOCALE": the screen opens on the stored choice; a choice is in use at once and
// stored by "Memorizza nuove impostazioni"; switched on where the voice cannot speak, the
// switch stays on and one message says so, unless it was switched off before the answer.
// Switched on where it can speak, the voice itself confirms it.
enum class Risposta { NessunaVoce, Disponibile, NonDisponibile, NonDisponibileTardi };
Q_DECLARE_METATYPE(Risposta)

void TestFrmOpzioni::sintesiVocale_data() {
    QTest::addColumn<bool>("memorizzata");
    QTest::addColumn<Risposta>("risposta");
    QTest::addColumn<QStringList>("clic");
    QTest::addColumn<bool>("attiva");     // the switch afterwards
    QTest::addColumn<int>("messaggi");    // "not available" notices
    QTest::addColumn<QByteArray>("riga"); // the record's twelfth line; empty: nothing stored
    QTest::addColumn<QStringList>("detti");
    const QStringList attivata{"Sintesi vocale attivata"};
    const QString on = "Option11(0)", off = "Option11(1)", memorizza = "Option5(1)";
    QTest::newRow("memorizzata attiva") << true << Risposta::Disponibile << QStringList{} << true
                                        << 0 << QByteArray() << QStringList{};
    QTest::newRow("attivata e memorizzata")
        << false << Risposta::Disponibile << QStringList{on, memorizza} << true << 0
        << QByteArray("True") << attivata;
    QTest::newRow("attivata, non disponibile")
        << false << Risposta::NonDisponibile << QStringList{on} << true << 1 << QByteArray()
        << QStringList{};
    QTest::newRow("attivata senza voce")
        << false << Risposta::NessunaVoce << QStringList{on, memorizza} << true << 1
        << QByteArray("True") << QStringList{};
    QTest::newRow("non disponibile, risposta dopo Disattivata")
        << false << Risposta::NonDisponibileTardi << QStringList{on, off} << false << 0
        << QByteArray() << QStringList{};
    QTest::newRow("predefinite la lasciano")
        << true << Risposta::Disponibile << QStringList{"Option5(0)"} << true << 0
        << QByteArray("True") << QStringList{};
}

void TestFrmOpzioni::sintesiVocale() {
    QFETCH(bool, memorizzata);
    QFETCH(Risposta, risposta);
    QFETCH(QStringList, clic);
    QFETCH(bool, attiva);
    QFETCH(int, messaggi);
    QFETCH(QByteArray, riga);
    QFETCH(QStringList, detti);
    Banco b;
    b.stato.Impostazioni.SintesiVocale = memorizzata;
    b.conVoce = risposta != Risposta::NessunaVoce;
    b.voce.disponibile = risposta == Risposta::Disponibile;
    b.voce.rispondeSubito = risposta != Risposta::NonDisponibileTardi;
    QVERIFY(b.Apri());
    QVERIFY(b.R(memorizzata ? "Option11(0)" : "Option11(1)")->isChecked());
    for (const QString& nome : clic)
        b.Clic(nome);
    b.voce.Rispondi();
    QCOMPARE(b.stato.Impostazioni.SintesiVocale, attiva);
    QVERIFY(b.R(attiva ? "Option11(0)" : "Option11(1)")->isChecked());
    QCOMPARE(b.avvisi.notizie.size(), messaggi);
    if (messaggi)
        QCOMPARE(b.avvisi.notizie[0].second,
                 QStringLiteral("La sintesi vocale non è disponibile su questo computer."));
    QCOMPARE(b.voce.domande, b.conVoce ? int(clic.contains("Option11(0)")) : 0);
    QCOMPARE(b.voce.detti, detti);
    if (riga.isEmpty())
        QCOMPARE(b.Record(), QByteArray("<nessun file>"));
    else
        QCOMPARE(b.Righe().value(11), riga + '\r');
}

// The start screen applies the record without the options screen: a good record through
// the rules, a bad one gives the defaults; no file written, no message.
void TestFrmOpzioni::opzioniAllAvvio_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<bool>("buono");
    QTest::newRow("buono") << QByteArray("1\r\n2\r\n3\r\nTrue\r\nTrue\r\nTrue\r\n4\r\n5\r\n"
                                         "9\r\n0\r\n10\r\n")
                           << true;
    QTest::newRow("indice 11") << QByteArray("1\r\n2\r\n3\r\nTrue\r\nTrue\r\nTrue\r\n4\r\n5\r\n"
                                             "9\r\n11\r\n10\r\n")
                               << false;
}

void TestFrmOpzioni::opzioniAllAvvio() {
    QFETCH(QByteArray, record);
    QFETCH(bool, buono);
    QTemporaryDir cartella;
    const QString prima = QDir::currentPath();
    QDir::setCurrent(cartella.path());
    for (const auto& [nome, dati] :
         {std::pair{FileLivello(Nome), QByteArray("2\r\n")}, {FileOpzioni(Nome), record}}) {
        QFile f(nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(dati);
    }
    const QFileInfo livello(FileLivello(Nome));
    const QDateTime modificato = livello.lastModified();
    {
        StatoProgramma stato;
        stato.NomeProgramma = Nome;
        FrmInizio inizio(stato);
        const Opzioni& o = stato.Impostazioni;
        if (buono) {
            QCOMPARE(o.ColoreSfondo, 0); // Nero, index 9
            QCOMPARE(o.ColoreScansione, Rgb(255, 255, 255));
            QCOMPARE(o.ColoreCaratteri, QString::number(Rgb(255, 0, 0)));
            QCOMPARE(o.ColoreAusiliario, 2);
        } else {
            QCOMPARE(o, Opzioni{});
        }
        QCOMPARE(stato.Livello, 2);
        // Not even built unseen.
        QVERIFY(!inizio.findChild<FrmOpzioni*>());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<FrmOpzioni*>(w) && !qobject_cast<QMessageBox*>(w));
    }
    QCOMPARE(Contenuto(FileOpzioni(Nome)), record);
    QCOMPARE(Contenuto(FileLivello(Nome)), QByteArray("2\r\n"));
    QCOMPARE(QFileInfo(FileLivello(Nome)).lastModified(), modificato);
    QCOMPARE(QDir().entryList(QDir::Files).size(), 2);
    QDir::setCurrent(prima);
}

void TestFrmOpzioni::menuOpzioni() {
    QTemporaryDir cartella;
    const QString prima = QDir::currentPath();
    QDir::setCurrent(cartella.path());
    {
        StatoProgramma stato;
        stato.NomeProgramma = Nome;
        FrmInizio inizio(stato);
        auto* voce = inizio.findChild<QAction*>("mnuOpzioni");
        QVERIFY(voce && !voce->isEnabled());
        QCOMPARE(voce->text(), QStringLiteral("&Opzioni"));
        int aperture = 0;
        inizio.ImpostaApriOpzioni([&] { ++aperture; });
        QVERIFY(voce->isEnabled());
        voce->trigger();
        QCOMPARE(aperture, 1);
    }
    QDir::setCurrent(prima);
}

// "SCANSIONE" and its "Tempo": by mouse and keyboard, in use at once, stored on lines 15 and
// 16, shown again as stored; the step's list scaled with the window.
void TestFrmOpzioni::scansione() {
    Banco b;
    QVERIFY(b.Apri());
    auto* tempo = b.C<QComboBox>("cboTempo");
    QVERIFY(tempo);
    QVERIFY(b.R("Option29(1)")->isChecked());
    QCOMPARE(tempo->currentText(), QStringLiteral("1,5 s"));
    b.Clic("Option29(0)");
    QVERIFY(b.stato.Impostazioni.Scansione);
    tempo->setFocus();
    b.Tasto(Qt::Key_Up);
    b.Tasto(Qt::Key_Up);
    QCOMPARE(tempo->currentText(), QStringLiteral("0,5 s"));
    QCOMPARE(b.stato.Impostazioni.PassoScansione, 5);
    b.Clic("Option5(1)");
    QCOMPARE(b.Righe().mid(14, 2), (QList<QByteArray>{"True\r", "5\r"}));

    const QRect prima = tempo->geometry();
    b.finestra->resize(2 * FrmOpzioni::LarghezzaProgetto, 2 * FrmOpzioni::AltezzaProgetto);
    QTRY_VERIFY(qAbs(tempo->width() - 2 * prima.width()) <= 1);
    QVERIFY(qAbs(tempo->x() - 2 * prima.x()) <= 1);

    delete b.finestra;
    QVERIFY(b.Apri());
    QVERIFY(b.R("Option29(0)")->isChecked());
    QCOMPARE(b.C<QComboBox>("cboTempo")->currentText(), QStringLiteral("0,5 s"));
}

QTEST_MAIN(TestFrmOpzioni)
#include "tst_FrmOpzioni.moc"
