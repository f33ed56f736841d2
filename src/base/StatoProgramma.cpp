#include "base/StatoProgramma.h"

#include <QRegularExpression>

QStringList TestiCatalogo::NomiUnita() const {
    // One entry of the line lacks its comma: blanks separate the names as well.
    static const QRegularExpression separatori(QStringLiteral("[\\s,]+"));
    return Label6[2].split(separatori, Qt::SkipEmptyParts);
}
