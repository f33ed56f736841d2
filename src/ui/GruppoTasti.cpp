#include "ui/GruppoTasti.h"

#include "ui/StileTasti.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/TastiTenuti.h"

namespace {

// The property of a key that names its group.
const char* const ProprietaGruppo = "gruppoTasti";

} // namespace

GruppoTasti::GruppoTasti(const QList<QPushButton*>& tasti, Azione azione, QObject* parent)
    : QObject(parent), azione_(std::move(azione)) {
    for (QPushButton* tasto : tasti) {
        tasti_.append(tasto);
        tasto->setCheckable(false);
        tasto->setAutoDefault(false);
        tasto->setDefault(false);
        tasto->setAutoRepeat(false);
        tasto->installEventFilter(this);
        tasto->setProperty(ProprietaGruppo, QVariant::fromValue<QObject*>(this));
        StileTasti::Segna(tasto);
        Colora(tasto, tasto->hasFocus() ? fuoco_ : riposo_);
    }
}

GruppoTasti::~GruppoTasti() {
    for (const QPointer<QObject>& tasto : std::as_const(tasti_))
        if (tasto && tasto->property(ProprietaGruppo).value<QObject*>() == this)
            tasto->setProperty(ProprietaGruppo, QVariant());
}

GruppoTasti* GruppoTasti::Di(const QObject* tasto) {
    return tasto ? qobject_cast<GruppoTasti*>(tasto->property(ProprietaGruppo).value<QObject*>())
                 : nullptr;
}

void GruppoTasti::ImpostaCifre(const QMap<int, int>& cifre, Cifra effetto) {
    cifre_ = cifre;
    effettoCifra_ = effetto;
}

void GruppoTasti::ImpostaTastoExtra(TastoExtra tastoExtra) {
    tastoExtra_ = std::move(tastoExtra);
}

void GruppoTasti::ImpostaColori(QColor fuoco, QColor riposo) {
    fuoco_ = fuoco;
    riposo_ = riposo;
    for (int i = 0; i < tasti_.size(); ++i)
        if (QPushButton* tasto = Tasto(i)) Colora(tasto, tasto->hasFocus() ? fuoco_ : riposo_);
}

int GruppoTasti::Indice(const QObject* tasto) const {
    for (int i = 0; i < tasti_.size(); ++i)
        if (tasti_.at(i).data() == tasto) return i;
    return -1;
}

QPushButton* GruppoTasti::Tasto(int indice) const {
    return qobject_cast<QPushButton*>(tasti_.value(indice).data());
}

int GruppoTasti::Successivo(int da) const {
    const int n = static_cast<int>(tasti_.size());
    for (int passo = 1; passo < n; ++passo) {
        const int i = ((da + passo) % n + n) % n;
        const QPushButton* tasto = Tasto(i);
        if (tasto && tasto->isEnabled() && !tasto->isHidden()) return i;
    }
    return -1;
}

void GruppoTasti::DaiFuoco(int indice) {
    QPushButton* tasto = Tasto(indice);
    if (tasto && tasto->isEnabled()) tasto->setFocus(Qt::OtherFocusReason);
}

void GruppoTasti::Premi(int indice) {
    QPushButton* tasto = Tasto(indice);
    if (!tasto || !azione_) return;
    if (Sopravvive(tasto, [&] { azione_(indice); })) tasto->setDown(false);
}

bool GruppoTasti::Sopravvive(QPushButton* tasto, const std::function<void()>& f) {
    QPointer<GruppoTasti> gruppo(this);
    QPointer<QObject> custodito(tasto);
    f();
    return gruppo && custodito;
}

void GruppoTasti::Colora(QPushButton* tasto, const QColor& colore) {
    QPalette tavolozza = tasto->palette();
    tavolozza.setColor(QPalette::All, QPalette::Button, colore);
    tasto->setPalette(tavolozza);
}

bool GruppoTasti::eventFilter(QObject* oggetto, QEvent* evento) {
    const int indice = Indice(oggetto);
    if (indice < 0) return QObject::eventFilter(oggetto, evento);
    QPushButton* tasto = Tasto(indice);
    if (!tasto) return QObject::eventFilter(oggetto, evento);

    switch (evento->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Every press of the button is a press: the second of two quick clicks arrives as a
        // double click. The focus has already moved to the key (Qt gives it before
        // delivering the press). A disabled key still sees presses through this filter (only
        // the button itself ignores them): it must not act.
        if (static_cast<QMouseEvent*>(evento)->button() != Qt::LeftButton || !tasto->isEnabled())
            return true;
        // Shown down while the button is held, so the pupil sees the press; the release, or
        // the focus moving to another key, sets it back. The action may have closed the
        // window, the key and this group with it.
        if (Sopravvive(tasto, [&] { Premi(indice); }) && tasto->hasFocus()) tasto->setDown(true);
        return true;
    }
    case QEvent::MouseButtonRelease:
        tasto->setDown(false);
        return true;
    case QEvent::KeyPress:
        return TastoPremuto(indice, static_cast<QKeyEvent*>(evento));
    case QEvent::KeyRelease: {
        const int codice = static_cast<QKeyEvent*>(evento)->key();
        // Releases of the keys the group handles must not reach QAbstractButton, which
        // would click on a released space bar.
        if (codice == Qt::Key_Space || codice == Qt::Key_Return || codice == Qt::Key_Enter ||
            codice == Qt::Key_Select || cifre_.contains(codice))
            return true;
        return false;
    }
    case QEvent::FocusIn:
        tasto->setDown(false);
        Colora(tasto, fuoco_);
        return false;
    case QEvent::FocusOut:
        tasto->setDown(false);
        Colora(tasto, riposo_);
        return false;
    default:
        return QObject::eventFilter(oggetto, evento);
    }
}

bool GruppoTasti::TastoPremuto(int indice, QKeyEvent* evento) {
    const int codice = evento->key();
    if (codice == Qt::Key_Tab || codice == Qt::Key_Backtab) return false;
    if (TastiTenuti::Istanza().Ripetizione(evento)) return true;

    if (codice == Qt::Key_Return || codice == Qt::Key_Enter) {
        Premi(indice);
        return true;
    }
    if (codice == Qt::Key_Space) {
        const int prossimo = Successivo(indice);
        if (prossimo >= 0) DaiFuoco(prossimo);
        return true;
    }
    if (const auto cifra = cifre_.constFind(codice); cifra != cifre_.cend()) {
        const int bersaglio = cifra.value();
        DaiFuoco(bersaglio);
        QPushButton* scelto = Tasto(bersaglio);
        if (effettoCifra_ == Cifra::Premi && scelto && scelto->isEnabled()) Premi(bersaglio);
        return true;
    }
    if (tastoExtra_) {
        Esito esito = Esito::Ingoiato;
        QPushButton* tasto = Tasto(indice);
        // A key whose window went away is consumed: nothing may deliver it further.
        if (!Sopravvive(tasto, [&] { esito = tastoExtra_(indice, evento); })) return true;
        tasto->setDown(false);
        return esito != Esito::Lasciato;
    }
    return true;
}
