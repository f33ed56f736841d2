#pragma once

// The program's start: checks that a display can be opened, builds the application (Fusion
// style with flat keys, icon, Italian locale), the program-wide state and the start screen,
// shows the start screen maximised and runs the event loop. Returns the program's exit code.
//
// dopoCostruzione, when given, is called with the start screen after it is built and before
// it is shown (the start-up measurement hooks itself in there).

#include <functional>

class Avvisi;
class QMainWindow;
class QWidget;
class ServizioStampa;
struct StatoProgramma;

int Avvia(int argc, char* argv[], const std::function<void(QMainWindow*)>& dopoCostruzione = {});

// True when a window system can be reached: a platform is forced through QT_QPA_PLATFORM, a
// Wayland display is named, or the X display named by DISPLAY is remote or has its socket.
bool SchermoDisponibile();

// Makes the certificate window over the program's state and services, deleted when it is
// closed, and shows it maximised: what the printout window's "ATTESTATO" calls.
std::function<QWidget*()> FabbricaAttestato(StatoProgramma& stato, ServizioStampa& stampa,
                                            Avvisi& avvisi);
