#pragma once

// Scanning in one window, for a pupil who presses one switch (options "SCANSIONE",
// "Tempo"): the rules of base/Scansione move a highlight by themselves over the keys of the
// window that can act now, and the switch picks the key highlighted, as a press of it would.
//
// - The window lists its keys in groups, in the order a pupil reads them (ImpostaElenco);
//   the keys shown and enabled at each moment are scanned. Without a list, every push button
//   of the window is one group, in reading order (a message box).
// - The group scanned shows the light shade of "COLORE SCANSIONE", the key the switch would
//   pick the dark shade (StileTasti paints them).
// - The switch: the space bar, Enter (main or keypad) or any mouse button, anywhere in the
//   window but its menu bar. A held key acts once (TastiTenuti); other keys and the menus
//   keep working as usual.
// - After a pick, scanning starts again where the window says the pupil goes next
//   (ImpostaProssimo); by default on the key that has the focus then, since the windows move
//   the focus there.
// - With a voice (ImpostaVoce), each highlight is said: a key by its caption, a group by its
//   name or its keys' captions.
// - Only while scanning is on and the window is the active one is anything running: one
//   single-shot timer, due when the highlight moves next, and a filter of the application's
//   events that catches the switch. Off, or behind another window, nothing runs and no key
//   is painted; with scanning off the window behaves as if this object were not there.
// - The options are followed as they are stored (OpzioniCambiate), and read again each time
//   the window comes to the front, so that a choice made on the options screen holds at
//   once.

#include "base/Scansione.h"
#include "base/StatoProgramma.h"

#include <QColor>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class QAbstractButton;
class QWidget;
class Voce;

class ScansioneFinestra : public QObject {
    Q_OBJECT
public:
    // A group of keys as the window lists it; a name the voice says for it.
    struct Gruppo {
        QList<QAbstractButton*> tasti;
        QString nome;
    };
    using Elenco = std::function<QList<Gruppo>()>;

    // Where scanning starts again: key tasto, scanned inside its group, or (gruppo true) the
    // group of tasto, at the group level. No key: the default (the key with the focus).
    struct Prossimo {
        QAbstractButton* tasto = nullptr;
        bool gruppo = false;
    };
    // Asked after a pick (scelto: the key picked) and when scanning starts afresh (null).
    using RegolaProssimo = std::function<Prossimo(const QAbstractButton* scelto)>;

    // Scanning for finestra (its parent too), following the options of stato as they change.
    ScansioneFinestra(QWidget* finestra, const StatoProgramma& stato);
    ~ScansioneFinestra() override;

    void ImpostaElenco(Elenco elenco);
    void ImpostaProssimo(RegolaProssimo regola);
    void ImpostaVoce(Voce* voce) { voce_ = voce; }
    // Follows a new options record: on or off, step, shades.
    void ImpostaOpzioni(const Opzioni& opzioni);

    // The clock, in milliseconds; a monotonic clock of its own unless a test gives one.
    void ImpostaOrologio(std::function<std::int64_t()> orologio);
    std::int64_t Adesso() const;

    // Whether the highlight is running now: scanning on, the window active.
    bool Attiva() const { return attiva_; }
    const Scansione& Regole() const { return regole_; }
    // The key the switch would pick now; null when none.
    QAbstractButton* TastoEvidenziato() const;
    // The time the highlight was last shown anew, by Adesso().
    std::int64_t UltimoSpostamento() const { return ultimoSpostamento_; }
    // How many milliseconds after its due time the highlight last moved by itself; -1 when
    // it was last shown anew for another reason (a press, keys that changed, a pause).
    std::int64_t Ritardo() const { return ritardo_; }

    // What the timer does when the highlight is due: tests with a clock of their own call it.
    void Scatta();
    // What the switch does.
    void Interruttore();

signals:
    // The highlight was shown anew: moved, started again, or taken away.
    void Evidenziato();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    bool FiltraApplicazione(QObject* oggetto, QEvent* evento);
    // Starts or stops the highlight as the switch and the window's state say.
    void AggiornaAttivita();
    // The keys usable now, as the rules number them.
    Scansione::Gruppi Gruppi();
    // Where scanning starts again among gruppi, after scelto was picked (null: afresh).
    Scansione::Suggerimento Suggerimento(const Scansione::Gruppi& gruppi,
                                         const QAbstractButton* scelto);
    // Reads the keys again; when they changed, scanning starts again afresh. True then.
    bool Rileggi();
    void Mostra();
    void Pulisci();
    void Parla();
    void Programma();
    int Numero(QAbstractButton* tasto);
    QAbstractButton* Tasto(int numero) const;

    QWidget* finestra_;
    Elenco elenco_;
    RegolaProssimo prossimo_;
    Voce* voce_ = nullptr;
    const StatoProgramma& stato_;
    Scansione regole_;
    bool acceso_ = false;
    bool attiva_ = false;
    bool filtroApplicazione_ = false;
    QColor chiaro_, scuro_;
    QTimer timer_;
    QElapsedTimer cronometro_;
    std::function<std::int64_t()> orologio_;
    std::int64_t ultimoSpostamento_ = -1;
    std::int64_t ritardo_ = -1;
    // The keys met so far, numbered by their place here; and those painted now.
    QList<QPointer<QAbstractButton>> numerati_;
    QList<QPointer<QAbstractButton>> dipinti_;
    QList<QString> nomiGruppi_; // the names of the groups the rules scan, in their order
};
