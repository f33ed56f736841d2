// The speech module: Qt TextToSpeech through speech-dispatcher, in Italian. Built as a module
// of its own and loaded by VoceQt only once speech is switched on, so that the program
// itself never links the speech libraries.

#include "app/MotoreVoce.h"

#include <QTextToSpeech>
#include <QVoice>

namespace {

class MotoreVoceQt : public MotoreVoce {
public:
    MotoreVoceQt() : sintesi_(QStringLiteral("speechd")) {
        // An Italian voice, of Italy when there is one. The engine's state is not asked
        // first: it starts in error when the computer's own language has no voice (a "C"
        // locale with only Italian voices installed), and choosing Italian clears it. With
        // no speech server there are no voices at all.
        QLocale italiano;
        bool trovato = false;
        for (const QLocale& lingua : sintesi_.availableLocales()) {
            if (lingua.language() != QLocale::Italian) continue;
            if (!trovato || lingua.territory() == QLocale::Italy) italiano = lingua;
            trovato = true;
        }
        if (!trovato) return;
        sintesi_.setLocale(italiano);
        QObject::connect(&sintesi_, &QTextToSpeech::stateChanged, [this](QTextToSpeech::State s) {
            if (s == QTextToSpeech::Ready || s == QTextToSpeech::Error) parlando_ = false;
        });
        pronto_ =
            sintesi_.locale().language() == QLocale::Italian && !sintesi_.voice().name().isEmpty();
    }

    bool Pronto() const override { return pronto_; }

    void Di(const QString& testo) override {
        if (!pronto_) return;
        // Stopped first while a text of ours may still be under way, even before the server
        // has reported its start: a new text would otherwise wait for it to end. Only then,
        // since stopping on speech-dispatcher silences every program's speech, a screen
        // reader's too.
        if (parlando_) sintesi_.stop();
        parlando_ = !testo.isEmpty();
        if (parlando_) sintesi_.say(testo);
    }

private:
    QTextToSpeech sintesi_;
    bool pronto_ = false;
    bool parlando_ = false; // a text said has not been reported ended or stopped
};

} // namespace

extern "C" Q_DECL_EXPORT MotoreVoce* CreaMotoreVoce() {
    return new MotoreVoceQt;
}
