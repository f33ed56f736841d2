// The options file as anyone may leave it: a record read is in range and, written back and
// read again, gives the same options; a record refused leaves every option at its default.

#include "CartellaFuzz.h"
#include "start/FileImpostazioni.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool Colore(std::int32_t c) {
    return c >= 0 && c <= 0xFFFFFF;
}
bool ColoreTesto(const QString& testo) {
    bool ok = false;
    const int c = testo.toInt(&ok);
    return ok && Colore(c);
}
bool Indice(std::int16_t i) {
    return i >= 0 && i <= 10;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
    StatoProgramma stato;
    stato.NomeProgramma = CartellaFuzz() + QStringLiteral("/decimetra");
    ScriviIngresso(FileOpzioni(stato.NomeProgramma), dati, dimensione);

    // Something else in the record beforehand, so that a refusal must put the defaults back.
    stato.Impostazioni.IndiceSfondo = 7;
    stato.Impostazioni.SuonoAttivo = false;
    if (!LeggiOpzioni(stato)) {
        if (!(stato.Impostazioni == Opzioni{})) std::abort();
        return 0;
    }
    const Opzioni& o = stato.Impostazioni;
    if (!Colore(o.ColoreSfondo) || !Colore(o.ColoreAusiliario) || !ColoreTesto(o.ColoreCaratteri) ||
        !Colore(o.ColoreScansione) || !ColoreTesto(o.ColoreScansioneScuro) ||
        !Indice(o.IndiceSfondo) || !Indice(o.IndiceScansione) || !Indice(o.IndiceCaratteri))
        std::abort();

    if (!MemorizzaOpzioni(stato)) std::abort();
    StatoProgramma riletto;
    riletto.NomeProgramma = stato.NomeProgramma;
    if (!LeggiOpzioni(riletto) || !(riletto.Impostazioni == stato.Impostazioni)) std::abort();
    return 0;
}
