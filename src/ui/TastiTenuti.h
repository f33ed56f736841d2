#pragma once

// Tells a press of a key that is being held down from a new press, for the whole program.
//
// Qt marks the presses that a held key repeats (QKeyEvent::isAutoRepeat), but under X the
// server repeats a held key as release + press pairs that share one timestamp, and Qt only
// recognises a pair when the press is already queued behind the release: on a program that
// handles each event as it arrives (an idle one, or a busy one between two batches) many
// repeats come through unmarked. So a press counts as a repeat when Qt marks it, when the key
// is already down, or when it carries the very timestamp of that key's last release. The
// releases are watched application-wide, since a held key may go on repeating into a window
// that opened under it.

#include <QHash>
#include <QObject>

class QKeyEvent;

class TastiTenuti : public QObject {
public:
    // The application's tracker: made at first use, installed on the application object and
    // owned by it, so it goes with it; an application made after that one gets its own.
    static TastiTenuti& Istanza();

    // Whether a key press only repeats a key that has not been released. A press that is
    // not a repeat marks its key as down.
    bool Ripetizione(const QKeyEvent* pressione);
    // Records a key's release. Every release reaching the application is recorded by itself;
    // a filter that stops a release before it gets here hands it over.
    void Rilascio(const QKeyEvent* rilascio);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    TastiTenuti();
    struct Tasto {
        bool giu = false;
        quint64 rilascio = 0; // timestamp of the last release, 0 when none
    };
    QHash<quint32, Tasto> tasti_;
};
