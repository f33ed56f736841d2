// Response of the drill window, measured with real input events on a shown window:
//   - a keypad key pressed (keyboard; clicked with speech on) -> the new reply painted in
//     LblRisultato;
//   - "Avanti" pressed -> the next problem painted.
// Each sample runs from just before the key event is delivered until the event loop has
// painted the reply label and flushed the window.
//
//   bench_drill [samples] [maximised: 1/0] [voce]
//
// With "voce" the program's voice speaks as in the program with "SINTESI VOCALE" on: each
// key says its caption as it takes the focus, and the drill says what it announces. The
// speech server is the one SPEECHD_ADDRESS names (bench/tabella.py starts a private one);
// the samples are taken once the engine has started.
//
// Run it from a Release build under Xvfb (a real X server, 1920x1080, with a window
// manager for the maximised window) or offscreen.

#include "app/FonteCasualeSistema.h"
#include "app/ParlaFuoco.h"
#include "app/VoceQt.h"
#include "base/Servizi.h"
#include "drill/FrmOperativo.h"
#include "generation/Algoritmi.h"
#include "start/Catalogo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

class OrologioVero : public Orologio {
public:
    OrologioVero() { t.start(); }
    std::int64_t Millisecondi() override { return t.elapsed(); }
    QElapsedTimer t;
};

class Muto : public Suono {
public:
    void SuonoEsatto() override {}
};

// Notes when a widget has been painted.
class Spia : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) dipinto = true;
        return false;
    }
    bool dipinto = false;
};

struct Misure {
    QList<double> ms;
    void Stampa(const char* nome) {
        std::sort(ms.begin(), ms.end());
        const auto q = [this](double p) {
            return ms[std::min<qsizetype>(ms.size() - 1, qsizetype(p * ms.size()))];
        };
        std::printf("%-32s n=%lld  median %.3f ms  p95 %.3f ms  max %.3f ms\n", nome,
                    static_cast<long long>(ms.size()), q(0.5), q(0.95), ms.back());
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const int campioni = argc > 1 ? std::atoi(argv[1]) : 300;
    const bool massimizzata = argc > 2 ? std::atoi(argv[2]) != 0 : true;
    const bool parlata = argc > 3 && std::strcmp(argv[3], "voce") == 0;

    StatoProgramma stato;
    stato.Livello = 4;
    SceltaSimboli(stato);
    ScegliTipo(stato, 0); // numbers
    ScegliOrdine(stato, 2);
    FonteCasualeSistema fonte;
    OrologioVero orologio;
    Muto suono;
    stato.Impostazioni.SintesiVocale = parlata;
    VoceQt voce(stato, {QStringLiteral(CARTELLA_MODULO_VOCE)});
    ParlaFuoco fuoco(voce, [](const QWidget*) { return true; });
    if (parlata) {
        std::optional<bool> pronta;
        voce.Disponibile([&pronta](bool disponibile) { pronta = disponibile; });
        QElapsedTimer avvio;
        avvio.start();
        while (!pronta && avvio.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::printf("voice %s after %lld ms\n", pronta.value_or(false) ? "ready" : "NOT AVAILABLE",
                    static_cast<long long>(avvio.elapsed()));
        if (!pronta.value_or(false)) return 1;
    }
    FrmOperativo w(stato, fonte, orologio, suono, nullptr);
    w.ImpostaVoce(&voce);
    if (massimizzata && QGuiApplication::platformName() == QLatin1String("offscreen")) {
        // No window manager: the maximised size of a 1920x1080 screen, set by hand.
        w.resize(1920, 1061);
        w.show();
    } else if (massimizzata) {
        w.showMaximized();
    } else {
        w.show();
    }
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    QTest::qWait(200);
    std::printf("platform %s, window %dx%d\n", qPrintable(QGuiApplication::platformName()),
                w.width(), w.height());

    auto* risultato = w.findChild<QLabel*>(QStringLiteral("LblRisultato"));
    Spia spia;
    risultato->installEventFilter(&spia);
    const auto tasto = [&w](int i) {
        return w.findChild<QPushButton*>(QStringLiteral("Option2_%1").arg(i));
    };
    const auto clic = [&](int i) { QTest::mouseClick(tasto(i), Qt::LeftButton); };
    const auto misura = [&](auto&& azione) {
        QCoreApplication::processEvents();
        spia.dipinto = false;
        QElapsedTimer t;
        t.start();
        azione();
        while (!spia.dipinto)
            QCoreApplication::processEvents();
        return static_cast<double>(t.nsecsElapsed()) / 1e6;
    };

    Misure tasti;
    Misure avanti;
    while (tasti.ms.size() < campioni || avanti.ms.size() < campioni) {
        // Up to six digits typed on the keyboard on the focused key, each one timed. With
        // speech they are clicked instead: a click moves the focus, so each says its key.
        for (int d = 1; d <= 6 && w.serie().RispostaTesto().size() < 6; ++d) {
            QWidget* fuoco = QApplication::focusWidget();
            tasti.ms << misura([&] {
                if (parlata)
                    clic(d);
                else
                    QTest::keyClick(fuoco, Qt::Key(Qt::Key_0 + d));
            });
        }
        // Clear it through a wrong reply and "NO" (not timed), then the right reply.
        clic(Serie::Verifica);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Option3_0")), Qt::LeftButton);
        for (QChar c : QString(w.serie().SoluzioneTesto()))
            if (c == u',')
                clic(Serie::Virgola);
            else if (c != u'.')
                clic(c.digitValue());
        clic(Serie::Verifica);
        if (stato.Registro.IndiceEsercizio() < 20)
            avanti.ms << misura([&] { clic(Serie::Avanti); });
        else
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("optAvviso_1")),
                              Qt::LeftButton);
    }
    tasti.Stampa("key press -> reply painted");
    avanti.Stampa("\"Avanti\" -> next problem painted");
    return 0;
}
