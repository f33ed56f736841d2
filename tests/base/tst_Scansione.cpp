// The scanning rules under a test's clock: order, timing, group and key levels, the
// ignored late press, going back up after two silent rounds, where scanning starts again.

#include "base/Scansione.h"

#include <QTest>

namespace {

// "1 2|3 4 5|6": groups split by "|", keys by blanks.
Scansione::Gruppi Gruppi(const QString& testo) {
    Scansione::Gruppi gruppi;
    for (const QString& gruppo : testo.split(u'|')) {
        QList<int> tasti;
        for (const QString& t : gruppo.split(u' ', Qt::SkipEmptyParts))
            tasti.append(t.toInt());
        gruppi.append(tasti);
    }
    return gruppi;
}

// "k4": key 4; "g1": group 1; "": none.
Scansione::Suggerimento Suggerimento(const QString& testo) {
    if (testo.startsWith(u'k')) return Scansione::Suggerimento::Tasto(testo.mid(1).toInt());
    if (testo.startsWith(u'g')) return Scansione::Suggerimento::Gruppo(testo.mid(1).toInt());
    return {};
}

// What is on show: "g1@2000" group 1 at the group level, "k4@2000" key 4 at the key level,
// each with the time of the next move; "-" nothing.
QString Mostra(const Scansione& s) {
    const QString scadenza = QStringLiteral("@") + QString::number(s.Scadenza());
    switch (s.LivelloAttuale()) {
    case Scansione::Livello::Ferma:
        return QStringLiteral("-");
    case Scansione::Livello::Gruppi:
        return QStringLiteral("g%1").arg(s.GruppoEvidenziato()) + scadenza;
    case Scansione::Livello::Tasti:
        return QStringLiteral("k%1").arg(s.TastoEvidenziato()) + scadenza;
    }
    return {};
}

} // namespace

class TestScansione : public QObject {
    Q_OBJECT

private slots:
    void sequenza_data();
    void sequenza();
    void evidenza_data();
    void evidenza();
    void tastiCambiati();
    void passo_data();
    void passo();
};

