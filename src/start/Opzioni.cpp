#include "start/Opzioni.h"

#include "start/FileImpostazioni.h"

#include <algorithm>
#include <optional>

namespace {

ColoreOpzione Riga(const char* nome, const char* scansione, std::int32_t pagina,
                   std::int32_t caratteri, std::int32_t chiara, std::int32_t scura) {
    return {
        QString::fromUtf8(nome), QString::fromUtf8(scansione), pagina, caratteri, chiara, scura};
}

void Annuncia(StatoProgramma& stato) {
    stato.OpzioniInVigore = true;
    if (stato.Segnali) emit stato.Segnali->OpzioniCambiate(stato.Impostazioni);
}

bool IndiciValidi(const Opzioni& o) {
    return IndiceColoreValido(o.IndiceSfondo) && IndiceColoreValido(o.IndiceCaratteri) &&
           IndiceColoreValido(o.IndiceScansione);
}

} // namespace

const std::array<ColoreOpzione, NumeroColori>& TabellaColori() {
    static const std::array<ColoreOpzione, NumeroColori> tabella{
        Riga("Bianco", "Da bianco chiaro a scuro", Rgb(255, 255, 255), Rgb(200, 200, 200),
             Rgb(255, 255, 255), Rgb(235, 235, 235)),
        Riga("Grigio", "Da grigio chiaro a scuro", Rgb(220, 220, 220), Rgb(150, 150, 150),
             Rgb(190, 190, 190), Rgb(150, 150, 150)),
        Riga("Giallo", "Da giallo chiaro a scuro", Rgb(255, 255, 190), Rgb(250, 255, 80),
             Rgb(255, 255, 120), Rgb(250, 255, 80)),
        Riga("Arancio", "Da arancio chiaro a scuro", Rgb(250, 220, 160), Rgb(255, 190, 110),
             Rgb(250, 210, 140), Rgb(255, 190, 110)),
        Riga("Fucsia", "Da fucsia chiaro a scuro", Rgb(255, 200, 255), Rgb(255, 130, 255),
             Rgb(255, 200, 255), Rgb(255, 50, 255)),
        Riga("Pervinca", "Da pervinca chiaro a scuro", Rgb(250, 210, 255), Rgb(200, 150, 255),
             Rgb(230, 180, 255), Rgb(200, 150, 255)),
        Riga("Azzurro", "Da azzurro chiaro a scuro", Rgb(180, 255, 255), Rgb(100, 255, 255),
             Rgb(100, 255, 255), Rgb(0, 210, 255)),
        Riga("Verde", "Da verde chiaro a scuro", Rgb(100, 255, 190), Rgb(100, 220, 150),
             Rgb(100, 220, 150), Rgb(100, 200, 150)),
        Riga("Nocciola", "Da nocciola chiaro a scuro", Rgb(255, 225, 120), Rgb(255, 200, 90),
             Rgb(255, 215, 10), Rgb(255, 200, 90)),
        Riga("Nero", "Da nero chiaro a scuro", Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(70, 70, 70),
             Rgb(0, 0, 0)),
        Riga("Rosso", "Da rosso chiaro a scuro", Rgb(255, 119, 136), Rgb(255, 0, 0),
             Rgb(255, 65, 83), Rgb(255, 0, 0)),
    };
    return tabella;
}

bool ScegliSfondo(StatoProgramma& stato, int indice) {
    if (!IndiceColoreValido(indice)) return false;
    stato.Impostazioni.ColoreSfondo = TabellaColori()[indice].Pagina;
    stato.Impostazioni.IndiceSfondo = static_cast<std::int16_t>(indice);
    return true;
}

bool ScegliCaratteri(StatoProgramma& stato, int indice) {
    if (!IndiceColoreValido(indice)) return false;
    stato.Impostazioni.ColoreCaratteri = QString::number(TabellaColori()[indice].Caratteri);
    stato.Impostazioni.IndiceCaratteri = static_cast<std::int16_t>(indice);
    return true;
}

bool ScegliScansione(StatoProgramma& stato, int indice) {
    if (!IndiceColoreValido(indice)) return false;
    const ColoreOpzione& riga = TabellaColori()[indice];
    stato.Impostazioni.ColoreScansione = riga.ScansioneChiara;
    stato.Impostazioni.ColoreScansioneScuro = QString::number(riga.ScansioneScura);
    stato.Impostazioni.IndiceScansione = static_cast<std::int16_t>(indice);
    return true;
}

bool ScegliBeep(StatoProgramma& stato, int indice) {
    if (indice < 0 || indice > 1) return false;
    stato.SceltaBeep = static_cast<std::int16_t>(indice);
    stato.Impostazioni.SuonoAttivo = indice == 0;
    return true;
}

bool ScegliTipoCaratteri(StatoProgramma& stato, int indice) {
    if (indice < 0 || indice > 1) return false;
    stato.Impostazioni.Maiuscolo = indice == 0;
    return true;
}

