#pragma once

// The program's voice: speech through the separately loaded speech module (MotoreVoce.h).
// Nothing of it is loaded while "SINTESI VOCALE" is off. The first text said with the switch
// on (or the first question whether speech is available) starts a thread of its own, which
// loads the module and starts the engine there: connecting to the speech server takes
// seconds, and even a single text costs a round trip to it, so neither ever happens on the
// thread that handles the pupil's keys.
//
// Di reads the switch every time: with it off nothing is said, and what was being said
// stops. Loda reads the praise switch instead: praise is said with speech off too. Praise
// waits a moment for what the program says of the same event (the verdict, a key taking the
// focus) and is said after it, in the same text. Texts are handed to the thread as they come;
// when several arrive before the thread takes them, only the last is said, since each would
// cut the one before short anyway. A speech server that goes away and comes back is connected
// to again by the next text. With the switch on and no server to be reached, the pupil is
// told so once in a run.

#include "base/Servizi.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

struct StatoProgramma;

class VoceQt : public Voce {
public:
    // The folders searched for the speech module, in order: the executable's own folder,
    // then the installed library folder beside it.
    static QStringList CartelleModulo();
    // The speech module's file name.
    static QString FileModulo();

    // The message shown when speech is on and cannot be heard.
    static QString MessaggioNonDisponibile();

    explicit VoceQt(const StatoProgramma& stato, Avvisi* avvisi = nullptr,
                    QStringList cartelle = CartelleModulo());
    ~VoceQt() override;
    VoceQt(const VoceQt&) = delete;
    VoceQt& operator=(const VoceQt&) = delete;

    void Di(const QString& testo) override;
    void Disponibile(std::function<void(bool)> risposta) override;
    void Loda(const QString& testo) override;

    // How long praise waits for the text it follows, in milliseconds.
    static constexpr int AttesaLode = 150;

private:
    class Parlatore;

    void Avvia();
    void Risposta(bool pronta);
    void DiLode();

    const StatoProgramma& stato_;
    Avvisi* avvisi_;
    QStringList cartelle_;
    Parlatore* parlatore_ = nullptr;
    bool muta_ = true;      // nothing has been said since it was last silenced
    bool avvisato_ = false; // the pupil has been told speech cannot be heard
    std::optional<bool> pronta_;
    std::vector<std::function<void(bool)>> attese_;
    QObject contesto_;       // answers from the thread are delivered through it, on this thread
    QString lode_;           // praise waiting for the text it follows
    bool lodeUnita_ = false; // the praise waiting went out with a text said meanwhile
    QTimer* attesaLode_ = nullptr;
};
