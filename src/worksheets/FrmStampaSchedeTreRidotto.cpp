#include "worksheets/FrmStampaSchedeTreRidotto.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "base/MessaggiStampa.h"
#include "base/Servizi.h"
#include "drill/Frasi.h"
#include "ui/Accessibilita.h"
#include "ui/Controlli.h"
#include "ui/GruppoTasti.h"
#include "ui/StileTasti.h"
#include "ui/TastiTenuti.h"
#include "ui/TastieraFinestra.h"

using namespace controlli;

namespace {

// Design size of the client area: 11910 x 8340 twips.
constexpr QSize DimensioneProgetto(11910 / TwipPerPixel, 8340 / TwipPerPixel);

// The preview: 30 lines in the fixed-pitch font, in three blocks of ten as on paper. At the
// design size a teachers' line (74 characters) fills the preview's width.
constexpr int SinistraAnteprima = 236;
constexpr int LarghezzaAnteprima = 552;
constexpr int AltoAnteprima = 110;
constexpr int AltezzaRiga = 14;
constexpr int SpazioBlocchi = 6;
constexpr qreal PuntiAnteprima = 9;

constexpr qreal PuntiTasti = 10;

int YRigaAnteprima(int i) {
    return AltoAnteprima + 3 + AltezzaRiga * (i - 1) + SpazioBlocchi * ((i - 1) / 10);
}

QFont Courier(qreal punti) {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(punti);
    return f;
}

const QString TestoSchedaVuota =
    QStringLiteral("La scheda è vuota: scegli il tipo di esercizio e l'ordine dei simboli, poi "
                   "premi \"VISUALIZZA SCHEDA\".");

} // namespace

FrmStampaSchedeTreRidotto::FrmStampaSchedeTreRidotto(const StatoProgramma& stato,
                                                     ServizioStampa& servizio, Avvisi& avvisi,
                                                     FonteCasuale& fonte, QWidget* parent)
    : QMainWindow(parent), stato_(stato), servizio_(servizio), avvisi_(avvisi), fonte_(fonte),
      scheda_(NuovaScheda(stato)) {
    setObjectName(QStringLiteral("FrmStampaSchedeTreRidotto"));
    setWindowTitle(QStringLiteral("SISTEMA METRICO- TRSFORMAZIONI - STAMPA DELLE SCHEDE"));
    CostruisciControlli();
    CostruisciMenu();
    client_->resize(DimensioneProgetto);
    resize(DimensioneProgetto.width(),
           DimensioneProgetto.height() + menuBar()->sizeHint().height());

    proporzioni_ = new Proporzioni(this);
    proporzioni_->MemorizzaProporzioni(client_, DimensioneProgetto);

    // At opening: 30 problems, no kind or order marked here, nothing to print.
    label1_->clear();
    label2_->clear();
    opt1_[2]->setChecked(true);
    frame7_->setEnabled(false);
    NascondiStampa();

    new TastieraFinestra(this, [this]() -> QWidget* { return option1_[0]; });
}

FrmStampaSchedeTreRidotto::~FrmStampaSchedeTreRidotto() {
    // The key groups and the scaler watch widgets through event filters: they go first.
    for (QObject* osservatore :
         std::initializer_list<QObject*>{gruppoTipi_, gruppoOrdini_, proporzioni_})
        delete osservatore;
    for (QPushButton* b : {cmdRicomincia_, cmdVisualizzaAlunni_, cmdStampaAlunni_,
                           cmdVisualizzaDocenti_, cmdStampaDocenti_, cmdEsci_})
        b->removeEventFilter(this);
    for (QPushButton* b : option2_)
        b->removeEventFilter(this);
}

