#pragma once

// The author window: where to reach the project. Shown modally at its design size
// (6975 x 4395 twips); "C h i u d i" closes it.

#include <QDialog>

class QLabel;
class QPushButton;

class frmAutore : public QDialog {
    Q_OBJECT
public:
    explicit frmAutore(QWidget* parent = nullptr);
};
