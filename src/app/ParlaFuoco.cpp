#include "app/ParlaFuoco.h"

#include <QAbstractButton>
#include <QApplication>

#include "base/Servizi.h"
#include "ui/Accessibilita.h"

ParlaFuoco::ParlaFuoco(Voce& voce, std::function<bool(const QWidget*)> finestre, QObject* parent)
    : QObject(parent), voce_(voce), finestre_(std::move(finestre)) {
    // A direct connection: focusChanged is emitted while the focus moves.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* ora) { Fuoco(ora); });
}

QString ParlaFuoco::Didascalia(const QAbstractButton* tasto) {
    return accessibilita::Didascalia(tasto);
}

void ParlaFuoco::Fuoco(QWidget* ora) {
    const auto* tasto = qobject_cast<const QAbstractButton*>(ora);
    if (!tasto || !finestre_(tasto->window())) return;
    const QString testo = Didascalia(tasto);
    // A key with nothing to say must not silence what is being said.
    if (!testo.isEmpty()) voce_.Di(testo);
}
