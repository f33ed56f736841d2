#pragma once

// The program's side of the register: every series that ends or is left goes into the
// register on a thread of its own, so that saving it (with its sync to disk) never holds up
// the next problem or a key; the name typed afterwards and the certificate's grade follow it
// there, in order. Nothing starts before the first series ends: no thread, no SQLite driver.
// When the register cannot take a series, the user is told once (CodaRegistro) and the
// series waits in memory for the next chance; what is waiting when the program ends is
// tried once more before it goes.

#include "registro/RegistroLocale.h"

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class Avvisi;
class CodaRegistro;

class RegistroProgramma : public QObject {
    Q_OBJECT
public:
    explicit RegistroProgramma(Avvisi& avvisi,
                               QString percorso = RegistroLocale::PercorsoPredefinito());
    // Waits for what is queued to be done.
    ~RegistroProgramma() override;

    void Registra(const RegistroSerie& serie);
    void ImpostaNome(const QUuid& id, const QString& nome);
    void ImpostaGiudizio(const QUuid& id, const QString& giudizio);
    // Blocks until everything queued so far has been tried (tests; the end of the program).
    void Attendi();
    // Whether the register's thread has started (the first series has ended).
    bool Avviato() const { return thread_.joinable(); }

    // The computer's name the series are stored under (the lab server's computer=), from
    // the next series on; the host name until then.
    void ImpostaComputer(const QString& nome);
    // Called on the register's thread after each series, name or grade is stored (the lab
    // server's sender is told then). Set before the first series ends.
    std::function<void()> DopoOgniLavoro;

private:
    void Accoda(std::function<void(CodaRegistro&)> lavoro);
    void Ciclo();
    void Avvisa(const QString& testo, bool errore);

    Avvisi& avvisi_;
    const QString percorso_;
    QString computer_;
    std::mutex mutex_;
    std::condition_variable cambiato_;
    std::deque<std::function<void(CodaRegistro&)>> lavori_;
    int inCorso_ = 0;
    bool fine_ = false;
    std::thread thread_;
};
