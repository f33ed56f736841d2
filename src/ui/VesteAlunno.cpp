#include "ui/VesteAlunno.h"

#include "ui/Controlli.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

VesteAlunno::VesteAlunno(const StatoProgramma& stato, QWidget* finestra)
    : QObject(finestra), stato_(stato), aspetto_(::Aspetto(stato)) {
    if (stato.Segnali)
        connect(stato.Segnali.get(), &SegnaliImpostazioni::OpzioniCambiate, this,
                [this](const Opzioni&) { Applica(); });
}

void VesteAlunno::Pagina(QWidget* w) {
    colori_.push_back({w, QPalette::Window, w->palette().color(QPalette::Window), true});
    colori_.push_back({w, QPalette::WindowText, w->palette().color(QPalette::WindowText), false});
    Colora(colori_[colori_.size() - 2]);
    Colora(colori_.back());
}

void VesteAlunno::Lettere(QWidget* w) {
    colori_.push_back({w, QPalette::WindowText, w->palette().color(QPalette::WindowText), false});
    Colora(colori_.back());
}

void VesteAlunno::Didascalia(QWidget* w) {
    testi_.push_back({w, TestoDi(w)});
    ImpostaTesto(w, Testo(testi_.back().progetto));
}

void VesteAlunno::Applica() {
    const AspettoAlunno nuovo = ::Aspetto(stato_);
    if (nuovo == aspetto_) return;
    aspetto_ = nuovo;
    for (const Colore& c : colori_)
        Colora(c);
    for (const Testo_& t : testi_)
        if (t.widget) ImpostaTesto(t.widget, Testo(t.progetto));
    if (DopoCambio) DopoCambio();
}

void VesteAlunno::Colora(const Colore& c) const {
    if (!c.widget) return;
    const QColor colore = !aspetto_.InVigore ? c.progetto
                          : c.pagina         ? tavolozza::Colore(aspetto_.Sfondo)
                                             : tavolozza::Colore(aspetto_.Caratteri);
    controlli::Colora(c.widget, c.ruolo, colore);
}

QString VesteAlunno::TestoDi(const QWidget* w) {
    if (const auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    return {};
}

void VesteAlunno::ImpostaTesto(QWidget* w, const QString& testo) {
    if (TestoDi(w) == testo) return;
    if (auto* l = qobject_cast<QLabel*>(w)) l->setText(testo);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(testo);
}
