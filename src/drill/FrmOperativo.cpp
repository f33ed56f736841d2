#include "drill/FrmOperativo.h"

#include "base/Servizi.h"
#include "drill/Frasi.h"
#include "drill/Lodi.h"
#include "ui/Accessibilita.h"
#include "ui/Controlli.h"
#include "ui/FrmIstruzioni.h"
#include "ui/GruppoTasti.h"
#include "ui/Resize.h"
#include "ui/ScansioneFinestra.h"
#include "ui/TastieraFinestra.h"
#include "ui/VesteAlunno.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>

using namespace controlli;

namespace {

// One caption size for every key of the window, as large as "Cancella" and "Ricomincia"
// allow in their keys at the design size.
constexpr qreal PuntiTasti = 26;

// Find-the-symbol row, in design pixels: the space between the parts of the equation, the
// reply box's width and the least space between the box and the row's right edge.
constexpr int SpazioRiga = 10;
constexpr int LarghezzaCasellaS = 134;
constexpr int MargineRiga = 12;
constexpr int LarghezzaRiga = 754;

// Labels of this window are opaque: a changed text repaints the label alone, not the window
// behind it. Their text is bold unless asked otherwise.
QLabel* EtichettaOpaca(QWidget* genitore, const char* nome, QRect g, qreal punti,
                       Qt::Alignment allineamento = Qt::AlignCenter, const QString& testo = {},
                       bool grassetto = true) {
    auto* l = Etichetta(genitore, QLatin1String(nome), g, Arial(punti, grassetto), QColor(),
                        allineamento, testo);
    l->setAutoFillBackground(true);
    return l;
}

// A straight line from one corner of its parent to the opposite corner: two of them cross
// out a wrong reply.
class Linea : public QWidget {
public:
    Linea(QWidget* genitore, const char* nome, bool discendente)
        : QWidget(genitore), discendente_(discendente) {
        setObjectName(QLatin1String(nome));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(genitore->rect());
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(tavolozza::TrattoErrore, 5, Qt::SolidLine, Qt::RoundCap));
        const QRectF r = QRectF(rect()).adjusted(4, 4, -4, -4);
        if (discendente_)
            p.drawLine(r.topLeft(), r.bottomRight());
        else
            p.drawLine(r.bottomLeft(), r.topRight());
    }

private:
    bool discendente_;
};

} // namespace

FrmOperativo::FrmOperativo(StatoProgramma& stato, FonteCasuale& fonte, Orologio& orologio,
                           Suono& suono, Avvisi* avvisi, QWidget* parent)
    : QMainWindow(parent), serie_(stato, fonte, orologio, suono, avvisi) {
    Costruisci();
    CostruisciScansione(stato);
}

FrmOperativo::~FrmOperativo() {
    // A window destroyed without being closed still leaves its series.
    serie_.Abbandona();
    // The key groups and the scaler watch widgets through event filters: they go first, so
    // that the widgets' own destruction never reaches them.
    for (QObject* osservatore : std::initializer_list<QObject*>{
             scansione_, gruppoTastierino_, gruppoSimboli_, gruppoAiuto_, gruppoIntervento_,
             gruppoAvviso_, proporzioni_})
        delete osservatore;
}

void FrmOperativo::ImpostaStampa(std::function<void()> apriStampa) {
    apriStampa_ = std::move(apriStampa);
    serie_.ImpostaStampaDisponibile(static_cast<bool>(apriStampa_));
    mnuVisualizza_->setEnabled(static_cast<bool>(apriStampa_));
    Aggiorna();
}

// ---------------------------------------------------------------------------------------
// Building the window at its design size

