#pragma once

// The speech engine as the separately loaded speech module offers it, so that nothing of
// speech is loaded until the pupil switches it on. An engine is made, used and destroyed on
// one thread; any of its calls may wait seconds for the speech server.

#include <QString>

class MotoreVoce {
public:
    virtual ~MotoreVoce() = default;
    // Connected to the speech server, with an Italian voice, as the last call found it.
    virtual bool Pronto() const = 0;
    // Connects again when not connected; then Pronto().
    virtual bool Prova() = 0;
    // Says testo, cutting short what it was saying itself (never another program's speech);
    // an empty text only stops it. A server gone meanwhile and back is connected to again.
    virtual void Di(const QString& testo) = 0;
};

// The module's one entry point: extern "C" MotoreVoce* CreaMotoreVoce(), which tries to
// connect to the speech server (this may take seconds) and never returns null.
using FabbricaMotoreVoce = MotoreVoce* (*)();
inline constexpr char NomeCreaMotoreVoce[] = "CreaMotoreVoce";
