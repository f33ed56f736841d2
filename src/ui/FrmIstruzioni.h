#pragma once

// The instructions window. Shown modally at its design size (11010 x 6780 twips);
// "C h i u d i" closes it.

#include <QDialog>

class frmIstruzioni : public QDialog {
    Q_OBJECT
public:
    explicit frmIstruzioni(QWidget* parent = nullptr);
};
