// Response of the drill window, measured with real input events on a shown window:
//   - a keypad key pressed (keyboard; clicked with speech on) -> the new reply painted in
//     LblRisultato;
//   - "Avanti" pressed -> the next problem painted.
// Each sample runs from just before the key event is delivered until the event loop has
// painted the reply label and flushed the window.
//
//   bench_drill [samples] [maximised: 1/0] [voce | server-vivo | server-morto]
//
// With "voce" the program's voice speaks as in the program with "SINTESI VOCALE" on: each
// key says its caption as it takes the focus, and the drill says what it announces. The
// speech server is the one SPEECHD_ADDRESS names (bench/tabella.py starts a private one);
// the samples are taken once the engine has started.
//
// With "server-vivo" the lab server's sending thread runs meanwhile, sending to the server
// that DECIMETRA_PG_PORTA (on 127.0.0.1) and DECIMETRA_PG_PASSFILE name, while another
// thread stores a new series in a local register every 50 ms: a send is nearly always
// under way. With "server-morto" the same goes to a port that takes connections and never
// answers (a listening socket nobody accepts on): the sender keeps waiting on a dead server.
//
// Run it from a Release build under Xvfb (a real X server, 1920x1080, with a window
// manager for the maximised window) or offscreen.

#include "app/FonteCasualeSistema.h"
#include "app/ParlaFuoco.h"
#include "app/VoceQt.h"
#include "base/Servizi.h"
#include "drill/FrmOperativo.h"
#include "generation/Algoritmi.h"
#include "registro/InvioServer.h"
#include "registro/RegistroLocale.h"
#include "start/Catalogo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

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

// A whole series as the drill leaves it, for the register.
RegistroSerie SerieFatta(int n) {
    RegistroSerie s;
    s.Id = QUuid::createUuid();
    s.Inizio = QDateTime::currentDateTime();
    s.Fine = s.Inizio.addSecs(300);
    s.Livello = 4;
    s.Sistema = QStringLiteral("Misure di lunghezza");
    s.TestoTipo = QStringLiteral(" Trova il numero");
    s.TestoOrdine = QStringLiteral("In ordine sparso");
    s.Finita = true;
    s.NomeAlunno = QStringLiteral("Alunno %1").arg(n);
    for (int i = 0; i < 20; ++i) {
        EsercizioSvolto e;
        e.Dati.NumeroTesto = QStringLiteral("27,52");
        e.Dati.SimboloDa = QStringLiteral("dam");
        e.Dati.SimboloA = QStringLiteral("m");
        e.SoluzioneTesto = QStringLiteral("275,2");
        e.Tentativi = {{QStringLiteral("27,52"), false}, {QStringLiteral("275,2"), true}};
        e.Secondi = 9;
        s.Esercizi.push_back(e);
    }
    return s;
}

// The lab server's sender running beside the drill, fed by a thread that stores a series
// every 50 ms.
struct InvioAccanto {
    QTemporaryDir cartella;
    int ascolto = -1;
    std::unique_ptr<InvioServer> invio;
    std::atomic<bool> basta{false};
    std::thread produttore;

    bool Avvia(bool vivo) {
        ConfigurazioneServer c;
        c.Host = QStringLiteral("127.0.0.1");
        c.Computer = QStringLiteral("banco");
        if (vivo) {
            c.Porta = qEnvironmentVariableIntValue("DECIMETRA_PG_PORTA");
            c.FilePassword = qEnvironmentVariable("DECIMETRA_PG_PASSFILE");
            if (c.Porta <= 0) return false;
        } else {
            ascolto = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in indirizzo{};
            indirizzo.sin_family = AF_INET;
            indirizzo.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            socklen_t lunghezza = sizeof indirizzo;
            if (::bind(ascolto, reinterpret_cast<sockaddr*>(&indirizzo), sizeof indirizzo) != 0 ||
                ::listen(ascolto, 128) != 0 ||
                ::getsockname(ascolto, reinterpret_cast<sockaddr*>(&indirizzo), &lunghezza) != 0)
                return false;
            c.Porta = ntohs(indirizzo.sin_port);
        }
        const QString file = cartella.filePath(QStringLiteral("registro.sqlite"));
        invio = std::make_unique<InvioServer>(c, file, std::chrono::milliseconds(200),
                                              std::chrono::milliseconds(0), 2);
        produttore = std::thread([this, file] {
            RegistroLocale locale(file);
            for (int n = 0; !basta; ++n) {
                locale.Salva(SerieFatta(n), QStringLiteral("banco"));
                invio->Invia();
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        return true;
    }
    ~InvioAccanto() {
        basta = true;
        if (produttore.joinable()) produttore.join();
        if (invio) {
            const StatoInvio stato = invio->Stato();
            std::printf("lab server: %d series sent meanwhile, %d waiting; %s\n", stato.Inviate,
                        stato.InAttesa,
                        stato.Errore.isEmpty() ? "no error" : qPrintable(stato.Errore));
            invio->Ferma(std::chrono::seconds(10));
        }
        if (ascolto >= 0) ::close(ascolto);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const int campioni = argc > 1 ? std::atoi(argv[1]) : 300;
    const bool massimizzata = argc > 2 ? std::atoi(argv[2]) != 0 : true;
    const bool parlata = argc > 3 && std::strcmp(argv[3], "voce") == 0;
    const bool serverVivo = argc > 3 && std::strcmp(argv[3], "server-vivo") == 0;
    const bool serverMorto = argc > 3 && std::strcmp(argv[3], "server-morto") == 0;
    InvioAccanto accanto;
    if ((serverVivo || serverMorto) && !accanto.Avvia(serverVivo)) {
        std::printf("lab server not reachable for the benchmark\n");
        return 1;
    }

    StatoProgramma stato;
    stato.Livello = 4;
    SceltaSimboli(stato);
    ScegliTipo(stato, 0); // numbers
    ScegliOrdine(stato, 2);
    FonteCasualeSistema fonte;
    OrologioVero orologio;
    Muto suono;
    stato.Impostazioni.SintesiVocale = parlata;
    VoceQt voce(stato, nullptr, {QStringLiteral(CARTELLA_MODULO_VOCE)});
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
