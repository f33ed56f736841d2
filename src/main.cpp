#include "app/Avvio.h"

int main(int argc, char* argv[]) {
    return Avvia(argc, argv);
}