void FrmOperativo::Costruisci() {
    setWindowTitle(QStringLiteral("TRASFORMAZIONI"));

    mnuIstruzioni_ = menuBar()->addAction(QStringLiteral("&Istruzioni"));
    mnuIstruzioni_->setObjectName(QStringLiteral("mnuIstruzioni"));
    connect(mnuIstruzioni_, &QAction::triggered, this, [this] {
        frmIstruzioni istruzioni(this);
        istruzioni.exec();
    });
    mnuVisualizza_ = menuBar()->addAction(QStringLiteral("&Visualizza l'esercizio"));
    mnuVisualizza_->setObjectName(QStringLiteral("mnuVisualizza"));
    mnuVisualizza_->setEnabled(false);
    connect(mnuVisualizza_, &QAction::triggered, this, [this] {
        if (apriStampa_) apriStampa_();
    });

    menuBar()->setFont(Arial(12));

    auto* centrale = new QWidget(this);
    centrale->setAutoFillBackground(true);
    Colora(centrale, QPalette::Window, tavolozza::SfondoEsercizio);
    Colora(centrale, QPalette::WindowText, tavolozza::TestoEsercizio);
    centrale->resize(LarghezzaProgetto, AltezzaProgetto);
    setCentralWidget(centrale);

    Label1_ = EtichettaOpaca(centrale, "Label1", {20, 4, 754, 28}, 16);
    Label2_ = EtichettaOpaca(centrale, "Label2", {20, 32, 754, 28}, 16);
    CostruisciRighe(centrale);
    LblEsito_ = EtichettaOpaca(centrale, "LblEsito", {20, 232, 754, 42}, 28);
    CostruisciPannelli(centrale);
    CostruisciStatistiche(centrale);

    // Diagnostics: the problem's pair and form and the expected answer; never shown.
    Label6_ = EtichettaOpaca(centrale, "Label6", {20, 546, 60, 8}, 6);
    Label7_ = EtichettaOpaca(centrale, "Label7", {90, 546, 60, 8}, 6);
    Label8_ = EtichettaOpaca(centrale, "Label8", {160, 546, 60, 8}, 6);
    for (QLabel* l : {Label6_, Label7_, Label8_}) {
        l->hide();
        // Label8 holds the expected answer: no assistive tool may read it.
        accessibilita::Nascondi(l);
    }

    CostruisciGruppi();
    Vesti(centrale);

    proporzioni_ = new Proporzioni(this);
    proporzioni_->MemorizzaProporzioni(centrale, QSize(LarghezzaProgetto, AltezzaProgetto));
    proporzioni_->DopoApplica = [this](QSize) {
        DisponiRigaSimbolo();
        DisponiLinee();
    };

    annunciatore_ = new Annunciatore(centrale);

    new TastieraFinestra(this, [this]() -> QWidget* {
        const RichiestaFuoco primo = serie_.PrimoTastoAttivo();
        return primo.indice >= 0 ? Gruppo(primo.pannello)->Tasto(primo.indice) : nullptr;
    });

    // The menu bar sits above the design's inner area.
    resize(LarghezzaProgetto, AltezzaProgetto + menuBar()->sizeHint().height());
}

void FrmOperativo::Vesti(QWidget* centrale) {
    // The page and its ordinary text (headings, the captions of the counts, the help and
    // end panels) in the colours of the options; the display rows, the reply, the verdict,
    // the keys and the warning in red keep theirs.
    veste_ = new VesteAlunno(serie_.Stato(), this);
    veste_->Pagina(centrale);
    for (QLabel* titolo : centrale->findChildren<QLabel*>(QRegularExpression("^lblTitolo"))) {
        veste_->Lettere(titolo);
        veste_->Didascalia(titolo);
    }
    for (const char* nome : {"LblAiuto", "lblIntervento", "Label4"})
        veste_->Didascalia(centrale->findChild<QLabel*>(QLatin1String(nome)));
    // Captions of the command keys; the digits, the comma and the symbols never change.
    for (int k = Serie::Cancella; k < Serie::TastiTastierino; ++k)
        veste_->Didascalia(Option2_[k]);
    for (int k = Serie::CancellaS; k < Serie::TastiSimboli; ++k)
        veste_->Didascalia(Option1_[k]);
    for (QPushButton* b : {Option3_[0], Option3_[1], Option4_, optAvviso_[0], optAvviso_[1]})
        veste_->Didascalia(b);
    veste_->DopoCambio = [this] { Aggiorna(); };
}

