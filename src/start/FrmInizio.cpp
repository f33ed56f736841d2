#include "start/FrmInizio.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "start/Catalogo.h"
#include "start/FileImpostazioni.h"
#include "start/Opzioni.h"
#include "ui/Accessibilita.h"
#include "ui/Controlli.h"
#include "ui/FrmAutore.h"
#include "ui/GruppoTasti.h"
#include "ui/ScansioneFinestra.h"
#include "ui/TastieraFinestra.h"
#include "ui/VesteAlunno.h"

using namespace controlli;

namespace {

// Design size of the client area: 11910 x 8430 twips.
constexpr QSize DimensioneProgetto(11910 / TwipPerPixel, 8430 / TwipPerPixel);
// Left edge of the right curtain in the design.
constexpr double SinistraTendinaDestra = 11685.0 / 11910.0;
// Each curtain tick narrows both curtains by this much; the animation stops at or below
// the limit.
constexpr int PassoTendina = 75;  // twips
constexpr int LimiteTendina = 10; // twips

// One caption size for every key of the screen, as large as the longest captions allow at
// the design size: the order captions on one line, "Riprisitina" in its key, "Trova il
// numero o il simbolo" on two lines.
constexpr qreal PuntiTasti = 18;

// Wide-headed heavy arrows pointing left and down, stand-ins for the two symbols of the
// Windows symbol font that the design uses; DejaVu Sans draws both.
const QString FrecciaSinistra = QString(QChar(0x2B05));
const QString FrecciaGiu = QString(QChar(0x2B07));

// The three choice panels: white, with a thick border in the curtains' shade.
QFrame* Pannello(QWidget* genitore, const QString& nome, QRect r) {
    auto* f = Cornice(genitore, nome, r);
    f->setFrameShape(QFrame::Box);
    f->setLineWidth(2);
    Colori(f, tavolozza::SfondoPannelli, tavolozza::BordoPannelli);
    return f;
}

} // namespace

FrmInizio::FrmInizio(StatoProgramma& stato, QWidget* parent)
    : QMainWindow(parent), stato_(stato), proporzioni_(this) {
    setObjectName(QStringLiteral("FrmInizio"));
    CostruisciControlli();
    CostruisciMenu();
    client_->resize(DimensioneProgetto);
    resize(DimensioneProgetto.width(),
           DimensioneProgetto.height() + menuBar()->sizeHint().height());

    // 1. The curtains cover the window, half each, and start to open.
    larghezza1_ = larghezza2_ = DimensioneProgetto.width() * TwipPerPixel / 2;
    larghezzaClientTendine_ = DimensioneProgetto.width();
    PosizionaTendine();
    timerTendine_->start();

    // 2. Orders and actions wait for the earlier choices.
    frame2_->setEnabled(false);
    frame3_->setEnabled(false);

    // 3. Every later layout is computed from the design layout. The curtains follow their
    // animation rather than their recorded shares.
    proporzioni_.MemorizzaProporzioni(client_, DimensioneProgetto,
                                      Proporzioni::Linee | Proporzioni::CaselleCombinate);
    proporzioni_.DopoApplica = [this](QSize) { PosizionaTendine(); };

    // 4. Fixed texts of the title band.
    label7_->setText(FrecciaSinistra);
    label8_->setText(FrecciaGiu);
    label4_[0]->setText(QStringLiteral("Ver.1.1.0 "));
    label4_[1]->setText(QStringLiteral(" Mouse "));

    // 5. Settings: the active unit system and its catalogue, then the options.
    if (stato_.NomeProgramma.isEmpty())
        stato_.NomeProgramma =
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    LeggiLivelli(stato_, stato_.NomeProgramma);
    label3_->setText(QString::number(stato_.Livello));
    SceltaSimboli(stato_);
    MostraCatalogo();
    // The stored choices of the options screen are applied to the state alone: the screen
    // itself is built only when the menu opens it.
    LeggiEApplicaOpzioni(stato_);
    Vesti();

    // 6. Scanning, once the options are known: the kinds, the orders, the commands ("Esci"
    // with them, where it stands).
    scansione_ = new ScansioneFinestra(this, stato_);
    scansione_->ImpostaElenco([this] {
        const auto tasti = [](const std::array<QPushButton*, 3>& a) {
            return QList<QAbstractButton*>(a.begin(), a.end());
        };
        return QList<ScansioneFinestra::Gruppo>{
            {tasti(option1_), QStringLiteral("Tipo di esercizio")},
            {tasti(option2_), QStringLiteral("Ordine dei simboli")},
            {tasti(option3_), QStringLiteral("Comandi")}};
    });

    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* finestra) {
        // Menus and tooltips are windows too, but they never make this one inactive.
        if (finestra && finestra != windowHandle() &&
            (finestra->type() == Qt::Window || finestra->type() == Qt::Dialog))
            altraFinestraAttiva_ = true;
    });
}

