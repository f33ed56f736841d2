#pragma once

// Speaks the caption of a key when it takes the focus, by keyboard or by click (the mouse
// merely passing over a key moves no focus and says nothing), in the windows chosen. Said at
// once, inside the change of focus, so that whatever the window announces right after
// moving the focus replaces it. In every window, what the window says when it opens
// (accessibilita::Apertura) is said once it comes to the front, after its key. A text box
// of a window chosen says its name as it takes the focus, then each character typed in it.

#include <QMetaObject>
#include <QObject>
#include <functional>

class QAbstractButton;
class QWidget;
class Voce;

class ParlaFuoco : public QObject {
public:
    // finestre tells whether keys of a window (a top-level widget) are spoken.
    ParlaFuoco(Voce& voce, std::function<bool(const QWidget*)> finestre, QObject* parent = nullptr);

    // What a key says: its accessible name when it has one, else its caption without the
    // "&" that marks an access key.
    static QString Didascalia(const QAbstractButton* tasto);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void Fuoco(QWidget* ora);

    Voce& voce_;
    std::function<bool(const QWidget*)> finestre_;
    QMetaObject::Connection eco_; // the characters typed in the text box with the focus
};
