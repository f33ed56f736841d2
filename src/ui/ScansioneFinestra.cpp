#include "ui/ScansioneFinestra.h"

#include "base/Servizi.h"
#include "ui/Accessibilita.h"
#include "ui/GruppoTasti.h"
#include "ui/StileTasti.h"
#include "ui/TastiTenuti.h"
#include "ui/Tavolozza.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

// The keys a switch interface sends.
bool TastoInterruttore(const QKeyEvent* e) {
    return e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// A widget of the menu bar, where the mouse keeps its usual effect.
bool NelMenu(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (qobject_cast<const QMenuBar*>(w)) return true;
    return false;
}

} // namespace

ScansioneFinestra::ScansioneFinestra(QWidget* finestra, const StatoProgramma& stato)
    : QObject(finestra), finestra_(finestra), stato_(stato), timer_(this) {
    setObjectName(QStringLiteral("scansione"));
    timer_.setObjectName(QStringLiteral("timerScansione"));
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ScansioneFinestra::Scatta);
    cronometro_.start();
    finestra_->installEventFilter(this);
    if (stato.Segnali)
        connect(stato.Segnali.get(), &SegnaliImpostazioni::OpzioniCambiate, this,
                &ScansioneFinestra::ImpostaOpzioni);
    ImpostaOpzioni(stato.Impostazioni);
}

ScansioneFinestra::~ScansioneFinestra() {
    if (filtroApplicazione_) qApp->removeEventFilter(this);
    Pulisci();
}

void ScansioneFinestra::ImpostaElenco(Elenco elenco) {
    elenco_ = std::move(elenco);
}

void ScansioneFinestra::ImpostaProssimo(RegolaProssimo regola) {
    prossimo_ = std::move(regola);
}

void ScansioneFinestra::ImpostaOrologio(std::function<std::int64_t()> orologio) {
    orologio_ = std::move(orologio);
}

std::int64_t ScansioneFinestra::Adesso() const {
    return orologio_ ? orologio_() : cronometro_.elapsed();
}

void ScansioneFinestra::ImpostaOpzioni(const Opzioni& opzioni) {
    acceso_ = opzioni.Scansione;
    regole_.ImpostaPasso(Scansione::PassoDaDecimi(opzioni.PassoScansione));
    chiaro_ = tavolozza::Colore(opzioni.ColoreScansione);
    bool letto = false;
    const int scuro = opzioni.ColoreScansioneScuro.trimmed().toInt(&letto);
    scuro_ = tavolozza::Colore(letto ? scuro : Opzioni{}.ColoreScansioneScuro.toInt());
    if (attiva_) Mostra();
    AggiornaAttivita();
}

