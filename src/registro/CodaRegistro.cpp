#include "registro/CodaRegistro.h"

#include <algorithm>

QString MessaggioRegistroMancato(const EsitoRegistro& esito) {
    return QStringLiteral("Non è stato possibile registrare la serie: ") + CausaRegistro(esito) +
           QStringLiteral("\nLa serie resta in memoria e sarà registrata appena possibile.");
}

CodaRegistro::CodaRegistro(QString percorso, QString computer)
    : registro_(std::move(percorso)), computer_(std::move(computer)) {}

EsitoRegistro CodaRegistro::Registra(const RegistroSerie& serie) {
    const auto stessa = std::find_if(attesa_.begin(), attesa_.end(),
                                     [&](const RegistroSerie& s) { return s.Id == serie.Id; });
    if (stessa != attesa_.end()) {
        // The newer record keeps a name or a grade the waiting one was given.
        RegistroSerie nuova = serie;
        if (nuova.NomeAlunno.isEmpty()) nuova.NomeAlunno = stessa->NomeAlunno;
        if (nuova.Giudizio.isEmpty()) nuova.Giudizio = stessa->Giudizio;
        *stessa = std::move(nuova);
    } else {
        attesa_.push_back(serie);
    }
    return Svuota();
}

EsitoRegistro CodaRegistro::Svuota() {
    if (attesa_.empty()) return Esito({});
    // All in one transaction: each series is there whole, or it stays waiting.
    const EsitoRegistro esito = registro_.SalvaTutte(attesa_, computer_);
    if (esito.Riuscito()) attesa_.clear();
    return Esito(esito);
}

EsitoRegistro CodaRegistro::ImpostaNome(const QUuid& id, const QString& nome) {
    for (RegistroSerie& s : attesa_)
        if (s.Id == id) {
            s.NomeAlunno = nome;
            return Svuota();
        }
    if (const EsitoRegistro e = Svuota(); !e.Riuscito()) return e;
    return Esito(registro_.ImpostaNome(id, nome));
}

EsitoRegistro CodaRegistro::ImpostaGiudizio(const QUuid& id, const QString& giudizio) {
    for (RegistroSerie& s : attesa_)
        if (s.Id == id) {
            s.Giudizio = giudizio;
            return Svuota();
        }
    if (const EsitoRegistro e = Svuota(); !e.Riuscito()) return e;
    return Esito(registro_.ImpostaGiudizio(id, giudizio));
}

EsitoRegistro CodaRegistro::Esito(EsitoRegistro esito) {
    if (const QString altrove = registro_.FileMessoDaParte(); !altrove.isEmpty()) {
        if (AvvisaMessoDaParte) AvvisaMessoDaParte(altrove);
        registro_.Chiudi(); // so the same notice is not given twice
        registro_.Apri();
    }
    // An id no series has is not the register out of reach.
    const bool mancato = !esito.Riuscito() && esito.errore != ErroreRegistro::SerieAssente;
    if (mancato && !avvisato_) {
        avvisato_ = true;
        if (Avvisa) Avvisa(MessaggioRegistroMancato(esito));
    } else if (esito.Riuscito()) {
        avvisato_ = false;
    }
    return esito;
}
