#include "app/SuonoQt.h"

#include "ui/Risorse.h"

#include <QSoundEffect>
#include <QUrl>

SuonoQt::SuonoQt(QObject* parent) : QObject(parent), effetto_(new QSoundEffect(this)) {
    RegistraRisorse();
    // Loaded now, so the first right reply does not wait for the decoding.
    effetto_->setSource(QUrl(QString::fromLatin1(Risorsa)));
}

SuonoQt::~SuonoQt() = default;

bool SuonoQt::Pronto() const {
    return effetto_->status() == QSoundEffect::Ready;
}

void SuonoQt::SuonoEsatto() {
    ++suonati_;
    if (effetto_->status() == QSoundEffect::Error) return;
    effetto_->stop();
    effetto_->play();
}