FrmInizio::~FrmInizio() = default;

void FrmInizio::Vesti() {
    // The page below the title band and the author's line in the colours of the options;
    // the band, the white panels, their keys and the red choices keep theirs.
    veste_ = new VesteAlunno(stato_, this);
    veste_->Pagina(client_);
    veste_->Lettere(label5_);
    for (const auto* tasti : {&option1_, &option3_})
        for (QPushButton* b : *tasti)
            veste_->Didascalia(b);
    for (QLabel* l : {label5_, label4_[0], label4_[1]})
        veste_->Didascalia(l);
    veste_->DopoCambio = [this] {
        MostraCatalogo();
        if (!label1_->text().isEmpty()) label1_->setText(Testo(stato_.TestoTipo));
        if (!label2_->text().isEmpty()) label2_->setText(Testo(stato_.TestoOrdine));
    };
    MostraCatalogo();
}

QString FrmInizio::Testo(const QString& testo) const {
    return veste_ ? veste_->Testo(testo) : testo;
}

void FrmInizio::CostruisciControlli() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    Colori(client_, tavolozza::SfondoInizio);
    setCentralWidget(client_);

    // Title band: system name, subject, unit names, and the two arrows.
    fraTitolo_ = Cornice(client_, QStringLiteral("fraTitolo"), {0, 0, 794, 150});
    Colori(fraTitolo_, tavolozza::SfondoTitoloInizio);
    label6_[0] = Etichetta(fraTitolo_, QStringLiteral("Label6(0)"), {90, 8, 614, 38},
                           Arial(22, true), tavolozza::TestoTitoli);
    label6_[1] = Etichetta(fraTitolo_, QStringLiteral("Label6(1)"), {90, 50, 614, 30},
                           Arial(16, true), tavolozza::TestoTitoli);
    label6_[2] = Etichetta(fraTitolo_, QStringLiteral("Label6(2)"), {90, 88, 614, 30}, Arial(14),
                           tavolozza::TestoTitoli);
    label6_[2]->setCursor(Qt::PointingHandCursor);
    frame4_ = Cornice(fraTitolo_, QStringLiteral("Frame4"), {712, 80, 56, 46});
    label7_ = Etichetta(frame4_, QStringLiteral("Label7"), {0, 0, 56, 46},
                        QFont(QStringLiteral("DejaVu Sans"), 26), tavolozza::TestoScelte);
    label7_->setCursor(Qt::PointingHandCursor);
    frame5_ = Cornice(fraTitolo_, QStringLiteral("Frame5"), {22, 88, 56, 56});
    label8_ = Etichetta(frame5_, QStringLiteral("Label8"), {0, 0, 56, 56},
                        QFont(QStringLiteral("DejaVu Sans"), 30), tavolozza::TestoScelte);
    label4_[0] = Etichetta(fraTitolo_, QStringLiteral("Label4(0)"), {690, 130, 100, 18}, Arial(8),
                           tavolozza::TestoTitoli, Qt::AlignRight | Qt::AlignVCenter);
    label4_[1] = Etichetta(fraTitolo_, QStringLiteral("Label4(1)"), {690, 4, 100, 18}, Arial(8),
                           tavolozza::TestoTitoli, Qt::AlignRight | Qt::AlignVCenter);

    // The active unit system, over the band.
    label3_ = Etichetta(client_, QStringLiteral("Label3"), {22, 18, 56, 56}, Arial(26, true),
                        tavolozza::TestoTitoli);
    label3_->setFrameShape(QFrame::Box);
    label3_->setLineWidth(2);
    Colori(label3_, tavolozza::SfondoPannelli);

    // The three panels, opened one after the other.
    frame1_ = Pannello(client_, QStringLiteral("Frame1"), {16, 166, 296, 278});
    const QStringList tipi{QStringLiteral("Trova il numero"), QStringLiteral("Trova il simbolo"),
                           QStringLiteral("Trova il numero o il simbolo")};
    for (int i = 0; i < 3; ++i)
        option1_[i] = Tasto(frame1_, QStringLiteral("Option1(%1)").arg(i), tipi[i],
                            {12, 18 + 86 * i, 272, 70}, Arial(PuntiTasti, true));
    frame2_ = Pannello(client_, QStringLiteral("Frame2"), {324, 166, 290, 278});
    for (int i = 0; i < 3; ++i)
        option2_[i] = Tasto(frame2_, QStringLiteral("Option2(%1)").arg(i), QString(),
                            {12, 18 + 86 * i, 266, 70}, Arial(PuntiTasti, true));
    frame3_ = Pannello(client_, QStringLiteral("Frame3"), {626, 166, 152, 278});
    option3_[0] = Tasto(frame3_, QStringLiteral("Option3(0)"), QStringLiteral("Vai"),
                        {8, 18, 136, 70}, Arial(PuntiTasti, true));
    option3_[1] = Tasto(frame3_, QStringLiteral("Option3(1)"), QStringLiteral("Riprisitina"),
                        {8, 104, 136, 70}, Arial(PuntiTasti, true));
    // "Esci" lies over the action panel but outside it, so it works while the panel is off.
    option3_[2] = Tasto(client_, QStringLiteral("Option3(2)"), QStringLiteral("Esci"),
                        {634, 356, 136, 70}, Arial(PuntiTasti, true));
    for (const auto* tasti : {&option1_, &option2_, &option3_})
        for (QPushButton* b : *tasti)
            b->setCursor(Qt::PointingHandCursor);

    // The choices made, in red.
    label1_ = Etichetta(client_, QStringLiteral("Label1"), {20, 454, 754, 32}, Arial(16, true),
                        tavolozza::TestoScelte, Qt::AlignLeft | Qt::AlignVCenter);
    label2_ = Etichetta(client_, QStringLiteral("Label2"), {20, 488, 754, 32}, Arial(16, true),
                        tavolozza::TestoScelte, Qt::AlignLeft | Qt::AlignVCenter);
    label5_ =
        Etichetta(client_, QStringLiteral("Label5"), {20, 530, 400, 24}, Arial(11, false, true),
                  tavolozza::TestoTitoli, Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("Il nuovo software di Vantolo"));
    label5_->setCursor(Qt::PointingHandCursor);

    // Curtains, on top of everything while they open.
    picture1_ = Crea<QWidget>(client_, QStringLiteral("Picture1"), {0, 0, 397, 562});
    picture2_ = Crea<QWidget>(client_, QStringLiteral("Picture2"), {779, 0, 397, 562});
    for (QWidget* tendina : {picture1_, picture2_}) {
        Colori(tendina, tavolozza::Tendine);
        tendina->raise();
    }
    timerTendine_ = new QTimer(this);
    timerTendine_->setObjectName(QStringLiteral("timerTendine"));
    timerTendine_->setInterval(5);
    connect(timerTendine_, &QTimer::timeout, this, &FrmInizio::PassoTendine);

    gruppo1_ = new GruppoTasti(
        {option1_.begin(), option1_.end()}, [this](int i) { PremiTipo(i); }, this);
    gruppo2_ = new GruppoTasti(
        {option2_.begin(), option2_.end()}, [this](int i) { PremiOrdine(i); }, this);
    gruppo3_ = new GruppoTasti(
        {option3_.begin(), option3_.end()}, [this](int i) { PremiAzione(i); }, this);
    const QMap<int, int> cifre{{Qt::Key_1, 0}, {Qt::Key_2, 1}, {Qt::Key_3, 2}};
    gruppo1_->ImpostaCifre(cifre);
    // A digit in the order group chooses that order, so "Vai" is never reached without one.
    gruppo2_->ImpostaCifre(cifre, GruppoTasti::Cifra::Premi);
    gruppo3_->ImpostaCifre(cifre);

    for (QLabel* l : {label5_, label7_, label6_[0], label6_[1], label6_[2]})
        l->installEventFilter(this);

    // For screen readers: the panels as named groups, the arrows by what a click does,
    // the curtains unread.
    accessibilita::Gruppo(fraTitolo_, QStringLiteral("Sistema di unità"));
    accessibilita::Gruppo(frame1_, QStringLiteral("Tipo di esercizio"));
    accessibilita::Gruppo(frame2_, QStringLiteral("Ordine dei simboli"));
    accessibilita::Gruppo(frame3_, QStringLiteral("Comandi"));
    accessibilita::Gruppo(frame4_, QStringLiteral("Cambia sistema"));
    accessibilita::Gruppo(frame5_, QStringLiteral("Cancella le scelte"));
    label7_->setAccessibleName(QStringLiteral("Freccia: un clic cambia il sistema di unità"));
    label8_->setAccessibleName(
        QStringLiteral("Freccia: un clic cancella le scelte scritte in rosso"));
    for (QWidget* tendina : {picture1_, picture2_})
        accessibilita::Nascondi(tendina);
    new TastieraFinestra(this, [this] { return option1_[0]; });
}

