#include "registro/InvioServer.h"

#include "registro/RegistroLocale.h"
#include "registro/RegistroServer.h"

#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <memory>

// Lives on the sending thread: the local register's and the server's connections belong to
// it, and its timer ticks there.
class InvioServer::Lavoratore : public QObject {
public:
    explicit Lavoratore(InvioServer& invio) : invio(invio) {}

    void Avvia(std::chrono::milliseconds periodo, std::chrono::milliseconds ritardo) {
        timer = new QTimer(this);
        timer->setInterval(periodo);
        connect(timer, &QTimer::timeout, this, [this] { invio.Invia(); });
        timer->start();
        QTimer::singleShot(ritardo, this, [this] { invio.Invia(); });
    }

    void Fine() {
        delete timer;
        timer = nullptr;
        server.reset();
        locale.reset();
    }

    InvioServer& invio;
    QTimer* timer = nullptr;
    std::unique_ptr<RegistroLocale> locale;
    std::unique_ptr<RegistroServer> server;
};

InvioServer::InvioServer(ConfigurazioneServer c, QString percorso,
                         std::chrono::milliseconds periodo, std::chrono::milliseconds ritardo,
                         int attesa, QObject* parent)
    : QObject(parent), configurazione(std::move(c)), percorsoRegistro(std::move(percorso)),
      attesaSecondi(attesa) {
    filo = new QThread;
    filo->setObjectName(QStringLiteral("Invio al server del registro"));
    lavoratore = new Lavoratore(*this);
    lavoratore->moveToThread(filo);
    connect(filo, &QThread::finished, lavoratore, [l = lavoratore] { l->Fine(); });
    filo->start(QThread::LowPriority);
    QMetaObject::invokeMethod(lavoratore,
                              [l = lavoratore, periodo, ritardo] { l->Avvia(periodo, ritardo); });
}

InvioServer::~InvioServer() {
    if (Ferma(std::chrono::seconds(3))) {
        delete lavoratore;
        delete filo;
    } else {
        // Destroying a running thread would end the program; it is left to the process's end.
        std::fputs("Invio al server del registro ancora in corso: le serie non inviate restano "
                   "nel registro di questo computer.\n",
                   stderr);
    }
}

bool InvioServer::Ferma(std::chrono::milliseconds attesa) {
    fermato = true;
    if (!filo->isRunning()) return true;
    filo->quit();
    return filo->wait(QDeadlineTimer(attesa));
}

void InvioServer::Invia() {
    if (fermato || richiesto.exchange(true)) return;
    QMetaObject::invokeMethod(
        lavoratore, [this] { Esegui(); }, Qt::QueuedConnection);
}

StatoInvio InvioServer::Stato() const {
    QMutexLocker blocco(&guardia);
    return stato;
}

void InvioServer::Esegui() {
    richiesto = false;
    if (fermato) return;
    // No register yet on this account: nothing waits, and none is made for it (nor a
    // driver loaded) before the first series.
    if (!QFileInfo::exists(percorsoRegistro)) return;
    if (!lavoratore->locale)
        lavoratore->locale = std::make_unique<RegistroLocale>(percorsoRegistro);
    if (!lavoratore->server)
        lavoratore->server = std::make_unique<RegistroServer>(configurazione, attesaSecondi);
    RegistroLocale& locale = *lavoratore->locale;
    RegistroServer& server = *lavoratore->server;

    QString errore;
    bool raggiunto = false;
    int inviate = 0, segnate = 0;
    const std::vector<SerieConComputer> daInviare = locale.SerieDaInviare();
    if (!locale.UltimoErrore().Riuscito()) {
        errore = QStringLiteral("Il registro di questo computer non può essere letto: %1")
                     .arg(CausaRegistro(locale.UltimoErrore()));
    } else {
        const EsitoServer connessione = server.Connetti();
        raggiunto = connessione.Riuscito;
        errore = connessione.Messaggio;
        for (std::size_t i = 0; raggiunto && i < daInviare.size() && !fermato; ++i) {
            const SerieConComputer& serie = daInviare[i];
            const EsitoServer esito = server.Invia(serie);
            if (!esito.Riuscito) {
                errore = esito.Messaggio;
                // A series the server will not take stays waiting here, and the others
                // still go; any other failure ends this round.
                if (esito.SerieRifiutata) continue;
                break;
            }
            ++inviate;
            // Marked only as it was sent: a name added meanwhile keeps it waiting.
            const EsitoRegistro segno = locale.SegnaInviata(serie.Serie.Id, serie.Revisione);
            if (!segno.Riuscito()) {
                // Sent again next time, and stored once on the server.
                errore = QStringLiteral("Il registro di questo computer non può segnare le "
                                        "serie inviate: %1")
                             .arg(CausaRegistro(segno));
                break;
            }
            ++segnate;
        }
    }
    {
        QMutexLocker blocco(&guardia);
        stato.UltimoTentativo = QDateTime::currentDateTime();
        stato.ServerRaggiunto = raggiunto;
        stato.Errore = errore;
        stato.InAttesa = static_cast<int>(daInviare.size()) - segnate;
        stato.Inviate += inviate;
    }
    emit StatoCambiato();
}

QString TestoStatoInvio(const StatoInvio& s, const ConfigurazioneServer& c) {
    if (!s.UltimoTentativo.isValid())
        return QStringLiteral("Server del registro: collegamento in corso.");
    const QString ora = s.UltimoTentativo.toString(QStringLiteral("HH:mm"));
    if (s.Errore.isEmpty() && s.InAttesa == 0)
        return QStringLiteral("Server del registro raggiunto alle %1: tutte le serie sono state "
                              "inviate.")
            .arg(ora);
    const int n = std::max(0, s.InAttesa);
    const QString attesa = n == 1 ? QStringLiteral("1 serie aspetta di essere inviata")
                                  : QStringLiteral("%1 serie aspettano di essere inviate").arg(n);
    const int sec = c.IntervalloSecondi;
    const QString ogni = sec == 60       ? QStringLiteral("ogni minuto")
                         : sec % 60 == 0 ? QStringLiteral("ogni %1 minuti").arg(sec / 60)
                         : sec == 1      ? QStringLiteral("ogni secondo")
                                         : QStringLiteral("ogni %1 secondi").arg(sec);
    if (s.Errore.isEmpty())
        return QStringLiteral("Server del registro raggiunto alle %1: %2.").arg(ora, attesa);
    return QStringLiteral("%1 Alle %2 %3; nuovo tentativo %4.").arg(s.Errore, ora, attesa, ogni);
}
