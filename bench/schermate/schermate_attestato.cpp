// Grabs the certificate window as PNG files at one size, for a classified series ("OTTIMO")
// and for one that is not ("Non classificato"), writes the printed certificate of the first
// as a PDF, and times the opening of the window to its first painted frame.
//
//   schermate_attestato FOLDER WIDTHxHEIGHT
//
// Runs offscreen too (QT_QPA_PLATFORM=offscreen); under X the times include the window
// system.

#include "app/ServizioStampaQt.h"
#include "base/Servizi.h"
#include "results/FrmAttestato.h"
#include "ui/StileTasti.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QMainWindow>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

class StampaSuFile : public ServizioStampa {
public:
    explicit StampaSuFile(QString percorso) : percorso_(std::move(percorso)) {}
    QStringList Elenco() override { return {}; }
    QString Corrente() override { return {}; }
    bool Scegli(const QString&) override { return false; }
    void ScegliPdf() override {}
    bool PdfScelto() override { return true; }
    QString CercaCourier() override { return QStringLiteral("Courier New"); }
    EsitoStampa Stampa(const Pagina& pagina, const QString&) override {
        EsitoStampa esito;
        esito.tipo = ScriviPdf(pagina, percorso_) ? EsitoStampa::Tipo::SalvatoPdf
                                                  : EsitoStampa::Tipo::Errore;
        esito.percorso = percorso_;
        return esito;
    }

private:
    QString percorso_;
};

class AvvisiSuTerminale : public Avvisi {
public:
    void Errore(const QString& titolo, const QString& testo) override {
        std::printf("%s: %s\n", qPrintable(titolo), qPrintable(testo));
    }
    void Informa(const QString& titolo, const QString& testo) override { Errore(titolo, testo); }
};

class Spia : public QObject {
public:
    bool dipinto = false;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) dipinto = true;
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    if (argc < 3) {
        std::fputs("schermate_attestato FOLDER WIDTHxHEIGHT\n", stderr);
        return 2;
    }
    const QString cartella = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QList<QByteArray> lati = QByteArray(argv[2]).split('x');
    const QSize dimensione(lati.value(0).toInt(), lati.value(1).toInt());
    QDir().mkpath(cartella);

    // A record of `esercizi` exercises of which the first `esatte` were answered right.
    const auto serie = [](StatoProgramma& stato, int esatte, int esercizi) {
        stato.Registro.Esercizi.resize(esercizi);
        for (int k = 0; k < esercizi; ++k) {
            EsercizioSvolto& e = stato.Registro.Esercizi[k];
            e.Tentativi.push_back({QStringLiteral("1"), k < esatte});
            e.SoluzioneData = k >= esatte;
        }
    };
    StampaSuFile stampa(cartella + QStringLiteral("/attestato.pdf"));
    AvvisiSuTerminale avvisi;
    const auto foto = [&](const char* nome, const char* alunno, int esatte, int esercizi,
                          bool stampa_) {
        StatoProgramma stato;
        stato.NomeAlunno = QString::fromUtf8(alunno);
        serie(stato, esatte, esercizi);
        stato.Registro.TestoOrdine = QStringLiteral("Dal più grande al più piccolo");
        FrmAttestato w(stato, stampa, avvisi);
        w.show();
        w.resize(dimensione);
        if (!QTest::qWaitForWindowExposed(&w)) return;
        QTest::qWait(100);
        const QString file = QStringLiteral("%1/attestato_%2x%3_%4.png")
                                 .arg(cartella)
                                 .arg(dimensione.width())
                                 .arg(dimensione.height())
                                 .arg(QLatin1String(nome));
        w.grab().save(file);
        std::printf("%s %dx%d\n", qPrintable(file), w.width(), w.height());
        if (stampa_) w.EseguiScelta(0);
    };
    foto("ottimo", "mARIO", 19, 20, true);
    foto("non_classificato", "giulia", 0, 0, false);

    // Opening to the first painted frame, maximised: the certificate window (to its
    // preview's first paint), and a bare window with one child for comparison, which shows
    // what the window system alone takes.
    StatoProgramma stato;
    stato.NomeAlunno = QStringLiteral("Marco");
    serie(stato, 17, 20);
    const auto misura = [&](const char* nome, bool attestato) {
        QList<double> tempi;
        for (int i = 0; i < 21; ++i) {
            QElapsedTimer cronometro;
            cronometro.start();
            {
                std::unique_ptr<QMainWindow> w;
                QWidget* bersaglio = nullptr;
                if (attestato) {
                    w = std::make_unique<FrmAttestato>(stato, stampa, avvisi);
                    bersaglio = w->findChild<QWidget*>(QStringLiteral("Picture1"));
                } else {
                    w = std::make_unique<QMainWindow>();
                    bersaglio = new QWidget;
                    w->setCentralWidget(bersaglio);
                }
                Spia spia;
                bersaglio->installEventFilter(&spia);
                w->showMaximized();
                while (!spia.dipinto && cronometro.elapsed() < 5000)
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                tempi << cronometro.nsecsElapsed() / 1e6;
            }
            QTest::qWait(20);
        }
        std::sort(tempi.begin(), tempi.end());
        std::printf("%s, opening to first painted frame, %lld runs: median %.1f ms, min %.1f "
                    "ms, max %.1f ms\n",
                    nome, static_cast<long long>(tempi.size()), tempi[tempi.size() / 2],
                    tempi.first(), tempi.last());
    };
    misura("bare window", false);
    misura("certificate", true);
    return 0;
}
