#pragma once

// The right-answer chime played with QSoundEffect from the program's resources.
//
// Playing never blocks: QSoundEffect decodes and plays on its own. With no sound device or
// server it plays nothing and the call returns at once; a failure is silent. Whether the
// effect still reports itself as playing is never consulted (without a sound server it
// reports so for ever): every right reply restarts the chime.

#include "base/Servizi.h"

#include <QObject>

class QSoundEffect;

class SuonoQt : public QObject, public Suono {
    Q_OBJECT
public:
    // Resource 101 is played; 102 is an identical spare copy.
    static constexpr const char* Risorsa = "qrc:/suoni/101.wav";

    explicit SuonoQt(QObject* parent = nullptr);
    ~SuonoQt() override;

    void SuonoEsatto() override;

    // How many times the chime was started (for diagnostics and tests).
    int Suonati() const { return suonati_; }
    // Whether the sound has been read and decoded.
    bool Pronto() const;

private:
    QSoundEffect* effetto_ = nullptr;
    int suonati_ = 0;
};
