#include "registro/FrmRegistro.h"

#include "base/MessaggiStampa.h"
#include "base/ScritturaSicura.h"
#include "registro/PaginaRegistro.h"
#include "results/NomeAlunno.h"
#include "ui/Controlli.h"
#include "ui/Resize.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QValueAxis>

using namespace controlli;

// The series that pass the filter, read from the register a page at a time as the list
// scrolls: a register of a hundred thousand series opens as fast as one of ten.
class ModelloSerie : public QAbstractTableModel {
public:
    static constexpr int Pagina = 200;

    ModelloSerie(RegistroLocale& registro, QObject* genitore)
        : QAbstractTableModel(genitore), registro_(registro),
          intestazioni_(IntestazioniRegistro()) {}

    void Imposta(const FiltroRegistro& filtro) {
        beginResetModel();
        filtro_ = filtro;
        totale_ = registro_.Conta(filtro).value_or(0);
        righe_ = registro_.Elenco(filtro, 0, Pagina);
        endResetModel();
    }
    int Totale() const { return totale_; }
    const RigaRegistro& Riga(int i) const { return righe_[static_cast<std::size_t>(i)]; }

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : static_cast<int>(righe_.size());
    }
    int columnCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : static_cast<int>(intestazioni_.size());
    }
    QVariant data(const QModelIndex& i, int ruolo) const override {
        if (!i.isValid() || (ruolo != Qt::DisplayRole && ruolo != Qt::AccessibleTextRole))
            return {};
        return CelleRegistro(Riga(i.row())).value(i.column());
    }
    QVariant headerData(int sezione, Qt::Orientation o, int ruolo) const override {
        if (o == Qt::Horizontal && ruolo == Qt::DisplayRole) return intestazioni_.value(sezione);
        return QAbstractTableModel::headerData(sezione, o, ruolo);
    }
    bool canFetchMore(const QModelIndex& p) const override {
        return !p.isValid() && static_cast<int>(righe_.size()) < totale_;
    }
    void fetchMore(const QModelIndex& p) override {
        if (p.isValid()) return;
        auto altre = registro_.Elenco(filtro_, static_cast<int>(righe_.size()), Pagina);
        if (altre.empty()) {
            totale_ = static_cast<int>(righe_.size());
            return;
        }
        const int primo = static_cast<int>(righe_.size());
        beginInsertRows({}, primo, primo + static_cast<int>(altre.size()) - 1);
        for (auto& r : altre)
            righe_.push_back(std::move(r));
        endInsertRows();
    }

private:
    RegistroLocale& registro_;
    QStringList intestazioni_;
    FiltroRegistro filtro_;
    std::vector<RigaRegistro> righe_;
    int totale_ = 0;
};

namespace {

QLabel* Titolo(QWidget* genitore, const QString& nome, const QString& testo, QRect r,
               QWidget* compagno = nullptr) {
    auto* l = Crea<QLabel>(genitore, nome, r);
    l->setText(testo);
    l->setFont(Arial(10, true));
    if (compagno) l->setBuddy(compagno);
    return l;
}

QPushButton* Pulsante(QWidget* genitore, const QString& nome, const QString& testo, QRect r,
                      const QString& descrizione) {
    auto* b = Crea<QPushButton>(genitore, nome, r);
    b->setText(testo);
    b->setFont(Arial(9.75, true));
    b->setAccessibleName(QString(testo).remove(QLatin1Char('&')));
    b->setAccessibleDescription(descrizione);
    b->setAutoDefault(false);
    return b;
}

} // namespace

