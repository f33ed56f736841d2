// The speech module: speech-dispatcher spoken to directly in its own protocol (SSIP), in
// Italian. Built as a module of its own and loaded by VoceQt only once speech is switched
// on.
//
// Qt's speech-dispatcher engine is not used: it stops speech only with CANCEL ALL, which
// silences every program's speech, a screen reader's too, and it sends that itself before
// each text while the one before is still under way; and once the server has gone it never
// connects again. Here each text first cancels only this connection's own messages (CANCEL
// SELF), and a connection found broken is opened again and the text sent once more.

#include "app/MotoreVoce.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int AttesaRisposta = 5000; // ms for the server to answer one command

class MotoreVoceSsip : public MotoreVoce {
public:
    MotoreVoceSsip() { Connetti(); }
    ~MotoreVoceSsip() override {
        if (fd_ >= 0) Comando("QUIT");
        Chiudi();
    }

    bool Pronto() const override { return pronto_; }

    bool Prova() override {
        if (fd_ < 0) Connetti();
        return pronto_;
    }

    void Di(const QString& testo) override {
        // A connection found broken is opened again once, and the text sent on the new one.
        for (int tentativo = 0; tentativo < 2; ++tentativo) {
            if (fd_ < 0 && !Connetti()) return;
            if (Invia(testo)) return;
            Chiudi();
        }
    }

private:
    // Cuts short what this program was saying, then says testo (unless empty). False when the
    // connection broke.
    bool Invia(const QString& testo) {
        if (!pronto_) return true; // connected, but with no Italian voice: nothing to say
        if (!Comando("CANCEL SELF").startsWith('2')) return false;
        if (testo.isEmpty()) return true;
        if (!Comando("SPEAK").startsWith("230")) return false;
        // The text ends with a line holding a single dot; a line of its own starting with a
        // dot has it doubled.
        QByteArray dati;
        for (const QString& riga : testo.split(u'\n')) {
            QByteArray r = riga.toUtf8();
            r.replace('\r', ' ');
            if (r.startsWith('.')) r.prepend('.');
            dati += r + "\r\n";
        }
        return Comando(dati + '.').startsWith("225");
    }

    // Where the server listens: SPEECHD_ADDRESS ("unix_socket:PATH" or
    // "inet_socket:HOST:PORT"), else the user's own socket.
    bool Connetti() {
        Chiudi();
        const QString indirizzo = qEnvironmentVariable("SPEECHD_ADDRESS");
        const QStringList parti = indirizzo.split(u':');
        if (parti.value(0) == QLatin1String("inet_socket")) {
            ApriTcp(parti.value(1, QStringLiteral("127.0.0.1")),
                    parti.value(2, QStringLiteral("6560")));
        } else {
            const bool predefinito = parti.size() < 2 || parti[1].isEmpty();
            const QString percorso =
                predefinito ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                                  QLatin1String("/speech-dispatcher/speechd.sock")
                            : indirizzo.mid(indirizzo.indexOf(u':') + 1);
            if (!ApriUnix(percorso) && predefinito && !avviato_) {
                // As speech-dispatcher's own clients do: the user's server is started when
                // it is not running (once, and not when the system forbids it).
                avviato_ = true;
                QProcess avvio;
                avvio.start(QStringLiteral("speech-dispatcher"), {QStringLiteral("--spawn")});
                if (avvio.waitForFinished(15000)) ApriUnix(percorso);
            }
        }
        if (fd_ < 0) return false;
        const QByteArray utente = qgetenv("USER").isEmpty() ? "unknown" : qgetenv("USER");
        if (!Comando("SET SELF CLIENT_NAME " + utente + ":decimetra:voce").startsWith('2') ||
            !Comando("SET SELF LANGUAGE it").startsWith('2') ||
            // Below a screen reader's messages, which are not held up behind ours: with the
            // same priority the server queues both and Orca fell seconds behind.
            !Comando("SET SELF PRIORITY TEXT").startsWith('2')) {
            Chiudi();
            return false;
        }
        // An Italian voice among those of the output module in use.
        bool italiana = false;
        QByteArray voci;
        if (!Comando("LIST SYNTHESIS_VOICES", &voci).startsWith('2')) {
            Chiudi();
            return false;
        }
        for (const QByteArray& riga : voci.split('\n')) {
            const QList<QByteArray> campi = riga.split('\t');
            if (campi.size() >= 2 && campi[1].trimmed().startsWith("it")) italiana = true;
        }
        pronto_ = italiana;
        return true;
    }