bool ScegliRinforzo(StatoProgramma& stato, int indice) {
    if (indice < 0 || indice > 1) return false;
    stato.Impostazioni.RinforzoSonoro = indice == 0;
    return true;
}

ScelteColori ScelteInVigore(const Opzioni& o) {
    const auto numero = [](const QString& testo) { return ColoreDaTesto(testo); };
    const auto& tabella = TabellaColori();
    ScelteColori scelte;
    if (IndiceColoreValido(o.IndiceSfondo) && tabella[o.IndiceSfondo].Pagina == o.ColoreSfondo)
        scelte.Sfondo = o.IndiceSfondo;
    if (IndiceColoreValido(o.IndiceCaratteri) &&
        numero(o.ColoreCaratteri) == tabella[o.IndiceCaratteri].Caratteri)
        scelte.Caratteri = o.IndiceCaratteri;
    if (IndiceColoreValido(o.IndiceScansione) &&
        tabella[o.IndiceScansione].ScansioneChiara == o.ColoreScansione &&
        numero(o.ColoreScansioneScuro) == tabella[o.IndiceScansione].ScansioneScura)
        scelte.Scansione = o.IndiceScansione;
    return scelte;
}

bool ScegliSintesiVocale(StatoProgramma& stato, int indice) {
    if (indice < 0 || indice > 1) return false;
    stato.Impostazioni.SintesiVocale = indice == 0;
    return true;
}

bool ScegliScansioneAttiva(StatoProgramma& stato, int indice) {
    if (indice < 0 || indice > 1) return false;
    stato.Impostazioni.Scansione = indice == 0;
    return true;
}

bool ScegliTempo(StatoProgramma& stato, int indice) {
    if (indice < 0 || indice >= NumeroTempi) return false;
    stato.Impostazioni.PassoScansione = static_cast<std::int16_t>((indice + 1) * 5);
    return true;
}

namespace {

// Tenths of a second as the screen writes them: "1", "1,5".
QString Secondi(int decimi) {
    return decimi % 10 == 0 ? QString::number(decimi / 10)
                            : QStringLiteral("%1,%2").arg(decimi / 10).arg(decimi % 10);
}

} // namespace

QStringList DidascalieTempo() {
    QStringList didascalie;
    for (int i = 0; i < NumeroTempi; ++i)
        didascalie << Secondi((i + 1) * 5) + QStringLiteral(" s");
    return didascalie;
}

QStringList TempiDetti() {
    QStringList detti;
    for (int i = 0; i < NumeroTempi; ++i)
        detti << Secondi((i + 1) * 5) +
                     (i == 1 ? QStringLiteral(" secondo") : QStringLiteral(" secondi"));
    return detti;
}

int IndiceTempo(int passo) {
    return std::clamp((passo + 2) / 5 - 1, 0, NumeroTempi - 1);
}

bool ApplicaOpzioni(StatoProgramma& stato) {
    // Checked first, so that a bad index never leaves half the record applied.
    if (!IndiciValidi(stato.Impostazioni)) return false;
    const Opzioni o = stato.Impostazioni;
    ScegliSfondo(stato, o.IndiceSfondo);
    ScegliCaratteri(stato, o.IndiceCaratteri);
    ScegliScansione(stato, o.IndiceScansione);
    ScegliBeep(stato, o.SuonoAttivo ? 0 : 1);
    return true;
}

bool LeggiEApplicaOpzioni(StatoProgramma& stato) {
    stato.OpzioniInVigore = LeggiOpzioni(stato) && ApplicaOpzioni(stato);
    if (!stato.OpzioniInVigore) stato.Impostazioni = Opzioni{};
    return stato.OpzioniInVigore;
}

bool ImpostazioniPredefinite(StatoProgramma& stato) {
    Opzioni& o = stato.Impostazioni;
    o.ColoreSfondo = Rgb(255, 200, 255);
    o.ColoreCaratteri = QString::number(Rgb(5, 5, 5));
    o.ColoreScansione = Rgb(255, 200, 255);
    o.ColoreScansioneScuro = QString::number(Rgb(255, 50, 255));
    o.IndiceSfondo = 4;
    o.IndiceCaratteri = 9;
    o.IndiceScansione = 4;
    ScegliBeep(stato, 0);
    const bool scritto = MemorizzaOpzioni(stato);
    ApplicaOpzioni(stato);
    Annuncia(stato);
    return scritto;
}

bool MemorizzaNuoveImpostazioni(StatoProgramma& stato) {
    // A record with a bad index would be refused at the next start: it is never written.
    if (!IndiciValidi(stato.Impostazioni)) return false;
    const bool scritto = MemorizzaOpzioni(stato);
    ApplicaOpzioni(stato);
    Annuncia(stato);
    return scritto;
}