void FrmInizio::CostruisciMenu() {
    QMenuBar* barra = menuBar();
    mnuStampa_ = barra->addAction(QStringLiteral("&Stampa schede"));
    mnuStampa_->setObjectName(QStringLiteral("mnuStampa"));
    // Greyed until the worksheet screen is wired in (ImpostaApriStampaSchede).
    mnuStampa_->setEnabled(false);
    connect(mnuStampa_, &QAction::triggered, this,
            [this] { ApriFinestra(apriStampaSchede_, stampaSchede_); });

    QAction* mnuAutore = barra->addAction(QStringLiteral("&Autore"));
    mnuAutore->setObjectName(QStringLiteral("mnuAutore"));
    connect(mnuAutore, &QAction::triggered, this, [this] {
        frmAutore autore(this);
        autore.exec();
    });

    // Every unit system of the catalogue, under its subject; the one in force is checked.
    QMenu* mnuSistema = barra->addMenu(QStringLiteral("S&istema"));
    mnuSistema->setObjectName(QStringLiteral("mnuSistema"));
    sistemi_ = new QActionGroup(this);
    sistemi_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const MateriaSistemi& materia : MenuSistema()) {
        // The subject heading in bold, so it reads apart from the entries under it.
        QAction* titolo = mnuSistema->addSection(materia.Nome);
        QFont grassetto = mnuSistema->font();
        grassetto.setBold(true);
        titolo->setFont(grassetto);
        for (const VoceSistema& voce : materia.Sistemi) {
            QAction* azione = mnuSistema->addAction(voce.Didascalia);
            azione->setObjectName(QStringLiteral("mnuSistema(%1)").arg(voce.Livello));
            azione->setCheckable(true);
            azione->setData(voce.Livello);
            sistemi_->addAction(azione);
            const std::int16_t livello = voce.Livello;
            connect(azione, &QAction::triggered, this, [this, livello] { CambiaLivello(livello); });
        }
    }
    QAction* mnuOpzioni = barra->addAction(QStringLiteral("&Opzioni"));
    mnuOpzioni->setObjectName(QStringLiteral("mnuOpzioni"));
    // Greyed until the options screen is wired in (ImpostaApriOpzioni).
    mnuOpzioni->setEnabled(false);
    mnuOpzioni_ = mnuOpzioni;
    connect(mnuOpzioni, &QAction::triggered, this, [this] {
        if (apriOpzioni_) apriOpzioni_();
    });
    // The teacher's register, behind the teacher's password.
    mnuRegistro_ = barra->addAction(QStringLiteral("&Registro"));
    mnuRegistro_->setObjectName(QStringLiteral("mnuRegistro"));
    // Greyed until the register is wired in (ImpostaApriRegistro).
    mnuRegistro_->setEnabled(false);
    connect(mnuRegistro_, &QAction::triggered, this, [this] {
        if (apriRegistro_) apriRegistro_();
    });
}