bool ScansioneFinestra::eventFilter(QObject* oggetto, QEvent* evento) {
    // While active this filters the application's events too (the window's own among them).
    if (filtroApplicazione_ && FiltraApplicazione(oggetto, evento)) return true;
    if (oggetto == finestra_) {
        switch (evento->type()) {
        case QEvent::WindowActivate:
            ImpostaOpzioni(stato_.Impostazioni);
            break;
        case QEvent::WindowDeactivate:
        case QEvent::Show:
        case QEvent::Hide:
            AggiornaAttivita();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(oggetto, evento);
}

bool ScansioneFinestra::FiltraApplicazione(QObject* oggetto, QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        break;
    default:
        return false;
    }
    if (oggetto->isWindowType()) {
        // The mouse is taken where the window system delivers it, before any widget sees it:
        // the press neither moves the focus nor reaches the key under the pointer.
        if (oggetto != finestra_->windowHandle() || evento->type() == QEvent::KeyPress ||
            evento->type() == QEvent::KeyRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        const QWidget* sotto =
            finestra_->childAt(finestra_->mapFromGlobal(mouse->globalPosition().toPoint()));
        if (NelMenu(sotto)) return false;
        if (evento->type() != QEvent::MouseButtonRelease) Interruttore();
        return true;
    }
    if (!oggetto->isWidgetType()) return false;
    const auto* w = static_cast<QWidget*>(oggetto);
    if (w->window() != finestra_) return false;
    switch (evento->type()) {
    case QEvent::KeyPress: {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        if (!TastoInterruttore(tasto)) return false;
        // A held switch acts once.
        if (!TastiTenuti::Istanza().Ripetizione(tasto)) Interruttore();
        return true;
    }
    case QEvent::KeyRelease: {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        if (!TastoInterruttore(tasto)) return false;
        // Stopped here, so that no button clicks on it; the held-key tracker must see it.
        TastiTenuti::Istanza().Rilascio(tasto);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Sent to a widget directly rather than through the window.
        if (NelMenu(w)) return false;
        Interruttore();
        return true;
    case QEvent::MouseButtonRelease:
        return !NelMenu(w);
    default:
        return false;
    }
}

void ScansioneFinestra::AggiornaAttivita() {
    const bool dovuta = acceso_ && finestra_->isVisible() && finestra_->isActiveWindow();
    if (dovuta == attiva_) return;
    attiva_ = dovuta;
    if (attiva_) {
        qApp->installEventFilter(this);
        filtroApplicazione_ = true;
        const std::int64_t adesso = Adesso();
        // The same keys: on from where it was, with a whole step; other keys: afresh.
        if (!Rileggi()) regole_.Riprendi(adesso);
        ultimoSpostamento_ = adesso;
        Mostra();
        Parla();
        Programma();
    } else {
        qApp->removeEventFilter(this);
        filtroApplicazione_ = false;
        timer_.stop();
        Pulisci();
    }
    ritardo_ = -1;
    emit Evidenziato();
}

Scansione::Gruppi ScansioneFinestra::Gruppi() {
    QList<Gruppo> elenco;
    if (elenco_) {
        elenco = elenco_();
    } else {
        // Every push button of the window, in reading order: by rows, then left to right.
        Gruppo tutti;
        for (QAbstractButton* b : finestra_->findChildren<QAbstractButton*>())
            if (!NelMenu(b)) tutti.tasti.append(b);
        std::stable_sort(tutti.tasti.begin(), tutti.tasti.end(),
                         [this](const QAbstractButton* a, const QAbstractButton* b) {
                             const QPoint pa = a->mapTo(finestra_, QPoint(0, 0));
                             const QPoint pb = b->mapTo(finestra_, QPoint(0, 0));
                             return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
                         });
        elenco.append(tutti);
    }
    Scansione::Gruppi gruppi;
    nomiGruppi_.clear();
    for (const Gruppo& gruppo : std::as_const(elenco)) {
        QList<int> numeri;
        for (QAbstractButton* b : gruppo.tasti)
            if (b && b->window() == finestra_ && b->isVisible() && b->isEnabled())
                numeri.append(Numero(b));
        if (numeri.isEmpty()) continue;
        gruppi.append(numeri);
        nomiGruppi_.append(gruppo.nome);
    }
    return gruppi;
}

Scansione::Suggerimento ScansioneFinestra::Suggerimento(const Scansione::Gruppi& gruppi,
                                                        const QAbstractButton* scelto) {
    Prossimo prossimo = prossimo_ ? prossimo_(scelto) : Prossimo{};
    if (!prossimo.tasto) {
        // Where the window has moved the focus: after a pick that key, afresh its group.
        prossimo.tasto = qobject_cast<QAbstractButton*>(finestra_->focusWidget());
        prossimo.gruppo = scelto == nullptr;
    }
    const int numero = static_cast<int>(numerati_.indexOf(prossimo.tasto));
    if (!prossimo.tasto || numero < 0) return {};
    if (!prossimo.gruppo) return Scansione::Suggerimento::Tasto(numero);
    for (int g = 0; g < gruppi.size(); ++g)
        if (gruppi[g].contains(numero)) return Scansione::Suggerimento::Gruppo(g);
    return {};
}

bool ScansioneFinestra::Rileggi() {
    const Scansione::Gruppi gruppi = Gruppi();
    return regole_.ImpostaGruppi(gruppi, Suggerimento(gruppi, nullptr), Adesso());
}

void ScansioneFinestra::Scatta() {
    if (!attiva_) return;
    const std::int64_t dovuta = regole_.Scadenza();
    const std::int64_t adesso = Adesso();
    bool mossa = Rileggi();
    ritardo_ = -1;
    if (!mossa && regole_.Avanza(adesso)) {
        mossa = true;
        ritardo_ = adesso - dovuta;
    }
    if (mossa) {
        ultimoSpostamento_ = adesso;
        Mostra();
        Parla();
        emit Evidenziato();
    }
    Programma();
}

void ScansioneFinestra::Interruttore() {
    if (!attiva_) return;
    const std::int64_t adesso = Adesso();
    // Keys that changed under the pupil's press: it is not taken for one of the new keys.
    if (Rileggi()) {
        ritardo_ = -1;
        ultimoSpostamento_ = adesso;
        Mostra();
        Parla();
        Programma();
        emit Evidenziato();
        return;
    }
    const Scansione::Scelta scelta = regole_.Premi(adesso);
    if (scelta.tipo == Scansione::Scelta::Tipo::Ignorata) return;
    if (scelta.tipo == Scansione::Scelta::Tipo::Tasto) {
        QAbstractButton* tasto = Tasto(scelta.tasto);
        if (!tasto) return;
        const QPointer<ScansioneFinestra> custode(this);
        const QPointer<QAbstractButton> scelto(tasto);
        if (GruppoTasti* gruppo = GruppoTasti::Di(tasto))
            gruppo->Premi(gruppo->Indice(tasto));
        else
            tasto->click();
        // The key may have closed the window, this object with it.
        if (!custode) return;
        const Scansione::Gruppi gruppi = Gruppi();
        const Scansione::Suggerimento dove = Suggerimento(gruppi, scelto ? scelto.data() : nullptr);
        const std::int64_t dopo = Adesso();
        if (!regole_.ImpostaGruppi(gruppi, dove, dopo)) regole_.Riparti(dove, dopo);
        if (!attiva_) return;
    }
    ritardo_ = -1;
    ultimoSpostamento_ = Adesso();
    Mostra();
    Parla();
    Programma();
    emit Evidenziato();
}

void ScansioneFinestra::Programma() {
    if (!attiva_) {
        timer_.stop();
        return;
    }
    const std::int64_t scadenza = regole_.Scadenza();
    // With no key to scan, the keys are looked at again a step later.
    const std::int64_t attesa = scadenza < 0 ? regole_.Passo() : scadenza - Adesso();
    timer_.start(static_cast<int>(std::clamp<std::int64_t>(attesa, 0, Scansione::PassoMassimo)));
}

void ScansioneFinestra::Mostra() {
    for (int i = 0; i < numerati_.size(); ++i) {
        QAbstractButton* b = numerati_[i];
        if (!b) continue;
        QColor colore;
        switch (regole_.EvidenzaDi(i)) {
        case Scansione::Evidenza::Nessuna:
            break;
        case Scansione::Evidenza::Chiara:
            colore = chiaro_;
            break;
        case Scansione::Evidenza::Scura:
            colore = scuro_;
            break;
        }
        StileTasti::Evidenzia(b, colore);
    }
}

void ScansioneFinestra::Pulisci() {
    for (const QPointer<QAbstractButton>& b : std::as_const(numerati_))
        if (b) StileTasti::Evidenzia(b, QColor());
}

void ScansioneFinestra::Parla() {
    if (!voce_ || regole_.LivelloAttuale() == Scansione::Livello::Ferma) return;
    if (const QAbstractButton* tasto = TastoEvidenziato()) {
        voce_->Di(accessibilita::Didascalia(tasto));
        return;
    }
    const int gruppo = regole_.GruppoEvidenziato();
    QString testo = nomiGruppi_.value(gruppo);
    if (testo.isEmpty()) {
        QStringList didascalie;
        for (int numero : regole_.Elenco().value(gruppo))
            if (const QAbstractButton* b = Tasto(numero))
                didascalie << accessibilita::Didascalia(b);
        testo = didascalie.join(QStringLiteral(", "));
    }
    voce_->Di(testo);
}

QAbstractButton* ScansioneFinestra::TastoEvidenziato() const {
    return attiva_ ? Tasto(regole_.TastoEvidenziato()) : nullptr;
}

int ScansioneFinestra::Numero(QAbstractButton* tasto) {
    const qsizetype i = numerati_.indexOf(tasto);
    if (i >= 0) return static_cast<int>(i);
    numerati_.append(tasto);
    return static_cast<int>(numerati_.size() - 1);
}

QAbstractButton* ScansioneFinestra::Tasto(int numero) const {
    return numero >= 0 && numero < numerati_.size() ? numerati_[numero].data() : nullptr;
}