void FrmOperativo::CostruisciRighe(QWidget* centrale) {
    const QRect riga(20, 62, LarghezzaRiga, 166);
    const auto prepara = [](QFrame* f) {
        f->setFrameShape(QFrame::Box);
        f->setLineWidth(2);
        f->setAutoFillBackground(true);
        Colora(f, QPalette::Window, tavolozza::SfondoRiga);
        Colora(f, QPalette::WindowText, tavolozza::BordoRiga);
    };
    const auto scuro = [](QFrame* f) {
        // The problem itself in dark type; the frame keeps its coloured border.
        for (QLabel* l : f->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            Colora(l, QPalette::WindowText, tavolozza::TestoEsercizio);
    };
    const auto testo = [](QLabel* l, const QColor& c) { Colora(l, QPalette::WindowText, c); };
    const auto casella = [](QLabel* l) {
        // The place of the pupil's reply: a pale box under the big blue text.
        l->setFrameShape(QFrame::Box);
        l->setLineWidth(1);
        l->setAutoFillBackground(true);
        Colora(l, QPalette::Window, tavolozza::SfondoRisposta);
        Colora(l, QPalette::WindowText, tavolozza::TestoRisposta);
    };
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    constexpr qreal grande = 44;
    constexpr qreal medio = 30;

    fraNumero_ = Cornice(centrale, "fraNumero", riga);
    prepara(fraNumero_);
    accessibilita::Gruppo(fraNumero_, {});
    lblNumero1_ = EtichettaOpaca(fraNumero_, "lblNumero1", {4, 10, 156, 82}, grande, right);
    lblSimbolo1_ = EtichettaOpaca(fraNumero_, "lblSimbolo1", {160, 10, 150, 82}, grande, left);
    lblSimbolo1_->setIndent(16);
    lblUguale_ =
        EtichettaOpaca(fraNumero_, "lblUguale", {310, 10, 40, 82}, grande, Qt::AlignCenter, "=");
    LblRisultato_ = EtichettaOpaca(fraNumero_, "LblRisultato", {352, 10, 250, 82}, grande);
    lblSimbolo2_ = EtichettaOpaca(fraNumero_, "lblSimbolo2", {606, 10, 146, 82}, grande, left);
    lblSimbolo2_->setIndent(16);
    lblCorrezione_ = EtichettaOpaca(fraNumero_, "lblCorrezione", {352, 98, 250, 60}, medio);
    scuro(fraNumero_);
    casella(LblRisultato_);
    testo(lblCorrezione_, tavolozza::TestoCorrezione);
    Label3_ = EtichettaOpaca(fraNumero_, "Label3", LblRisultato_->geometry(), 8);
    Label3_->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label3_->setAutoFillBackground(false);
    linee_[0] = new Linea(Label3_, "Linea1", true);
    linee_[1] = new Linea(Label3_, "Linea2", false);

    fraSimbolo_ = Cornice(centrale, "fraSimbolo", riga);
    prepara(fraSimbolo_);
    accessibilita::Gruppo(fraSimbolo_, {});
    lblNumero1S_ = EtichettaOpaca(fraSimbolo_, "lblNumero1S", {4, 10, 156, 82}, grande, right);
    lblSimbolo1S_ = EtichettaOpaca(fraSimbolo_, "lblSimbolo1S", {160, 10, 150, 82}, grande, left);
    lblSimbolo1S_->setIndent(16);
    lblUgualeS_ =
        EtichettaOpaca(fraSimbolo_, "lblUgualeS", {310, 10, 40, 82}, grande, Qt::AlignCenter, "=");
    // The result number and the reply box follow "=" as their texts need
    // (DisponiRigaSimbolo); these are their places for an empty result.
    LblSimbolo2S_ = EtichettaOpaca(fraSimbolo_, "LblSimbolo2S", {360, 10, 0, 82}, grande);
    const QRect casellaS(360 + SpazioRiga, 10, LarghezzaCasellaS, 82);
    lblRisultatoS_ = EtichettaOpaca(fraSimbolo_, "lblRisultatoS", casellaS, grande);
    lblCorrezioneS_ = EtichettaOpaca(fraSimbolo_, "lblCorrezioneS",
                                     {casellaS.x(), 98, LarghezzaCasellaS, 60}, medio);
    scuro(fraSimbolo_);
    casella(lblRisultatoS_);
    testo(lblCorrezioneS_, tavolozza::TestoCorrezione);
    linee_[2] = new Linea(lblRisultatoS_, "Line1", true);
    linee_[3] = new Linea(lblRisultatoS_, "Line2", false);
    fraSimbolo_->hide();

    // Screen readers read each row as one sentence (the row's name) with the reply box and
    // the solution under it; the separate pieces of the equation stay unread.
    for (QLabel* parte : {lblNumero1_, lblSimbolo1_, lblUguale_, lblSimbolo2_, Label3_,
                          lblNumero1S_, lblSimbolo1S_, lblUgualeS_, LblSimbolo2S_})
        accessibilita::Nascondi(parte);
    for (QWidget* linea : linee_)
        accessibilita::Nascondi(linea);
}

void FrmOperativo::CostruisciPannelli(QWidget* centrale) {
    // The panels lie on top of each other at the place of an invisible anchor: pages of a
    // stack, which shows the one in front and hides the others. The scaler records the
    // stack, the pages and their keys like any other control; the stack's own layout gives
    // the page in front the same rectangle.
    lblRiferimento_ = EtichettaOpaca(centrale, "lblRiferimento", {20, 278, 500, 266}, 8);
    lblRiferimento_->hide();
    pannelli_ =
        Crea<QStackedWidget>(centrale, QStringLiteral("fraPannelli"), lblRiferimento_->geometry());
    const QRect posto(QPoint(0, 0), lblRiferimento_->size());

    // Keypad: digits as on a telephone, the commands in a column on the right.
    fraTastierino_ = Cornice(pannelli_, "fraTastierino", posto);
    const int colonna[3] = {8, 94, 180};
    const int riga[4] = {6, 70, 134, 198};
    for (int d = 1; d <= 9; ++d) {
        const int r = 2 - (d - 1) / 3;
        const int c = (d - 1) % 3;
        Option2_[d] = Tasto(fraTastierino_, QStringLiteral("Option2_%1").arg(d), QString::number(d),
                            {colonna[c], riga[r], 78, 58}, Arial(PuntiTasti, true));
    }
    Option2_[0] = Tasto(fraTastierino_, QStringLiteral("Option2_0"), QStringLiteral("0"),
                        {8, riga[3], 164, 58}, Arial(PuntiTasti, true));
    Option2_[Serie::Virgola] =
        Tasto(fraTastierino_, QStringLiteral("Option2_10"), QStringLiteral(","),
              {180, riga[3], 78, 58}, Arial(PuntiTasti, true));
    const char* comandi[4] = {"Cancella", "Verifica", "Avanti", "Esco"};
    for (int k = 0; k < 4; ++k)
        Option2_[Serie::Cancella + k] = Tasto(
            fraTastierino_, QStringLiteral("Option2_%1").arg(Serie::Cancella + k),
            QString::fromLatin1(comandi[k]), {274, riga[k], 210, 58}, Arial(PuntiTasti, true));

    // Symbol picker: the four symbols of the system in a row, the commands below.
    fraSimboli_ = Cornice(pannelli_, "fraSimboli", posto);
    for (int i = 0; i < 4; ++i)
        Option1_[i] = Tasto(fraSimboli_, QStringLiteral("Option1_%1").arg(i), QString(),
                            {8 + 120 * i, 6, 112, 80}, Arial(PuntiTasti, true));
    const char* comandiS[4] = {"Cancella", "Verifica", "Avanti", "Esci"};
    const QRect postiS[4] = {
        {8, 100, 232, 70}, {248, 100, 232, 70}, {8, 182, 232, 70}, {248, 182, 232, 70}};
    for (int k = 0; k < 4; ++k)
        Option1_[Serie::CancellaS + k] =
            Tasto(fraSimboli_, QStringLiteral("Option1_%1").arg(Serie::CancellaS + k),
                  QString::fromLatin1(comandiS[k]), postiS[k], Arial(PuntiTasti, true));

    fraAiuto_ = Cornice(pannelli_, "fraAiuto", posto);
    EtichettaOpaca(fraAiuto_, "LblAiuto", {8, 10, 484, 70}, 30, Qt::AlignCenter,
                   QStringLiteral("Ti aiuto ?"));
    Option3_[Serie::No] = Tasto(fraAiuto_, QStringLiteral("Option3_0"), QStringLiteral("NO"),
                                {60, 100, 170, 90}, Arial(PuntiTasti, true));
    Option3_[Serie::Si] = Tasto(fraAiuto_, QStringLiteral("Option3_1"), QStringLiteral("SI"),
                                {270, 100, 170, 90}, Arial(PuntiTasti, true));

    fraIntervento_ = Cornice(pannelli_, "fraIntervento", posto);
    Option4_ = Tasto(fraIntervento_, QStringLiteral("Option4"), QStringLiteral("INTERVENGO IO"),
                     {40, 20, 420, 110}, Arial(PuntiTasti, true));
    EtichettaOpaca(fraIntervento_, "lblIntervento", {40, 150, 420, 40}, 14, Qt::AlignCenter,
                   QStringLiteral("Intervengo io"));

    fraAvviso_ = Cornice(pannelli_, "fraAvviso", posto);
    optAvviso_[Serie::Stampa] =
        Tasto(fraAvviso_, QStringLiteral("optAvviso_0"), QStringLiteral("Stampa"),
              {20, 20, 220, 90}, Arial(PuntiTasti, true));
    optAvviso_[Serie::Ricomincia] =
        Tasto(fraAvviso_, QStringLiteral("optAvviso_1"), QStringLiteral("Ricomincia"),
              {260, 20, 220, 90}, Arial(PuntiTasti, true));
    auto* avviso = EtichettaOpaca(fraAvviso_, "Label4", {8, 130, 484, 60}, 14, Qt::AlignCenter,
                                  QStringLiteral("Se ricominci gli esercizi andranno persi"));
    avviso->setWordWrap(true);
    Colora(avviso, QPalette::WindowText, tavolozza::TestoErrore);

    for (QFrame* f : {fraTastierino_, fraSimboli_, fraAiuto_, fraIntervento_, fraAvviso_})
        pannelli_->addWidget(f);

    accessibilita::Nascondi(lblRiferimento_);
    // Only groups the panels: read as a group without a name, never as a window.
    accessibilita::Gruppo(pannelli_, {});
    accessibilita::Gruppo(fraTastierino_, QStringLiteral("Tastierino"));
    accessibilita::Gruppo(fraSimboli_, QStringLiteral("Simboli"));
    accessibilita::Gruppo(fraAiuto_, QStringLiteral("Ti aiuto ?"));
    accessibilita::Gruppo(fraIntervento_, QStringLiteral("Intervengo io"));
    accessibilita::Gruppo(fraAvviso_, QStringLiteral("Serie finita"));
    Option2_[Serie::Virgola]->setAccessibleName(QStringLiteral("virgola"));
    optAvviso_[Serie::Ricomincia]->setAccessibleDescription(avviso->text());
}

void FrmOperativo::CostruisciStatistiche(QWidget* centrale) {
    auto* cornice = Cornice(centrale, "frmElaborazione", {540, 278, 234, 266});
    cornice->setFrameShape(QFrame::Box);
    cornice->setLineWidth(1);
    Colora(cornice, QPalette::WindowText, tavolozza::BordoRiga);

    const char* titoli[5] = {"Operazioni", "Risposte esatte ", "Risposte errate", "Tempo parziale",
                             "Tempo totale"};
    const char* nomiTitoli[5] = {"lblTitoloOperazioni", "lblTitoloEsatte", "lblTitoloErrate",
                                 "lblTitoloParziale", "lblTitoloTotale"};
    const char* nomi[5] = {"LblOperazione", "lblRisEsatte", "lblRisErrate", "lblTempoOperazione",
                           "LblTempoTotale"};
    QLabel* valori[5];
    for (int k = 0; k < 5; ++k) {
        const int y = 12 + 50 * k;
        auto* titolo =
            EtichettaOpaca(cornice, nomiTitoli[k], {8, y, 140, 40}, 12,
                           Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(titoli[k]), false);
        Colora(titolo, QPalette::WindowText, tavolozza::TestoEsercizio);
        // On two lines when it does not fit on one, as in capitals at the design size.
        titolo->setWordWrap(true);
        valori[k] = EtichettaOpaca(cornice, nomi[k], {150, y, 76, 40}, 18);
        valori[k]->setFrameShape(QFrame::Box);
        valori[k]->setAutoFillBackground(true);
        Colora(valori[k], QPalette::Window, tavolozza::SfondoRiga);
        Colora(valori[k], QPalette::WindowText, tavolozza::TestoEsercizio);
        Colora(valori[k], QPalette::Light, tavolozza::BordoRiga);
        Colora(valori[k], QPalette::Dark, tavolozza::BordoRiga);
    }
    accessibilita::Gruppo(cornice, QStringLiteral("I tuoi risultati"));
    // Each count is read with its caption ("Risposte esatte: 3"), the captions alone not.
    for (QLabel* titolo : cornice->findChildren<QLabel*>(QRegularExpression("^lblTitolo")))
        accessibilita::Nascondi(titolo);
    LblOperazione_ = valori[0];
    lblRisEsatte_ = valori[1];
    lblRisErrate_ = valori[2];
    lblTempoOperazione_ = valori[3];
    LblTempoTotale_ = valori[4];
    lblTempoOperazione_->setToolTip(QStringLiteral("Secondi impiegati per ogni risposta"));
    LblTempoTotale_->setToolTip(QStringLiteral("Secondi impiegati per ogni esercizio"));
}

void FrmOperativo::CostruisciGruppi() {
    const auto lista = [](auto& tasti) { return QList<QPushButton*>(tasti.begin(), tasti.end()); };
    const auto tastierinoNumerico = [](QKeyEvent* e) {
        return static_cast<bool>(e->modifiers() & Qt::KeypadModifier);
    };

    gruppoTastierino_ = new GruppoTasti(
        lista(Option2_),
        [this](int i) {
            Esegui(serie_.TastoPremuto(i));
            Aggiorna();
        },
        this);
    RegolaTastiera(gruppoTastierino_, Pannello::Tastierino, [=, this](QKeyEvent* e) {
        return serie_.TastieraTastierino(e->key(), tastierinoNumerico(e));
    });

    gruppoSimboli_ = new GruppoTasti(
        lista(Option1_),
        [this](int i) {
            Esegui(serie_.SimboloPremuto(i));
            Aggiorna();
        },
        this);
    RegolaTastiera(gruppoSimboli_, Pannello::Simboli, [=, this](QKeyEvent* e) {
        return serie_.TastieraSimboli(e->key(), tastierinoNumerico(e));
    });

    gruppoAiuto_ = new GruppoTasti(
        lista(Option3_),
        [this](int i) {
            serie_.AiutoPremuto(i);
            Aggiorna();
        },
        this);
    RegolaTastiera(gruppoAiuto_, Pannello::Aiuto,
                   [this](QKeyEvent* e) { return serie_.TastieraAiuto(e->key()); });

    gruppoIntervento_ = new GruppoTasti(
        {Option4_},
        [this](int) {
            serie_.InterventoPremuto();
            Aggiorna();
        },
        this);
    RegolaTastiera(gruppoIntervento_, Pannello::Intervento,
                   [this](QKeyEvent* e) { return serie_.TastieraIntervento(e->key()); });

    gruppoAvviso_ = new GruppoTasti(
        lista(optAvviso_),
        [this](int i) {
            Esegui(serie_.AvvisoPremuto(i));
            Aggiorna();
        },
        this);
}

void FrmOperativo::CostruisciScansione(const StatoProgramma& stato) {
    // Every panel's keys in rows as a pupil reads them; only the panel in front is shown, so
    // only its rows are scanned.
    scansione_ = new ScansioneFinestra(this, stato);
    scansione_->ImpostaElenco([this] {
        const auto tasti = [](const auto& a, std::initializer_list<int> indici) {
            QList<QAbstractButton*> riga;
            for (int i : indici)
                riga.append(a[i]);
            return riga;
        };
        using S = Serie;
        return QList<ScansioneFinestra::Gruppo>{
            {tasti(Option2_, {7, 8, 9, S::Cancella}), {}},
            {tasti(Option2_, {4, 5, 6, S::Verifica}), {}},
            {tasti(Option2_, {1, 2, 3, S::Avanti}), {}},
            {tasti(Option2_, {0, S::Virgola, S::Esco}), {}},
            {tasti(Option1_, {0, 1, 2, 3}), {}},
            {tasti(Option1_, {S::CancellaS, S::VerificaS}), {}},
            {tasti(Option1_, {S::AvantiS, S::Esci}), {}},
            {tasti(Option3_, {S::No, S::Si}), {}},
            {{Option4_}, {}},
            {tasti(optAvviso_, {S::Stampa, S::Ricomincia}), {}}};
    });
    // While a number is being typed, and when a new one is asked, the keypad's first row;
    // elsewhere where the series puts the focus ("Avanti" after a right reply, the help
    // question's "NO" after a wrong one).
    scansione_->ImpostaProssimo([this](const QAbstractButton* scelto) {
        const auto cifra = [this](const QObject* tasto) {
            return tasto && std::find(Option2_.begin(), Option2_.begin() + Serie::Cancella + 1,
                                      tasto) != Option2_.begin() + Serie::Cancella + 1;
        };
        if (cifra(scelto) || cifra(focusWidget()))
            return ScansioneFinestra::Prossimo{Option2_[7], true};
        return ScansioneFinestra::Prossimo{};
    });
}

void FrmOperativo::RegolaTastiera(GruppoTasti* gruppo, Pannello pannello,
                                  std::function<AzioneTastiera(QKeyEvent*)> regola) {
    // Every key the group does not handle itself goes through the series' keyboard rule.
    gruppo->ImpostaTastoExtra([this, pannello, regola](int i, QKeyEvent* e) {
        return Tastiera(pannello, regola(e), i) ? GruppoTasti::Esito::Lasciato
                                                : GruppoTasti::Esito::Gestito;
    });
}

GruppoTasti* FrmOperativo::Gruppo(Pannello pannello) const {
    switch (pannello) {
    case Pannello::Tastierino:
        return gruppoTastierino_;
    case Pannello::Simboli:
        return gruppoSimboli_;
    case Pannello::Aiuto:
        return gruppoAiuto_;
    case Pannello::Intervento:
        return gruppoIntervento_;
    case Pannello::Avviso:
        return gruppoAvviso_;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// Events

bool FrmOperativo::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate && !annuncioInAttesa_.isEmpty()) {
        // After the focus the activation brings: announced last, it is heard whole.
        QTimer::singleShot(0, this, &FrmOperativo::DiAnnuncio);
    }
    return QMainWindow::event(evento);
}

void FrmOperativo::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    // The series starts when the window is first shown; maximising, restoring or dragging
    // the border later only lays the window out again.
    if (!serieAvviata_) {
        serieAvviata_ = true;
        serie_.NuovaSerie();
        Aggiorna();
    }
}

