#include "start/FrmOpzioni.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRadioButton>

#include "base/Servizi.h"
#include "start/Opzioni.h"
#include "ui/Controlli.h"
#include "ui/GruppoTasti.h"
#include "ui/Resize.h"
#include "ui/StileTasti.h"
#include "ui/TastieraFinestra.h"

using namespace controlli;

namespace {

// A colour held as decimal text in the record; black when the text is not a colour.
QColor ColoreDaTesto(const QString& testo) {
    bool ok = false;
    const int valore = testo.trimmed().toInt(&ok);
    return ok ? Colore(valore) : QColor(Qt::black);
}

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
    return StileTasti::Contrasto(fondo, Qt::black) >= StileTasti::Contrasto(fondo, Qt::white)
               ? QColor(Qt::black)
               : QColor(Qt::white);
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
    proporzioni_->MemorizzaProporzioni(client_, progetto,
                                       Proporzioni::Linee | Proporzioni::CaselleCombinate);

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
    connect(scelte, &QButtonGroup::idToggled, this, [scelte](int id, bool scelto) {
        MostraSelezione(scelte->button(id), scelto);
        if (scelto) FuocoDiGruppo(scelte);
    });
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
    label4_ = Etichetta(frame1_, QStringLiteral("Label4"), {16, 130, 218, 90}, Arial(40, true),
                        QColor(), Qt::AlignCenter, QStringLiteral("123"));
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
                          {8, 24, 148, 330});
    option1_ = Scelte(frame2, QStringLiteral("Option1"), nomi, 132, 27, 25, 10);
    auto* frame5 = Gruppo(frame9, QStringLiteral("Frame5"), QStringLiteral("COLORE CARATTERI"),
                          {162, 24, 132, 330});
    option27_ = Scelte(frame5, QStringLiteral("Option27"), nomi, 116, 27, 25, 10);
    auto* frame6 = Gruppo(frame9, QStringLiteral("Frame6"), QStringLiteral("COLORE SCANSIONE"),
                          {300, 24, 212, 330});
    option17_ = Scelte(frame6, QStringLiteral("Option17"), scansioni, 198, 27, 25, 9);
    for (int i = 0; i < NumeroColori; ++i) {
        const ColoreOpzione& c = TabellaColori()[i];
        option1_->button(i)->setIcon(Campione(Colore(c.Pagina), Colore(c.Pagina)));
        option27_->button(i)->setIcon(Campione(Colore(c.Caratteri), Colore(c.Caratteri)));
        option17_->button(i)->setIcon(
            Campione(Colore(c.ScansioneChiara), Colore(c.ScansioneScura)));
    }

    const QString attivato = QStringLiteral("Attivato"),
                  disattivato = QStringLiteral("Disattivato");
    auto* beep = Gruppo(frame9, QStringLiteral("BEEP"), QStringLiteral("BEEP"), {8, 362, 120, 132});
    option3_ = Scelte(beep, QStringLiteral("Option3"), {attivato, disattivato}, 104, 44, 32, 10);
    auto* frame3 = Gruppo(frame9, QStringLiteral("Frame3"), QStringLiteral("TIPO CARATTERI"),
                          {134, 362, 120, 132});
    option9_ = Scelte(frame3, QStringLiteral("Option9"),
                      {QStringLiteral("MAIUSCOLO"), QStringLiteral("Minuscolo")}, 104, 44, 32, 10);
    auto* frame8 = Gruppo(frame9, QStringLiteral("Frame8"), QStringLiteral("RINFORZO SONORO"),
                          {260, 362, 124, 132});
    option28_ =
        Scelte(frame8, QStringLiteral("Option28"), {attivato, disattivato}, 108, 44, 32, 10);
    auto* frame4 = Gruppo(frame9, QStringLiteral("Frame4"), QStringLiteral("SINTESI VOCALE"),
                          {390, 362, 122, 132});
    option11_ =
        Scelte(frame4, QStringLiteral("Option11"),
               {QStringLiteral("Attivata"), QStringLiteral("Disattivata")}, 106, 44, 32, 10);

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
    connect(option9_, &QButtonGroup::idClicked, this, &FrmOpzioni::MostraTipo);
    connect(option11_, &QButtonGroup::idClicked, this, &FrmOpzioni::ScegliVoce);
    // "RINFORZO SONORO": the selection is shown and nothing else.

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
         {option1_, option27_, option17_, option3_, option9_, option28_, option11_})
        for (QAbstractButton* b : g->buttons()) {
            setTabOrder(precedente, b);
            precedente = b;
        }

    new TastieraFinestra(this, [this] { return option5_[1]; });
}

void FrmOpzioni::MostraScelte() {
    // Only what the preview shows: the colours in force, when they are a button's.
    const ScelteColori scelte = ScelteInVigore(stato_.Impostazioni);
    Seleziona(option1_, scelte.Sfondo);
    Seleziona(option27_, scelte.Caratteri);
    Seleziona(option17_, scelte.Scansione);
    Seleziona(option3_, stato_.SceltaBeep);
    Seleziona(option11_, stato_.Impostazioni.SintesiVocale ? 0 : 1);
}

void FrmOpzioni::ScegliVoce(int indice) {
    if (!ScegliSintesiVocale(stato_, indice) || !stato_.Impostazioni.SintesiVocale) return;
    const auto risposta = [finestra = QPointer<FrmOpzioni>(this)](bool disponibile) {
        if (!finestra) return;
        finestra->attesaVoce_ = false;
        // Told only while the switch is still on: a pupil who has switched it off again
        // meanwhile has nothing to be told.
        if (disponibile && finestra->stato_.Impostazioni.SintesiVocale && finestra->voce_)
            finestra->voce_->Di(QStringLiteral("Sintesi vocale attivata"));
        if (!disponibile && finestra->stato_.Impostazioni.SintesiVocale && finestra->avvisi_)
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
}

void FrmOpzioni::MostraCaratteri() {
    const QColor testo = ColoreDaTesto(stato_.Impostazioni.ColoreCaratteri);
    for (QLabel* l : {label4_, label5_})
        Colora(l, QPalette::WindowText, testo);
    for (QPushButton* b : {option4_, option2_})
        Colora(b, QPalette::ButtonText, testo);
    comandi_->ImpostaColori(ColoreDaTesto(stato_.Impostazioni.ColoreScansioneScuro),
                            Colore(stato_.Impostazioni.ColoreScansione));
}

void FrmOpzioni::MostraScansione() {
    Colora(option4_, QPalette::Button, ColoreDaTesto(stato_.Impostazioni.ColoreScansioneScuro));
    Colora(option2_, QPalette::Button, Colore(stato_.Impostazioni.ColoreSfondo));
    // A command key takes the new shades at once, not at its next change of focus.
    comandi_->ImpostaColori(ColoreDaTesto(stato_.Impostazioni.ColoreScansioneScuro),
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
    Colora(option4_, QPalette::Button, ColoreDaTesto(stato_.Impostazioni.ColoreScansioneScuro));
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