void FrmStampaSchedeTreRidotto::CostruisciControlli() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    Colori(client_, tavolozza::SfondoSchede);
    setCentralWidget(client_);

    // Number of problems.
    frame2_ = Crea<QGroupBox>(client_, QStringLiteral("Frame2"), {8, 4, 220, 94});
    frame2_->setTitle(QStringLiteral("Operazioni"));
    frame2_->setFont(Arial(9, true));
    const QStringList numeri{QStringLiteral("10 OPERAZIONI"), QStringLiteral("20 OPERAZION I"),
                             QStringLiteral("30 OPERAZIONI")};
    for (int i = 0; i < 3; ++i) {
        opt1_[i] = Crea<QRadioButton>(frame2_, QStringLiteral("Opt1(%1)").arg(i),
                                      {14, 22 + 23 * i, 196, 22});
        opt1_[i]->setText(numeri[i]);
        opt1_[i]->setFont(Arial(PuntiTasti, true));
        connect(opt1_[i], &QRadioButton::toggled, this, [this, i](bool scelto) {
            if (scelto) ScegliNumero(i);
        });
    }

    // Kind and order: keys with a red indicator at their left.
    const auto gruppo = [this](QFrame*& cornice, const QString& nomeCornice, int alto,
                               std::array<QPushButton*, 3>& tasti, const QString& nomeTasti,
                               std::array<QLabel*, 3>& indicatori, const QString& nomeIndicatori,
                               const QStringList& testi) {
        cornice = Cornice(client_, nomeCornice, {8, alto, 220, 140});
        cornice->setFrameShape(QFrame::Box);
        for (int i = 0; i < 3; ++i) {
            indicatori[i] =
                Etichetta(cornice, nomeIndicatori.arg(i), {6, 8 + 44 * i, 12, 36}, Arial(8));
            Colori(indicatori[i], tavolozza::SfondoSchede);
            tasti[i] = Tasto(cornice, nomeTasti.arg(i), testi.value(i), {24, 8 + 44 * i, 188, 36},
                             Arial(PuntiTasti, true));
            tasti[i]->setCursor(Qt::PointingHandCursor);
            // Tab enters a group at its first key and leaves it from any key: the space bar
            // walks the keys inside.
            if (i > 0) tasti[i]->setFocusPolicy(Qt::ClickFocus);
        }
    };
    gruppo(frame6_, QStringLiteral("Frame6"), 104, option1_, QStringLiteral("Option1(%1)"), label3_,
           QStringLiteral("Label3(%1)"),
           {QStringLiteral("CALCOLA IL NUMERO"), QStringLiteral("CALCOLA IL SIMBOLO"),
            QStringLiteral(" NUMERO O   SIMBOLO ")});
    const std::array<QString, 3> ordini = DidascalieOrdine(stato_.Simbolo);
    gruppo(frame7_, QStringLiteral("Frame7"), 250, option2_, QStringLiteral("Option2(%1)"), label4_,
           QStringLiteral("Label4(%1)"), {ordini[0], ordini[1], ordini[2]});
    for (QPushButton* b : option2_)
        b->setFont(Courier(PuntiTasti));

    frame1_ = Cornice(client_, QStringLiteral("Frame1"), {8, 396, 220, 52});
    frame1_->setFrameShape(QFrame::Box);
    cmdRicomincia_ =
        Tasto(frame1_, QStringLiteral("CmdRicomincia"), QStringLiteral("CANCELLA SCHEDA"),
              {8, 8, 204, 36}, Arial(PuntiTasti, true));

    // Pupils' and teachers' sheets, over the preview.
    const auto foglio = [this](QGroupBox*& cornice, const QString& nome, const QString& titolo,
                               int sinistra, QPushButton*& visualizza, const QString& nomeV,
                               const QString& testoV, QPushButton*& stampa, const QString& nomeS,
                               const QString& testoS) {
        cornice = Crea<QGroupBox>(client_, nome, {sinistra, 2, 272, 62});
        cornice->setTitle(titolo);
        cornice->setFont(Arial(9, true));
        visualizza = Tasto(cornice, nomeV, testoV, {8, 20, 150, 34}, Arial(PuntiTasti, true));
        stampa = Tasto(cornice, nomeS, testoS, {164, 20, 100, 34}, Arial(PuntiTasti, true));
    };
    foglio(frame3_, QStringLiteral("Frame3"), QStringLiteral("ALUNNI"), SinistraAnteprima,
           cmdVisualizzaAlunni_, QStringLiteral("CmdVisualizzaSchedaAlunni"),
           QStringLiteral("VISUALIZZA SCHEDA "), cmdStampaAlunni_,
           QStringLiteral("CmdStampaSchedaAlunni"), QStringLiteral("STAMPA SCHEDA "));
    foglio(frame4_, QStringLiteral("Frame4"), QStringLiteral("DOCENTI"),
           SinistraAnteprima + LarghezzaAnteprima - 272, cmdVisualizzaDocenti_,
           QStringLiteral("CmdVisualizzaSchedaDocenti"), QStringLiteral("VISUALIZZA SCHEDA"),
           cmdStampaDocenti_, QStringLiteral("CmdStampaSchedaDocenti"),
           QStringLiteral("STAMPA SCHEDA"));

    cmdEsci_ = Tasto(client_, QStringLiteral("cmdEsci"), QStringLiteral("ESCI"), {16, 494, 204, 44},
                     Arial(12, true));

    // The chosen kind and order, the legend and the preview.
    label1_ = Etichetta(client_, QStringLiteral("Label1"), {SinistraAnteprima, 66, 552, 20},
                        Arial(11, true), tavolozza::TestoScelte, Qt::AlignLeft | Qt::AlignVCenter);
    label2_ = Etichetta(client_, QStringLiteral("Label2"), {SinistraAnteprima, 84, 552, 20},
                        Arial(11, true), tavolozza::TestoScelte, Qt::AlignLeft | Qt::AlignVCenter);
    label6_ = Etichetta(client_, QStringLiteral("Label6"), {SinistraAnteprima, 100, 552, 12},
                        Courier(8), tavolozza::TestoTitoli, Qt::AlignLeft | Qt::AlignVCenter,
                        QStringLiteral("metri,    decimetri  centimetri   millimetri"));
    auto* fondo = Cornice(client_, QStringLiteral("fraAnteprima"),
                          {SinistraAnteprima - 4, AltoAnteprima + 2, LarghezzaAnteprima + 8,
                           YRigaAnteprima(RigheScheda) + AltezzaRiga + 4 - AltoAnteprima - 2});
    Colori(fondo, tavolozza::SfondoAnteprimaSchede);
    fondo->setFrameShape(QFrame::Box);
    accessibilita::Gruppo(fondo, QStringLiteral("Anteprima della scheda"));
    accessibilita::Gruppo(frame6_, QStringLiteral("Tipo di esercizio"));
    accessibilita::Gruppo(frame7_, QStringLiteral("Ordine dei simboli"));
    accessibilita::Gruppo(frame1_, QStringLiteral("Cancella scheda"));
    SegnaIndicatore(label3_, -1);
    SegnaIndicatore(label4_, -1);
    for (int i = 1; i <= RigheScheda; ++i) {
        // Placed in the client, not in the white frame, so that each line keeps its own
        // share of the window.
        lblOp_[i] =
            Etichetta(client_, QStringLiteral("LblOp(%1)").arg(i),
                      {SinistraAnteprima, YRigaAnteprima(i), LarghezzaAnteprima, AltezzaRiga},
                      Courier(PuntiAnteprima), tavolozza::TestoAnteprimaSchede,
                      Qt::AlignLeft | Qt::AlignVCenter);
        lblOp_[i]->setTextFormat(Qt::PlainText);
    }
    annunciatore_ = new Annunciatore(client_);

    // Keys that act on press: kinds and orders.
    gruppoTipi_ = new GruppoTasti(
        {option1_.begin(), option1_.end()}, [this](int i) { PremiTipo(i); }, this);
    gruppoOrdini_ = new GruppoTasti(
        {option2_.begin(), option2_.end()}, [this](int i) { PremiOrdine(i); }, this);
    for (QPushButton* b : option2_)
        b->installEventFilter(this);

    // The other buttons click as usual (Enter and the space bar act too), shown in the key
    // colours; a held key acts once.
    for (QPushButton* b : {cmdRicomincia_, cmdVisualizzaAlunni_, cmdStampaAlunni_,
                           cmdVisualizzaDocenti_, cmdStampaDocenti_, cmdEsci_}) {
        b->setAutoDefault(true);
        b->setCursor(Qt::PointingHandCursor);
        StileTasti::Segna(b);
        Colora(b, QPalette::Button, tavolozza::TastoRiposo);
        b->installEventFilter(this);
    }
    connect(cmdRicomincia_, &QPushButton::clicked, this, [this] { Ricomincia(); });
    connect(cmdVisualizzaAlunni_, &QPushButton::clicked, this,
            [this] { Visualizza(SchedaAlunni); });
    connect(cmdVisualizzaDocenti_, &QPushButton::clicked, this,
            [this] { Visualizza(SchedaDocenti); });
    connect(cmdStampaAlunni_, &QPushButton::clicked, this, [this] { Stampa(); });
    connect(cmdStampaDocenti_, &QPushButton::clicked, this, [this] { Stampa(); });
    connect(cmdEsci_, &QPushButton::clicked, this, &QWidget::close);
    // Esc leaves the screen as "ESCI" does (an open list or menu takes it first).
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, cmdEsci_,
            &QPushButton::click);
}

