#include "start/FrmOpzioni.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRadioButton>

#include "base/Aspetto.h"
#include "base/Servizi.h"
#include "start/Opzioni.h"
#include "ui/Accessibilita.h"
#include "ui/Controlli.h"
#include "ui/GruppoTasti.h"
#include "ui/Resize.h"
#include "ui/StileTasti.h"
#include "ui/TastieraFinestra.h"

using namespace controlli;

namespace {

// A small square of one colour, or split in two shades, shown beside a colour's name.
QIcon Campione(const QColor& sinistra, const QColor& destra) {
    QPixmap immagine(16, 16);
    immagine.fill(Qt::transparent);
    QPainter p(&immagine);
    p.fillRect(QRect(0, 0, 8, 16), sinistra);
    p.fillRect(QRect(8, 0, 8, 16), destra);
    p.setPen(tavolozza::BordoCampione);
    p.drawRect(0, 0, 15, 15);
    return QIcon(immagine);
}

// A choice of a group: a click anywhere on its band selects it, not only on its caption.
class Scelta : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& punto) const override { return rect().contains(punto); }
};

// The selected button of a group: bold caption on a tinted band (a button fills its
// background with the Button colour).
void MostraSelezione(QAbstractButton* b, bool scelto) {
    QFont f = b->font();
    f.setBold(scelto);
    b->setFont(f);
    b->setAutoFillBackground(scelto);
    if (scelto) Colora(b, QPalette::Button, tavolozza::FasciaScelta);
}

// Tab enters a group at its selected button (the first when none is), so that Tab moves
// from group to group and the arrows move within one.
void FuocoDiGruppo(QButtonGroup* gruppo) {
    const QList<QAbstractButton*> tasti = gruppo->buttons();
    QAbstractButton* ingresso = gruppo->checkedButton();
    if (!ingresso && !tasti.isEmpty()) ingresso = gruppo->button(0);
    for (QAbstractButton* b : tasti)
        b->setFocusPolicy(b == ingresso ? Qt::StrongFocus : Qt::ClickFocus);
}

// Checks button indice of the group; none for an index outside it.
void Seleziona(QButtonGroup* gruppo, int indice) {
    if (QAbstractButton* b = gruppo->button(indice)) {
        b->setChecked(true);
    } else if (QAbstractButton* scelto = gruppo->checkedButton()) {
        gruppo->setExclusive(false);
        scelto->setChecked(false);
        gruppo->setExclusive(true);
    }
    FuocoDiGruppo(gruppo);
}

// A preview caption readable on a panel of the given colour.
QColor Leggibile(const QColor& fondo) {
    // A colour never reads on itself: black or white, whichever contrasts more.
    const std::int32_t pagina = tavolozza::Impacchetta(fondo);
    return Colore(CaratteriLeggibili(pagina, pagina));
}

// What a screen reader says of a choice besides its caption: its group and whether it is
// the one chosen.
void DescriviScelta(QAbstractButton* b, const QString& gruppo, bool scelto) {
    accessibilita::Descrizione(
        b, gruppo + (scelto ? QStringLiteral(": scelto") : QStringLiteral(": non scelto")));
}

} // namespace

FrmOpzioni::FrmOpzioni(StatoProgramma& stato, Avvisi* avvisi, QWidget* parent)
    : QMainWindow(parent), stato_(stato), avvisi_(avvisi) {
    setObjectName(QStringLiteral("FrmOpzioni"));
    setWindowTitle(QStringLiteral(" PANNELLO OPZIONI"));
    Costruisci();
    const QSize progetto(LarghezzaProgetto, AltezzaProgetto);
    client_->resize(progetto);
    resize(progetto);
    proporzioni_ = new Proporzioni(this);
    // Its one list box, the step of scanning, is scaled like the choices beside it.
    proporzioni_->MemorizzaProporzioni(client_, progetto, Proporzioni::Linee);

    MostraScelte();
    MostraAnteprima();
}

FrmOpzioni::~FrmOpzioni() = default;

QGroupBox* FrmOpzioni::Gruppo(QWidget* genitore, const QString& nome, const QString& titolo,
                              QRect r) {
    auto* g = Crea<QGroupBox>(genitore, nome, r);
    g->setTitle(titolo);
    g->setFont(Arial(9, true));
    // Read by its own title, not by the title of the group around it.
    g->setAccessibleName(titolo);
    Colori(g, QColor(), tavolozza::TestoTitoli);
    return g;
}