FrmRegistro::FrmRegistro(RegistroLocale& registro, ServizioStampa& stampa, Avvisi& avvisi,
                         QWidget* parent)
    : QMainWindow(parent), registro_(registro), stampa_(stampa), avvisi_(avvisi) {
    setObjectName(QStringLiteral("FrmRegistro"));
    setWindowTitle(QStringLiteral("REGISTRO"));
    Conferma = [this](const QString& testo) {
        return QMessageBox::question(this, QStringLiteral("Registro"), testo,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    ChiediNome = [this](const QString& attuale) -> std::optional<QString> {
        bool ok = false;
        const QString nome = QInputDialog::getText(this, QStringLiteral("Rinomina"),
                                                   QStringLiteral("Nome dell'alunno:"),
                                                   QLineEdit::Normal, attuale, &ok);
        if (!ok) return std::nullopt;
        return nome;
    };
    ChiediFileCsv = [this](const QString& proposta) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Esporta il registro"), proposta,
                                            QStringLiteral("File CSV (*.csv)"));
    };
    Costruisci();
    Ricarica();
}

FrmRegistro::~FrmRegistro() = default;

void FrmRegistro::Costruisci() {
    auto* centrale = new QWidget(this);
    centrale->setObjectName(QStringLiteral("client"));
    setCentralWidget(centrale);
    centrale->resize(LarghezzaProgetto, AltezzaProgetto);

    cboAlunno_ = Crea<QComboBox>(centrale, QStringLiteral("cboAlunno"), {76, 10, 200, 26});
    cboAlunno_->setAccessibleName(QStringLiteral("Alunno"));
    Titolo(centrale, QStringLiteral("lblAlunno"), QStringLiteral("&Alunno"), {8, 10, 66, 26},
           cboAlunno_);
    cboSistema_ = Crea<QComboBox>(centrale, QStringLiteral("cboSistema"), {366, 10, 240, 26});
    cboSistema_->setAccessibleName(QStringLiteral("Sistema"));
    Titolo(centrale, QStringLiteral("lblSistema"), QStringLiteral("&Sistema"), {290, 10, 74, 26},
           cboSistema_);
    cboPeriodo_ = Crea<QComboBox>(centrale, QStringLiteral("cboPeriodo"), {696, 10, 170, 26});
    cboPeriodo_->setAccessibleName(QStringLiteral("Periodo"));
    cboPeriodo_->addItems(PeriodiRegistro());
    Titolo(centrale, QStringLiteral("lblPeriodo"), QStringLiteral("&Periodo"), {620, 10, 74, 26},
           cboPeriodo_);
    for (QComboBox* c : {cboAlunno_, cboSistema_, cboPeriodo_}) {
        c->setFont(Arial(10));
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            if (!caricando_) Ricarica();
        });
    }

    tblSerie_ = Crea<QTableView>(centrale, QStringLiteral("tblSerie"), {8, 66, 560, 318});
    tblSerie_->setAccessibleName(QStringLiteral("Serie, dalla più recente"));
    Titolo(centrale, QStringLiteral("lblSerie"), QStringLiteral("S&erie"), {8, 42, 300, 22},
           tblSerie_);
    lblConteggio_ = Crea<QLabel>(centrale, QStringLiteral("lblConteggio"), {318, 42, 250, 22});
    lblConteggio_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    modello_ = new ModelloSerie(registro_, this);
    tblSerie_->setModel(modello_);
    tblSerie_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblSerie_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblSerie_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSerie_->setTabKeyNavigation(false);
    tblSerie_->verticalHeader()->hide();
    tblSerie_->verticalHeader()->setDefaultSectionSize(22);
    tblSerie_->horizontalHeader()->setStretchLastSection(true);
    tblSerie_->setFont(Arial(9));
    tblSerie_->horizontalHeader()->setFont(Arial(9, true));
    connect(tblSerie_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FrmRegistro::MostraSerie);

    lstEsercizi_ = Crea<QListWidget>(centrale, QStringLiteral("lstEsercizi"), {576, 66, 376, 318});
    lstEsercizi_->setAccessibleName(QStringLiteral("Esercizi della serie scelta"));
    Titolo(centrale, QStringLiteral("lblEsercizi"), QStringLiteral("Ese&rcizi della serie"),
           {576, 42, 376, 22}, lstEsercizi_);

    grafico_ = new QLineSeries(this);
    grafico_->setName(QStringLiteral("Esatte"));
    grafico_->setPointsVisible(true);
    auto* chart = new QChart;
    chart->addSeries(grafico_);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* asseX = new QDateTimeAxis(chart);
    asseX->setFormat(QStringLiteral("dd/MM"));
    auto* asseY = new QValueAxis(chart);
    asseY->setRange(0, 20);
    asseY->setLabelFormat(QStringLiteral("%d"));
    asseY->setTickCount(5);
    chart->addAxis(asseX, Qt::AlignBottom);
    chart->addAxis(asseY, Qt::AlignLeft);
    grafico_->attachAxis(asseX);
    grafico_->attachAxis(asseY);
    vista_ = new QChartView(chart, centrale);
    vista_->setObjectName(QStringLiteral("graficoEsatte"));
    vista_->setGeometry(8, 414, 560, 188);
    vista_->setRenderHint(QPainter::Antialiasing);
    vista_->setFocusPolicy(Qt::StrongFocus);
    Titolo(centrale, QStringLiteral("lblGrafico"), QStringLiteral("Risposte esatte per serie"),
           {8, 392, 560, 22});

    lstCoppie_ = Crea<QListWidget>(centrale, QStringLiteral("lstCoppie"), {576, 414, 376, 188});
    lstCoppie_->setAccessibleName(QStringLiteral("Conversioni più sbagliate"));
    Titolo(centrale, QStringLiteral("lblCoppie"), QStringLiteral("&Conversioni più sbagliate"),
           {576, 392, 376, 22}, lstCoppie_);

    struct Voce {
        const char* nome;
        const char* testo;
        const char* descrizione;
        void (FrmRegistro::*azione)();
    };
    const Voce voci[] = {
        {"cmdRinomina", "Ri&nomina", "Cambia il nome dell'alunno della serie scelta",
         &FrmRegistro::Rinomina},
        {"cmdEliminaSerie", "Elimina se&rie", "Elimina la serie scelta",
         &FrmRegistro::EliminaSerie},
        {"cmdEliminaAlunno", "Elimina a&lunno", "Elimina tutte le serie dell'alunno",
         &FrmRegistro::EliminaAlunno},
        {"cmdEliminaTutto", "Elimina &tutto", "Elimina tutte le serie del registro",
         &FrmRegistro::EliminaTutto},
        {"cmdEsporta", "Es&porta", "Scrive un file CSV per il foglio di calcolo",
         &FrmRegistro::Esporta},
        {"cmdStampa", "St&ampa alunno", "Stampa la pagina dell'alunno: le serie e il grafico",
         &FrmRegistro::StampaAlunno},
        {"cmdEsci", "&Esci", "Chiude il registro", nullptr},
    };
    int x = 8;
    for (const Voce& v : voci) {
        QPushButton* b = Pulsante(centrale, QString::fromLatin1(v.nome), QString::fromUtf8(v.testo),
                                  {x, 614, 130, 36}, QString::fromUtf8(v.descrizione));
        if (v.azione)
            connect(b, &QPushButton::clicked, this, v.azione);
        else
            connect(b, &QPushButton::clicked, this, &QWidget::close);
        x += 135;
    }
    // The mnemonics above clash with the labels' on "r", "e", "a": the labels keep theirs
    // (Alt+A pupil, Alt+S system, Alt+P period, Alt+E series, Alt+C conversions) and the
    // keys are reached with Tab; Esc closes.
    for (QPushButton* b : centrale->findChildren<QPushButton*>())
        b->setText(b->text().remove(QLatin1Char('&')));
    auto* esci = new QAction(this);
    esci->setShortcut(Qt::Key_Escape);
    connect(esci, &QAction::triggered, this, &QWidget::close);
    addAction(esci);

    proporzioni_ = new Proporzioni(this);
    proporzioni_->MemorizzaProporzioni(centrale, QSize(LarghezzaProgetto, AltezzaProgetto),
                                       Proporzioni::Linee);
    // The columns share the list's width as they share it at the design size.
    proporzioni_->DopoApplica = [this](QSize) {
        // of 540; the computer last
        static constexpr int Quote[] = {100, 84, 70, 72, 40, 48, 36, 44};
        // (the viewport follows the list's new size only later: the list's own width, less
        // its frame and a scroll bar)
        const int larghezza = tblSerie_->width() - 2 * tblSerie_->frameWidth() -
                              tblSerie_->verticalScrollBar()->sizeHint().width();
        for (int k = 0; k < 8; ++k)
            tblSerie_->setColumnWidth(k, Quote[k] * larghezza / 540);
    };
    proporzioni_->ApplicaProporzioni(QSize(LarghezzaProgetto, AltezzaProgetto));
    resize(LarghezzaProgetto, AltezzaProgetto);
}