// Events at times in milliseconds: "A1000" the clock reaches 1000 (Avanza), "P1000" the
// switch pressed, "R1000" the window usable again after a pause, "S1000:k4" started again
// at a hint. After each event: what is on show, after a press its result first ("ign",
// "in", "sel4").
void TestScansione::sequenza_data() {
    QTest::addColumn<QString>("gruppi");
    QTest::addColumn<QString>("suggerimento");
    QTest::addColumn<QStringList>("eventi");
    QTest::addColumn<QStringList>("attesi");

    QTest::newRow("groups in order, wrapping")
        << "1 2|3 4|5"
        << "" << QStringList{"A999", "A1000", "A2000", "A3000"}
        << QStringList{"g0@1000", "g1@2000", "g2@3000", "g0@4000"};
    QTest::newRow("enter a group, keys in order, pick one")
        << "1 2|3 4|5"
        << "" << QStringList{"A1000", "P1400", "A2399", "A2400", "P2800"}
        << QStringList{"g1@2000", "in k3@2400", "k3@2400", "k4@3400", "sel4 k4@3800"};
    QTest::newRow("a press within 0,3 s of a move is ignored")
        << "1 2|3 4"
        << "" << QStringList{"A1000", "P1299", "P1300", "P1599", "P1600"}
        << QStringList{"g1@2000", "ign g1@2000", "in k3@2300", "ign k3@2300", "sel3 k3@2600"};
    QTest::newRow("two silent rounds go back up to the same group")
        << "1 2|3 4 5"
        << "" << QStringList{"A1000", "P1400", "A2400", "A3400", "A4400",
                             "A5400", "A6400", "A7400", "A8400"}
        << QStringList{"g1@2000", "in k3@2400", "k4@3400", "k5@4400", "k3@5400",
                       "k4@6400", "k5@7400",    "g1@8400", "g0@9400"};
    QTest::newRow("one group: its keys without end")
        << "1 2"
        << "" << QStringList{"A1000", "A2000", "A3000", "A4000", "A5000"}
        << QStringList{"k2@2000", "k1@3000", "k2@4000", "k1@5000", "k2@6000"};
    QTest::newRow("a group of one key is picked at once")
        << "1|2 3"
        << "" << QStringList{"P400"} << QStringList{"sel1 g0@1400"};
    QTest::newRow("hint: a key, scanned inside its group")
        << "1 2|3 4 5"
        << "k4" << QStringList{"A1000", "A2000", "A3000"}
        << QStringList{"k5@2000", "k3@3000", "k4@4000"};
    QTest::newRow("hint: a key alone in its group, at the group level")
        << "1 2|3|4"
        << "k3" << QStringList{"A1000"} << QStringList{"g2@2000"};
    QTest::newRow("hint: a group") << "1 2|3 4|5"
                                   << "g2" << QStringList{"A1000"} << QStringList{"g0@2000"};
    QTest::newRow("hint: a key that is not there, the first group")
        << "1 2|3 4"
        << "k9" << QStringList{"A1000"} << QStringList{"g1@2000"};
    QTest::newRow("started again after a pick, at the hint")
        << "1 2|3 4|5"
        << "" << QStringList{"A1000", "P1400", "P1800", "S1800:g0", "P1900", "P2100"}
        << QStringList{"g1@2000", "in k3@2400",  "sel3 k3@2800",
                       "g0@2800", "ign g0@2800", "in k1@3100"};
    QTest::newRow("a late step is not made up by skipping keys")
        << "1 2|3 4|5"
        << "" << QStringList{"A3500", "A4499", "A4500"}
        << QStringList{"g1@4500", "g1@4500", "g2@5500"};
    QTest::newRow("after a pause: a whole step, a late press ignored, rounds from now")
        << "1 2|3 4"
        << "" << QStringList{"A1000", "P1400", "A2400", "A3400", "R3900", "P4000",
                             "A4899", "A4900", "A5900", "A6900", "A7900"}
        << QStringList{"g1@2000", "in k3@2400", "k4@3400", "k3@4400", "k3@4900", "ign k3@4900",
                       "k3@4900", "k4@5900",    "k3@6900", "k4@7900", "g1@8900"};
}

void TestScansione::sequenza() {
    QFETCH(QString, gruppi);
    QFETCH(QString, suggerimento);
    QFETCH(QStringList, eventi);
    QFETCH(QStringList, attesi);

    Scansione s(1000);
    QCOMPARE(Mostra(s), QStringLiteral("-"));
    QVERIFY(s.ImpostaGruppi(Gruppi(gruppi), Suggerimento(suggerimento), 0));
    QStringList visti;
    for (const QString& evento : eventi) {
        const std::int64_t adesso = evento.mid(1).section(u':', 0, 0).toLongLong();
        QString risultato;
        switch (evento.at(0).toLatin1()) {
        case 'A':
            s.Avanza(adesso);
            break;
        case 'R':
            s.Riprendi(adesso);
            break;
        case 'S':
            s.Riparti(Suggerimento(evento.section(u':', 1)), adesso);
            break;
        case 'P': {
            const Scansione::Scelta scelta = s.Premi(adesso);
            switch (scelta.tipo) {
            case Scansione::Scelta::Tipo::Ignorata:
                risultato = QStringLiteral("ign ");
                break;
            case Scansione::Scelta::Tipo::Gruppo:
                risultato = QStringLiteral("in ");
                break;
            case Scansione::Scelta::Tipo::Tasto:
                risultato = QStringLiteral("sel%1 ").arg(scelta.tasto);
                break;
            }
            break;
        }
        default:
            QFAIL("unknown event");
        }
        visti << risultato + Mostra(s);
    }
    QCOMPARE(visti, attesi);
}

