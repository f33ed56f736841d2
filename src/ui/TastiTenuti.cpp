#include "ui/TastiTenuti.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

// One key of the keyboard: its scan code where the platform gives one, so that a digit of
// the main block and of the numeric block stay apart; else its Qt key code.
quint32 Codice(const QKeyEvent* e) {
    return e->nativeScanCode() != 0 ? (e->nativeScanCode() | 0x80000000u)
                                    : static_cast<quint32>(e->key());
}

} // namespace

TastiTenuti::TastiTenuti() : QObject(QCoreApplication::instance()) {
    QCoreApplication::instance()->installEventFilter(this);
}

TastiTenuti& TastiTenuti::Istanza() {
    static QPointer<TastiTenuti> istanza; // cleared when its application deletes it
    if (!istanza) istanza = new TastiTenuti;
    return *istanza;
}

bool TastiTenuti::Ripetizione(const QKeyEvent* pressione) {
    Tasto& tasto = tasti_[Codice(pressione)];
    const quint64 istante = pressione->timestamp();
    const bool ripetuta =
        pressione->isAutoRepeat() || tasto.giu || (istante != 0 && istante == tasto.rilascio);
    tasto.giu = true;
    return ripetuta;
}

void TastiTenuti::Rilascio(const QKeyEvent* rilascio) {
    Tasto& tasto = tasti_[Codice(rilascio)];
    tasto.rilascio = rilascio->timestamp();
    if (!rilascio->isAutoRepeat()) tasto.giu = false;
}

bool TastiTenuti::eventFilter(QObject* oggetto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyRelease:
        // The same release may pass here once per widget it is offered to: recording it is
        // the same each time.
        Rilascio(static_cast<const QKeyEvent*>(evento));
        break;
    case QEvent::ApplicationDeactivate:
        // Keys released while another program has the keyboard are never seen here.
        tasti_.clear();
        break;
    default:
        break;
    }
    return QObject::eventFilter(oggetto, evento);
}