void FrmStampaSchedeTreRidotto::CostruisciMenu() {
    menuBar()->setFont(Arial(10));
    mnuStampante_ = menuBar()->addAction(QStringLiteral("&Impostazione stampante"));
    mnuStampante_->setObjectName(QStringLiteral("mnuStampante"));
    mnuStampante_->setEnabled(false);
    connect(mnuStampante_, &QAction::triggered, this, [this] {
        if (apriSceltaStampante_) apriSceltaStampante_();
    });
}

void FrmStampaSchedeTreRidotto::ImpostaSceltaStampante(std::function<void()> apri) {
    apriSceltaStampante_ = std::move(apri);
    mnuStampante_->setEnabled(static_cast<bool>(apriSceltaStampante_));
}

void FrmStampaSchedeTreRidotto::ScegliNumero(int indice) {
    ScegliNumeroProblemi(scheda_, indice);
    // The preview no longer matches the count: nothing is left to print until the next one.
    NascondiStampa();
    MostraAnteprima();
}

void FrmStampaSchedeTreRidotto::PremiTipo(int indice) {
    SegnaIndicatore(label3_, indice);
    ScegliTipoEsercizio(scheda_, indice);
    label1_->setText(scheda_.TestoTipo);
    frame7_->setEnabled(true);
    NuovaCostruzione();
}

