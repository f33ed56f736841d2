#pragma once

// The drill series as a state machine without widgets: a series of 20 generated problems,
// the reply typed on the keypad or picked among the symbols, checking, the help question,
// the program's own solution, counters, times and the record lines. The drill window turns
// mouse and key events into calls on this object and shows what it exposes.

#include "base/StatoProgramma.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class Avvisi;
class FonteCasuale;
class Orologio;
class Suono;

// The five answer panels; exactly one is in front and enabled at a time.
enum class Pannello { Tastierino, Simboli, Aiuto, Intervento, Avviso };

// The two display rows; the one of the current problem's kind is in front.
enum class Riga { Numero, Simbolo };

// What the window must do after a press, beyond showing the new state.
enum class Esito { Nessuno, Chiudi, Stampa };

// The texts the window shows, each named after the label that shows it.
struct TestiSerie {
    // Display row of a find-the-number problem.
    QString lblNumero1, lblSimbolo1, LblRisultato, lblSimbolo2, lblCorrezione;
    // Display row of a find-the-symbol problem.
    QString lblNumero1S, lblSimbolo1S, LblSimbolo2S, lblRisultatoS, lblCorrezioneS;
    QString LblEsito;
    // Statistics.
    QString LblOperazione, lblRisEsatte, lblRisErrate, lblTempoOperazione, LblTempoTotale;
    // Headings: the symbol order and the exercise kind.
    QString Label1, Label2;
    // Diagnostics: pair and form of the problem, and the expected answer.
    QString Label6, Label7, Label8;
    // Captions of the four symbol keys.
    std::array<QString, 4> Option1;
};

// A key press translated by the keyboard rules of a key array.
struct AzioneTastiera {
    enum class Tipo {
        Ingoia,     // the key is swallowed
        Lascia,     // the key is let through to the window (menus, shortcuts)
        Premi,      // press key `indice` of the array, then focus `fuocoDopo` if >= 0
        PremiFuoco, // press the key that has the focus
        Fuoco,      // move the focus to key `indice`
    };
    Tipo tipo = Tipo::Ingoia;
    int indice = -1;
    int fuocoDopo = -1;

    bool operator==(const AzioneTastiera&) const = default;
};

// A key that should take the focus: key `indice` of the array of `pannello`.
struct RichiestaFuoco {
    Pannello pannello;
    int indice;

    bool operator==(const RichiestaFuoco&) const = default;
};

class Serie {
public:
    static constexpr int NumeroEsercizi = 20;
    static constexpr int MaxCifreIniziale = 7;

    // Keypad Option2: 0..9 digits, then these.
    static constexpr int TastiTastierino = 15;
    static constexpr int Virgola = 10, Cancella = 11, Verifica = 12, Avanti = 13, Esco = 14;
    // Symbol picker Option1: 0..3 the symbols, then these.
    static constexpr int TastiSimboli = 8;
    static constexpr int CancellaS = 4, VerificaS = 5, AvantiS = 6, Esci = 7;
    // Help question Option3 and end panel optAvviso.
    static constexpr int No = 0, Si = 1;
    static constexpr int Stampa = 0, Ricomincia = 1;

    using Generatore = std::function<Problema(const StatoProgramma&, FonteCasuale&)>;
    // Told the whole record when the series ends (its 20th exercise closed: Finita) and when
    // it is left before its end (Abbandona, or a new series started: not Finita, with the
    // exercises shown so far). Told once per series, and never of a series with no exercise.
    using FineSerie = std::function<void(const RegistroSerie&)>;

    Serie(StatoProgramma& stato, FonteCasuale& fonte, Orologio& orologio, Suono& suono,
          Avvisi* avvisi = nullptr);

    // Replaces the problem generator (GeneraProblema unless set).
    void ImpostaGeneratore(Generatore generatore);
    // Whether the printout window can be opened: enables "Stampa" on the end panel.
    void ImpostaStampaDisponibile(bool disponibile);
    void ImpostaFineSerie(FineSerie fine);

    // ---- Operations of the window ----
    void NuovaSerie();
    void ProssimoEsercizio();
    void Visualizza();
    Esito TastoPremuto(int indice);   // keypad Option2
    Esito SimboloPremuto(int indice); // symbol picker Option1
    void AiutoPremuto(int indice);    // Option3: NO -> Riprova, SI -> Intervento
    void InterventoPremuto();         // Option4 "INTERVENGO IO"
    Esito AvvisoPremuto(int indice);  // optAvviso: Stampa, Ricomincia
    void VerificaRisposta();
    void Riprova();
    void Intervento();
    void ChiudiRisposta();
    void RegistraTempi();
    // The series is left (its window closes): reported as unfinished unless already told.
    void Abbandona();

    // ---- Keyboard rules: a key (Qt::Key) on a key array -> what it does ----
    // numerico: the key comes from the numeric block. A digit, the comma or "Cancella" typed
    // on the keyboard, and a symbol chosen by its digit, lead the focus on to "Verifica", so
    // that the Enter a pupil types after a reply checks it.
    AzioneTastiera TastieraTastierino(int tasto, bool numerico) const;
    AzioneTastiera TastieraSimboli(int tasto, bool numerico) const;
    AzioneTastiera TastieraAiuto(int tasto) const;
    AzioneTastiera TastieraIntervento(int tasto) const;

