#include "ui/FrmAutore.h"

#include "ui/Accessibilita.h"
#include "ui/FinestraPiccola.h"

using namespace finestra_piccola;

frmAutore::frmAutore(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAutore"));
    Prepara(this, QStringLiteral("Autore"), 6975, 4395, tavolozza::SfondoFinestraPiccola);
    const Qt::Alignment sinistra = Qt::AlignLeft | Qt::AlignVCenter;
    Etichetta(this, QStringLiteral("Label1"), DaTwip(540, 465, 4320, 435), Arial(18), QColor(),
              sinistra, QStringLiteral("Sito dell'autore:"));
    Etichetta(this, QStringLiteral("Label2"), DaTwip(510, 945, 6345, 510), Arial(18, true),
              tavolozza::TestoEvidente, sinistra, QStringLiteral("www.decimetra.example.org"));
    Etichetta(this, QStringLiteral("Label3"), DaTwip(570, 1860, 1815, 435), Arial(18), QColor(),
              sinistra, QStringLiteral("Email:"));
    Etichetta(this, QStringLiteral("Label4"), DaTwip(525, 2310, 5820, 510), Arial(18, true),
              tavolozza::TestoEvidente, sinistra, QStringLiteral("info@decimetra.example.org"));
    Chiudi(this, DaTwip(1830, 3735, 2700, 525), Arial(12))->setFocus();
    // Said as it opens: its texts are labels, which a screen reader meets only one by one.
    accessibilita::Apertura(this, QStringLiteral("Sito dell'autore: www.decimetra.example.org. "
                                                 "Email: info@decimetra.example.org."));
}
