#include "ui/Resize.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

constexpr QSize Progetto(794, 562); // 11910 x 8430 twips

// A client laid out at design size: loose controls, a frame with buttons, a line, a combo
// box, an unnamed container holding a named label, and a Qt-internal child.
struct Banco {
    std::unique_ptr<QWidget> client = std::make_unique<QWidget>();
    QLabel* titolo = nullptr;
    QFrame* cornice = nullptr;
    QList<QPushButton*> tasti;
    QFrame* linea = nullptr;
    QComboBox* combo = nullptr;
    QLabel* anonimoFiglio = nullptr;
    QWidget* interno = nullptr;
    QMap<QWidget*, QRect> originali;
    QMap<QWidget*, QFont> fontOriginali;

    Banco() {
        client->resize(Progetto);
        titolo = Crea<QLabel>(client.get(), "Label1", {37, 13, 517, 43});
        titolo->setText("TITOLO");
        titolo->setFont(QFont("Liberation Sans", 20, QFont::Bold));
        cornice = Crea<QFrame>(client.get(), "Frame1", {40, 150, 300, 260});
        for (int i = 0; i < 3; ++i)
            tasti.append(Crea<QPushButton>(cornice, QString("Option1_%1").arg(i),
                                           {17, 23 + 79 * i, 263, 61}));
        linea = Crea<QFrame>(client.get(), "Line1", {10, 120, 700, 3});
        linea->setFrameShape(QFrame::HLine);
        combo = Crea<QComboBox>(client.get(), "Combo1", {500, 300, 171, 27});
        auto* anonimo = new QWidget(client.get());
        anonimo->setGeometry(400, 420, 300, 100);
        anonimoFiglio = Crea<QLabel>(anonimo, "Label2", {11, 7, 133, 29});
        interno = Crea<QWidget>(client.get(), "qt_interno", {1, 1, 5, 5});
        Crea<QLabel>(interno, "Label3", {0, 0, 3, 3});
        for (QWidget* w : client->findChildren<QWidget*>()) {
            originali[w] = w->geometry();
            fontOriginali[w] = w->font();
        }
    }

    template <class T> T* Crea(QWidget* genitore, const QString& nome, QRect r) {
        auto* w = new T(genitore);
        w->setObjectName(nome);
        w->setGeometry(r);
        return w;
    }

    // Where a share of the inner size puts a control.
    static QRect Atteso(const Proporzione& q, QSize s) {
        auto m = [](double lato, float quota) { return qRound(float(lato * double(quota))); };
        return QRect(m(s.width(), q.Sinistra), m(s.height(), q.Alto), m(s.width(), q.Larghezza),
                     m(s.height(), q.Altezza));
    }
};

} // namespace

class TestResize : public QObject {
    Q_OBJECT
private slots:
    void controlliRegistrati();
    void quoteRegistrate();
    void ridimensiona_data();
    void ridimensiona();
    void cornice_data();
    void cornice();
    void esclusioni_data();
    void esclusioni();
    void seguitoSulRidimensionamento();
    void controlloDistrutto();
};

void TestResize::controlliRegistrati() {
    Banco banco;
    Proporzioni p;
    p.MemorizzaProporzioni(banco.client.get(), Progetto);
    QList<QWidget*> registrati;
    for (qsizetype i = 0; i < p.Conteggio(); ++i)
        registrati.append(p.Controllo(i));
    // Depth-first child order; the unnamed container and Qt's parts are not controls.
    const QList<QWidget*> attesi{banco.titolo,   banco.cornice,      banco.tasti[0],
                                 banco.tasti[1], banco.tasti[2],     banco.linea,
                                 banco.combo,    banco.anonimoFiglio};
    QCOMPARE(registrati, attesi);
}

void TestResize::quoteRegistrate() {
    Banco banco;
    Proporzioni p;
    p.MemorizzaProporzioni(banco.client.get(), Progetto);
    const Proporzione q = p.QuoteDi(banco.tasti[1]);
    // Frame-relative position, but shares of the window's inner size.
    QCOMPARE(q.Sinistra, float(17.0 / 794));
    QCOMPARE(q.Alto, float(102.0 / 562));
    QCOMPARE(q.Larghezza, float(263.0 / 794));
    QCOMPARE(q.Altezza, float(61.0 / 562));
    const Proporzione nessuna = p.QuoteDi(banco.client.get());
    QCOMPARE(nessuna.Larghezza, 0.0f);
    // A zero inner size records zero shares instead of dividing by zero.
    Proporzioni zero;
    zero.MemorizzaProporzioni(banco.client.get(), QSize(0, 0));
    QCOMPARE(zero.QuoteDi(banco.titolo).Sinistra, 0.0f);
    QCOMPARE(zero.QuoteDi(banco.titolo).Altezza, 0.0f);
}

void TestResize::ridimensiona_data() {
    QTest::addColumn<QList<QSize>>("dimensioni"); // applied in order, then back to design
    QTest::newRow("piu grande") << QList<QSize>{{1920, 1017}};
    QTest::newRow("piu piccola") << QList<QSize>{{400, 300}};
    QTest::newRow("ridotta a zero e ripristinata") << QList<QSize>{{0, 0}};
    QTest::newRow("in sequenza") << QList<QSize>{{1920, 1017}, {0, 0}, {333, 777}, {1280, 720}};
}

