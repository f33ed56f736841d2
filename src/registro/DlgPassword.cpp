#include "registro/DlgPassword.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int LunghezzaMinima = 4;
}

int& DlgPassword::Errori() {
    static int errori = 0;
    return errori;
}

DlgPassword::DlgPassword(std::optional<PasswordSalvata> salvata, QWidget* parent)
    : QDialog(parent), salvata_(std::move(salvata)) {
    setObjectName(QStringLiteral("DlgPassword"));
    setWindowTitle(QStringLiteral("Registro: password dell'insegnante"));
    auto* colonna = new QVBoxLayout(this);
    auto* spiegazione =
        new QLabel(salvata_ ? QStringLiteral("Il registro è riservato all'insegnante.")
                            : QStringLiteral("Prima apertura del registro: scegli la "
                                             "password dell'insegnante (almeno %1 "
                                             "caratteri).")
                                  .arg(LunghezzaMinima),
                   this);
    spiegazione->setWordWrap(true);
    colonna->addWidget(spiegazione);
    auto* modulo = new QFormLayout;
    txtPassword_ = new QLineEdit(this);
    txtPassword_->setObjectName(QStringLiteral("txtPassword"));
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtPassword_->setAccessibleName(salvata_ ? QStringLiteral("Password dell'insegnante")
                                             : QStringLiteral("Nuova password dell'insegnante"));
    modulo->addRow(salvata_ ? QStringLiteral("&Password:") : QStringLiteral("&Nuova password:"),
                   txtPassword_);
    if (!salvata_) {
        txtRipeti_ = new QLineEdit(this);
        txtRipeti_->setObjectName(QStringLiteral("txtRipeti"));
        txtRipeti_->setEchoMode(QLineEdit::Password);
        txtRipeti_->setAccessibleName(QStringLiteral("Ripeti la password"));
        modulo->addRow(QStringLiteral("&Ripeti:"), txtRipeti_);
    }
    colonna->addLayout(modulo);
    lblMessaggio_ = new QLabel(this);
    lblMessaggio_->setObjectName(QStringLiteral("lblMessaggio"));
    lblMessaggio_->setWordWrap(true);
    colonna->addWidget(lblMessaggio_);
    auto* tasti = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOk_ = tasti->button(QDialogButtonBox::Ok);
    cmdOk_->setText(QStringLiteral("Apri il registro"));
    tasti->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    colonna->addWidget(tasti);
    connect(tasti, &QDialogButtonBox::accepted, this, &DlgPassword::Conferma);
    connect(tasti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    attesa_ = new QTimer(this);
    attesa_->setSingleShot(true);
    connect(attesa_, &QTimer::timeout, this, [this] {
        txtPassword_->setEnabled(true);
        cmdOk_->setEnabled(true);
        lblMessaggio_->setText(QStringLiteral("Password sbagliata. Riprova."));
        txtPassword_->setFocus();
    });
    resize(420, sizeHint().height());
    if (salvata_ && Errori() > 0) Attendi();
}

void DlgPassword::Attendi() {
    const int ms = AttesaDopoErrori(Errori());
    txtPassword_->clear();
    txtPassword_->setEnabled(false);
    cmdOk_->setEnabled(false);
    lblMessaggio_->setText(
        QStringLiteral("Password sbagliata. Attendi %1 secondi.").arg((ms + 999) / 1000));
    attesa_->start(ms);
}

void DlgPassword::Conferma() {
    if (!cmdOk_->isEnabled()) return;
    const QString scritta = txtPassword_->text();
    if (!salvata_) {
        if (scritta.size() < LunghezzaMinima) {
            lblMessaggio_->setText(
                QStringLiteral("La password deve avere almeno %1 caratteri.").arg(LunghezzaMinima));
            return;
        }
        if (scritta != txtRipeti_->text()) {
            lblMessaggio_->setText(QStringLiteral("Le due password sono diverse."));
            txtRipeti_->clear();
            txtRipeti_->setFocus();
            return;
        }
        nuova_ = NuovaPassword(scritta);
        accept();
        return;
    }
    if (PasswordGiusta(*salvata_, scritta)) {
        Errori() = 0;
        accept();
        return;
    }
    ++Errori();
    Attendi();
}
