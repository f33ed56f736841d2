#pragma once

// Seams to the outside world. Each has one thin real implementation (in the UI library or
// in main) and test doubles in the tests, so that the rules can be tested without a clock,
// a sound device or a message box.

#include <QString>
#include <cstdint>

// Time for answer timing: a monotonic count of milliseconds, so that an exercise across
// midnight or a change of the system clock never gives a negative time.
class Orologio {
public:
    virtual ~Orologio() = default;
    virtual std::int64_t Millisecondi() = 0;
};

// Messages the user must see. The UI answers with a message box.
class Avvisi {
public:
    virtual ~Avvisi() = default;
    virtual void Errore(const QString& titolo, const QString& testo) = 0;
};

// The right-answer sound. Playing never blocks and a failure to play is silent.
class Suono {
public:
    virtual ~Suono() = default;
    virtual void SuonoEsatto() = 0;
};