void TestResize::ridimensiona() {
    QFETCH(QList<QSize>, dimensioni);
    Banco banco;
    Proporzioni p;
    p.MemorizzaProporzioni(banco.client.get(), Progetto, Proporzioni::Nessuna);
    for (QSize s : dimensioni) {
        p.ApplicaProporzioni(s);
        for (qsizetype i = 0; i < p.Conteggio(); ++i) {
            QWidget* w = p.Controllo(i);
            QCOMPARE(w->geometry(), Banco::Atteso(p.Quote(i), s));
            if (s.isEmpty()) QCOMPARE(w->size(), QSize(0, 0));
            QCOMPARE(w->font(), banco.fontOriginali[w]);
        }
    }
    p.ApplicaProporzioni(Progetto);
    for (auto it = banco.originali.cbegin(); it != banco.originali.cend(); ++it) {
        QCOMPARE(it.key()->geometry(), it.value());
        QCOMPARE(it.key()->font(), banco.fontOriginali[it.key()]);
    }
}

void TestResize::cornice_data() {
    QTest::addColumn<QSize>("dimensione");
    QTest::newRow("1920x1017") << QSize(1920, 1017);
    QTest::newRow("1024x705") << QSize(1024, 705);
    QTest::newRow("500x400") << QSize(500, 400);
}

void TestResize::cornice() {
    QFETCH(QSize, dimensione);
    Banco banco;
    Proporzioni p;
    p.MemorizzaProporzioni(banco.client.get(), Progetto);
    p.ApplicaProporzioni(dimensione);
    // Each button stays at the same relative place inside the frame (within rounding).
    for (int i = 0; i < 3; ++i) {
        const QRect prima = banco.originali[banco.tasti[i]];
        const QRect dopo = banco.tasti[i]->geometry();
        const QRect cornice = banco.cornice->geometry();
        const QRect corniceProgetto = banco.originali[banco.cornice];
        auto vicino = [](double a, double b, double tolleranza) {
            return std::abs(a - b) <= tolleranza;
        };
        QVERIFY(vicino(double(dopo.x()) / cornice.width(),
                       double(prima.x()) / corniceProgetto.width(), 2.0 / cornice.width()));
        QVERIFY(vicino(double(dopo.y()) / cornice.height(),
                       double(prima.y()) / corniceProgetto.height(), 2.0 / cornice.height()));
        QVERIFY(vicino(double(dopo.right()) / cornice.width(),
                       double(prima.right()) / corniceProgetto.width(), 2.0 / cornice.width()));
        QVERIFY(cornice.contains(dopo.translated(cornice.topLeft())));
    }
}

void TestResize::esclusioni_data() {
    QTest::addColumn<int>("esclusioni");
    QTest::addColumn<bool>("lineaFerma");
    QTest::addColumn<bool>("comboFerma");
    QTest::newRow("nessuna") << int(Proporzioni::Nessuna) << false << false;
    QTest::newRow("linee") << int(Proporzioni::Linee) << true << false;
    QTest::newRow("linee e combo")
        << int(Proporzioni::Linee | Proporzioni::CaselleCombinate) << true << true;
}

void TestResize::esclusioni() {
    QFETCH(int, esclusioni);
    QFETCH(bool, lineaFerma);
    QFETCH(bool, comboFerma);
    Banco banco;
    Proporzioni p;
    p.MemorizzaProporzioni(banco.client.get(), Progetto, esclusioni);
    p.ApplicaProporzioni(QSize(1588, 1124));
    QCOMPARE(banco.linea->geometry() == banco.originali[banco.linea], lineaFerma);
    QCOMPARE(banco.combo->geometry() == banco.originali[banco.combo], comboFerma);
    QCOMPARE(banco.titolo->geometry(), QRect(74, 26, 1034, 86));
    // Qt's own parts are never moved.
    QCOMPARE(banco.interno->geometry(), banco.originali[banco.interno]);
}

void TestResize::seguitoSulRidimensionamento() {
    Banco banco;
    Proporzioni p;
    QList<QSize> dopo;
    p.DopoApplica = [&](QSize s) { dopo.append(s); };
    p.MemorizzaProporzioni(banco.client.get());
    banco.client->show();
    QVERIFY(QTest::qWaitForWindowExposed(banco.client.get()));
    dopo.clear();
    banco.client->resize(1588, 1124);
    QCOMPARE(dopo, QList<QSize>{QSize(1588, 1124)});
    QCOMPARE(banco.titolo->geometry(), QRect(74, 26, 1034, 86));
    banco.client->resize(Progetto);
    QCOMPARE(banco.titolo->geometry(), banco.originali[banco.titolo]);
    QCOMPARE(dopo.size(), 2);
}

void TestResize::controlloDistrutto() {
    Banco banco;
    Proporzioni p;
    p.MemorizzaProporzioni(banco.client.get(), Progetto);
    delete banco.cornice; // takes its buttons with it
    p.ApplicaProporzioni(QSize(1588, 1124));
    QCOMPARE(banco.titolo->geometry(), QRect(74, 26, 1034, 86));
    QVERIFY(p.Controllo(1) == nullptr);
}

QTEST_MAIN(TestResize)
#include "tst_Resize.moc"
