#pragma once

// Sends the local register's waiting series to the lab server, from a thread of its own: a
// key or a paint never waits for the network. A series is marked sent in the local register
// only once the server has stored it; a server that is down, slow or refusing leaves it
// waiting, and it goes, oldest first, at the next request (the end of a series), at the
// next round of the timer, or at the next start.
//
// Made on the program's main thread; every call is quick and safe from any thread.

#include "registro/ConfigurazioneServer.h"

#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>

class QThread;

// What the last attempt gave, for the register window.
struct StatoInvio {
    QDateTime UltimoTentativo; // null until the first attempt has ended
    bool ServerRaggiunto = false;
    QString Errore;    // why the last attempt failed; empty when it worked
    int InAttesa = -1; // series still waiting after it; -1 before the first
    int Inviate = 0;   // series stored on the server in this run
};

// What the register window says of the server: reached and nothing waiting, or why not and
// how many series wait.
QString TestoStatoInvio(const StatoInvio& stato, const ConfigurazioneServer& configurazione);

class InvioServer : public QObject {
    Q_OBJECT
public:
    // percorsoRegistro: the local register's file. The first attempt starts after ritardo,
    // then one every periodo; attesaSecondi bounds each connection attempt.
    InvioServer(ConfigurazioneServer configurazione, QString percorsoRegistro,
                std::chrono::milliseconds periodo = std::chrono::minutes(3),
                std::chrono::milliseconds ritardo = std::chrono::seconds(1), int attesaSecondi = 5,
                QObject* parent = nullptr);
    // Stops the thread (see Ferma); a thread still stuck in the network is left behind.
    ~InvioServer() override;

    // Sends what waits, as soon as the thread is free. Requests made while it is busy are
    // one more round.
    void Invia();

    StatoInvio Stato() const;
    const ConfigurazioneServer& Configurazione() const { return configurazione; }

    // Asks the thread to end after the series it is sending and waits for it at most
    // attesa. False when it is still busy (stuck on a server that does not answer): the
    // series it was sending stays waiting in the local register, and the caller may end the
    // process without waiting more.
    bool Ferma(std::chrono::milliseconds attesa);

signals:
    // After each attempt, from the sending thread (connect with a queued connection to
    // touch widgets).
    void StatoCambiato();

private:
    class Lavoratore;
    void Esegui(); // on the sending thread

    ConfigurazioneServer configurazione;
    QString percorsoRegistro;
    int attesaSecondi;
    QThread* filo = nullptr;
    Lavoratore* lavoratore = nullptr;
    std::atomic<bool> richiesto{false};
    std::atomic<bool> fermato{false};
    mutable QMutex guardia;
    StatoInvio stato;
};
