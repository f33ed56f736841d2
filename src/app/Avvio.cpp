#include "app/Avvio.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <cstdio>
#include <memory>

#include "app/AvvisiQt.h"
#include "app/FonteCasualeSistema.h"
#include "app/OrologioSistema.h"
#include "app/ServizioStampaQt.h"
#include "app/SuonoQt.h"
#include "base/StatoProgramma.h"
#include "drill/FrmOperativo.h"
#include "start/FrmInizio.h"
#include "ui/Risorse.h"
#include "ui/StileTasti.h"
#include "worksheets/FrmStampaSchedeTreRidotto.h"

bool SchermoDisponibile() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return true;
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) return false;
    // ":N" or ":N.S" is a local server listening on /tmp/.X11-unix/XN; a display on another
    // host cannot be checked without connecting, so it is given the benefit of the doubt.
    if (!display.startsWith(QLatin1Char(':'))) return true;
    const QString numero = display.mid(1).section(QLatin1Char('.'), 0, 0);
    return QFile::exists(QStringLiteral("/tmp/.X11-unix/X") + numero);
}

int Avvia(int argc, char* argv[], const std::function<void(QMainWindow*)>& dopoCostruzione) {
    if (!SchermoDisponibile()) {
        std::fputs("Nessuno schermo disponibile: avviare il programma con  xvfb-run -a ", stderr);
        std::fputs(argc > 0 ? argv[0] : "decimetra", stderr);
        std::fputs("\nNo display available: run the program with  xvfb-run -a ", stderr);
        std::fputs(argc > 0 ? argv[0] : "decimetra", stderr);
        std::fputs("\n", stderr);
        return 1;
    }

    QApplication app(argc, argv);
    // Fusion, with the keys painted flat in their colours.
    QApplication::setStyle(new StileTasti);
    RegistraRisorse();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/decimetra.png")));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    StatoProgramma stato;
    stato.NomeProgramma = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();

    FonteCasualeSistema fonte;
    OrologioSistema orologio;
    AvvisiQt avvisi;
    // The run's one printer service, made before every window that prints and outliving them:
    // a printer chosen in one window holds for every print.
    ServizioStampaQt servizioStampa;
    // The sound player connects to the sound server and decodes the chime: made when the
    // first drill window opens, not while the start screen is coming up.
    std::unique_ptr<SuonoQt> suono;

    FrmInizio inizio(stato);
    inizio.ImpostaApriOperativo([&]() -> QWidget* {
        if (!suono) suono = std::make_unique<SuonoQt>();
        auto* operativo = new FrmOperativo(stato, fonte, orologio, *suono, &avvisi);
        operativo->setAttribute(Qt::WA_DeleteOnClose);
        return operativo;
    });
    inizio.ImpostaApriStampaSchede([&]() -> QWidget* {
        auto* schede = new FrmStampaSchedeTreRidotto(stato, servizioStampa, avvisi, fonte);
        schede->setAttribute(Qt::WA_DeleteOnClose);
        return schede;
    });
    if (dopoCostruzione) dopoCostruzione(&inizio);
    inizio.showMaximized();
    return QApplication::exec();
}