void FrmRegistro::CaricaFiltri() {
    caricando_ = true;
    const QVariant alunno = cboAlunno_->currentData();
    const QVariant sistema = cboSistema_->currentData();
    cboAlunno_->clear();
    cboAlunno_->addItem(QStringLiteral("Tutti gli alunni"));
    for (const QString& nome : registro_.Alunni())
        cboAlunno_->addItem(NomeMostrato(nome), nome);
    cboAlunno_->setCurrentIndex(std::max(0, cboAlunno_->findData(alunno)));
    cboSistema_->clear();
    cboSistema_->addItem(QStringLiteral("Tutti i sistemi"));
    for (const auto& [livello, nome] : registro_.Sistemi())
        cboSistema_->addItem(nome.trimmed(), int(livello));
    cboSistema_->setCurrentIndex(std::max(0, cboSistema_->findData(sistema)));
    caricando_ = false;
}

FiltroRegistro FrmRegistro::Filtro() const {
    FiltroRegistro f;
    if (cboAlunno_->currentIndex() > 0) f.Alunno = cboAlunno_->currentData().toString();
    if (cboSistema_->currentIndex() > 0)
        f.Livello = static_cast<std::int16_t>(cboSistema_->currentData().toInt());
    std::tie(f.Dal, f.Al) = GiorniPeriodo(cboPeriodo_->currentIndex(), Oggi);
    return f;
}

