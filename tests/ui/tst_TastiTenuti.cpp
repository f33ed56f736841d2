// The held-key tracker lives and dies with its application: a second application in the
// same process gets a tracker of its own, installed on it, that knows nothing of the keys of
// the first. Two applications one after the other need a main of their own.

#include "ui/TastiTenuti.h"

#include <QApplication>
#include <QKeyEvent>

#include <cstdio>

namespace {

bool Ripete(quint64 istante) {
    QKeyEvent premuto(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    premuto.setTimestamp(istante);
    return TastiTenuti::Istanza().Ripetizione(&premuto);
}

// Left down at the end, so that a tracker kept from this application would call the next
// application's first press of the key a repeat.
const char* Prova(QApplication& app) {
    if (Ripete(100)) return "the first press is a repeat";
    QKeyEvent rilascio(QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    rilascio.setTimestamp(200);
    QApplication::sendEvent(&app, &rilascio); // seen by the tracker if it is installed
    if (!Ripete(200)) return "a press sharing its release's time is not a repeat";
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    for (int volta = 1; volta <= 2; ++volta) {
        QApplication app(argc, argv);
        if (const char* errore = Prova(app)) {
            std::fprintf(stderr, "FAIL: application %d: %s\n", volta, errore);
            return 1;
        }
    }
    std::puts("PASS: two applications, one tracker each");
    return 0;
}
