#include "app/VoceQt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QMutex>
#include <QThread>

#include <memory>
#include <optional>
#include <utility>

#include "app/MotoreVoce.h"
#include "base/StatoProgramma.h"

// The thread that owns the engine: loads the module, starts the engine, then says each text
// handed to it.
class VoceQt::Parlatore : public QThread {
public:
    // pronta is called on this thread with whether the engine can speak: once it has started
    // or failed to, after each question, and whenever a text finds that changed (the server
    // gone, or back); never once the voice has let go of the thread.
    Parlatore(QStringList cartelle, std::function<void(bool)> pronta)
        : cartelle_(std::move(cartelle)), pronta_(std::move(pronta)) {}

    // Called from the program's thread when the voice goes: nothing more is reported and the
    // event loop ends (at once, or as soon as it starts).
    void Congeda() {
        {
            QMutexLocker blocco(&mutex_);
            congedato_ = true;
        }
        quit();
    }

    // Called from the program's thread: the text to say next, replacing one not yet taken.
    void Consegna(const QString& testo) {
        QMutexLocker blocco(&mutex_);
        pendente_ = testo;
        Sveglia();
    }

    // Called from the program's thread: asks whether the engine can speak, connecting to the
    // server again if it had gone.
    void Chiedi() {
        QMutexLocker blocco(&mutex_);
        domanda_ = true;
        Sveglia();
    }

protected:
    void run() override {
        std::unique_ptr<MotoreVoce> motore(Carica());
        motore_ = motore.get();
        QObject ricevitore;
        {
            QMutexLocker blocco(&mutex_);
            domanda_ = false; // answered now
            ricevitore_ = &ricevitore;
        }
        Riferisci(true);
        Parla(); // what was asked while the engine was starting
        exec();
        {
            QMutexLocker blocco(&mutex_);
            ricevitore_ = nullptr;
        }
        motore_ = nullptr;
    }

private:
    // With the mutex held: a call of Parla on this thread, unless one is on its way.
    void Sveglia() {
        if (ricevitore_ && !inViaggio_) {
            inViaggio_ = true;
            QMetaObject::invokeMethod(
                ricevitore_, [this] { Parla(); }, Qt::QueuedConnection);
        }
    }

    // On this thread: reports whether the engine can speak, always or only when it changed.
    void Riferisci(bool sempre) {
        const bool pronto = motore_ && motore_->Pronto();
        if (!sempre && pronto == riferito_) return;
        riferito_ = pronto;
        QMutexLocker blocco(&mutex_);
        if (!congedato_) pronta_(pronto);
    }

    MotoreVoce* Carica() const {
        for (const QString& cartella : cartelle_) {
            const QString file = cartella + QLatin1Char('/') + FileModulo();
            if (!QFileInfo::exists(file)) continue;
            // Never unloaded: the engine's libraries may keep threads of their own.
            QLibrary modulo(file);
            if (!modulo.load()) {
                qWarning("Sintesi vocale: %s", qPrintable(modulo.errorString()));
                continue;
            }
            if (const auto crea =
                    reinterpret_cast<FabbricaMotoreVoce>(modulo.resolve(NomeCreaMotoreVoce)))
                return crea();
        }
        return nullptr;
    }

    // On this thread: answers a question, then says the last text handed over, if any.
    void Parla() {
        std::optional<QString> testo;
        bool domanda = false;
        {
            QMutexLocker blocco(&mutex_);
            inViaggio_ = false;
            testo = std::exchange(pendente_, std::nullopt);
            domanda = std::exchange(domanda_, false);
        }
        if (domanda) {
            if (motore_) motore_->Prova();
            Riferisci(true);
        }
        if (testo && motore_) {
            motore_->Di(*testo);
            Riferisci(false);
        }
    }

    const QStringList cartelle_;
    const std::function<void(bool)> pronta_;
    MotoreVoce* motore_ = nullptr; // used on this thread only
    bool riferito_ = false;        // what was last reported, on this thread

    QMutex mutex_;
    QObject* ricevitore_ = nullptr;   // lives on this thread while its event loop runs
    std::optional<QString> pendente_; // the text to say next, if any
    bool domanda_ = false;            // Chiedi was called and not answered yet
    bool inViaggio_ = false;          // a call of Parla is on its way
    bool congedato_ = false;
};

