#include "drill/Lodi.h"

#include <algorithm>

const QStringList& Lodi::Elenco() {
    static const QStringList elenco{
        QStringLiteral("Bravo!"),      QStringLiteral("Esatto, ottimo!"),
        QStringLiteral("Molto bene!"), QStringLiteral("Perfetto!"),
        QStringLiteral("Bravissimo!"), QStringLiteral("Ottimo lavoro!"),
        QStringLiteral("Giusto!"),     QStringLiteral("Continua così!")};
    return elenco;
}

QString Lodi::Prossima(FonteCasuale& fonte) {
    const int n = static_cast<int>(Elenco().size());
    // Drawn among the others than the last one: the draw skips over it.
    const int scelte = ultima_ < 0 ? n : n - 1;
    int k = std::clamp(static_cast<int>(fonte.Rnd() * static_cast<float>(scelte)), 0, scelte - 1);
    if (ultima_ >= 0 && k >= ultima_) ++k;
    ultima_ = k;
    return Elenco()[k];
}

QString Lodi::FineSerie(int esatte, int esercizi) {
    const QString conto = esatte == 1 ? QStringLiteral("1 risposta esatta")
                                      : QStringLiteral("%1 risposte esatte").arg(esatte);
    QString chiusa;
    if (esercizi > 0 && esatte >= esercizi)
        chiusa = QStringLiteral("Perfetto!");
    else if (esatte * 10 >= esercizi * 8)
        chiusa = QStringLiteral("Ottimo lavoro!");
    else if (esatte * 2 >= esercizi)
        chiusa = QStringLiteral("Bravo!");
    else
        chiusa = QStringLiteral("Continua ad allenarti: migliorerai!");
    return QStringLiteral("Serie finita: %1 su %2. %3").arg(conto).arg(esercizi).arg(chiusa);
}