void FrmInizio::ImpostaApriOperativo(std::function<QWidget*()> apri) {
    apriOperativo_ = std::move(apri);
}

void FrmInizio::ImpostaApriStampaSchede(std::function<QWidget*()> apri) {
    apriStampaSchede_ = std::move(apri);
    mnuStampa_->setEnabled(static_cast<bool>(apriStampaSchede_));
}

void FrmInizio::ImpostaApriOpzioni(std::function<void()> apri) {
    apriOpzioni_ = std::move(apri);
    mnuOpzioni_->setEnabled(static_cast<bool>(apriOpzioni_));
}

void FrmInizio::ImpostaApriRegistro(std::function<void()> apri) {
    apriRegistro_ = std::move(apri);
    mnuRegistro_->setEnabled(static_cast<bool>(apriRegistro_));
}

bool FrmInizio::TendineInMovimento() const {
    return timerTendine_->isActive();
}

void FrmInizio::MostraCatalogo() {
    for (QAction* azione : sistemi_->actions())
        azione->setChecked(azione->data().toInt() == stato_.Livello);
    const TestiCatalogo& testi = stato_.Catalogo;
    setWindowTitle(testi.Titolo);
    for (int i = 0; i < 3; ++i) {
        label6_[i]->setText(Testo(testi.Label6[i]));
        option2_[i]->setText(Testo(testi.Option2[i]));
    }
    // Read by the unit names, in the order each key gives them.
    QStringList nomi = testi.NomiUnita();
    accessibilita::Nome(option2_[1], nomi.join(QStringLiteral(", ")));
    std::reverse(nomi.begin(), nomi.end());
    accessibilita::Nome(option2_[0], nomi.join(QStringLiteral(", ")));
    accessibilita::Nome(label3_, QStringLiteral("Sistema ") + label3_->text());
}

