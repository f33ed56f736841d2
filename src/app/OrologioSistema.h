#pragma once

// The program's clock for answer times: milliseconds from a monotonic source, which a change
// of the system clock or midnight never moves back.

#include "base/Servizi.h"

#include <QElapsedTimer>

class OrologioSistema : public Orologio {
public:
    OrologioSistema() { avvio_.start(); }
    std::int64_t Millisecondi() override { return avvio_.elapsed(); }

private:
    QElapsedTimer avvio_;
};
