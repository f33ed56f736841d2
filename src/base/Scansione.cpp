#include "base/Scansione.h"

#include <algorithm>

Scansione::Scansione(std::int64_t passo) : passo_(std::clamp(passo, PassoMinimo, PassoMassimo)) {}

std::int64_t Scansione::PassoDaDecimi(int decimi) {
    return std::clamp(std::int64_t{decimi} * 100, PassoMinimo, PassoMassimo);
}

void Scansione::ImpostaPasso(std::int64_t millisecondi) {
    passo_ = std::clamp(millisecondi, PassoMinimo, PassoMassimo);
}

bool Scansione::ImpostaGruppi(const Gruppi& gruppi, Suggerimento suggerimento,
                              std::int64_t adesso) {
    Gruppi pieni;
    for (const QList<int>& gruppo : gruppi)
        if (!gruppo.isEmpty()) pieni.append(gruppo);
    if (pieni == gruppi_) return false;
    gruppi_ = std::move(pieni);
    Riparti(suggerimento, adesso);
    return true;
}

void Scansione::Riparti(Suggerimento suggerimento, std::int64_t adesso) {
    if (gruppi_.isEmpty()) {
        livello_ = Livello::Ferma;
        gruppo_ = posizione_ = -1;
        return;
    }
    if (suggerimento.tasto >= 0) {
        for (int g = 0; g < gruppi_.size(); ++g) {
            const int posizione = static_cast<int>(gruppi_[g].indexOf(suggerimento.tasto));
            if (posizione < 0) continue;
            // A key alone in its group is scanned as its group, among the others.
            if (gruppi_[g].size() == 1 && HaLivelloGruppi())
                SuiGruppi(g, adesso);
            else
                EntraInGruppo(g, posizione, adesso);
            return;
        }
    }
    const int gruppo =
        suggerimento.gruppo >= 0 && suggerimento.gruppo < gruppi_.size() ? suggerimento.gruppo : 0;
    if (HaLivelloGruppi())
        SuiGruppi(gruppo, adesso);
    else
        EntraInGruppo(0, 0, adesso);
}

void Scansione::Riprendi(std::int64_t adesso) {
    if (livello_ == Livello::Ferma) return;
    spostato_ = adesso;
    scadenza_ = adesso + passo_;
    passiNelGruppo_ = 1;
}

void Scansione::SuiGruppi(int gruppo, std::int64_t adesso) {
    livello_ = Livello::Gruppi;
    gruppo_ = gruppo;
    posizione_ = -1;
    passiNelGruppo_ = 0;
    spostato_ = adesso;
    scadenza_ = adesso + passo_;
}

void Scansione::EntraInGruppo(int gruppo, int posizione, std::int64_t adesso) {
    livello_ = Livello::Tasti;
    gruppo_ = gruppo;
    posizione_ = posizione;
    passiNelGruppo_ = 1;
    spostato_ = adesso;
    scadenza_ = adesso + passo_;
}

bool Scansione::Avanza(std::int64_t adesso) {
    if (livello_ == Livello::Ferma || adesso < scadenza_) return false;
    Sposta(adesso);
    return true;
}

void Scansione::Sposta(std::int64_t adesso) {
    // The next highlight is due a step after this one was; a step that came late gets a whole
    // step from now, so that no key is shown for less than a step.
    const std::int64_t dovuta = scadenza_;
    if (livello_ == Livello::Gruppi) {
        gruppo_ = (gruppo_ + 1) % static_cast<int>(gruppi_.size());
    } else {
        const int chiavi = static_cast<int>(gruppi_[gruppo_].size());
        if (HaLivelloGruppi() && passiNelGruppo_ >= GiriSilenziosi * chiavi) {
            livello_ = Livello::Gruppi;
            posizione_ = -1;
            passiNelGruppo_ = 0;
        } else {
            posizione_ = (posizione_ + 1) % chiavi;
            ++passiNelGruppo_;
        }
    }
    spostato_ = adesso;
    scadenza_ = dovuta + passo_ > adesso ? dovuta + passo_ : adesso + passo_;
}

std::int64_t Scansione::Scadenza() const {
    return livello_ == Livello::Ferma ? -1 : scadenza_;
}

Scansione::Scelta Scansione::Premi(std::int64_t adesso) {
    if (livello_ == Livello::Ferma || adesso - spostato_ < Rifiuto) return {};
    if (livello_ == Livello::Gruppi && gruppi_[gruppo_].size() > 1) {
        EntraInGruppo(gruppo_, 0, adesso);
        return {Scelta::Tipo::Gruppo, -1};
    }
    // The highlight stays on the key picked for a whole step, unless the window starts
    // again elsewhere; a second press as soon after is ignored like any other.
    const int tasto = TastoEvidenziato();
    spostato_ = adesso;
    scadenza_ = adesso + passo_;
    return {Scelta::Tipo::Tasto, tasto};
}

Scansione::Livello Scansione::LivelloAttuale() const {
    return livello_;
}

int Scansione::GruppoEvidenziato() const {
    return livello_ == Livello::Ferma ? -1 : gruppo_;
}

int Scansione::TastoEvidenziato() const {
    switch (livello_) {
    case Livello::Ferma:
        return -1;
    case Livello::Gruppi:
        return gruppi_[gruppo_].size() == 1 ? gruppi_[gruppo_].first() : -1;
    case Livello::Tasti:
        return gruppi_[gruppo_][posizione_];
    }
    return -1;
}

Scansione::Evidenza Scansione::EvidenzaDi(int tasto) const {
    if (livello_ == Livello::Ferma || !gruppi_[gruppo_].contains(tasto)) return Evidenza::Nessuna;
    return tasto == TastoEvidenziato() ? Evidenza::Scura : Evidenza::Chiara;
}
