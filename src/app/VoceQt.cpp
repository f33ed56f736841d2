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
    // pronta is called on this thread once the engine has started or failed to, unless the
    // voice has let go of the thread by then.
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
        if (ricevitore_ && !inViaggio_) {
            inViaggio_ = true;
            QMetaObject::invokeMethod(
                ricevitore_, [this] { Parla(); }, Qt::QueuedConnection);
        }
    }

protected:
    void run() override {
        std::unique_ptr<MotoreVoce> motore(Carica());
        if (motore && motore->Pronto()) motore_ = motore.get();
        QObject ricevitore;
        {
            QMutexLocker blocco(&mutex_);
            if (!congedato_) pronta_(motore_ != nullptr);
            ricevitore_ = &ricevitore;
        }
        Parla(); // what was asked while the engine was starting
        exec();
        {
            QMutexLocker blocco(&mutex_);
            ricevitore_ = nullptr;
        }
        motore_ = nullptr;
    }

private:
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

    // On this thread: says the last text handed over, if any.
    void Parla() {
        std::optional<QString> testo;
        {
            QMutexLocker blocco(&mutex_);
            inViaggio_ = false;
            testo = std::exchange(pendente_, std::nullopt);
        }
        if (testo && motore_) motore_->Di(*testo);
    }

    const QStringList cartelle_;
    const std::function<void(bool)> pronta_;
    MotoreVoce* motore_ = nullptr; // used on this thread only

    QMutex mutex_;
    QObject* ricevitore_ = nullptr;   // lives on this thread while its event loop runs
    std::optional<QString> pendente_; // the text to say next, if any
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

VoceQt::VoceQt(const StatoProgramma& stato, QStringList cartelle)
    : stato_(stato), cartelle_(std::move(cartelle)), attesaLode_(new QTimer(&contesto_)) {
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
    if (pronta_) {
        risposta(*pronta_);
        return;
    }
    attese_.push_back(std::move(risposta));
    Avvia();
}

void VoceQt::Risposta(bool pronta) {
    pronta_ = pronta;
    // Answers may ask again: the list is taken first.
    const auto attese = std::move(attese_);
    attese_.clear();
    for (const auto& risposta : attese)
        risposta(pronta);
}