QButtonGroup* FrmOpzioni::Scelte(QGroupBox* gruppo, const QString& nome,
                                 const QStringList& didascalie, int larghezza, int passo,
                                 int altezza, int punti) {
    auto* scelte = new QButtonGroup(this);
    scelte->setObjectName(nome);
    scelte->setExclusive(true);
    for (int i = 0; i < didascalie.size(); ++i) {
        auto* b = Crea<Scelta>(gruppo, QStringLiteral("%1(%2)").arg(nome).arg(i),
                               {8, 22 + passo * i, larghezza, altezza});
        b->setText(didascalie[i]);
        b->setFont(Arial(punti));
        Colori(b, QColor(), tavolozza::TestoOpzioni);
        scelte->addButton(b, i);
    }
    const QString titolo = gruppo->title();
    connect(scelte, &QButtonGroup::idToggled, this, [scelte, titolo](int id, bool scelto) {
        MostraSelezione(scelte->button(id), scelto);
        DescriviScelta(scelte->button(id), titolo, scelto);
        if (scelto) FuocoDiGruppo(scelte);
    });
    for (QAbstractButton* b : scelte->buttons())
        DescriviScelta(b, titolo, false);
    FuocoDiGruppo(scelte);
    return scelte;
}

void FrmOpzioni::Costruisci() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    Colori(client_, tavolozza::SfondoInizio);
    setCentralWidget(client_);
    // No menu of its own; the bar exists (hidden) so the keyboard helper finds one.
    menuBar()->hide();

    // Preview: the page colour as the panel, two keys and two labels in the text colour.
    frame1_ = Gruppo(client_, QStringLiteral("Frame1"),
                     QStringLiteral("ANTEPRIMA DELLE TUE SCELTE"), {8, 8, 250, 502});
    label5_ = Etichetta(frame1_, QStringLiteral("Label5"), {16, 34, 218, 90}, Arial(40, true),
                        QColor(), Qt::AlignCenter, QStringLiteral("ADC"));
    label4_ = Etichetta(frame1_, QStringLiteral("Label4"), {16, 126, 218, 74}, Arial(40, true),
                        QColor(), Qt::AlignCenter, QStringLiteral("123"));
    // A page and letter colour pair that does not read: said on a white strip, so that it
    // reads whatever the colours.
    lblAvviso_ = Etichetta(frame1_, QStringLiteral("lblAvviso"), {16, 202, 218, 28},
                           Arial(11, true), tavolozza::TestoAvviso);
    Colori(lblAvviso_, tavolozza::SfondoAvviso);
    lblAvviso_->hide();
    annunciatore_ = new Annunciatore(frame1_);
    option4_ = Tasto(frame1_, QStringLiteral("Option4"), QStringLiteral("123"), {16, 236, 218, 118},
                     Arial(40, true));
    option2_ = Tasto(frame1_, QStringLiteral("Option2"), QStringLiteral("AAAA"),
                     {16, 370, 218, 118}, Arial(40, true));
    for (QPushButton* anteprima : {option4_, option2_}) {
        // Shown as the keys of the other windows look, but only a preview.
        StileTasti::Segna(anteprima);
        anteprima->setFocusPolicy(Qt::NoFocus);
        anteprima->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    auto* frame9 = Gruppo(client_, QStringLiteral("Frame9"), QStringLiteral("QUADRO DELLE SCELTE"),
                          {266, 8, 520, 502});
    QStringList nomi, scansioni;
    for (const ColoreOpzione& c : TabellaColori()) {
        nomi << c.Nome;
        scansioni << c.NomeScansione;
    }
    auto* frame2 = Gruppo(frame9, QStringLiteral("Frame2"), QStringLiteral("COLORE SFONDO PAGINA"),
                          {8, 24, 148, 300});
    option1_ = Scelte(frame2, QStringLiteral("Option1"), nomi, 132, 25, 23, 10);
    auto* frame5 = Gruppo(frame9, QStringLiteral("Frame5"), QStringLiteral("COLORE CARATTERI"),
                          {162, 24, 132, 300});
    option27_ = Scelte(frame5, QStringLiteral("Option27"), nomi, 116, 25, 23, 10);
    auto* frame6 = Gruppo(frame9, QStringLiteral("Frame6"), QStringLiteral("COLORE SCANSIONE"),
                          {300, 24, 212, 300});
    option17_ = Scelte(frame6, QStringLiteral("Option17"), scansioni, 198, 25, 23, 9);
    for (int i = 0; i < NumeroColori; ++i) {
        const ColoreOpzione& c = TabellaColori()[i];
        option1_->button(i)->setIcon(Campione(Colore(c.Pagina), Colore(c.Pagina)));
        option27_->button(i)->setIcon(Campione(Colore(c.Caratteri), Colore(c.Caratteri)));
        option17_->button(i)->setIcon(
            Campione(Colore(c.ScansioneChiara), Colore(c.ScansioneScura)));
    }

    // The switches under the colours, three to a row, in the order of the table: a switch
    // added here takes the next place. A switch may take more than one place ("SCANSIONE",
    // with its "Tempo" beside the two choices).
    const QString attivato = QStringLiteral("Attivato"),
                  disattivato = QStringLiteral("Disattivato");
    const QString attivata = QStringLiteral("Attivata"),
                  disattivata = QStringLiteral("Disattivata");
    struct Interruttore {
        const char* cornice;
        const char* titolo;
        const char* scelte;
        QStringList didascalie;
        QButtonGroup** gruppo;
        int posti = 1;
    };
    const Interruttore interruttori[] = {
        {"BEEP", "BEEP", "Option3", {attivato, disattivato}, &option3_},
        {"Frame3",
         "TIPO CARATTERI",
         "Option9",
         {QStringLiteral("MAIUSCOLO"), QStringLiteral("Minuscolo")},
         &option9_},
        {"Frame8", "RINFORZO SONORO", "Option28", {attivato, disattivato}, &option28_},
        {"Frame4", "SINTESI VOCALE", "Option11", {attivata, disattivata}, &option11_},
        {"Frame11", "SCANSIONE", "Option29", {attivata, disattivata}, &option29_, 2},
    };
    constexpr int sinistraRiga = 8, altoRiga = 332, larghezzaRiga = 504, spazio = 6;
    constexpr int postiPerRiga = 3, altezzaRiga = 78;
    constexpr int larghezza = (larghezzaRiga - spazio * (postiPerRiga - 1)) / postiPerRiga;
    int posto = 0, riga = 0;
    for (const Interruttore& voce : interruttori) {
        if (posto + voce.posti > postiPerRiga) {
            posto = 0;
            ++riga;
        }
        const QRect r(sinistraRiga + posto * (larghezza + spazio),
                      altoRiga + riga * (altezzaRiga + spazio),
                      voce.posti * larghezza + (voce.posti - 1) * spazio, altezzaRiga);
        auto* cornice = Gruppo(frame9, QLatin1String(voce.cornice), QLatin1String(voce.titolo), r);
        *voce.gruppo = Scelte(cornice, QLatin1String(voce.scelte), voce.didascalie, larghezza - 16,
                              26, 24, 10);
        posto += voce.posti;
    }
    // The step of scanning, in the second place of its switch.
    auto* scansione = frame9->findChild<QGroupBox*>(QStringLiteral("Frame11"));
    auto* lblTempo = Etichetta(
        scansione, QStringLiteral("lblTempo"), {larghezza + spazio + 8, 22, 52, 26}, Arial(10),
        tavolozza::TestoOpzioni, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tempo"));
    cboTempo_ = Crea<QComboBox>(scansione, QStringLiteral("cboTempo"),
                                {larghezza + spazio + 60, 22, 84, 26});
    cboTempo_->setFont(Arial(10));
    const QStringList tempi = DidascalieTempo(), detti = TempiDetti();
    for (int i = 0; i < NumeroTempi; ++i) {
        cboTempo_->addItem(tempi[i]);
        cboTempo_->setItemData(i, detti[i], Qt::AccessibleTextRole);
    }
    lblTempo->setBuddy(cboTempo_);
    cboTempo_->setAccessibleName(QStringLiteral("Tempo della scansione"));
    // Its list of choices is read by the same name.
    cboTempo_->view()->setAccessibleName(QStringLiteral("Tempo della scansione"));

    // Every colour selection is a rule on the state; the window then shows it.
    connect(option1_, &QButtonGroup::idClicked, this, [this](int i) {
        if (ScegliSfondo(stato_, i)) MostraSfondo();
    });
    connect(option27_, &QButtonGroup::idClicked, this, [this](int i) {
        if (ScegliCaratteri(stato_, i)) MostraCaratteri();
    });
    connect(option17_, &QButtonGroup::idClicked, this, [this](int i) {
        if (ScegliScansione(stato_, i)) MostraScansione();
    });
    connect(option3_, &QButtonGroup::idClicked, this, [this](int i) { ScegliBeep(stato_, i); });
    connect(option9_, &QButtonGroup::idClicked, this, [this](int i) {
        if (ScegliTipoCaratteri(stato_, i)) MostraTipo(i);
    });
    connect(option28_, &QButtonGroup::idClicked, this, [this](int i) {
        // Praise is said by the program's voice: switched on, the voice is asked whether
        // this computer can speak, as for "SINTESI VOCALE".
        if (ScegliRinforzo(stato_, i) && stato_.Impostazioni.RinforzoSonoro) ChiediVoce();
    });
    connect(option11_, &QButtonGroup::idClicked, this, &FrmOpzioni::ScegliVoce);
    connect(option29_, &QButtonGroup::idClicked, this,
            [this](int i) { ScegliScansioneAttiva(stato_, i); });
    connect(cboTempo_, &QComboBox::activated, this, [this](int i) { ScegliTempo(stato_, i); });

    auto* frame7 = Cornice(client_, QStringLiteral("Frame7"), {8, 518, 778, 50});
    const QStringList comandi{QStringLiteral("Impostazioni predefinite"),
                              QStringLiteral("Memorizza nuove impostazioni"),
                              QStringLiteral("Esci")};
    for (int i = 0; i < 3; ++i) {
        option5_[i] = Tasto(frame7, QStringLiteral("Option5(%1)").arg(i), comandi[i],
                            {6 + 258 * i, 5, 250, 40}, Arial(12, true));
        option5_[i]->setCursor(Qt::PointingHandCursor);
    }
    comandi_ = new GruppoTasti(
        {option5_.begin(), option5_.end()}, [this](int i) { PremiComando(i); }, this);
    comandi_->ImpostaCifre({{Qt::Key_1, 0}, {Qt::Key_2, 1}, {Qt::Key_3, 2}});
    comandi_->ImpostaTastoExtra([this](int indice, QKeyEvent* evento) {
        switch (evento->key()) {
        case Qt::Key_I:
            comandi_->DaiFuoco(0);
            return GruppoTasti::Esito::Gestito;
        case Qt::Key_M:
            comandi_->DaiFuoco(1);
            return GruppoTasti::Esito::Gestito;
        case Qt::Key_E:
            comandi_->DaiFuoco(2);
            return GruppoTasti::Esito::Gestito;
        // The arrows move along the row, as within any group of buttons.
        case Qt::Key_Right:
        case Qt::Key_Down:
            if (indice < 2) comandi_->DaiFuoco(indice + 1);
            return GruppoTasti::Esito::Gestito;
        case Qt::Key_Left:
        case Qt::Key_Up:
            if (indice > 0) comandi_->DaiFuoco(indice - 1);
            return GruppoTasti::Esito::Gestito;
        default:
            return GruppoTasti::Esito::Ingoiato;
        }
    });

    // Tab order: the command row, then the groups as they are read, left to right.
    QWidget* precedente = option5_[2];
    setTabOrder(option5_[0], option5_[1]);
    setTabOrder(option5_[1], option5_[2]);
    for (QButtonGroup* g :
         {option1_, option27_, option17_, option3_, option9_, option28_, option11_, option29_})
        for (QAbstractButton* b : g->buttons()) {
            setTabOrder(precedente, b);
            precedente = b;
        }
    setTabOrder(precedente, cboTempo_);

    new TastieraFinestra(this, [this] { return option5_[1]; });
}

void FrmOpzioni::MostraScelte() {
    // Only what the preview shows: the colours in force, when they are a button's.
    const ScelteColori scelte = ScelteInVigore(stato_.Impostazioni);
    Seleziona(option1_, scelte.Sfondo);
    Seleziona(option27_, scelte.Caratteri);
    Seleziona(option17_, scelte.Scansione);
    Seleziona(option3_, stato_.SceltaBeep);
    Seleziona(option9_, stato_.Impostazioni.Maiuscolo ? 0 : 1);
    Seleziona(option28_, stato_.Impostazioni.RinforzoSonoro ? 0 : 1);
    Seleziona(option11_, stato_.Impostazioni.SintesiVocale ? 0 : 1);
    Seleziona(option29_, stato_.Impostazioni.Scansione ? 0 : 1);
    cboTempo_->setCurrentIndex(IndiceTempo(stato_.Impostazioni.PassoScansione));
}

void FrmOpzioni::ScegliVoce(int indice) {
    if (ScegliSintesiVocale(stato_, indice) && stato_.Impostazioni.SintesiVocale) ChiediVoce();
}

void FrmOpzioni::ChiediVoce() {
    const auto risposta = [finestra = QPointer<FrmOpzioni>(this)](bool disponibile) {
        if (!finestra) return;
        finestra->attesaVoce_ = false;
        // Told only while a switch that speaks is still on: a pupil who has switched it off
        // again meanwhile has nothing to be told.
        const Opzioni& o = finestra->stato_.Impostazioni;
        if (disponibile && o.SintesiVocale && finestra->voce_)
            finestra->voce_->Di(QStringLiteral("Sintesi vocale attivata"));
        if (!disponibile && (o.SintesiVocale || o.RinforzoSonoro) && finestra->avvisi_)
            finestra->avvisi_->Informa(
                QStringLiteral("Sintesi vocale"),
                QStringLiteral("La sintesi vocale non è disponibile su questo computer."));
    };
    if (!voce_) {
        risposta(false);
        return;
    }
    // One question at a time: clicks while the engine starts wait for the same answer.
    if (attesaVoce_) return;
    attesaVoce_ = true;
    voce_->Disponibile(risposta);
}

void FrmOpzioni::MostraSfondo() {
    const QColor pagina = Colore(stato_.Impostazioni.ColoreSfondo);
    Colori(frame1_, pagina, Leggibile(pagina));
    MostraAvviso();
}

void FrmOpzioni::MostraAvviso() {
    const QString avviso = AvvisoContrasto(stato_.Impostazioni);
    if (avviso == lblAvviso_->text() && lblAvviso_->isHidden() == avviso.isEmpty()) return;
    lblAvviso_->setText(avviso);
    lblAvviso_->setVisible(!avviso.isEmpty());
    accessibilita::Descrizione(frame1_, avviso);
    // Heard as it appears, without moving the focus from the choice just made.
    if (!avviso.isEmpty()) annunciatore_->Annuncia(avviso);
}

void FrmOpzioni::MostraCaratteri() {
    const QColor testo = Colore(stato_.Impostazioni.ColoreCaratteri);
    for (QLabel* l : {label4_, label5_})
        Colora(l, QPalette::WindowText, testo);
    for (QPushButton* b : {option4_, option2_})
        Colora(b, QPalette::ButtonText, testo);
    MostraAvviso();
    comandi_->ImpostaColori(Colore(stato_.Impostazioni.ColoreScansioneScuro),
                            Colore(stato_.Impostazioni.ColoreScansione));
}

void FrmOpzioni::MostraScansione() {
    Colora(option4_, QPalette::Button, Colore(stato_.Impostazioni.ColoreScansioneScuro));
    Colora(option2_, QPalette::Button, Colore(stato_.Impostazioni.ColoreSfondo));
    // A command key takes the new shades at once, not at its next change of focus.
    comandi_->ImpostaColori(Colore(stato_.Impostazioni.ColoreScansioneScuro),
                            Colore(stato_.Impostazioni.ColoreScansione));
}

void FrmOpzioni::MostraTipo(int indice) {
    const QString testo = indice == 0 ? QStringLiteral("AAAA") : QStringLiteral("aaaa");
    option4_->setText(testo);
    option2_->setText(testo);
    label5_->setText(testo);
    label4_->setText(testo);
}

void FrmOpzioni::MostraAnteprima() {
    MostraSfondo();
    MostraCaratteri();
    Colora(option4_, QPalette::Button, Colore(stato_.Impostazioni.ColoreScansioneScuro));
    Colora(option2_, QPalette::Button, Colore(stato_.Impostazioni.ColoreScansione));
}

void FrmOpzioni::Attivazione() {
    MostraAnteprima();
    comandi_->DaiFuoco(1);
}

void FrmOpzioni::PremiComando(int indice) {
    if (indice == 2) {
        close();
        return;
    }
    const bool scritto =
        indice == 0 ? ImpostazioniPredefinite(stato_) : MemorizzaNuoveImpostazioni(stato_);
    // What ApplicaOpzioni selected, shown as each selection shows itself.
    MostraScelte();
    MostraSfondo();
    MostraCaratteri();
    MostraScansione();
    if (!scritto && avvisi_)
        avvisi_->Errore(QStringLiteral("Impostazioni"),
                        QStringLiteral("Non è stato possibile memorizzare le impostazioni. Le "
                                       "scelte fatte valgono fino alla chiusura del programma."));
}

bool FrmOpzioni::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate && primaAttivazione_) {
        primaAttivazione_ = false;
        Attivazione();
    }
    return QMainWindow::event(evento);
}
