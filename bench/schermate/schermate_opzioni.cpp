// Grabs the options screen as a PNG file at one size, after a page colour, a text colour
// and a scan colour, "Minuscolo" and speech ("Attivata") have been chosen with the mouse.
//
//   schermate_opzioni FOLDER WIDTHxHEIGHT
//
// Runs offscreen too (QT_QPA_PLATFORM=offscreen). Nothing is stored: the screen works on a
// state of its own in a temporary folder.

#include "start/FrmOpzioni.h"
#include "ui/StileTasti.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    if (argc < 3) {
        std::fputs("schermate_opzioni FOLDER WIDTHxHEIGHT\n", stderr);
        return 2;
    }
    const QString cartella = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QList<QByteArray> lati = QByteArray(argv[2]).split('x');
    const QSize dimensione(lati.value(0).toInt(), lati.value(1).toInt());
    QDir().mkpath(cartella);
    QTemporaryDir lavoro;
    QDir::setCurrent(lavoro.path());

    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    FrmOpzioni w(stato, nullptr);
    w.show();
    w.resize(dimensione);
    if (!QTest::qWaitForWindowActive(&w)) return 1;
    for (const char* nome :
         {"Option1(6)", "Option27(10)", "Option17(7)", "Option9(1)", "Option11(0)"})
        if (auto* b = w.findChild<QAbstractButton*>(QLatin1String(nome)))
            QTest::mouseClick(b, Qt::LeftButton);
    QTest::qWait(100);
    const QString file = QStringLiteral("%1/opzioni_%2x%3.png")
                             .arg(cartella)
                             .arg(dimensione.width())
                             .arg(dimensione.height());
    w.grab().save(file);
    std::printf("%s %dx%d\n", qPrintable(file), w.width(), w.height());
    return 0;
}
