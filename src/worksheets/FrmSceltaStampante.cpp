#include "worksheets/FrmSceltaStampante.h"

#include "ui/Controlli.h"
#include "ui/StileTasti.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

using namespace controlli;

namespace {

QPointer<frmSceltaStampante>& Caricato() {
    static QPointer<frmSceltaStampante> finestra;
    return finestra;
}

} // namespace

frmSceltaStampante* frmSceltaStampante::Carica(ServizioStampa& servizio, QWidget* parent) {
    if (!Caricato()) Caricato() = new frmSceltaStampante(servizio, parent);
    return Caricato();
}

frmSceltaStampante* frmSceltaStampante::Caricata() {
    return Caricato();
}

frmSceltaStampante::frmSceltaStampante(ServizioStampa& servizio, QWidget* parent)
    : QDialog(parent), scelta_(servizio) {
    setObjectName(QStringLiteral("frmSceltaStampante"));
    setWindowTitle(QStringLiteral("Form1"));
    // Its title says nothing to a screen reader's user: read by what it is.
    setAccessibleName(QStringLiteral("Scelta della stampante"));
    // The close box unloads the window; "C H I U D I" and Esc only hide it.
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Larghezza, Altezza);
    Colori(this, tavolozza::SfondoFinestraPiccola);

    Combo1_ = Crea<QComboBox>(this, QStringLiteral("Combo1"), DaTwip(300, 240, 5400, 390));
    Combo1_->setFont(Arial(11));
    Combo1_->addItems(scelta_.Voci());
    const Qt::Alignment sinistra = Qt::AlignLeft | Qt::AlignVCenter;
    Label1_ = Etichetta(this, QStringLiteral("Label1"), DaTwip(300, 780, 5400, 630), Arial(11),
                        QColor(), sinistra, scelta_.Label1());
    Label2_ = Etichetta(this, QStringLiteral("Label2"), DaTwip(300, 1500, 5400, 630),
                        Arial(11, true), tavolozza::TestoEvidente, sinistra);
    for (QLabel* l : {Label1_, Label2_})
        l->setWordWrap(true);
    Command2_ = Tasto(this, QStringLiteral("Command2"), QStringLiteral("C H I U D I"),
                      DaTwip(1800, 2370, 2400, 525), Arial(12));
    Colora(Command2_, QPalette::Button, tavolozza::TastoChiudi);
    StileTasti::Segna(Command2_); // flat, like every key of the program
    connect(Command2_, &QPushButton::clicked, this, &QWidget::hide);
    Combo1_->setAccessibleName(QStringLiteral("Scegli la stampante"));
    Combo1_->view()->setAccessibleName(QStringLiteral("Stampanti"));
    Command2_->setAccessibleName(QStringLiteral("Chiudi"));

    // The list opens on the entry in force; that selection is swallowed by PrimoClic.
    if (scelta_.VoceInVigore() >= 0) {
        Combo1_->setCurrentIndex(scelta_.VoceInVigore());
        Combo1Click(scelta_.VoceInVigore());
    }
    Label2_->setText(scelta_.Label2());
    // A choice from the list by mouse or keyboard, the entry already shown included.
    connect(Combo1_, &QComboBox::activated, this, &frmSceltaStampante::Combo1Click);
    Combo1_->setFocus();
}

frmSceltaStampante::~frmSceltaStampante() = default;

void frmSceltaStampante::Combo1Click(int indice) {
    if (const auto testo = scelta_.Selezione(indice)) Label2_->setText(*testo);
}