// Shades of keys 1..5 in groups "1 2|3 4|5": after the events, one letter per key: "-"
// none, "c" light, "s" dark.
void TestScansione::evidenza_data() {
    QTest::addColumn<QStringList>("eventi");
    QTest::addColumn<QString>("tonalita");

    QTest::newRow("a group: its keys light") << QStringList{} << "cc---";
    QTest::newRow("inside a group: the key dark, the others light")
        << QStringList{"A1000", "P1400", "A2400"} << "--cs-";
    QTest::newRow("a group of one key: dark") << QStringList{"A1000", "A2000"} << "----s";
}

void TestScansione::evidenza() {
    QFETCH(QStringList, eventi);
    QFETCH(QString, tonalita);

    Scansione s(1000);
    s.ImpostaGruppi(Gruppi(QStringLiteral("1 2|3 4|5")), {}, 0);
    for (const QString& evento : eventi) {
        const std::int64_t adesso = evento.mid(1).toLongLong();
        if (evento.startsWith(u'A'))
            s.Avanza(adesso);
        else
            s.Premi(adesso);
    }
    QString visti;
    for (int tasto = 1; tasto <= 5; ++tasto) {
        switch (s.EvidenzaDi(tasto)) {
        case Scansione::Evidenza::Nessuna:
            visti += u'-';
            break;
        case Scansione::Evidenza::Chiara:
            visti += u'c';
            break;
        case Scansione::Evidenza::Scura:
            visti += u's';
            break;
        }
    }
    QCOMPARE(visti, tonalita);
}

void TestScansione::tastiCambiati() {
    Scansione s(1000);
    s.ImpostaGruppi(Gruppi(QStringLiteral("1 2|3 4")), {}, 0);
    s.Avanza(1000);
    s.Premi(1400);
    s.Avanza(2400);
    QCOMPARE(Mostra(s), QStringLiteral("k4@3400"));
    // The same keys again (empty groups do not count): the highlight keeps its place and time.
    QVERIFY(!s.ImpostaGruppi(Gruppi(QStringLiteral("1 2||3 4")), Scansione::Suggerimento::Tasto(1),
                             2500));
    QCOMPARE(Mostra(s), QStringLiteral("k4@3400"));
    // Other keys: started again at the hint.
    QVERIFY(
        s.ImpostaGruppi(Gruppi(QStringLiteral("1 2|3")), Scansione::Suggerimento::Tasto(2), 2600));
    QCOMPARE(Mostra(s), QStringLiteral("k2@3600"));
    // No keys at all: nothing scanned, nothing picked.
    QVERIFY(s.ImpostaGruppi({}, {}, 2700));
    QCOMPARE(Mostra(s), QStringLiteral("-"));
    QVERIFY(!s.Avanza(10000));
    QCOMPARE(s.Premi(10000).tipo, Scansione::Scelta::Tipo::Ignorata);
}

void TestScansione::passo_data() {
    QTest::addColumn<int>("decimi");
    QTest::addColumn<qint64>("millisecondi");

    QTest::newRow("0,5 s") << 5 << qint64(500);
    QTest::newRow("1,5 s") << 15 << qint64(1500);
    QTest::newRow("5 s") << 50 << qint64(5000);
    QTest::newRow("too short: 0,5 s") << 0 << qint64(500);
    QTest::newRow("too long: 5 s") << 600 << qint64(5000);
}

void TestScansione::passo() {
    QFETCH(int, decimi);
    QFETCH(qint64, millisecondi);
    QCOMPARE(Scansione::PassoDaDecimi(decimi), millisecondi);

    // A changed step holds from the next move on.
    Scansione s(1000);
    s.ImpostaGruppi(Gruppi(QStringLiteral("1|2")), {}, 0);
    s.ImpostaPasso(Scansione::PassoDaDecimi(decimi));
    QCOMPARE(s.Scadenza(), qint64(1000));
    QVERIFY(s.Avanza(1000));
    QCOMPARE(s.Scadenza(), 1000 + millisecondi);
}

QTEST_GUILESS_MAIN(TestScansione)
#include "tst_Scansione.moc"