    bool ApriUnix(const QString& percorso) {
        const QByteArray p = QFile::encodeName(percorso);
        sockaddr_un a{};
        if (p.isEmpty() || static_cast<size_t>(p.size()) >= sizeof(a.sun_path)) return false;
        a.sun_family = AF_UNIX;
        memcpy(a.sun_path, p.constData(), static_cast<size_t>(p.size()));
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0) {
            close(fd);
            return false;
        }
        fd_ = fd;
        return true;
    }

    bool ApriTcp(const QString& host, const QString& porta) {
        addrinfo richiesta{};
        richiesta.ai_socktype = SOCK_STREAM;
        addrinfo* indirizzi = nullptr;
        if (getaddrinfo(host.toUtf8().constData(), porta.toUtf8().constData(), &richiesta,
                        &indirizzi) != 0)
            return false;
        for (addrinfo* a = indirizzi; a && fd_ < 0; a = a->ai_next) {
            const int fd =
                socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
            if (fd < 0) continue;
            // A host that does not answer is given a few seconds, not the system's minutes.
            pollfd attesa{fd, POLLOUT, 0};
            int errore = 0;
            socklen_t lunghezza = sizeof(errore);
            if ((connect(fd, a->ai_addr, a->ai_addrlen) == 0 ||
                 (errno == EINPROGRESS && poll(&attesa, 1, AttesaRisposta) == 1 &&
                  getsockopt(fd, SOL_SOCKET, SO_ERROR, &errore, &lunghezza) == 0 && errore == 0)) &&
                fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
                fd_ = fd;
            else
                close(fd);
        }
        freeaddrinfo(indirizzi);
        return fd_ >= 0;
    }

    void Chiudi() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        pronto_ = false;
        letto_.clear();
    }

    // Sends one command and returns the last line of the server's answer ("213 OK
    // CANCELED"), or nothing when the connection broke or the server did not answer in time.
    // The lines before it ("249-...") go into righe without their code.
    QByteArray Comando(const QByteArray& comando, QByteArray* righe = nullptr) {
        if (fd_ < 0) return {};
        const QByteArray dati = comando + "\r\n";
        for (qsizetype inviati = 0; inviati < dati.size();) {
            const ssize_t n = send(fd_, dati.constData() + inviati,
                                   static_cast<size_t>(dati.size() - inviati), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return {};
            inviati += n;
        }
        const QDeadlineTimer scadenza(AttesaRisposta);
        for (;;) {
            const qsizetype fine = letto_.indexOf("\r\n");
            if (fine >= 0) {
                const QByteArray riga = letto_.left(fine);
                letto_.remove(0, fine + 2);
                if (riga.size() >= 4 && riga[3] == ' ') return riga;
                if (righe && riga.size() >= 4) *righe += riga.mid(4) + '\n';
                continue;
            }
            pollfd attesa{fd_, POLLIN, 0};
            const int pronti = poll(&attesa, 1, static_cast<int>(scadenza.remainingTime()));
            if (pronti < 0 && errno == EINTR) continue;
            if (pronti <= 0) return {};
            char blocco[4096];
            const ssize_t n = recv(fd_, blocco, sizeof(blocco), 0);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return {};
            letto_.append(blocco, n);
        }
    }

    int fd_ = -1;
    bool pronto_ = false;  // connected, with an Italian voice
    bool avviato_ = false; // the user's server was started once already
    QByteArray letto_;     // received and not yet read
};

} // namespace

extern "C" Q_DECL_EXPORT MotoreVoce* CreaMotoreVoce() {
    return new MotoreVoceSsip;
}