void FrmOperativo::closeEvent(QCloseEvent* evento) {
    // Closing unloads the series, which is left unfinished unless it ended: if this window
    // is shown again it starts a new one.
    serie_.Abbandona();
    serieAvviata_ = false;
    QMainWindow::closeEvent(evento);
}

void FrmOperativo::Esegui(Esito esito) {
    switch (esito) {
    case Esito::Chiudi:
        close();
        break;
    case Esito::Stampa:
        if (apriStampa_) apriStampa_();
        break;
    case Esito::Nessuno:
        break;
    }
}

bool FrmOperativo::Tastiera(Pannello pannello, const AzioneTastiera& azione, int indice) {
    GruppoTasti* gruppo = Gruppo(pannello);
    switch (azione.tipo) {
    case AzioneTastiera::Tipo::Lascia:
        return true;
    case AzioneTastiera::Tipo::Ingoia:
        return false;
    case AzioneTastiera::Tipo::Fuoco:
        gruppo->DaiFuoco(azione.indice);
        return false;
    case AzioneTastiera::Tipo::PremiFuoco:
        gruppo->Premi(indice);
        return false;
    case AzioneTastiera::Tipo::Premi: {
        const int fuocoDopo = azione.fuocoDopo;
        gruppo->Premi(azione.indice);
        if (fuocoDopo >= 0 && serie_.TastoAttivo(pannello, fuocoDopo)) gruppo->DaiFuoco(fuocoDopo);
        return false;
    }
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Showing the state of the series

void FrmOperativo::DisponiLinee() {
    for (int k = 0; k < 4; ++k)
        linee_[k]->setGeometry(linee_[k]->parentWidget()->rect());
    Label3_->setGeometry(LblRisultato_->geometry());
}

void FrmOperativo::DisponiRigaSimbolo() {
    const double scala = double(fraSimbolo_->width()) / LarghezzaRiga;
    const int spazio = qRound(SpazioRiga * scala);
    const int limite = fraSimbolo_->contentsRect().right() - qRound(MargineRiga * scala);

    // The given quantity stands just before "=" in both rows: its symbol as wide as its
    // text, the number right-aligned against the symbol.
    const auto accosta = [spazio](QLabel* numero, QLabel* simbolo, const QWidget* uguale) {
        QRect s = simbolo->geometry();
        const int larghezza =
            simbolo->fontMetrics().horizontalAdvance(simbolo->text()) + simbolo->indent();
        s.setLeft(uguale->geometry().left() - spazio - larghezza);
        simbolo->setGeometry(s);
        QRect n = numero->geometry();
        n.setRight(s.left() - 1);
        numero->setGeometry(n);
    };
    accosta(lblNumero1S_, lblSimbolo1S_, lblUgualeS_);
    accosta(lblNumero1_, lblSimbolo1_, lblUguale_);

    QRect numero = LblSimbolo2S_->geometry();
    numero.moveLeft(lblUgualeS_->geometry().right() + 1 + spazio);
    numero.setWidth(LblSimbolo2S_->fontMetrics().horizontalAdvance(LblSimbolo2S_->text()));
    QRect casella = lblRisultatoS_->geometry();
    casella.moveLeft(numero.right() + 1 + spazio);
    // The box never comes closer to the right edge than the margin; only a very long
    // number at the smallest window size pushes it back.
    if (casella.right() > limite) casella.moveRight(limite);
    LblSimbolo2S_->setGeometry(numero);
    lblRisultatoS_->setGeometry(casella);
    QRect correzione = lblCorrezioneS_->geometry();
    correzione.moveLeft(casella.left());
    lblCorrezioneS_->setGeometry(correzione);
}

void FrmOperativo::Aggiorna() {
    const TestiSerie& t = serie_.Testi();
    Label1_->setText(veste_->Testo(t.Label1));
    Label2_->setText(veste_->Testo(t.Label2));
    lblNumero1_->setText(t.lblNumero1);
    // Symbols carry blanks that line them up in fixed-pitch text; on screen they are
    // placed by their labels instead.
    lblSimbolo1_->setText(t.lblSimbolo1.trimmed());
    LblRisultato_->setText(t.LblRisultato);
    lblSimbolo2_->setText(t.lblSimbolo2.trimmed());
    lblCorrezione_->setText(t.lblCorrezione);
    lblNumero1S_->setText(t.lblNumero1S);
    lblSimbolo1S_->setText(t.lblSimbolo1S.trimmed());
    LblSimbolo2S_->setText(t.LblSimbolo2S);
    lblRisultatoS_->setText(t.lblRisultatoS.trimmed());
    lblCorrezioneS_->setText(t.lblCorrezioneS);
    DisponiRigaSimbolo();
    LblEsito_->setText(veste_->Testo(t.LblEsito));
    Colora(LblEsito_, QPalette::WindowText,
           t.LblEsito == QLatin1String("Esatto") ? tavolozza::TestoCorrezione
                                                 : tavolozza::TestoErrore);
    LblOperazione_->setText(t.LblOperazione);
    lblRisEsatte_->setText(t.lblRisEsatte);
    lblRisErrate_->setText(t.lblRisErrate);
    lblTempoOperazione_->setText(t.lblTempoOperazione);
    LblTempoTotale_->setText(t.LblTempoTotale);
    Label6_->setText(t.Label6);
    Label7_->setText(t.Label7);
    Label8_->setText(t.Label8);
    for (int i = 0; i < 4; ++i)
        Option1_[i]->setText(t.Option1[i].trimmed());

    const bool numero = serie_.RigaAttiva() == Riga::Numero;
    fraNumero_->setVisible(numero);
    fraSimbolo_->setVisible(!numero);
    for (QWidget* linea : linee_)
        linea->setVisible(serie_.LineeVisibili());

    for (int i = 0; i < Serie::TastiTastierino; ++i)
        Option2_[i]->setEnabled(serie_.Option2()[i]);
    for (int i = 0; i < Serie::TastiSimboli; ++i)
        Option1_[i]->setEnabled(serie_.Option1()[i]);
    for (int i = 0; i < 2; ++i) {
        Option3_[i]->setEnabled(serie_.Option3()[i]);
        optAvviso_[i]->setEnabled(serie_.optAvviso()[i]);
    }

    MostraPannello(serie_.PannelloAttivo());
    // The end of a series, once: its count said as praise ("RINFORZO SONORO"; the voice
    // reads the switch).
    const bool fine = serie_.PannelloAttivo() == Pannello::Avviso;
    if (fine && !fineLodata_ && voce_)
        voce_->Loda(
            Lodi::FineSerie(serie_.Registro().EsatteTotale(), serie_.Registro().IndiceEsercizio()));
    fineLodata_ = fine;
    if (const auto fuoco = serie_.RitiraFuoco()) {
        if (fuoco->indice >= 0)
            Gruppo(fuoco->pannello)->DaiFuoco(fuoco->indice);
        else
            centralWidget()->setFocus(Qt::OtherFocusReason); // no key: Enter does nothing
    }

    AggiornaNomi();
    // After the focus has moved: a reader speaks the new key first, then what happened.
    Annuncia(Unisci(serie_.RitiraAnnunci()));
}

void FrmOperativo::MostraPannello(Pannello pannello) {
    QWidget* davanti = pannelli_->widget(static_cast<int>(pannello));
    // A key of the panel going out of sight lets the focus go first: the focus never rests
    // in a hidden panel, and no key of the new one takes it before the key the series asks
    // for (Aggiorna gives it next).
    QWidget* fuoco = focusWidget();
    if (fuoco && pannelli_->isAncestorOf(fuoco) && !davanti->isAncestorOf(fuoco))
        fuoco->clearFocus();
    davanti->setEnabled(true);
    pannelli_->setCurrentWidget(davanti);
    for (int i = 0; i < pannelli_->count(); ++i)
        if (pannelli_->widget(i) != davanti) pannelli_->widget(i)->setEnabled(false);
}

void FrmOperativo::Annuncia(const QString& testo) {
    if (testo.isEmpty()) return;
    // Said once the event that caused it is over: a key that takes the focus afterwards
    // (a digit typed on the keyboard leads it to "Verifica") is spoken first, then this.
    annuncioInAttesa_ = testo;
    QTimer::singleShot(0, this, &FrmOperativo::DiAnnuncio);
}

void FrmOperativo::DiAnnuncio() {
    // A window behind another keeps its news until it comes to the front.
    if (annuncioInAttesa_.isEmpty() || !isActiveWindow()) return;
    const QString testo = std::exchange(annuncioInAttesa_, {});
    annunciatore_->Annuncia(testo);
    if (voce_) voce_->Di(testo);
}

void FrmOperativo::AggiornaNomi() {
    const TestiSerie& t = serie_.Testi();
    const StatoProgramma& stato = serie_.Stato();
    const QString problema = serie_.FraseProblema();
    accessibilita::Nome(fraNumero_, problema);
    accessibilita::Nome(fraSimbolo_, problema);
    accessibilita::Nome(LblRisultato_, serie_.FraseRisposta());
    accessibilita::Nome(lblRisultatoS_, serie_.FraseRisposta());
    const auto soluzione = [](const QString& testo) {
        return testo.isEmpty() ? QString() : QStringLiteral("Soluzione: ") + testo;
    };
    accessibilita::Nome(lblCorrezione_, soluzione(t.lblCorrezione));
    accessibilita::Nome(lblCorrezioneS_, soluzione(t.lblCorrezioneS));
    const std::array<std::pair<QLabel*, const char*>, 5> conteggi{{
        {LblOperazione_, "Operazioni"},
        {lblRisEsatte_, "Risposte esatte"},
        {lblRisErrate_, "Risposte errate"},
        {lblTempoOperazione_, "Tempo parziale"},
        {LblTempoTotale_, "Tempo totale"},
    }};
    for (const auto& [etichetta, titolo] : conteggi)
        accessibilita::Nome(etichetta, QString::fromLatin1(titolo) + QStringLiteral(": ") +
                                           etichetta->text().trimmed());
    for (int i = 0; i < 4; ++i)
        accessibilita::Nome(Option1_[i], NomeTastoSimbolo(stato, t.Option1[i]));
}
