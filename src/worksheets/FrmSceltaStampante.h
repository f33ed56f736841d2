#pragma once

// The printer choice window "Form1": the installed printers in a list, the printer current
// when the window was loaded, and the one chosen since. The rules live in SceltaStampante.
//
// The window is loaded once and then shown again: "C H I U D I" (and Esc) only hide it, so a
// later opening finds the same list and labels; the close box unloads it, and the next
// opening loads it afresh. Carica gives the loaded window, or loads one; the caller shows it
// modeless (show) or modally (exec).

#include "worksheets/SceltaStampante.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class frmSceltaStampante : public QDialog {
    Q_OBJECT
public:
    // Client size in pixels (6000 x 3120 twips).
    static constexpr int Larghezza = 400;
    static constexpr int Altezza = 208;

    // The loaded window, or a new one with parent (it goes with its parent).
    static frmSceltaStampante* Carica(ServizioStampa& servizio, QWidget* parent = nullptr);
    // The loaded window; null when none is loaded.
    static frmSceltaStampante* Caricata();

    explicit frmSceltaStampante(ServizioStampa& servizio, QWidget* parent = nullptr);
    ~frmSceltaStampante() override;

    const SceltaStampante& Scelta() const { return scelta_; }

private:
    void Combo1Click(int indice);

    SceltaStampante scelta_;
    QComboBox* Combo1_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QPushButton* Command2_ = nullptr;
};
