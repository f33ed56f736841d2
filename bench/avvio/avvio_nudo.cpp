// A bare Qt Widgets program: Fusion style, one maximised main window with a four-entry menu
// bar and as many absolutely placed widgets as the start screen (labels, buttons, frames),
// reporting its first paint like the program does.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSoundEffect>
#include <QStyleFactory>

#include "MisuraAvvio.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Reference the sound and printing libraries so that they are loaded at start, as in the
    // program.
    const QMetaObject* volatile suono = &QSoundEffect::staticMetaObject;
    (void)suono;
    QList<QPrinterInfo> (*volatile stampanti)() = &QPrinterInfo::availablePrinters;
    (void)stampanti;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QMainWindow finestra;
    finestra.setWindowTitle(QStringLiteral("Nudo"));
    finestra.menuBar()->addAction(QStringLiteral("Uno"));
    finestra.menuBar()->addAction(QStringLiteral("Due"));
    QMenu* menu = finestra.menuBar()->addMenu(QStringLiteral("Tre"));
    for (int i = 0; i < 4; ++i)
        menu->addAction(QStringLiteral("Voce %1").arg(i));
    finestra.menuBar()->addAction(QStringLiteral("Quattro"));
    auto* client = new QWidget;
    finestra.setCentralWidget(client);
    QFont arial(QStringLiteral("Arial"), 14);
    arial.setBold(true);
    // 31 widgets, like the start screen: 6 frames, 10 labels, 12 buttons, 3 plain widgets.
    for (int i = 0; i < 6; ++i) {
        auto* f = new QFrame(client);
        f->setFrameShape(QFrame::Box);
        f->setGeometry(20 + 130 * i, 160, 120, 280);
    }
    for (int i = 0; i < 10; ++i) {
        auto* l = new QLabel(QStringLiteral("Etichetta %1").arg(i), client);
        l->setFont(arial);
        l->setGeometry(20 + 75 * i, 20 + 10 * (i % 3), 200, 30);
    }
    for (int i = 0; i < 12; ++i) {
        auto* b = new QPushButton(QStringLiteral("Tasto %1").arg(i), client);
        b->setFont(arial);
        b->setGeometry(30 + 130 * (i / 3) + 30 * (i % 2), 180 + 86 * (i % 3), 100, 70);
    }
    for (int i = 0; i < 3; ++i) {
        auto* w = new QWidget(client);
        w->setAutoFillBackground(true);
        w->setGeometry(20 + 250 * i, 460, 200, 60);
    }
    new MisuraAvvio(&finestra);
    finestra.showMaximized();
    return QApplication::exec();
}