QString VoceQt::FileModulo() {
    return QStringLiteral(DECIMETRA_FILE_MODULO_VOCE);
}

QStringList VoceQt::CartelleModulo() {
    const QString programma = QCoreApplication::applicationDirPath();
    return {programma, programma + QLatin1String("/" DECIMETRA_CARTELLA_MODULI)};
}

VoceQt::VoceQt(const StatoProgramma& stato, Avvisi* avvisi, QStringList cartelle)
    : stato_(stato), avvisi_(avvisi), cartelle_(std::move(cartelle)),
      attesaLode_(new QTimer(&contesto_)) {
    attesaLode_->setSingleShot(true);
    attesaLode_->setInterval(AttesaLode);
    QObject::connect(attesaLode_, &QTimer::timeout, &contesto_, [this] { DiLode(); });
}

VoceQt::~VoceQt() {
    if (!parlatore_) return;
    parlatore_->Congeda();
    // A thread still starting the engine (a speech server that does not answer) must not
    // hold the program's end: it is left to the end of the process rather than waited for.
    if (parlatore_->wait(QDeadlineTimer(5000))) delete parlatore_;
}

void VoceQt::Avvia() {
    if (parlatore_) return;
    parlatore_ = new Parlatore(cartelle_, [this](bool pronta) {
        QMetaObject::invokeMethod(
            &contesto_, [this, pronta] { Risposta(pronta); }, Qt::QueuedConnection);
    });
    parlatore_->start(QThread::LowPriority);
}

void VoceQt::Di(const QString& testo) {
    if (!stato_.Impostazioni.SintesiVocale) {
        if (parlatore_ && !muta_) parlatore_->Consegna(QString());
        muta_ = true;
        return;
    }
    Avvia();
    if (!lode_.isEmpty() && !testo.isEmpty()) {
        // Praise of the same event goes out after the text; each later text until the wait
        // is over carries it too, since it cuts the one before short.
        parlatore_->Consegna(testo + QLatin1Char(' ') + lode_);
        lodeUnita_ = true;
    } else {
        parlatore_->Consegna(testo);
    }
    muta_ = testo.isEmpty();
}

void VoceQt::Loda(const QString& testo) {
    if (!stato_.Impostazioni.RinforzoSonoro || testo.isEmpty()) return;
    // Two praises of one moment (the last right reply, the end of the series) are said
    // together.
    lode_ = lode_.isEmpty() ? testo : lode_ + QLatin1Char(' ') + testo;
    lodeUnita_ = false;
    attesaLode_->start();
}

void VoceQt::DiLode() {
    const QString lode = std::exchange(lode_, {});
    if (lodeUnita_ || lode.isEmpty() || !stato_.Impostazioni.RinforzoSonoro) return;
    Avvia();
    // Said on its own: with speech off the voice does not count as speaking, so the next
    // text it is asked to leave unsaid does not cut the praise short.
    parlatore_->Consegna(lode);
}

void VoceQt::Disponibile(std::function<void(bool)> risposta) {
    if (pronta_.value_or(false)) {
        risposta(true);
        return;
    }
    // Not known yet, or not available last time: the server may have come since.
    attese_.push_back(std::move(risposta));
    Avvia();
    parlatore_->Chiedi();
}

void VoceQt::Risposta(bool pronta) {
    pronta_ = pronta;
    // Answers may ask again: the list is taken first.
    const auto attese = std::move(attese_);
    attese_.clear();
    if (!pronta && stato_.Impostazioni.SintesiVocale && !avvisato_) {
        // Told once in a run: by whoever asked, or here when a text could not be said.
        avvisato_ = true;
        if (attese.empty() && avvisi_)
            avvisi_->Informa(QStringLiteral("Sintesi vocale"), MessaggioNonDisponibile());
    }
    for (const auto& risposta : attese)
        risposta(pronta);
}

QString VoceQt::MessaggioNonDisponibile() {
    return QStringLiteral("La sintesi vocale non è disponibile su questo computer.");
}
