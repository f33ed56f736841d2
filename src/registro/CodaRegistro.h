#pragma once

// What the program does with each series that ends or is left: it goes into the register at
// once; when the register cannot take it (a full disk, a read-only folder, a link at the
// file's name...) the series is kept in memory, the user is told once why, and every later
// call tries again to store whatever is waiting, oldest first. A name or a grade given to a
// series still waiting is given to the copy in memory, so nothing is lost or mixed up.
//
// Not thread-safe: one thread uses it (the program's register thread).

#include "registro/RegistroLocale.h"

#include <functional>
#include <vector>

// The message shown once when a series cannot be stored.
QString MessaggioRegistroMancato(const EsitoRegistro& esito);

class CodaRegistro {
public:
    // The register is opened at the first series, not before.
    explicit CodaRegistro(QString percorso = RegistroLocale::PercorsoPredefinito(),
                          QString computer = RegistroLocale::NomeComputer());

    // Told "Non è stato possibile registrare la serie: …" at the first failure after a
    // success (or after the start), not again while the register stays out of reach.
    std::function<void(const QString&)> Avvisa;
    // Told where a damaged register was set aside, once.
    std::function<void(const QString&)> AvvisaMessoDaParte;

    // Stores serie (replacing an earlier record of the same id) with everything waiting.
    EsitoRegistro Registra(const RegistroSerie& serie);
    EsitoRegistro ImpostaNome(const QUuid& id, const QString& nome);
    EsitoRegistro ImpostaGiudizio(const QUuid& id, const QString& giudizio);
    // Tries again to store what is waiting.
    EsitoRegistro Svuota();
    // The computer's name for the series stored from now on.
    void ImpostaComputer(const QString& nome) { computer_ = nome; }

    // The series waiting in memory, oldest first.
    const std::vector<RegistroSerie>& InAttesa() const { return attesa_; }

private:
    EsitoRegistro Esito(EsitoRegistro esito);

    RegistroLocale registro_;
    QString computer_;
    std::vector<RegistroSerie> attesa_;
    bool avvisato_ = false;
};
