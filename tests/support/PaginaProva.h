#pragma once

// A small printed page for the print tests: a 14-pt heading and one 10-pt bold line.

#include "base/Pagina.h"

inline Pagina PaginaProva(const QString& riga = QStringLiteral("3,5 m = 35 dm")) {
    Pagina p;
    TestoPagina t;
    t.famiglia = QStringLiteral("Courier New");
    t.punti = 14;
    t.x = 1000;
    t.y = 1000;
    t.testo = QStringLiteral("Nome e cognome");
    p.testi.append(t);
    t.punti = 10;
    t.grassetto = true;
    t.x = 500;
    t.y = 2000;
    t.testo = riga;
    p.testi.append(t);
    return p;
}
