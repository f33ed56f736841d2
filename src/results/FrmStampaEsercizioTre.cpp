#include "results/FrmStampaEsercizioTre.h"

#include <algorithm>

#include "base/MessaggiStampa.h"
#include "drill/Frasi.h"
#include "results/NomeAlunno.h"
#include "results/StampaEsercizi.h"
#include "ui/Accessibilita.h"
#include "ui/Controlli.h"
#include "ui/GruppoTasti.h"
#include "ui/Resize.h"
#include "ui/ScansioneFinestra.h"
#include "ui/TastieraFinestra.h"
#include "ui/VesteAlunno.h"
#include "worksheets/FrmSceltaStampante.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QValidator>

using namespace controlli;

namespace {

// Design tops of LblOp(1..30), in twips: three groups of ten.
constexpr std::array<int, EtichetteEsercizi> AltoLblOp{
    360,  615,  855,  1080, 1335, 1590, 1830, 2055, 2295, 2520, 2835, 3090, 3330, 3585, 3840,
    4095, 4350, 4605, 4860, 5115, 5460, 5730, 5955, 6210, 6465, 6720, 6975, 7230, 7485, 7725};

// Design geometry of Command1(0..3), in twips.
constexpr std::array<QRect, 4> PostoCommand1{
    DaTwip(8325, 5130, 2805, 555), // ESCI
    DaTwip(8325, 5745, 2805, 555), // STAMPA
    DaTwip(8325, 6975, 2805, 585), // ATTESTATO
    DaTwip(8325, 6345, 2805, 585), // NOME
};

// Command1 indices from top to bottom.
constexpr std::array<int, 4> OrdineSchermo{
    FrmStampaEsercizioTre::Esci, FrmStampaEsercizioTre::Stampa, FrmStampaEsercizioTre::Nome,
    FrmStampaEsercizioTre::Attestato};

// The name box's rule (results/NomeAlunno) applied to whatever reaches the box.
class RegolaNome : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& testo, int& posizione) const override {
        const QString pulito = TestoCasellaNome(testo);
        if (pulito != testo) {
            // The cursor stays after what was before it, as far as that is kept.
            posizione = static_cast<int>(
                qMin(TestoCasellaNome(testo.left(posizione)).size(), pulito.size()));
            testo = pulito;
        }
        return Acceptable;
    }
};