    // ---- What the window shows ----
    Pannello PannelloAttivo() const { return pannello_; }
    Riga RigaAttiva() const { return riga_; }
    bool LineeVisibili() const { return linee_; }
    const TestiSerie& Testi() const { return testi_; }
    const StatoProgramma& Stato() const { return stato_; }
    // What happened so far; the last exercise is the one on show.
    const RegistroSerie& Registro() const { return stato_.Registro; }
    // The problem on show; an empty one before the first.
    const Problema& ProblemaCorrente() const;
    // The reply as typed or picked so far ("6.210", "dm"); checking writes it out.
    const QString& RispostaTesto() const { return risposta_; }
    // The reply the exercise on show expects: the number, or the symbol without blanks.
    const QString& SoluzioneTesto() const;
    // The "NO" answers to "Ti aiuto ?" in this exercise since the last "INTERVENGO IO".
    int TentativiNo() const { return tentativiNo_; }
    const std::array<bool, TastiTastierino>& Option2() const { return option2_; }
    const std::array<bool, TastiSimboli>& Option1() const { return option1_; }
    const std::array<bool, 2>& Option3() const { return option3_; }
    bool Option4() const { return pannello_ == Pannello::Intervento; }
    std::array<bool, 2> optAvviso() const { return {stampaDisponibile_, true}; }
    // Whether key `indice` of the array of `pannello` can be pressed now.
    bool TastoAttivo(Pannello pannello, int indice) const;
    // The first enabled key of the panel in front; on the end panel "Stampa" when it is
    // enabled and no key otherwise (index -1), so that Enter never starts a new series.
    RichiestaFuoco PrimoTastoAttivo() const;
    // The key that an operation asked to take the focus since the last call, if any.
    std::optional<RichiestaFuoco> RitiraFuoco();

    // What happened, in words, for screen readers and the program's voice: the sentences of
    // the operations since the last call, in order (the problem when it appears, the reply
    // as it is typed, the verdict and "Ti aiuto ?", the program's solution, the counts at
    // the end of the series).
    QStringList RitiraAnnunci();
    // The problem on show as one sentence: "27,52 unità uguale quanti decimi?".
    QString FraseProblema() const;
    // The reply box as it is read: "Risposta: 6.210", or "Risposta: nessuna" on "?".
    QString FraseRisposta() const;

    bool ConVirgola() const { return conVirgola_; }
    int MaxCifre() const { return maxCifre_; }
    // Length limit of the reply in the current exercise: MaxCifre, or the length of the
    // expected answer when that is longer (0,000001 has 8 characters).
    int LimiteRisposta() const;
    // True from the moment the 20th exercise is shown: no further exercise follows it,
    // and closing it (right reply or the program's solution) brings up the end panel.
    bool UltimoEsercizioMostrato() const;

    // The numeric value of a typed reply: "." separates thousands, "," is the decimal
    // comma. Empty when the text does not read as a number.
    static std::optional<double> ValoreRisposta(const QString& testo);

private:
    bool ProblemaNumero() const;
    void MostraNumero();
    void MostraSimbolo();
    void TastiSi();
    void TastiNo();
    void SimboliSi();
    void SimboliNo();
    void MostraPannello(Pannello pannello);
    void ControlloFineSerie();
    void MostraRisposta(const QString& testo);
    void MostraRispostaSimbolo(const QString& testo);
    void ScriviDiagnostica();
    void ChiediFuoco(Pannello pannello, int indice);
    void ChiediPrimoTasto();
    QString Normalizzata(const QString& testo) const;
    void Annuncia(const QString& testo);
    // The counts of a finished series, as the end panel is announced.
    QString FraseFineSerie() const;
    // The length the reply will have once checking has written it out (see LimiteRisposta).
    static int LunghezzaVerificata(const QString& testo);
    const RegistroSerie& registro() const { return stato_.Registro; }
    EsercizioSvolto& Corrente();
    // Tells fineSerie_ of the series, once.
    void Riporta();

    StatoProgramma& stato_;
    FonteCasuale& fonte_;
    Orologio& orologio_;
    Suono& suono_;
    Avvisi* avvisi_;
    Generatore generatore_;
    FineSerie fineSerie_;
    bool daRiportare_ = false; // the series has an exercise and was not reported yet
    QString risposta_;
    int tentativiNo_ = 0;

    Pannello pannello_ = Pannello::Tastierino;
    Riga riga_ = Riga::Numero;
    bool linee_ = false;
    TestiSerie testi_;
    std::array<bool, TastiTastierino> option2_{};
    std::array<bool, TastiSimboli> option1_{};
    std::array<bool, 2> option3_{true, true};
    bool stampaDisponibile_ = false;
    std::optional<RichiestaFuoco> fuoco_;
    QStringList annunci_;

    bool conVirgola_ = false;
    int maxCifre_ = MaxCifreIniziale;
    std::int64_t inizioRisposta_ = 0; // Orologio milliseconds when the problem was shown
};
