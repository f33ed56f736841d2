#include "base/Pagina.h"

#include <algorithm>

QStringList RigheDiTesto(const Pagina& pagina) {
    QList<TestoPagina> testi;
    for (const TestoPagina& t : pagina.testi)
        if (!t.testo.trimmed().isEmpty()) testi.append(t);
    std::stable_sort(testi.begin(), testi.end(), [](const TestoPagina& a, const TestoPagina& b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    QStringList righe;
    int y = 0;
    for (qsizetype i = 0; i < testi.size(); ++i) {
        const QString testo = testi[i].testo.simplified();
        if (i > 0 && testi[i].y == y)
            righe.last() += u' ' + testo;
        else
            righe.append(testo);
        y = testi[i].y;
    }
    return righe;
}