void FrmInizio::PulisciTesti() {
    label1_->clear();
    label2_->clear();
}

void FrmInizio::Attivazione() {
    option1_[0]->setFocus(Qt::ActiveWindowFocusReason);
    PulisciTesti();
    RiattivaFrecce();
}

void FrmInizio::RiattivaFrecce() {
    for (QFrame* f : {frame4_, frame5_}) {
        f->setEnabled(true);
        f->setFrameShape(QFrame::NoFrame);
    }
    label7_->setVisible(true);
}

void FrmInizio::PremiTipo(int indice) {
    // The active unit system stays as shown: the kind choice does not touch Livello.
    ScegliTipo(stato_, indice);
    label1_->setText(Testo(stato_.TestoTipo));
    frame2_->setEnabled(true);
    option2_[0]->setFocus(Qt::OtherFocusReason);
}

void FrmInizio::PremiOrdine(int indice) {
    ScegliOrdine(stato_, indice);
    label2_->setText(Testo(stato_.TestoOrdine));
    frame3_->setEnabled(true);
    option3_[0]->setFocus(Qt::OtherFocusReason);
}

void FrmInizio::PremiAzione(int indice) {
    switch (indice) {
    case 0:
        Vai();
        break;
    case 1:
        Riprisitina();
        break;
    case 2:
        close();
        break;
    default:
        break;
    }
}

