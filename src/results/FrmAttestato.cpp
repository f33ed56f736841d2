#include "results/FrmAttestato.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include "base/MessaggiStampa.h"
#include "base/Servizi.h"
#include "ui/Accessibilita.h"
#include "ui/Controlli.h"
#include "ui/DisegnaPagina.h"
#include "ui/GruppoTasti.h"
#include "ui/ScansioneFinestra.h"
#include "ui/TastieraFinestra.h"
#include "ui/VesteAlunno.h"

using namespace controlli;

namespace {

// Free space between the page and the edges of the box, in pixels.
constexpr double MargineAnteprima = 8;

} // namespace

// ---------------------------------------------------------------------------------------
// The preview

AnteprimaAttestato::AnteprimaAttestato(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted at each paint: nothing to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AnteprimaAttestato::ImpostaDisegno(const Pagina& disegno, QSize twip) {
    disegno_ = disegno;
    twip_ = twip;
    update();
}

QRectF AnteprimaAttestato::AreaVisibile() const {
    // The box may reach past its parent's edges (it starts a little above the window in the
    // design): the page is fitted in the part that can be seen.
    QRect area = rect();
    if (const QWidget* genitore = parentWidget()) area &= QRect(-pos(), genitore->size());
    return QRectF(area);
}

double AnteprimaAttestato::Scala() const {
    if (twip_.isEmpty()) return 0;
    const QRectF area = AreaVisibile();
    const double larghezza = area.width() - 2 * MargineAnteprima;
    const double altezza = area.height() - 2 * MargineAnteprima;
    if (larghezza <= 0 || altezza <= 0) return 0;
    return std::min(larghezza / twip_.width(), altezza / twip_.height());
}

QRectF AnteprimaAttestato::RettangoloPagina() const {
    const double scala = Scala();
    const QSizeF dimensione(twip_.width() * scala, twip_.height() * scala);
    QRectF pagina(QPointF(), dimensione);
    pagina.moveCenter(AreaVisibile().center());
    return pagina;
}

void AnteprimaAttestato::paintEvent(QPaintEvent*) {
    QPainter pittore(this);
    pittore.fillRect(rect(), tavolozza::SfondoAnteprimaAttestato);
    const double scala = Scala();
    if (scala <= 0) return;
    const QRectF pagina = RettangoloPagina();
    pittore.fillRect(pagina.translated(3, 3), tavolozza::OmbraPaginaAttestato);
    pittore.fillRect(pagina, tavolozza::PaginaAttestato);
    pittore.setPen(tavolozza::BordoPaginaAttestato);
    pittore.drawRect(pagina.adjusted(-0.5, -0.5, 0.5, 0.5));
    DisegnaPagina(pittore, disegno_, scala, pagina.topLeft());
}

// ---------------------------------------------------------------------------------------
// The window

FrmAttestato::FrmAttestato(StatoProgramma& stato, ServizioStampa& stampa, Avvisi& avvisi,
                           QDate oggi, QWidget* parent)
    : QMainWindow(parent), stato_(stato), stampa_(stampa), avvisi_(avvisi), proporzioni_(this) {
    setObjectName(QStringLiteral("FrmAttestato"));
    setWindowTitle(QStringLiteral("Form1"));
    Costruisci();

    // The name as the certificate writes it, kept for the rest of the run.
    stato_.NomeAlunno = NomeAttestato(stato_.NomeAlunno);
    // The grade of the series at this moment; no exercise counts as not classified.
    const RegistroSerie& registro = stato_.Registro;
    stato_.Giudizio = GiudizioSerie(registro.EsatteTotale(), registro.IndiceEsercizio());
    stato_.Registro.NomeAlunno = stato_.NomeAlunno;
    stato_.Registro.Giudizio = stato_.Giudizio;
    stampabile_ = AttestatoStampabile(stato_.Giudizio);
    option5_[0]->setText(DidascaliaStampaAttestato(stampabile_));
    option5_[0]->setEnabled(stampabile_);

    dati_.NomeAlunno = stato_.NomeAlunno;
    dati_.EsatteTotale = registro.EsatteTotale();
    dati_.IndiceEsercizio = registro.IndiceEsercizio();
    // The series graded, as it was chosen when it started, not what the start screen shows
    // now.
    dati_.TestoOrdine = registro.TestoOrdine;
    dati_.Data = DataBreve(oggi.isValid() ? oggi : QDate::currentDate());
    const Pagina disegno = DisegnoAttestato(dati_);
    picture1_->ImpostaDisegno(disegno, QSize(LarghezzaAttestato, AltezzaAttestato));
    // The drawing is painted: its words are given to screen readers as a text.
    accessibilita::Testo(picture1_, QStringLiteral("Attestato"), RigheDiTesto(disegno));

    if (QPushButton* primo = PrimoTastoAttivo()) primo->setFocus(Qt::OtherFocusReason);
    // Its keys in one column, read top to bottom: the window's push buttons as they stand.
    scansione_ = new ScansioneFinestra(this, stato_);
}

FrmAttestato::~FrmAttestato() {
    // It watches the window's events: it goes before the keys.
    delete scansione_;
}

void FrmAttestato::Costruisci() {
    auto* centrale = new QWidget(this);
    centrale->setObjectName(QStringLiteral("client"));
    Colori(centrale, tavolozza::SfondoAttestato);
    centrale->resize(LarghezzaProgetto, AltezzaProgetto);
    setCentralWidget(centrale);

    picture1_ = new AnteprimaAttestato(centrale);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(DaTwip(0, -45, 6690, 8820));

    frame4_ = Cornice(centrale, QStringLiteral("Frame4"), DaTwip(6720, 6615, 5184, 2070));
    Colori(frame4_, tavolozza::SfondoAttestato);
    const std::array<QRect, 3> posti{DaTwip(105, 75, 5004, 630), DaTwip(96, 732, 5004, 630),
                                     DaTwip(96, 1368, 5004, 630)};
    const std::array<QString, 3> didascalie{DidascaliaStampaAttestato(true),
                                            QStringLiteral("TORNA ALLA FINESTRA PRECEDENTE"),
                                            QStringLiteral("FINE SESSIONE")};
    for (int i = 0; i < 3; ++i) {
        option5_[i] = Tasto(frame4_, QStringLiteral("Option5(%1)").arg(i), didascalie[i], posti[i],
                            Arial(12, true));
        Colora(option5_[i], QPalette::ButtonText, tavolozza::TestoTastiAttestato);
        option5_[i]->setCursor(Qt::PointingHandCursor);
    }
    gruppo_ = new GruppoTasti(
        {option5_.begin(), option5_.end()}, [this](int i) { EseguiScelta(i); }, this);
    // The window in the page colour of the options; the certificate itself, as printed, and
    // the keys keep theirs.
    auto* veste = new VesteAlunno(stato_, this);
    veste->Pagina(centrale);
    veste->Pagina(frame4_);
    gruppo_->ImpostaCifre({{Qt::Key_1, 0}, {Qt::Key_2, 1}, {Qt::Key_3, 2}});

    proporzioni_.MemorizzaProporzioni(centrale, QSize(LarghezzaProgetto, AltezzaProgetto),
                                      Proporzioni::Linee | Proporzioni::CaselleCombinate);
    new TastieraFinestra(this, [this]() -> QWidget* { return PrimoTastoAttivo(); });
    resize(LarghezzaProgetto, AltezzaProgetto);
}

QPushButton* FrmAttestato::PrimoTastoAttivo() const {
    for (QPushButton* tasto : option5_)
        if (tasto->isEnabled()) return tasto;
    return nullptr;
}

void FrmAttestato::EseguiScelta(int indice) {
    switch (indice) {
    case 0:
        Stampa();
        break;
    case 1:
        close();
        break;
    case 2:
        ChiudiTutto();
        break;
    default:
        break;
    }
}

void FrmAttestato::Stampa() {
    // The key is disabled then; a call from elsewhere prints nothing either.
    if (!stampabile_) return;
    // The certificate is in Arial: unlike the lists of exercises it needs no Courier.
    const EsitoStampa esito = stampa_.Stampa(StampaAttestato(dati_), QStringLiteral("attestato"));
    AvvisaStampa(avvisi_, esito, stampa_.PdfScelto());
}

void FrmAttestato::ChiudiTutto() {
    if (chiusura_) return;
    chiusura_ = true;
    // Every window runs its own closing steps (the start screen's ends the program).
    // Guarded: closing one window may close or destroy others, this one included.
    QPointer<FrmAttestato> questa(this);
    QList<QPointer<QWidget>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this) finestre.append(w);
    for (const QPointer<QWidget>& w : std::as_const(finestre))
        if (w && w->isVisible()) w->close();
    if (questa && isVisible()) close();
}
