#pragma once

// Keyboard habits shared by the main windows, attached once per window:
// - F10 opens the menu bar, as Alt does, so that its entries can be walked with the arrow
//   keys and chosen with Enter or their underlined letter;
// - whenever the window comes back to the front (a dialog or another window of the program
//   closed, the menu bar was left), the focus returns to the key that had it, or, when that
//   key can no longer take it, to the key the window names (the first enabled key of the
//   panel in front). Without this a window opened from the keyboard could leave no key with
//   the focus, and digits and Enter would do nothing until a click.

#include <QObject>
#include <QPointer>
#include <functional>

class QMainWindow;
class QPushButton;
class QWidget;

class TastieraFinestra : public QObject {
public:
    using PrimoTasto = std::function<QWidget*()>;

    TastieraFinestra(QMainWindow* finestra, PrimoTasto primoTasto);

    // Gives the focus back to a key when no usable key of the window has it.
    void RiportaFuoco();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void ApriMenu();
    bool Utilizzabile(const QWidget* w) const;

    QMainWindow* finestra_;
    PrimoTasto primoTasto_;
    QPointer<QPushButton> ultimoTasto_;
};
