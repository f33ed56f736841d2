// The printout window with a full series of 20 generated exercises:
//
//   schermate_stampa FOLDER WIDTHxHEIGHT [TIMES]
//
// writes FOLDER/stampa_WxH_righe.png (the record lines), ..._nome.png (the name panel
// open), scelta_stampante.png (the printer choice) and registro.pdf (the printed page), and
// prints the time from the window's construction to its first painted frame, TIMES openings
// (default 20): the first, then the median and the slowest of the others. Runs offscreen
// too (QT_QPA_PLATFORM=offscreen).

#include "app/FonteCasualeSistema.h"
#include "app/ServizioStampaQt.h"
#include "generation/Algoritmi.h"
#include "generation/Spazi.h"
#include "results/FrmStampaEsercizioTre.h"
#include "results/PaginaEsercizi.h"
#include "start/Catalogo.h"
#include "ui/StileTasti.h"
#include "worksheets/FrmSceltaStampante.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

// A series of 20: every fourth reply wrong and solved by the program.
void SerieGenerata(StatoProgramma& stato) {
    FonteCasualeSistema fonte;
    stato.Livello = 4;
    SceltaSimboli(stato);
    ScegliTipo(stato, 0);
    ScegliOrdine(stato, 2);
    for (int k = 1; k <= 20; ++k) {
        EsercizioSvolto e;
        e.Dati = GeneraProblema(stato, fonte);
        e.SoluzioneTesto = e.Dati.RisultatoTesto;
        e.Secondi = 3 + k % 9;
        // Every fourth a wrong reply, then the program's solution.
        if (k % 4 == 0) {
            e.Tentativi.push_back({QStringLiteral("7"), false});
            e.AiutoOfferto = e.AiutoAccettato = e.SoluzioneData = true;
        } else {
            e.Tentativi.push_back({e.SoluzioneTesto, true});
        }
        stato.Registro.Esercizi.push_back(e);
    }
    stato.Registro.Finita = true;
}

// Messages go to the standard error, not to message boxes.
class AvvisiConsole : public Avvisi {
public:
    void Errore(const QString&, const QString& testo) override {
        std::fprintf(stderr, "%s\n", qPrintable(testo));
    }
    void Informa(const QString&, const QString& testo) override {
        std::fprintf(stderr, "%s\n", qPrintable(testo));
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    if (argc < 3) {
        std::fputs("schermate_stampa FOLDER WIDTHxHEIGHT [TIMES]\n", stderr);
        return 2;
    }
    const QString cartella = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QList<QByteArray> lati = QByteArray(argv[2]).split('x');
    const QSize dimensione(lati.value(0).toInt(), lati.value(1).toInt());
    const int volte = argc > 3 ? std::max(2, atoi(argv[3])) : 20;
    QDir().mkpath(cartella);

    StatoProgramma stato;
    SerieGenerata(stato);
    ServizioStampaQt servizio;
    AvvisiConsole avvisi;

    // What the program has done before the printout opens: a window with Arial text and a
    // key painted (the drill window), so style and fonts are initialised. What remains of
    // first-time costs belongs to the printout: the font list of CercaCourier, the
    // fixed-pitch font.
    {
        QWidget prima;
        auto* testo = new QLabel(QStringLiteral("TRASFORMAZIONI"), &prima);
        testo->setFont(QFont(QStringLiteral("Arial"), 16));
        auto* tasto = new QPushButton(QStringLiteral("Avanti"), &prima);
        tasto->move(0, 40);
        StileTasti::Segna(tasto);
        prima.resize(dimensione);
        prima.show();
        if (!QTest::qWaitForWindowExposed(&prima)) return 1;
        QTest::qWait(50);
    }
    QElapsedTimer cerca;
    cerca.start();
    servizio.CercaCourier();
    std::printf("prima ricerca del Courier (elenco dei font): %.1f ms\n",
                cerca.nsecsElapsed() / 1e6);

    // Opening time: construct, show at the size asked, until the last key has painted.
    QList<double> tempi;
    for (int i = 0; i < volte; ++i) {
        QElapsedTimer orologio;
        orologio.start();
        auto* w = new FrmStampaEsercizioTre(stato, servizio, avvisi);
        if (i == 0) std::printf("costruzione: %.1f ms\n", orologio.nsecsElapsed() / 1e6);
        qint64 fine = -1;
        auto* ultimo = w->findChild<QPushButton*>(QStringLiteral("Command1_2"));
        struct Filtro : QObject {
            QElapsedTimer* o;
            qint64* f;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint && *f < 0) *f = o->nsecsElapsed();
                return false;
            }
        } filtro;
        filtro.o = &orologio;
        filtro.f = &fine;
        ultimo->installEventFilter(&filtro);
        w->resize(dimensione);
        w->show();
        while (fine < 0 && orologio.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        tempi.append(fine / 1e6);
        ultimo->removeEventFilter(&filtro);
        delete w;
        QCoreApplication::processEvents();
    }
    const double primo = tempi.takeFirst();
    std::sort(tempi.begin(), tempi.end());
    std::printf("apertura fino al primo disegno: prima %.1f ms, poi mediana %.1f ms, massimo "
                "%.1f ms (%lld volte)\n",
                primo, tempi[tempi.size() / 2], tempi.back(), static_cast<long long>(volte));

    FrmStampaEsercizioTre w(stato, servizio, avvisi);
    w.resize(dimensione);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    QTest::qWait(100);
    const QString base = QStringLiteral("%1/stampa_%2x%3")
                             .arg(cartella)
                             .arg(dimensione.width())
                             .arg(dimensione.height());
    w.grab().save(base + QStringLiteral("_righe.png"));
    w.PremiCommand1(FrmStampaEsercizioTre::Nome);
    QTest::keyClicks(w.findChild<QLineEdit*>(QStringLiteral("txtNome")),
                     QStringLiteral("Giulia Bianchi"));
    QTest::qWait(100);
    w.grab().save(base + QStringLiteral("_nome.png"));

    frmSceltaStampante* scelta = frmSceltaStampante::Carica(servizio, &w);
    scelta->show();
    QTest::qWait(100);
    scelta->grab().save(cartella + QStringLiteral("/scelta_stampante.png"));

    // The same window over three printers, after choosing the second.
    scelta->close();
    struct TrePrinter : ServizioStampaQt {
        QString corrente = QStringLiteral("Ufficio");
        QStringList Elenco() override {
            return {QStringLiteral("Ufficio"), QStringLiteral("Aula_informatica"),
                    QStringLiteral("Laser_piano_terra")};
        }
        QString Corrente() override { return corrente; }
        bool Scegli(const QString& nome) override { return corrente = nome, true; }
    } tre;
    QTest::qWait(50);
    scelta = frmSceltaStampante::Carica(tre, &w);
    scelta->show();
    QTest::keyClick(scelta->findChild<QWidget*>(QStringLiteral("Combo1")), Qt::Key_Down);
    QTest::qWait(100);
    scelta->grab().save(cartella + QStringLiteral("/scelta_stampante_tre.png"));

    const QString famiglia = servizio.CercaCourier();
    ScriviPdf(PaginaEsercizi(stato, famiglia), cartella + QStringLiteral("/registro.pdf"));
    for (const QString& riga : RigheEsercizi(stato.Registro))
        std::printf("%s\n", qPrintable(riga));
    std::printf("%s\n", qPrintable(base));
    return 0;
}
