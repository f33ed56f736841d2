#include "ui/TastieraFinestra.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

TastieraFinestra::TastieraFinestra(QMainWindow* finestra, PrimoTasto primoTasto)
    : QObject(finestra), finestra_(finestra), primoTasto_(std::move(primoTasto)) {
    finestra->installEventFilter(this);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), finestra);
    connect(f10, &QShortcut::activated, this, &TastieraFinestra::ApriMenu);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ora) {
        auto* tasto = qobject_cast<QPushButton*>(ora);
        if (tasto && tasto->window() == finestra_) ultimoTasto_ = tasto;
    });
}

bool TastieraFinestra::Utilizzabile(const QWidget* w) const {
    return w && w->window() == finestra_ && w->isEnabled() && w->isVisible() &&
           w->focusPolicy() != Qt::NoFocus;
}

void TastieraFinestra::RiportaFuoco() {
    if (!finestra_->isActiveWindow()) return;
    const QWidget* fuoco = QApplication::focusWidget();
    // A key, a text box or the menu bar in use keeps the focus it has.
    if (Utilizzabile(fuoco) && qobject_cast<const QMenuBar*>(fuoco) == nullptr) return;
    if (finestra_->menuBar()->activeAction()) return;
    QWidget* bersaglio = ultimoTasto_;
    if (!Utilizzabile(bersaglio) && primoTasto_) bersaglio = primoTasto_();
    if (Utilizzabile(bersaglio)) bersaglio->setFocus(Qt::ActiveWindowFocusReason);
}

void TastieraFinestra::ApriMenu() {
    // The menu bar enters its keyboard mode on a lone Alt pressed and released: the events
    // of that Alt, sent where the keyboard's events go.
    QWidget* bersaglio = QApplication::focusWidget();
    if (!bersaglio || bersaglio->window() != finestra_) bersaglio = finestra_;
    QKeyEvent scelta(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(bersaglio, &scelta);
    QKeyEvent pressione(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(bersaglio, &pressione);
    QKeyEvent rilascio(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(bersaglio, &rilascio);
}

bool TastieraFinestra::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == finestra_ && evento->type() == QEvent::WindowActivate) {
        // After the activation has settled: Qt and the menu bar move the focus themselves.
        QTimer::singleShot(0, this, &TastieraFinestra::RiportaFuoco);
    }
    return QObject::eventFilter(oggetto, evento);
}
