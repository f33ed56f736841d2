#include "app/ParlaFuoco.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include "base/Servizi.h"
#include "ui/Accessibilita.h"

namespace {

// What of a window's opening text the voice has said.
const char* const ProprietaDetta = "aperturaDetta";

} // namespace

ParlaFuoco::ParlaFuoco(Voce& voce, std::function<bool(const QWidget*)> finestre, QObject* parent)
    : QObject(parent), voce_(voce), finestre_(std::move(finestre)) {
    // A direct connection: focusChanged is emitted while the focus moves.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* ora) { Fuoco(ora); });
    qApp->installEventFilter(this);
}

bool ParlaFuoco::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() != QEvent::WindowActivate || !oggetto->isWidgetType()) return false;
    auto* finestra = static_cast<QWidget*>(oggetto);
    if (!finestra->isWindow()) return false;
    // After the key that has the focus, which it cuts short; read then, once the window has
    // brought its text up to date.
    QTimer::singleShot(0, this, [this, finestra = QPointer<QWidget>(finestra)] {
        if (!finestra) return;
        const QString testo = accessibilita::TestoApertura(finestra);
        if (testo.isEmpty() || finestra->property(ProprietaDetta).toString() == testo) return;
        finestra->setProperty(ProprietaDetta, testo);
        voce_.Di(testo);
    });
    return false;
}

QString ParlaFuoco::Didascalia(const QAbstractButton* tasto) {
    return accessibilita::Didascalia(tasto);
}

void ParlaFuoco::Fuoco(QWidget* ora) {
    disconnect(eco_);
    if (auto* casella = qobject_cast<QLineEdit*>(ora); casella && finestre_(casella->window())) {
        voce_.Di(casella->accessibleName());
        eco_ = connect(casella, &QLineEdit::textEdited, this,
                       [this, casella, prima = casella->text()](const QString& testo) mutable {
                           // A character added is said; one taken away says nothing.
                           const int dopo = casella->cursorPosition();
                           if (testo.size() > prima.size() && dopo > 0)
                               voce_.Di(testo.mid(dopo - 1, 1));
                           prima = testo;
                       });
        return;
    }
    const auto* tasto = qobject_cast<const QAbstractButton*>(ora);
    if (!tasto || !finestre_(tasto->window())) return;
    const QString testo = Didascalia(tasto);
    // A key with nothing to say must not silence what is being said.
    if (!testo.isEmpty()) voce_.Di(testo);
}
