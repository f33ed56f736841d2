#pragma once

// The options screen " PANNELLO OPZIONI": colour and sound choices, a preview of them, and
// the command row that stores them ("Impostazioni predefinite", "Memorizza nuove
// impostazioni") or closes the screen ("Esci"). The rules live in start/Opzioni.h; this
// window turns clicks and keys into those calls and shows the state.
//
// Storing the choices dresses the pupil's windows at once (page and letter colours, capitals)
// and sets the right-reply sound and praise; a page and letter colour pair that does not read
// is shown with the warning "Colori poco leggibili", announced to screen readers.
// "SCANSIONE" and its "Tempo" (a list of steps, 0,5 to 5 s) hold for each pupil's window as
// soon as it comes to the front again, and are stored with the record.
//
// The choice groups are radio buttons: the selected one is marked (bold caption on a tinted
// band), and each says its group and whether it is chosen; Tab moves between groups, the
// arrow keys move and select within one, the space bar selects the focused button. The
// command row is a key group: "I"/"1", "M"/"2", "E"/"3" move the focus to its keys, Enter
// presses, the space bar walks them wrapping.
//
// Laid out at its design size and scaled to the window by Proporzioni; fonts keep their
// design size. Building the window does not change the state: it shows the stored choices.

#include <QMainWindow>
#include <array>

#include "base/StatoProgramma.h"

class Annunciatore;
class Avvisi;
class GruppoTasti;
class Proporzioni;
class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class Voce;

class FrmOpzioni : public QMainWindow {
    Q_OBJECT
public:
    // Inner design size in pixels (11910 x 8640 twips).
    static constexpr int LarghezzaProgetto = 794;
    static constexpr int AltezzaProgetto = 576;

    // avvisi tells the user when the options could not be stored; may be null.
    FrmOpzioni(StatoProgramma& stato, Avvisi* avvisi, QWidget* parent = nullptr);
    ~FrmOpzioni() override;

    // The program's voice, asked whether this computer can speak when "SINTESI VOCALE" is
    // switched on. Without one, speech counts as not available.
    void ImpostaVoce(Voce* voce) { voce_ = voce; }

protected:
    bool event(QEvent* evento) override;

private:
    void Costruisci();
    QGroupBox* Gruppo(QWidget* genitore, const QString& nome, const QString& titolo, QRect r);
    QButtonGroup* Scelte(QGroupBox* gruppo, const QString& nome, const QStringList& didascalie,
                         int larghezza, int passo, int altezza, int punti);

    // The widget half of each selection: the preview and the command row follow the state.
    void MostraSfondo();
    void MostraCaratteri();
    void MostraScansione();
    void MostraTipo(int indice);
    // Checks the buttons of the colours in force (ScelteInVigore) and of SceltaBeep, without
    // running their selection.
    void MostraScelte();
    // The preview as the screen opens: page colour, text colour, the dark scan shade behind
    // Option4 and the light one behind Option2.
    void MostraAnteprima();
    void Attivazione();
    void PremiComando(int indice);
    // "SINTESI VOCALE": the choice is in use at once; switched on, the voice is asked whether
    // it can speak, and the user is told when it cannot.
    void ScegliVoce(int indice);
    // Asks the voice whether this computer can speak, and tells the user when it cannot.
    void ChiediVoce();
    // "Colori poco leggibili" under the preview while the page and letter colours in force
    // do not read, announced as it appears.
    void MostraAvviso();

    StatoProgramma& stato_;
    Avvisi* avvisi_;
    Voce* voce_ = nullptr;
    bool attesaVoce_ = false; // the voice has been asked and has not answered yet
    Proporzioni* proporzioni_ = nullptr;
    bool primaAttivazione_ = true;

    QWidget* client_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QPushButton* option4_ = nullptr;
    QPushButton* option2_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* lblAvviso_ = nullptr;
    Annunciatore* annunciatore_ = nullptr;

    QButtonGroup* option1_ = nullptr;  // page colour
    QButtonGroup* option27_ = nullptr; // text colour
    QButtonGroup* option17_ = nullptr; // scan colour
    QButtonGroup* option3_ = nullptr;  // "BEEP"
    QButtonGroup* option9_ = nullptr;  // "TIPO CARATTERI"
    QButtonGroup* option28_ = nullptr; // "RINFORZO SONORO"
    QButtonGroup* option11_ = nullptr; // "SINTESI VOCALE"
    QButtonGroup* option29_ = nullptr; // "SCANSIONE"
    QComboBox* cboTempo_ = nullptr;    // its step, "Tempo"

    std::array<QPushButton*, 3> option5_{};
    GruppoTasti* comandi_ = nullptr;
};
