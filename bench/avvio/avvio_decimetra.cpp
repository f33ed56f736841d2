// Decimetra's own start (same code as the program's main), reporting the first paint of the
// maximised start screen.
#include <QMainWindow>

#include "MisuraAvvio.h"
#include "app/Avvio.h"

int main(int argc, char* argv[]) {
    return Avvia(argc, argv, [](QMainWindow* inizio) { new MisuraAvvio(inizio); });
}
