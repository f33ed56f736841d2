#pragma once

// The program's start: checks that a display can be opened, builds the application (Fusion
// style with flat keys, icon, Italian locale, Qt's Italian translations), the program-wide state
// and the start screen, shows the start screen maximised and runs the event loop. Returns the
// program's exit code.
//
// dopoCostruzione, when given, is called with the start screen after it is built and before
// it is shown (the start-up measurement hooks itself in there).

#include <functional>

class Avvisi;
class QMainWindow;
class QTranslator;
class QWidget;
class ServizioStampa;
struct RegistroSerie;
class Voce;
struct StatoProgramma;

int Avvia(int argc, char* argv[], const std::function<void(QMainWindow*)>& dopoCostruzione = {});

// True when a window system can be reached: a platform is forced through QT_QPA_PLATFORM, a
// Wayland display is named, or the X display named by DISPLAY is remote or has its socket.
bool SchermoDisponibile();

// Loads Qt's Italian translations (qtbase_it, from Qt's translations folder: Debian's
// qt6-translations-l10n) into traduzione and installs it in the running application, so
// that the toolkit's own texts (the file dialog, a text box's context menu, message box
// buttons) speak Italian like the program. False, and nothing installed, when they are
// missing. traduzione must outlive its use.
bool CaricaTraduzioniQt(QTranslator& traduzione);

// Makes the certificate window over the program's state and services, deleted when it is
// closed, and shows it maximised: what the printout window's "ATTESTATO" calls. giudicata,
// when given, is told the record of the series once the certificate has graded it; voce,
// when given, says the keys scanning highlights.
std::function<QWidget*()>
FabbricaAttestato(StatoProgramma& stato, ServizioStampa& stampa, Avvisi& avvisi,
                  std::function<void(const RegistroSerie&)> giudicata = {}, Voce* voce = nullptr);
