#include "ui/FrmIstruzioni.h"

#include "ui/Accessibilita.h"
#include "ui/FinestraPiccola.h"

using namespace finestra_piccola;

frmIstruzioni::frmIstruzioni(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmIstruzioni"));
    Prepara(this, QStringLiteral("ISTRUZIONI"), 11010, 6780, tavolozza::SfondoFinestraPiccola);
    QLabel* label5 = Etichetta(this, QStringLiteral("Label5"), DaTwip(180, 1650, 9495, 2205),
                               Arial(14.25, true), QColor(), Qt::AlignCenter,
                               QStringLiteral("Il programma prevede l'utilizzo del mouse"));
    label5->setWordWrap(true);
    Chiudi(this, DaTwip(3444, 5760, 3795, 675), Arial(24))->setFocus();
    // Said as it opens, with the key that has the focus.
    accessibilita::Apertura(this, label5->text() + u'.');
}