void FrmStampaSchedeTreRidotto::PremiOrdine(int indice) {
    SegnaIndicatore(label4_, indice);
    ScegliOrdineSimboli(scheda_, indice);
    label2_->setText(scheda_.TestoOrdine);
    frame1_->setEnabled(true);
    NuovaCostruzione();
}

void FrmStampaSchedeTreRidotto::Ricomincia() {
    if (!NuovaCostruzione())
        avvisi_.Informa(QStringLiteral("Scheda"),
                        QStringLiteral("Scegli il tipo di esercizio e l'ordine dei simboli."));
}

bool FrmStampaSchedeTreRidotto::NuovaCostruzione() {
    NascondiStampa();
    const bool costruita = CostruisciScheda(scheda_, stato_, fonte_);
    MostraAnteprima();
    return costruita;
}

void FrmStampaSchedeTreRidotto::Visualizza(int tipoScheda) {
    (tipoScheda == SchedaAlunni ? cmdStampaDocenti_ : cmdStampaAlunni_)->hide();
    VisualizzaScheda(scheda_, tipoScheda);
    MostraAnteprima();
}

void FrmStampaSchedeTreRidotto::Stampa() {
    // Whichever print button: the sheet printed is the one on screen.
    const int tipo = scheda_.TipoScheda;
    if (!SchedaStampabile(scheda_, tipo)) {
        avvisi_.Informa(QString::fromUtf8(TitoloStampa), TestoSchedaVuota);
        return;
    }
    if (servizio_.CercaCourier().isEmpty()) {
        AvvisaStampa(avvisi_, {EsitoStampa::Tipo::FontMancante, {}}, servizio_.PdfScelto());
        return;
    }
    const EsitoStampa esito = servizio_.Stampa(
        PaginaScheda(scheda_, stato_),
        tipo == SchedaAlunni ? QStringLiteral("scheda alunni") : QStringLiteral("scheda docenti"));
    AvvisaStampa(avvisi_, esito, servizio_.PdfScelto());
}

