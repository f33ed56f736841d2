#pragma once

// A group of push buttons that act as keys: the indexed "keys and choices" of every window.
//
// Behaviour of each key of the group (the buttons stay ordinary QPushButtons; the group
// watches them through an event filter):
// - A left mouse press (the second of two quick clicks arrives as a double click, and is a
//   press too), or Enter / Return / keypad Enter while the key has the focus, runs the action
//   with the key's index. A mouse release does nothing.
// - A key held down acts once: every press of a key is swallowed until that key has been
//   released (TastiTenuti tells the repeats).
// - The space bar moves the focus to the next enabled and visible key of the group,
//   wrapping from the last to the first.
// - Digit keys map to indices per group (ImpostaCifre): a mapped digit, on the main keyboard
//   or the keypad, moves the focus to that key, or presses it when the group is configured
//   so.
// - Any other key goes to the extra-key callback when one is set; without one, or when it
//   answers Ingoiato, the key is discarded. Tab and Backtab always pass, so focus navigation
//   between groups keeps working.
// - A key never stays pressed: it is shown down only while the mouse button holds it. It is
//   painted with the focus colour while it holds the focus and with the rest colour
//   otherwise. The keys are marked for StileTasti, which paints them flat in these colours,
//   without a focus frame.
//
// The action and the extra-key callback may close or destroy the window holding the group
// (and the group itself): after either returns, the group touches neither the key nor itself
// if they are gone. Closing the window with close() / deleteLater() is still the safer habit.
//
// Usage:
//     auto* tipi = new GruppoTasti({b0, b1, b2}, [this](int i) { ScegliTipo(i); }, this);
//     tipi->ImpostaCifre({{Qt::Key_1, 0}, {Qt::Key_2, 1}, {Qt::Key_3, 2}});

#include <QColor>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <functional>

#include "ui/Controlli.h"

class QKeyEvent;

class GruppoTasti : public QObject {
    Q_OBJECT
public:
    // Answer of the extra-key callback.
    enum class Esito {
        Gestito,  // the callback acted on the key; the key is consumed
        Ingoiato, // the key is consumed without effect
        Lasciato, // the key goes on to the button and its parents as usual
    };
    // What a mapped digit does.
    enum class Cifra {
        Fuoco, // moves the focus to the key
        Premi, // moves the focus to the key and presses it (the action runs)
    };

    using Azione = std::function<void(int indice)>;
    using TastoExtra = std::function<Esito(int indice, QKeyEvent* evento)>;

    // The keys in index order and the action run when one is pressed. Paints every key in the
    // rest colour (the focused one in the focus colour) and never lets it stay pressed.
    GruppoTasti(const QList<QPushButton*>& tasti, Azione azione, QObject* parent = nullptr);
    ~GruppoTasti() override;

    // The group a key belongs to; null when it is in none.
    static GruppoTasti* Di(const QObject* tasto);

    // Digit keys of the group: Qt key code (Qt::Key_1 ...) to index. The keypad digit with
    // the same code maps alike. Replaces any earlier map.
    void ImpostaCifre(const QMap<int, int>& cifre, Cifra effetto = Cifra::Fuoco);

    // Callback for keys the group does not handle itself (not Enter, Return, the space bar,
    // mapped digits, Tab, Backtab). Auto-repeated presses never reach it.
    void ImpostaTastoExtra(TastoExtra tastoExtra);

    // Focus and rest colours; repaints the keys.
    void ImpostaColori(QColor fuoco, QColor riposo);

    // Runs the action of key indice as a press would (the focus does not move).
    void Premi(int indice);

    // Gives the focus to key indice (nothing when it is disabled or out of range).
    void DaiFuoco(int indice);

    // The index of the next enabled and visible key after da, wrapping; -1 when none other.
    int Successivo(int da) const;

    qsizetype Conteggio() const { return tasti_.size(); }
    // The key at indice; null when out of range or destroyed (also while it is being destroyed).
    QPushButton* Tasto(int indice) const;
    // Index of a key of the group, or -1.
    int Indice(const QObject* tasto) const;

    QColor ColoreFuoco() const { return fuoco_; }
    QColor ColoreRiposo() const { return riposo_; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    bool TastoPremuto(int indice, QKeyEvent* evento);
    void Colora(QPushButton* tasto, const QColor& colore);
    // Runs f, then true when both the group and the key still exist.
    bool Sopravvive(QPushButton* tasto, const std::function<void()>& f);

    // Held as QObject so that a key in the middle of its destruction (which still sends
    // focus and hide events) is never treated as a push button.
    QList<QPointer<QObject>> tasti_;
    Azione azione_;
    TastoExtra tastoExtra_;
    QMap<int, int> cifre_;
    Cifra effettoCifra_ = Cifra::Fuoco;
    QColor fuoco_ = tavolozza::TastoFuoco;
    QColor riposo_ = tavolozza::TastoRiposo;
};