void FrmInizio::Vai() {
    ApriFinestra(apriOperativo_, operativo_);
}

void FrmInizio::ApriFinestra(std::function<QWidget*()>& apri, QPointer<QWidget>& finestra) {
    if (!finestra && apri) finestra = apri();
    if (!finestra) return;
    if (!finestra->isVisible()) finestra->showMaximized();
    finestra->raise();
    finestra->activateWindow();
}

void FrmInizio::Riprisitina() {
    frame1_->setEnabled(true);
    RiattivaFrecce();
    option1_[0]->setFocus(Qt::OtherFocusReason);
    frame2_->setEnabled(false);
    frame3_->setEnabled(false);
    PulisciTesti();
}

void FrmInizio::CambiaLivello(std::int16_t livello) {
    stato_.Livello = livello;
    label3_->setText(QString::number(stato_.Livello));
    SalvaLivello(stato_);
    SceltaSimboli(stato_);
    MostraCatalogo();
    PulisciTesti();
    if (stato_.Segnali) emit stato_.Segnali->LivelloCambiato(stato_.Livello);
}

void FrmInizio::PassoTendine() {
    larghezza1_ = std::max(0, larghezza1_ - PassoTendina);
    larghezza2_ = std::max(0, larghezza2_ - PassoTendina);
    if (larghezza1_ <= LimiteTendina) timerTendine_->stop();
    PosizionaTendine();
}

void FrmInizio::PosizionaTendine() {
    const int larghezza = client_->width();
    const int altezza = client_->height();
    // The curtains keep the share of the window they still cover: a resize while they open
    // scales what is left, and a resize after they opened does not bring them back.
    if (larghezza > 0 && larghezzaClientTendine_ > 0 && larghezza != larghezzaClientTendine_) {
        const double fattore = double(larghezza) / larghezzaClientTendine_;
        larghezza1_ = qRound(larghezza1_ * fattore);
        larghezza2_ = qRound(larghezza2_ * fattore);
        larghezzaClientTendine_ = larghezza;
    }
    const bool aperte = !timerTendine_->isActive() && larghezza1_ <= LimiteTendina;
    picture1_->setGeometry(0, 0, DaTwip(larghezza1_), altezza);
    picture2_->setGeometry(qRound(larghezza * SinistraTendinaDestra), 0, DaTwip(larghezza2_),
                           altezza);
    picture1_->setVisible(!aperte);
    picture2_->setVisible(!aperte);
}

bool FrmInizio::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate) {
        if (primaAttivazione_ || altraFinestraAttiva_) Attivazione();
        primaAttivazione_ = false;
        altraFinestraAttiva_ = false;
    }
    return QMainWindow::event(evento);
}

bool FrmInizio::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(evento);
        auto* etichetta = qobject_cast<QLabel*>(oggetto);
        // A click: released with the left button over the label it was pressed on.
        if (etichetta && mouse->button() == Qt::LeftButton &&
            etichetta->rect().contains(mouse->position().toPoint())) {
            if (etichetta == label5_ || etichetta == label7_ || etichetta == label6_[2])
                CambiaLivello(LivelloSuccessivo(stato_.Livello));
            else
                PulisciTesti();
            return true;
        }
    }
    return QMainWindow::eventFilter(oggetto, evento);
}

void FrmInizio::closeEvent(QCloseEvent* evento) {
    if (!chiusura_) {
        chiusura_ = true;
        timerTendine_->stop();
        // Guarded: closing one window may destroy another.
        QList<QPointer<QWidget>> finestre;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != this) finestre.append(w);
        for (const QPointer<QWidget>& w : std::as_const(finestre))
            if (w && w->isVisible()) w->close();
    }
    evento->accept();
    QCoreApplication::quit();
}
