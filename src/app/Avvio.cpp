#include "app/Avvio.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/ApriRegistro.h"
#include "app/AvvisiQt.h"
#include "app/FonteCasualeSistema.h"
#include "app/OrologioSistema.h"
#include "app/ParlaFuoco.h"
#include "app/RegistroProgramma.h"
#include "app/RigaComando.h"
#include "app/ServerLaboratorio.h"
#include "app/ServizioStampaQt.h"
#include "app/SuonoOpzioni.h"
#include "app/SuonoQt.h"
#include "app/VoceQt.h"
#include "base/StatoProgramma.h"
#include "drill/FrmOperativo.h"
#include "registro/RegistroLocale.h"
#include "results/FrmAttestato.h"
#include "results/FrmStampaEsercizioTre.h"
#include "start/FrmInizio.h"
#include "start/FrmOpzioni.h"
#include "ui/Accessibilita.h"
#include "ui/Risorse.h"
#include "ui/ScansioneFinestra.h"
#include "ui/StileTasti.h"
#include "worksheets/FrmSceltaStampante.h"
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

bool CaricaTraduzioniQt(QTranslator& traduzione) {
    if (!traduzione.load(QStringLiteral("qtbase_it"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&traduzione);
}

std::function<QWidget*()> FabbricaAttestato(StatoProgramma& stato, ServizioStampa& stampa,
                                            Avvisi& avvisi,
                                            std::function<void(const RegistroSerie&)> giudicata,
                                            Voce* voce) {
    return [&stato, &stampa, &avvisi, giudicata, voce]() -> QWidget* {
        auto* attestato = new FrmAttestato(stato, stampa, avvisi);
        // The certificate graded the series on record: its grade goes with it.
        if (giudicata) giudicata(stato.Registro);
        attestato->setAttribute(Qt::WA_DeleteOnClose);
        attestato->Scansione()->ImpostaVoce(voce);
        attestato->showMaximized();
        return attestato;
    };
}

int Avvia(int argc, char* argv[], const std::function<void(QMainWindow*)>& dopoCostruzione) {
    // "--help", "--esporta-registro FILE.csv": no window, no display needed.
    if (const std::optional<int> uscita = EseguiRigaComando(argc, argv)) return *uscita;

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
    accessibilita::Installa();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/decimetra.png")));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // Qt's own texts in Italian too; without the translations they stay English.
    QTranslator traduzioneQt;
    CaricaTraduzioniQt(traduzioneQt);

    StatoProgramma stato;
    stato.NomeProgramma = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();

    // The school lab's server, when a configuration file names one: read and started once
    // the start screen is up.
    ServerLaboratorio laboratorio;

    FonteCasualeSistema fonte;
    OrologioSistema orologio;
    AvvisiQt avvisi;
    // The sound player connects to the sound server and decodes the chime: made when the
    // first drill window opens, not while the start screen is coming up. The drill asks for
    // the sound through the options: the chime while "BEEP" is on, praise while "RINFORZO
    // SONORO" is, drawn from a source of their own so that the problems drawn stay the same.
    std::unique_ptr<SuonoQt> suono;
    std::unique_ptr<SuonoOpzioni> suonoOpzioni;
    FonteCasualeSistema fonteLodi;

    // The run's one voice, silent while "SINTESI VOCALE" is off: it reads the switch each
    // time it is asked to speak, and loads nothing of speech until then.
    VoceQt voce(stato, &avvisi);
    // Message boxes are scanned too, their keys said as they are highlighted.
    avvisi.ImpostaPreparazione([&stato, &voce](QMessageBox& messaggio) {
        (new ScansioneFinestra(&messaggio, stato))->ImpostaVoce(&voce);
    });
    // The start screen, the drill and the printout window say a key's caption as it takes
    // the focus.
    ParlaFuoco fuoco(voce, [](const QWidget* finestra) {
        return qobject_cast<const FrmInizio*>(finestra) ||
               qobject_cast<const FrmOperativo*>(finestra) ||
               qobject_cast<const FrmStampaEsercizioTre*>(finestra);
    });

    // The run's one printer service, made before every window that prints and outliving
    // them: the system default until a choice, and a printer chosen in one window holds for
    // every print of the run.
    ServizioStampaQt stampa;
    // The teacher's register: every series that ends or is left, with the name typed for it
    // and its certificate's grade. Started by the first series' end, not before. Windows
    // that outlive it (destroyed late) find it gone and tell it nothing.
    const auto registroSerie = std::make_shared<RegistroProgramma>(avvisi);
    const std::weak_ptr<RegistroProgramma> registroDebole = registroSerie;
    // Each series stored goes to the lab's server too, when there is one.
    registroSerie->DopoOgniLavoro = [&laboratorio] { laboratorio.SerieRegistrata(); };
    // The printout of the exercises done: one window at a time, brought to the front when
    // it is already open.
    QPointer<FrmStampaEsercizioTre> stampaEsercizi;
    const auto apriStampaEsercizi = [&](FrmOperativo* operativo) {
        if (!stampaEsercizi) {
            stampaEsercizi = new FrmStampaEsercizioTre(stato, stampa, avvisi);
            stampaEsercizi->setAttribute(Qt::WA_DeleteOnClose);
            stampaEsercizi->Scansione()->ImpostaVoce(&voce);
            stampaEsercizi->ImpostaApriAttestato(FabbricaAttestato(
                stato, stampa, avvisi,
                [registroDebole](const RegistroSerie& r) {
                    if (const auto registro = registroDebole.lock())
                        registro->ImpostaGiudizio(r.Id, r.Giudizio);
                },
                &voce));
            // A name typed for this series, never one typed for an earlier series.
            stampaEsercizi->ImpostaNomePreso([&stato, registroDebole](const QString& nome) {
                if (const auto registro = registroDebole.lock())
                    registro->ImpostaNome(stato.Registro.Id, nome);
            });
        }
        stampaEsercizi->ImpostaOperativo(operativo);
        if (!stampaEsercizi->isVisible() || stampaEsercizi->isMinimized())
            stampaEsercizi->showMaximized();
        stampaEsercizi->raise();
        stampaEsercizi->activateWindow();
    };

    FrmInizio inizio(stato);
    inizio.Scansione()->ImpostaVoce(&voce);
    inizio.ImpostaApriOperativo([&]() -> QWidget* {
        if (!suono) {
            suono = std::make_unique<SuonoQt>();
            suonoOpzioni = std::make_unique<SuonoOpzioni>(stato, *suono, voce, fonteLodi);
        }
        auto* operativo = new FrmOperativo(stato, fonte, orologio, *suonoOpzioni, &avvisi);
        operativo->setAttribute(Qt::WA_DeleteOnClose);
        operativo->ImpostaVoce(&voce);
        // Every series it ends or leaves goes into the register, off the keys' path.
        operativo->serie().ImpostaFineSerie([registroDebole](const RegistroSerie& r) {
            if (const auto registro = registroDebole.lock()) registro->Registra(r);
        });
        operativo->Scansione()->ImpostaVoce(&voce);
        operativo->ImpostaStampa(
            [&apriStampaEsercizi, operativo] { apriStampaEsercizi(operativo); });
        return operativo;
    });
    // "Opzioni": the options screen, maximised and modal over the start screen.
    inizio.ImpostaApriOpzioni([&] {
        auto* opzioni = new FrmOpzioni(stato, &avvisi);
        opzioni->setAttribute(Qt::WA_DeleteOnClose);
        opzioni->ImpostaVoce(&voce);
        opzioni->setWindowModality(Qt::ApplicationModal);
        opzioni->showMaximized();
    });
    inizio.ImpostaApriStampaSchede([&]() -> QWidget* {
        auto* schede = new FrmStampaSchedeTreRidotto(stato, stampa, avvisi, fonte);
        schede->setAttribute(Qt::WA_DeleteOnClose);
        // "Impostazione stampante": the printer choice, modal over the worksheet screen.
        schede->ImpostaSceltaStampante(
            [&stampa, schede] { frmSceltaStampante::Carica(stampa, schede)->exec(); });
        return schede;
    });
    // "Registro": the teacher's register, one window at a time.
    QPointer<QWidget> registro;
    inizio.ImpostaApriRegistro([&] {
        if (!registro) registro = ApriRegistro(stampa, avvisi, &inizio, laboratorio.PerRegistro());
        if (!registro) return;
        registro->raise();
        registro->activateWindow();
    });
    if (dopoCostruzione) dopoCostruzione(&inizio);
    inizio.showMaximized();
    QTimer::singleShot(0, &inizio, [&laboratorio, registroSerie] {
        laboratorio.Avvia(RegistroLocale::NomeComputer(), RegistroLocale::PercorsoPredefinito());
        // The register names this computer as the lab's configuration does.
        if (const auto& server = laboratorio.Configurazione().Server)
            registroSerie->ImpostaComputer(server->Computer);
    });
    const int codice = QApplication::exec();
    // A sender stuck on a server that does not answer is not waited for: what it was
    // sending waits in the local register for the next start.
    if (!laboratorio.Ferma(std::chrono::seconds(3))) {
        // Not before the register has stored what it was given.
        registroSerie->Attendi();
        std::fflush(nullptr);
        std::_Exit(codice);
    }
    return codice;
}
