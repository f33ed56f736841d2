#pragma once

// The speech engine as the separately loaded speech module offers it. Only that module links
// Qt's TextToSpeech, so nothing of speech is loaded until the pupil switches it on. An engine
// is made, used and destroyed on one thread, which runs an event loop.

#include <QString>

class MotoreVoce {
public:
    virtual ~MotoreVoce() = default;
    // An engine with an Italian voice, set up to speak with it.
    virtual bool Pronto() const = 0;
    // Says testo, cutting short whatever it was saying; an empty text only stops it.
    virtual void Di(const QString& testo) = 0;
};

// The module's one entry point: extern "C" MotoreVoce* CreaMotoreVoce(), which connects to
// the speech server (this may take seconds) and never returns null.
using FabbricaMotoreVoce = MotoreVoce* (*)();
inline constexpr char NomeCreaMotoreVoce[] = "CreaMotoreVoce";
