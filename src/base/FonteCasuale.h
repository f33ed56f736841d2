#pragma once

// Source of uniform random values in [0, 1) of single precision.
class FonteCasuale {
public:
    virtual ~FonteCasuale() = default;
    // Mixes the time of day into the running state (it does not replace it), so that calls
    // made within one tick of the clock still give different draws.
    virtual void Rimescola() = 0;
    virtual float Rnd() = 0;
};