void FrmRegistro::ScegliAlunno(const QString& alunno) {
    const int i = alunno.isEmpty() ? 0
                  : alunno == QLatin1String(SenzaNome)
                      ? cboAlunno_->findData(QString(QLatin1String("")))
                      : cboAlunno_->findData(alunno);
    cboAlunno_->setCurrentIndex(std::max(0, i));
}

void FrmRegistro::ScegliPeriodo(int periodo) {
    cboPeriodo_->setCurrentIndex(periodo);
}

void FrmRegistro::Ricarica() {
    if (!caricando_) CaricaFiltri();
    modello_->Imposta(Filtro());
    if (!registro_.UltimoErrore().Riuscito())
        Errore(QStringLiteral("Non è stato possibile leggere il registro: ") +
               CausaRegistro(registro_.UltimoErrore()));
    lblConteggio_->setText(modello_->Totale() == 1
                               ? QStringLiteral("1 serie")
                               : QStringLiteral("%1 serie").arg(modello_->Totale()));
    if (modello_->rowCount() > 0)
        tblSerie_->setCurrentIndex(modello_->index(0, 0));
    else
        MostraSerie();
    MostraAlunno();
}

std::optional<RigaRegistro> FrmRegistro::SerieCorrente() const {
    const QModelIndex i = tblSerie_->currentIndex();
    if (!i.isValid() || i.row() >= modello_->rowCount()) return std::nullopt;
    return modello_->Riga(i.row());
}

