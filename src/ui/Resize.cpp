#include "ui/Resize.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QResizeEvent>

namespace {

bool ParteDiQt(const QObject* oggetto) {
    return oggetto->objectName().startsWith(QLatin1String("qt_"));
}

bool Linea(const QWidget* w) {
    const auto* cornice = qobject_cast<const QFrame*>(w);
    return cornice &&
           (cornice->frameShape() == QFrame::HLine || cornice->frameShape() == QFrame::VLine);
}

// Share of a length against the inner length, computed in double and kept as a float.
float Quota(int lunghezza, double interno) {
    return interno > 0 ? static_cast<float>(lunghezza / interno) : 0.0f;
}

// A share of the inner length, back to whole pixels.
int Misura(double interno, float quota) {
    return qRound(static_cast<float>(interno * static_cast<double>(quota)));
}

} // namespace

Proporzioni::Proporzioni(QObject* parent) : QObject(parent) {}

void Proporzioni::MemorizzaProporzioni(QWidget* client, QSize interno, int esclusioni) {
    if (client_) client_->removeEventFilter(this);
    voci_.clear();
    client_ = client;
    esclusioni_ = esclusioni;
    if (!client) return;
    if (!interno.isValid()) interno = client->size();
    Raccogli(client, interno.width(), interno.height());
    client->installEventFilter(this);
}

void Proporzioni::Raccogli(QWidget* contenitore, double larghezza, double altezza) {
    for (QObject* figlio : contenitore->children()) {
        auto* w = qobject_cast<QWidget*>(figlio);
        if (!w || w->isWindow() || ParteDiQt(w)) continue;
        if (!w->objectName().isEmpty()) {
            Voce voce;
            voce.controllo = w;
            const QRect g = w->geometry();
            voce.quote.Larghezza = Quota(g.width(), larghezza);
            voce.quote.Altezza = Quota(g.height(), altezza);
            voce.quote.Alto = Quota(g.y(), altezza);
            voce.quote.Sinistra = Quota(g.x(), larghezza);
            voce.lasciato = ((esclusioni_ & Linee) && Linea(w)) ||
                            ((esclusioni_ & CaselleCombinate) && qobject_cast<QComboBox*>(w));
            voci_.append(voce);
        }
        Raccogli(w, larghezza, altezza);
    }
}

void Proporzioni::ApplicaProporzioni(QSize interno) {
    if (!interno.isValid()) {
        if (!client_) return;
        interno = client_->size();
    }
    const double larghezza = interno.width();
    const double altezza = interno.height();
    for (const Voce& voce : std::as_const(voci_)) {
        if (!voce.controllo || voce.lasciato) continue;
        voce.controllo->setGeometry(
            Misura(larghezza, voce.quote.Sinistra), Misura(altezza, voce.quote.Alto),
            Misura(larghezza, voce.quote.Larghezza), Misura(altezza, voce.quote.Altezza));
    }
    if (DopoApplica) DopoApplica(interno);
}

Proporzione Proporzioni::QuoteDi(const QWidget* controllo) const {
    for (const Voce& voce : voci_)
        if (voce.controllo == controllo) return voce.quote;
    return {};
}

bool Proporzioni::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == client_ && evento->type() == QEvent::Resize)
        ApplicaProporzioni(static_cast<QResizeEvent*>(evento)->size());
    return QObject::eventFilter(oggetto, evento);
}
