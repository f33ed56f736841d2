#pragma once

// What the program does when started with options instead of for a pupil: "--help" prints
// how to start it, "--esporta-registro FILE.csv" writes the whole register for a
// spreadsheet and exits. Neither needs a display: only Qt Core is started.

#include <optional>

// The exit code when the command line asked for one of these (the program then ends);
// nullopt when the program is to start as usual.
std::optional<int> EseguiRigaComando(int argc, char* argv[]);
