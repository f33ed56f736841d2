#pragma once

// The teacher's password before the register opens: set at the first opening (typed twice),
// asked at every later one. A wrong password keeps the box closed a moment longer each time
// (AttesaDopoErrori), counted for the whole run so that closing the box does not start over.

#include "registro/PasswordInsegnante.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class DlgPassword : public QDialog {
    Q_OBJECT
public:
    // salvata: the password saved; none: a new one is to be set.
    explicit DlgPassword(std::optional<PasswordSalvata> salvata, QWidget* parent = nullptr);

    // The new password once set (only when none was saved).
    const std::optional<PasswordSalvata>& Nuova() const { return nuova_; }
    // Wrong passwords in a row during this run.
    static int& Errori();

    QLineEdit* Casella() const { return txtPassword_; }
    QLineEdit* Ripeti() const { return txtRipeti_; }
    QLabel* Messaggio() const { return lblMessaggio_; }

private:
    void Conferma();
    void Attendi();

    std::optional<PasswordSalvata> salvata_, nuova_;
    QLineEdit* txtPassword_ = nullptr;
    QLineEdit* txtRipeti_ = nullptr;
    QLabel* lblMessaggio_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QTimer* attesa_ = nullptr;
};