void FrmStampaSchedeTreRidotto::NascondiStampa() {
    cmdStampaAlunni_->hide();
    cmdStampaDocenti_->hide();
}

void FrmStampaSchedeTreRidotto::MostraAnteprima() {
    QStringList dette;
    for (int i = 1; i <= RigheScheda; ++i) {
        lblOp_[i]->setText(scheda_.RigaStampa[i]);
        // Read by a screen reader in words, and the whole sheet announced as it appears.
        const QString detta = RigaDetta(stato_, scheda_.RigaStampa[i]);
        accessibilita::Nome(lblOp_[i], detta);
        if (!detta.isEmpty()) dette << detta + u'.';
    }
    if (!dette.isEmpty())
        annunciatore_->Annuncia(
            QStringLiteral("Anteprima della scheda, %1 righe. ").arg(dette.size()) +
            dette.join(u' '));
}

void FrmStampaSchedeTreRidotto::SegnaIndicatore(std::array<QLabel*, 3>& indicatori, int indice) {
    const std::array<QPushButton*, 3>& tasti = &indicatori == &label3_ ? option1_ : option2_;
    for (int i = 0; i < 3; ++i) {
        const bool scelto = i == indice;
        Colori(indicatori[i], scelto ? tavolozza::IndicatoreAcceso : tavolozza::SfondoSchede);
        // A screen reader cannot see red: the indicator and its key say which one is on.
        accessibilita::Nome(indicatori[i],
                            (scelto ? QStringLiteral("Scelto: ") : QStringLiteral("Non scelto: ")) +
                                tasti[i]->text().simplified());
        accessibilita::Descrizione(tasti[i], scelto ? QStringLiteral("scelto") : QString());
    }
}

bool FrmStampaSchedeTreRidotto::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* tasto = qobject_cast<QPushButton*>(oggetto);
    if (!tasto) return QMainWindow::eventFilter(oggetto, evento);

    const int ordine = gruppoOrdini_ ? gruppoOrdini_->Indice(tasto) : -1;
    if (ordine >= 0) {
        // An order key marks its indicator as it takes the focus (the group colours it).
        if (evento->type() == QEvent::FocusIn) SegnaIndicatore(label4_, ordine);
        return false;
    }

    switch (evento->type()) {
    case QEvent::FocusIn:
        Colora(tasto, QPalette::Button, tavolozza::TastoFuoco);
        if (tasto == cmdVisualizzaAlunni_) cmdStampaAlunni_->show();
        if (tasto == cmdVisualizzaDocenti_) cmdStampaDocenti_->show();
        break;
    case QEvent::FocusOut:
        Colora(tasto, QPalette::Button, tavolozza::TastoRiposo);
        break;
    case QEvent::KeyPress: {
        // A held Enter or space bar must not print a sheet over and over.
        auto* tasto = static_cast<QKeyEvent*>(evento);
        const int codice = tasto->key();
        if ((codice == Qt::Key_Return || codice == Qt::Key_Enter || codice == Qt::Key_Space) &&
            TastiTenuti::Istanza().Ripetizione(tasto))
            return true;
        break;
    }
    default:
        break;
    }
    return false;
}
