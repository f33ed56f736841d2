// The unit-system file as anyone may leave it: whatever it holds, the system read is one of
// the twelve, and reading it again gives the same one (a bad file is replaced by a good one).

#include "CartellaFuzz.h"
#include "start/FileImpostazioni.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    const QString nome = CartellaFuzz() + QStringLiteral("/decimetra");
    ScriviIngresso(FileLivello(nome), dati, dimensione);

    StatoProgramma stato;
    stato.NomeProgramma = nome;
    LeggiLivelli(stato, nome);
    if (stato.Livello < 1 || stato.Livello > 12) std::abort();

    StatoProgramma ancora;
    ancora.NomeProgramma = nome;
    LeggiLivelli(ancora, nome);
    if (ancora.Livello != stato.Livello) std::abort();
    return 0;
}