void FrmRegistro::MostraSerie() {
    lstEsercizi_->clear();
    const auto riga = SerieCorrente();
    if (!riga) return;
    const auto serie = registro_.Leggi(riga->Id);
    if (!serie) return;
    int n = 0;
    for (const EsercizioSvolto& e : serie->Serie.Esercizi)
        lstEsercizi_->addItem(RigaEsercizio(++n, e));
    lstEsercizi_->setCurrentRow(0);
}

bool FrmRegistro::AlunnoInFiltro() const {
    return cboAlunno_->currentIndex() > 0;
}

QString FrmRegistro::AlunnoScelto() const {
    if (AlunnoInFiltro()) return cboAlunno_->currentData().toString();
    const auto riga = SerieCorrente();
    return riga ? riga->NomeAlunno : QString();
}

void FrmRegistro::MostraAlunno() {
    grafico_->clear();
    lstCoppie_->clear();
    auto* chart = vista_->chart();
    if (!AlunnoInFiltro()) {
        chart->setTitle(QStringLiteral("Scegli un alunno per vedere il grafico"));
        vista_->setAccessibleName(QStringLiteral("Grafico: scegli un alunno"));
        vista_->setAccessibleDescription({});
        return;
    }
    const QString alunno = AlunnoScelto();
    const auto punti = registro_.EsattePerSerie(Filtro());
    QList<QPointF> serie;
    serie.reserve(static_cast<qsizetype>(punti.size()));
    for (const auto& [inizio, esatte] : punti)
        serie.append(QPointF(static_cast<qreal>(inizio), esatte));
    // A marker per series while they can be told apart; a line alone beyond.
    grafico_->setPointsVisible(punti.size() <= 60);
    grafico_->replace(serie);
    chart->setTitle(QStringLiteral("Risposte esatte di ") + NomeMostrato(alunno));
    auto* asseX = qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    if (asseX && !punti.empty()) {
        QDateTime primo = QDateTime::fromMSecsSinceEpoch(punti.front().first);
        QDateTime ultimo = QDateTime::fromMSecsSinceEpoch(punti.back().first);
        if (primo == ultimo) {
            primo = primo.addSecs(-3600);
            ultimo = ultimo.addSecs(3600);
        }
        asseX->setRange(primo, ultimo);
    }
    // What a screen reader reads of the chart: how many series, and the last ten.
    QStringList lette;
    for (std::size_t i = punti.size() > 10 ? punti.size() - 10 : 0; i < punti.size(); ++i)
        lette << QStringLiteral("%1: %2")
                     .arg(QDateTime::fromMSecsSinceEpoch(punti[i].first)
                              .toString(QStringLiteral("dd/MM/yyyy")))
                     .arg(punti[i].second);
    vista_->setAccessibleName(QStringLiteral("Grafico delle risposte esatte di ") +
                              NomeMostrato(alunno));
    vista_->setAccessibleDescription(
        punti.empty() ? QStringLiteral("nessuna serie")
                      : QStringLiteral("%1 serie; esatte su 20 delle ultime: ").arg(punti.size()) +
                            lette.join(QStringLiteral("; ")));
    for (const ErroriCoppia& c : registro_.ErroriPerCoppia(alunno))
        lstCoppie_->addItem(TestoCoppia(c));
    if (lstCoppie_->count() == 0) lstCoppie_->addItem(QStringLiteral("nessun errore"));
}

void FrmRegistro::Errore(const QString& testo) {
    avvisi_.Errore(QStringLiteral("Registro"), testo);
}

void FrmRegistro::Rinomina() {
    const auto riga = SerieCorrente();
    if (!riga) return;
    const auto scritto = ChiediNome(riga->NomeAlunno);
    if (!scritto) return;
    const QString nome = NomeConMaiuscole(NomeAlunnoDa(*scritto));
    const EsitoRegistro e = registro_.ImpostaNome(riga->Id, nome);
    if (!e.Riuscito())
        Errore(QStringLiteral("Non è stato possibile cambiare il nome: ") + CausaRegistro(e));
    Ricarica();
}

