// Grabs the start screen as PNG files at one size: the first choice (kinds), the order
// choice and the actions, each with the focus where the program puts it.
//
//   schermate_inizio FOLDER WIDTHxHEIGHT
//
// Runs offscreen too (QT_QPA_PLATFORM=offscreen). The settings files are read from, and
// written to, a temporary folder.

#include "start/FrmInizio.h"
#include "ui/StileTasti.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    if (argc < 3) {
        std::fputs("schermate_inizio FOLDER WIDTHxHEIGHT\n", stderr);
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
    FrmInizio w(stato);
    w.ImpostaApriOperativo([] { return nullptr; });
    w.show();
    w.resize(dimensione);
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    for (int attesa = 0; attesa < 100 && w.TendineInMovimento(); ++attesa)
        QTest::qWait(50);
    QTest::qWait(100);

    const auto foto = [&](const char* nome) {
        QTest::qWait(50);
        const QString file = QStringLiteral("%1/inizio_%2x%3_%4.png")
                                 .arg(cartella)
                                 .arg(dimensione.width())
                                 .arg(dimensione.height())
                                 .arg(QLatin1String(nome));
        w.grab().save(file);
        std::printf("%s %dx%d\n", qPrintable(file), w.width(), w.height());
    };
    const auto clic = [&](const char* nome) {
        if (auto* b = w.findChild<QPushButton*>(QLatin1String(nome)))
            QTest::mouseClick(b, Qt::LeftButton);
    };

    foto("1_tipi");
    clic("Option1(2)");
    foto("2_ordini");
    clic("Option2(1)");
    foto("3_azioni");
    return 0;
}
