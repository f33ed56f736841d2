#include "app/RegistroProgramma.h"

#include "base/Servizi.h"
#include "registro/CodaRegistro.h"

RegistroProgramma::RegistroProgramma(Avvisi& avvisi, QString percorso)
    : avvisi_(avvisi), percorso_(std::move(percorso)), computer_(RegistroLocale::NomeComputer()) {}

RegistroProgramma::~RegistroProgramma() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard blocco(mutex_);
        fine_ = true;
    }
    cambiato_.notify_all();
    thread_.join();
}

void RegistroProgramma::Registra(const RegistroSerie& serie) {
    Accoda([serie](CodaRegistro& coda) { coda.Registra(serie); });
}

void RegistroProgramma::ImpostaNome(const QUuid& id, const QString& nome) {
    Accoda([id, nome](CodaRegistro& coda) { coda.ImpostaNome(id, nome); });
}

void RegistroProgramma::ImpostaGiudizio(const QUuid& id, const QString& giudizio) {
    Accoda([id, giudizio](CodaRegistro& coda) { coda.ImpostaGiudizio(id, giudizio); });
}

void RegistroProgramma::ImpostaComputer(const QString& nome) {
    // Before the first series the thread is not there (and is not started for this).
    if (!thread_.joinable()) {
        computer_ = nome;
        return;
    }
    Accoda([nome](CodaRegistro& coda) { coda.ImpostaComputer(nome); });
}

void RegistroProgramma::Accoda(std::function<void(CodaRegistro&)> lavoro) {
    {
        std::lock_guard blocco(mutex_);
        lavori_.push_back(std::move(lavoro));
    }
    if (!thread_.joinable()) thread_ = std::thread([this] { Ciclo(); });
    cambiato_.notify_all();
}

void RegistroProgramma::Attendi() {
    std::unique_lock blocco(mutex_);
    cambiato_.wait(blocco, [this] { return lavori_.empty() && inCorso_ == 0; });
}

void RegistroProgramma::Avvisa(const QString& testo, bool errore) {
    // Told on the windows' thread, whenever its event loop gets to it.
    QMetaObject::invokeMethod(
        this,
        [this, testo, errore] {
            if (errore)
                avvisi_.Errore(QStringLiteral("Registro"), testo);
            else
                avvisi_.Informa(QStringLiteral("Registro"), testo);
        },
        Qt::QueuedConnection);
}

void RegistroProgramma::Ciclo() {
    // The register and its connection belong to this thread.
    CodaRegistro coda(percorso_, computer_);
    coda.Avvisa = [this](const QString& testo) { Avvisa(testo, true); };
    coda.AvvisaMessoDaParte = [this](const QString& file) {
        Avvisa(QStringLiteral("Il registro era danneggiato: è stato messo da parte in\n%1\n"
                              "e ne è stato iniziato uno nuovo.")
                   .arg(file),
               false);
    };
    std::unique_lock blocco(mutex_);
    for (;;) {
        cambiato_.wait(blocco, [this] { return fine_ || !lavori_.empty(); });
        if (lavori_.empty()) break; // fine_, with nothing left
        auto lavoro = std::move(lavori_.front());
        lavori_.pop_front();
        ++inCorso_;
        blocco.unlock();
        lavoro(coda);
        if (DopoOgniLavoro) DopoOgniLavoro();
        blocco.lock();
        --inCorso_;
        cambiato_.notify_all();
    }
    blocco.unlock();
    // What still waits in memory gets a last chance.
    if (!coda.InAttesa().empty()) coda.Svuota();
}