QFont Courier(qreal punti, bool grassetto = false) {
    QFont f(QStringLiteral("Courier"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

} // namespace

FrmStampaEsercizioTre::FrmStampaEsercizioTre(StatoProgramma& stato, ServizioStampa& servizio,
                                             Avvisi& avvisi, QWidget* parent)
    : QMainWindow(parent), stato_(stato), servizio_(servizio), avvisi_(avvisi) {
    setObjectName(QStringLiteral("FrmStampaEsercizioTre"));
    Costruisci();
    Vesti();
    Carica();
    scansione_ = new ScansioneFinestra(this, stato_);
    scansione_->ImpostaElenco([this] {
        QList<QAbstractButton*> comandi;
        for (int i : OrdineSchermo)
            comandi.append(Command1_[i]);
        return QList<ScansioneFinestra::Gruppo>{{{cmdAvanti_}, {}}, {comandi, {}}};
    });
}

void FrmStampaEsercizioTre::Vesti() {
    // The window and the lines of the record in the colours of the options; the lines keep
    // their case, as on paper. The name panel keeps its colours; its notes go to capitals.
    auto* veste = new VesteAlunno(stato_, this);
    veste->Pagina(centralWidget());
    for (int k = 1; k <= EtichetteEsercizi; ++k)
        veste->Pagina(LblOp_[k]);
    for (const char* nome : {"Label7", "Label9"})
        veste->Didascalia(fraNome_->findChild<QLabel*>(QLatin1String(nome)));
}

FrmStampaEsercizioTre::~FrmStampaEsercizioTre() {
    // The key groups and the scaler watch widgets through event filters: they go first.
    for (QObject* osservatore :
         std::initializer_list<QObject*>{scansione_, gruppoCommand1_, gruppoAvanti_, proporzioni_})
        delete osservatore;
}

void FrmStampaEsercizioTre::ImpostaOperativo(QWidget* operativo) {
    operativo_ = operativo;
}

void FrmStampaEsercizioTre::ImpostaApriAttestato(std::function<QWidget*()> apri) {
    apriAttestato_ = std::move(apri);
    Command1_[Attestato]->setEnabled(static_cast<bool>(apriAttestato_));
}

// ---------------------------------------------------------------------------------------
// Building the window at its design size

void FrmStampaEsercizioTre::Costruisci() {
    setWindowTitle(QStringLiteral("FINESTRA DI STAMPA "));

    mnuScegli_ = menuBar()->addAction(QStringLiteral("&Scegli la stampante"));
    mnuScegli_->setObjectName(QStringLiteral("mnuScegli"));
    connect(mnuScegli_, &QAction::triggered, this, &FrmStampaEsercizioTre::ScegliStampante);
    menuBar()->setFont(Arial(12));

    auto* centrale = new QWidget(this);
    Colori(centrale, tavolozza::SfondoStampa);
    centrale->resize(LarghezzaProgetto, AltezzaProgetto);
    setCentralWidget(centrale);

    // Opaque, in the window's colour: a label repaints alone.
    for (int k = 1; k <= EtichetteEsercizi; ++k) {
        LblOp_[k] = Etichetta(centrale, QStringLiteral("LblOp_%1").arg(k),
                              DaTwip(75, AltoLblOp[k - 1], 7995, 255), Courier(12), QColor(),
                              Qt::AlignLeft | Qt::AlignVCenter);
        Colori(LblOp_[k], tavolozza::SfondoStampa);
        LblOp_[k]->setTextFormat(Qt::PlainText);
    }

    const QStringList didascalie{QStringLiteral("ESCI"), QStringLiteral("STAMPA"),
                                 QStringLiteral("ATTESTATO"), QStringLiteral("NOME")};
    // Built, and walked by the space bar, in the order they stand on screen.
    QList<QPushButton*> tasti;
    for (int i : OrdineSchermo) {
        Command1_[i] = Tasto(centrale, QStringLiteral("Command1_%1").arg(i), didascalie[i],
                             PostoCommand1[i], Arial(11.25, true));
        tasti.append(Command1_[i]);
    }
    Command1_[Attestato]->setEnabled(false);
    gruppoCommand1_ = new GruppoTasti(
        tasti, [this](int posto) { PremiCommand1(OrdineSchermo[posto]); }, this);

    CostruisciNome(centrale);

    proporzioni_ = new Proporzioni(this);
    proporzioni_->MemorizzaProporzioni(centrale, QSize(LarghezzaProgetto, AltezzaProgetto),
                                       Proporzioni::Linee | Proporzioni::CaselleCombinate);
    proporzioni_->DopoApplica = [this](QSize) { CentraNome(); };

    new TastieraFinestra(this, [this]() -> QWidget* {
        if (fraNome_->isVisible()) return txtNome_;
        return Command1_[Esci];
    });

    // The menu bar sits above the design's inner area.
    resize(LarghezzaProgetto, AltezzaProgetto + menuBar()->sizeHint().height());
    Command1_[Esci]->setFocus();
}

void FrmStampaEsercizioTre::CostruisciNome(QWidget* centrale) {
    fraNome_ = Cornice(centrale, QStringLiteral("fraNome"), DaTwip(0, 0, 6720, 4500));
    Colori(fraNome_, tavolozza::SfondoNome);
    fraNome_->setFrameShape(QFrame::Box);
    fraNome_->hide();

    Etichetta(fraNome_, QStringLiteral("Label4"), DaTwip(720, 195, 4950, 465), Arial(14.25, true),
              tavolozza::TestoNome, Qt::AlignCenter, QStringLiteral("   IMMETTI   IL  TUO  NOME"));

    txtNome_ = Crea<QLineEdit>(fraNome_, QStringLiteral("txtNome"), DaTwip(225, 885, 5940, 690));
    txtNome_->setFont(Arial(21.75, true));
    txtNome_->setAccessibleName(QStringLiteral("IMMETTI IL TUO NOME"));
    accessibilita::Gruppo(fraNome_, QStringLiteral("IMMETTI IL TUO NOME"));
    // Typed, pasted or dropped, the text passes the name rule: cut at the 15th letter, as
    // Label7 says, counting letters as a reader does (QLineEdit's maxLength counts UTF-16
    // units and split an emoji), and no control characters.
    txtNome_->setValidator(new RegolaNome(txtNome_));
    QPalette casella = txtNome_->palette();
    casella.setColor(QPalette::Base, tavolozza::SfondoNome);
    casella.setColor(QPalette::Text, tavolozza::TestoNome);
    txtNome_->setPalette(casella);
    // Enter in the box stores the name, as "AVANTI" does.
    connect(txtNome_, &QLineEdit::returnPressed, this, &FrmStampaEsercizioTre::Avanti);

    Etichetta(fraNome_, QStringLiteral("Label7"), DaTwip(285, 1740, 5925, 630), Courier(12),
              QColor(), Qt::AlignCenter,
              QStringLiteral("Il nome viene troncato automaticamente alla 15a lettera"))
        ->setWordWrap(true);
    Etichetta(fraNome_, QStringLiteral("Label9"), DaTwip(270, 2400, 5925, 450), Courier(12),
              QColor(), Qt::AlignCenter, QStringLiteral("Presta attenzione all'ortografia"));

    cmdAvanti_ = Tasto(fraNome_, QStringLiteral("cmdAvanti"), QStringLiteral("AVANTI"),
                       DaTwip(1965, 3120, 2700, 930), Arial(21.75, true));
    cmdAvanti_->setCursor(Qt::PointingHandCursor);
    gruppoAvanti_ = new GruppoTasti(
        {cmdAvanti_}, [this](int) { Avanti(); }, this);
    gruppoAvanti_->ImpostaColori(tavolozza::AvantiFuoco, tavolozza::AvantiRiposo);
}

// ---------------------------------------------------------------------------------------
// Loading, keys and the name panel

void FrmStampaEsercizioTre::Carica() {
    AggiornaParlato();
    const QString famiglia = servizio_.CercaCourier();
    if (famiglia.isEmpty()) {
        // The lines are not shown: the labels keep their empty design captions.
        AvvisaStampa(avvisi_, {EsitoStampa::Tipo::FontMancante, {}}, servizio_.PdfScelto());
        return;
    }
    const FontEtichette font = FontPerEtichette(famiglia);
    QFont f(font.famiglia);
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(font.punti);
    f.setBold(font.grassetto);
    for (int k = 1; k <= EtichetteEsercizi; ++k)
        LblOp_[k]->setFont(f);
    righeMostrate_ = true;
    MostraRighe();
}

void FrmStampaEsercizioTre::AggiornaParlato() {
    // Each line read by a screen reader in words, and the whole list said as the window comes
    // to the front with news.
    const auto& esercizi = stato_.Registro.Esercizi;
    const int svolti = std::min<int>(static_cast<int>(esercizi.size()), EtichetteEsercizi);
    QStringList frasi;
    for (int k = 1; k <= EtichetteEsercizi; ++k) {
        const QString frase =
            k <= svolti ? FraseEsercizioSvolto(stato_, k, esercizi[static_cast<size_t>(k - 1)])
                        : QString();
        accessibilita::Nome(LblOp_[k], frase);
        if (!frase.isEmpty()) frasi << frase;
    }
    accessibilita::Apertura(
        this, svolti == 0 ? QStringLiteral("Nessun esercizio svolto.")
                          : QStringLiteral("Esercizi svolti: %1. ").arg(svolti) + frasi.join(u' '));
}

void FrmStampaEsercizioTre::MostraRighe() {
    if (!righeMostrate_) return;
    const auto testi = TestiEtichette(stato_);
    for (int k = 1; k <= EtichetteEsercizi; ++k)
        if (LblOp_[k]->text() != testi[k]) LblOp_[k]->setText(testi[k]);
}

bool FrmStampaEsercizioTre::event(QEvent* evento) {
    // The series may have gone on behind this window: the lines shown are those printed.
    if (evento->type() == QEvent::WindowActivate) {
        MostraRighe();
        AggiornaParlato();
    }
    return QMainWindow::event(evento);
}

void FrmStampaEsercizioTre::PremiCommand1(int indice) {
    // A name typed and not yet confirmed is never lost: any key of the window takes it
    // first, as "AVANTI" would.
    if (indice != Nome && fraNome_->isVisible() && !txtNome_->text().isEmpty()) PrendiNome();
    switch (indice) {
    case Esci:
        if (operativo_) {
            if (operativo_->isMinimized() || !operativo_->isVisible()) operativo_->showMaximized();
            operativo_->raise();
            operativo_->activateWindow();
        }
        close();
        break;
    case Stampa:
        StampaEsercizi(stato_, servizio_, avvisi_);
        break;
    case Attestato:
        ApriAttestato();
        break;
    case Nome:
        ApriNome();
        break;
    default:
        break;
    }
}

void FrmStampaEsercizioTre::ImpostaNomePreso(std::function<void(const QString&)> preso) {
    nomePreso_ = std::move(preso);
}

void FrmStampaEsercizioTre::ApriNome() {
    fraNome_->show();
    fraNome_->raise();
    CentraNome();
    txtNome_->setFocus(Qt::OtherFocusReason);
}

void FrmStampaEsercizioTre::CentraNome() {
    if (fraNome_->isHidden()) return;
    // In the middle of the window, which opens maximised and so fills the screen.
    const QWidget* centrale = centralWidget();
    fraNome_->move((centrale->width() - fraNome_->width()) / 2,
                   (centrale->height() - fraNome_->height()) / 2);
}

void FrmStampaEsercizioTre::PrendiNome() {
    stato_.NomeAlunno = NomeConMaiuscole(NomeAlunnoDa(txtNome_->text()));
    fraNome_->hide();
    if (nomePreso_) nomePreso_(stato_.NomeAlunno);
}

void FrmStampaEsercizioTre::Avanti() {
    PrendiNome();
    // The name is for the certificate: its key comes next.
    (Command1_[Attestato]->isEnabled() ? Command1_[Attestato] : Command1_[Nome])
        ->setFocus(Qt::OtherFocusReason);
}

void FrmStampaEsercizioTre::ApriAttestato() {
    if (!attestato_ && apriAttestato_) attestato_ = apriAttestato_();
    if (!attestato_) return;
    if (!attestato_->isVisible()) attestato_->showMaximized();
    attestato_->raise();
    attestato_->activateWindow();
}

void FrmStampaEsercizioTre::ScegliStampante() {
    frmSceltaStampante* scelta = frmSceltaStampante::Carica(servizio_, this);
    scelta->show();
    scelta->raise();
    scelta->activateWindow();
}