void FrmRegistro::EliminaSerie() {
    const auto riga = SerieCorrente();
    if (!riga) return;
    if (!Conferma(QStringLiteral("Eliminare 1 serie (%1, %2)?")
                      .arg(NomeMostrato(riga->NomeAlunno),
                           riga->Inizio.toString(QStringLiteral("dd/MM/yyyy hh:mm")))))
        return;
    if (!registro_.Elimina(riga->Id))
        Errore(QStringLiteral("Non è stato possibile eliminare la serie: ") +
               CausaRegistro(registro_.UltimoErrore()));
    Ricarica();
}

void FrmRegistro::EliminaAlunno() {
    if (!AlunnoInFiltro() && !SerieCorrente()) return;
    const QString alunno = AlunnoScelto();
    const int quante = registro_.Conta(FiltroRegistro{alunno, {}, {}, {}}).value_or(0);
    if (quante == 0) return;
    if (!Conferma(QStringLiteral("Eliminare %1 dell'alunno %2?")
                      .arg(quante == 1 ? QStringLiteral("1 serie")
                                       : QStringLiteral("%1 serie").arg(quante),
                           NomeMostrato(alunno))))
        return;
    if (!registro_.EliminaAlunno(alunno))
        Errore(QStringLiteral("Non è stato possibile eliminare le serie: ") +
               CausaRegistro(registro_.UltimoErrore()));
    ScegliAlunno({});
    Ricarica();
}

void FrmRegistro::EliminaTutto() {
    const int quante = registro_.Conta().value_or(0);
    if (quante == 0) return;
    if (!Conferma(QStringLiteral("Eliminare tutto il registro: %1?")
                      .arg(quante == 1 ? QStringLiteral("1 serie")
                                       : QStringLiteral("%1 serie").arg(quante))))
        return;
    if (!registro_.EliminaTutto())
        Errore(QStringLiteral("Non è stato possibile eliminare il registro: ") +
               CausaRegistro(registro_.UltimoErrore()));
    ScegliAlunno({});
    Ricarica();
}

void FrmRegistro::Esporta() {
    const QString proposta =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("Decimetra registro %1.csv").arg(Oggi.toString(Qt::ISODate)));
    QString file = ChiediFileCsv(proposta);
    if (file.isEmpty()) return;
    if (!file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) file += QStringLiteral(".csv");
    ErroreScrittura scrittura = ErroreScrittura::Nessuno;
    const EsitoRegistro e = registro_.EsportaCsv(file, Filtro(), &scrittura);
    if (scrittura != ErroreScrittura::Nessuno) {
        Errore(QStringLiteral("Non è stato possibile scrivere il file %1. %2")
                   .arg(file, CausaScrittura(scrittura)));
    } else if (!e.Riuscito()) {
        Errore(QStringLiteral("Non è stato possibile leggere il registro: ") + CausaRegistro(e));
    } else {
        avvisi_.Informa(QStringLiteral("Registro"),
                        QStringLiteral("Il registro è stato esportato in %1").arg(file));
    }
}

void FrmRegistro::StampaAlunno() {
    if (!AlunnoInFiltro() && !SerieCorrente()) return;
    const QString alunno = AlunnoScelto();
    const QString famiglia = QStringLiteral("Arial");
    const Pagina pagina = PaginaAlunno(alunno, registro_.Elenco(FiltroRegistro{alunno, {}, {}, {}}),
                                       registro_.ErroriPerCoppia(alunno), famiglia);
    const EsitoStampa esito =
        stampa_.Stampa(pagina, DescrizioneStampa(QStringLiteral("registro"), NomeMostrato(alunno)));
    AvvisaStampa(avvisi_, esito, stampa_.PdfScelto());
}
