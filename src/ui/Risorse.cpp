#include "ui/Risorse.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static bool Registra() {
    Q_INIT_RESOURCE(resources);
    return true;
}

void RegistraRisorse() {
    static const bool registrate = Registra();
    (void)registrate;
}
