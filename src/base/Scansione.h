#pragma once

// Scanning for a pupil who presses one switch instead of using a keyboard or a mouse: the
// highlight moves by itself, one step at a time, over the keys that can act now, and the
// switch picks what is highlighted. The rules without widgets: a window tells which keys
// there are, in groups and in reading order, and shows the highlight; time comes from
// outside (milliseconds of a monotonic clock), so the rules run the same under a test's
// clock.
//
// - Group level: where a window has several groups (the start screen's panels, the keypad's
//   rows) the highlight steps from group to group, wrapping. The switch enters the group
//   highlighted; a group of a single key is that key, and the switch picks it at once.
// - Key level: the highlight steps over the keys of the group, wrapping; the switch picks the
//   key. After two rounds of the group with no press, the highlight goes back up to the group
//   level, on the same group. With a single group there is nothing above: the keys are
//   scanned for as long as they are there.
// - A press less than Rifiuto milliseconds after the highlight moved is ignored: a pupil's
//   late press must not pick the key that has just come up.
// - After a key is picked the window says where scanning starts again (Riparti): a key, scanned
//   inside its group, or a group, scanned at the group level.
// - Each highlight lasts one step; a step that comes late is not made up by skipping keys, the
//   next one is a whole step after it.

#include <QList>
#include <cstdint>

class Scansione {
public:
    // A press this soon after the highlight moved is ignored (milliseconds).
    static constexpr std::int64_t Rifiuto = 300;
    // Rounds of a group with no press before going back up a level.
    static constexpr int GiriSilenziosi = 2;
    // The step in milliseconds is kept within these limits (0,5 to 5 seconds).
    static constexpr std::int64_t PassoMinimo = 500;
    static constexpr std::int64_t PassoMassimo = 5000;

    // The keys, identified by numbers the window chooses, group by group in reading order.
    using Gruppi = QList<QList<int>>;

    enum class Livello {
        Ferma,  // there is no key to scan
        Gruppi, // the highlight steps over the groups
        Tasti,  // the highlight steps over the keys of one group
    };
    // How a key is shown: not highlighted, in the light shade (its group is scanned) or in the
    // dark one (the switch would pick it now).
    enum class Evidenza { Nessuna, Chiara, Scura };

    // Where scanning starts: a key (scanned inside its group), else a group (at the group
    // level), else the first group.
    struct Suggerimento {
        int tasto = -1;
        int gruppo = -1;
        static Suggerimento Tasto(int tasto) { return {tasto, -1}; }
        static Suggerimento Gruppo(int gruppo) { return {-1, gruppo}; }
    };

    // What a press did.
    struct Scelta {
        enum class Tipo {
            Ignorata, // too soon after a move, or nothing to scan
            Gruppo,   // entered the group highlighted: its keys are scanned now
            Tasto,    // picked key `tasto`
        };
        Tipo tipo = Tipo::Ignorata;
        int tasto = -1;
    };

    // A step of the given length, in milliseconds (kept within the limits).
    explicit Scansione(std::int64_t passo = 1500);

    // The step time from the options, in tenths of a second, in milliseconds.
    static std::int64_t PassoDaDecimi(int decimi);

    // Changes the step; the highlight on show keeps its time, the next one has the new step.
    void ImpostaPasso(std::int64_t millisecondi);
    std::int64_t Passo() const { return passo_; }

    // The keys that can act now. Empty groups are left out. When they are the keys already
    // scanned nothing changes and the answer is false; otherwise scanning starts again at
    // the hint and the answer is true.
    bool ImpostaGruppi(const Gruppi& gruppi, Suggerimento suggerimento, std::int64_t adesso);
    // Starts again at the hint, with the same keys: after a key is picked.
    void Riparti(Suggerimento suggerimento, std::int64_t adesso);
    // Once the window can be used again after a pause: the highlight on show gets a whole
    // step, a press within Rifiuto of now is ignored, its rounds count from now.
    void Riprendi(std::int64_t adesso);

    // Time has come to adesso: moves the highlight one step when its time is due. True when
    // it moved.
    bool Avanza(std::int64_t adesso);
    // When the highlight moves next; -1 when nothing is scanned.
    std::int64_t Scadenza() const;

    // The switch pressed at adesso.
    Scelta Premi(std::int64_t adesso);

    Livello LivelloAttuale() const;
    // The group highlighted or scanned inside; -1 when nothing is scanned.
    int GruppoEvidenziato() const;
    // The key the switch would pick now: the key highlighted, or the only key of a group
    // highlighted at the group level; -1 when a press would enter a group or do nothing.
    int TastoEvidenziato() const;
    Evidenza EvidenzaDi(int tasto) const;
    const Gruppi& Elenco() const { return gruppi_; }

private:
    bool HaLivelloGruppi() const { return gruppi_.size() > 1; }
    void Sposta(std::int64_t adesso);
    void EntraInGruppo(int gruppo, int posizione, std::int64_t adesso);
    void SuiGruppi(int gruppo, std::int64_t adesso);

    Gruppi gruppi_;
    std::int64_t passo_;
    Livello livello_ = Livello::Ferma;
    int gruppo_ = -1;
    int posizione_ = -1;        // the key inside the group, at key level
    int passiNelGruppo_ = 0;    // highlights shown in the group since it was entered
    std::int64_t scadenza_ = 0; // when the highlight moves next
    std::int64_t spostato_ = 0; // when it last moved
};
