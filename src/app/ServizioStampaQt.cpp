#include "app/ServizioStampaQt.h"

#include "app/CodaCups.h"
#include "base/ScritturaSicura.h"
#include "ui/DisegnaPagina.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

QString ChiediConDialogo(const QString& proposta) {
    QFileDialog dialogo(QApplication::activeWindow(), QStringLiteral("Salva la stampa come PDF"),
                        QFileInfo(proposta).absolutePath());
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setNameFilter(QStringLiteral("Documenti PDF (*.pdf)"));
    dialogo.setDefaultSuffix(QStringLiteral("pdf"));
    dialogo.selectFile(QFileInfo(proposta).fileName());
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return {};
    return dialogo.selectedFiles().constFirst();
}

QPageLayout PaginaA4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Point);
}

bool Disegna(QPaintDevice& dispositivo, const Pagina& pagina) {
    QPainter pittore;
    if (!pittore.begin(&dispositivo)) return false;
    DisegnaPagina(pittore, pagina, ScalaPerDpi(dispositivo.logicalDpiY()));
    return pittore.end();
}

EsitoStampa Esito(EsitoStampa::Tipo tipo, const QString& percorso = {}) {
    EsitoStampa e;
    e.tipo = tipo;
    e.percorso = percorso;
    return e;
}

EsitoStampa PdfMancato(ErroreScrittura causa, const QString& dove) {
    EsitoStampa e = Esito(EsitoStampa::Tipo::ErrorePdf, dove);
    e.causa = causa;
    return e;
}

} // namespace

QByteArray PdfPagina(const Pagina& pagina, const QString& titolo) {
    QByteArray dati;
    QBuffer memoria(&dati);
    memoria.open(QIODevice::WriteOnly);
    bool riuscito = false;
    {
        QPdfWriter pdf(&memoria);
        pdf.setResolution(1200);
        pdf.setPageLayout(PaginaA4());
        pdf.setCreator(QStringLiteral("Decimetra"));
        pdf.setTitle(titolo);
        riuscito = Disegna(pdf, pagina);
    } // the writer finishes the file when it goes
    return riuscito ? dati : QByteArray();
}

bool ScriviPdf(const Pagina& pagina, const QString& percorso, const QString& titolo) {
    const QByteArray pdf = PdfPagina(pagina, titolo);
    return !pdf.isEmpty() && SostituisciFile(percorso, pdf).Riuscito();
}

ServizioStampaQt::ServizioStampaQt(ChiediNomeFile chiedi)
    : chiedi_(chiedi ? std::move(chiedi) : ChiediNomeFile(ChiediConDialogo)) {}

void ServizioStampaQt::LeggiPredefinita() {
    if (letta_) return;
    letta_ = true;
    corrente_ = QPrinterInfo::defaultPrinter().printerName();
}

QStringList ServizioStampaQt::Elenco() {
    QStringList nomi;
    for (const QPrinterInfo& stampante : QPrinterInfo::availablePrinters())
        nomi.append(stampante.printerName());
    return nomi;
}

QString ServizioStampaQt::Corrente() {
    LeggiPredefinita();
    return corrente_;
}

bool ServizioStampaQt::Scegli(const QString& nome) {
    if (!Elenco().contains(nome)) return false;
    LeggiPredefinita(); // so a later first question does not put the default back
    corrente_ = nome;
    pdf_ = false;
    return true;
}

void ServizioStampaQt::ScegliPdf() {
    pdf_ = true;
}

QString ServizioStampaQt::SceltaCourier(const QStringList& famiglie, bool sostitutoFisso) {
    for (const QString& nome : {QStringLiteral("Courier New"), QStringLiteral("Courier")})
        if (famiglie.contains(nome, Qt::CaseSensitive)) return nome;
    return sostitutoFisso ? QStringLiteral("Courier New") : QString();
}

QString ServizioStampaQt::CercaCourier() {
    const QStringList famiglie = QFontDatabase::families();
    // Only asked for when neither family exists: Liberation Mono, say, a metric twin.
    const bool sostituto = !famiglie.contains(QStringLiteral("Courier New")) &&
                           !famiglie.contains(QStringLiteral("Courier")) &&
                           QFontInfo(QFont(QStringLiteral("Courier New"))).fixedPitch();
    return SceltaCourier(famiglie, sostituto);
}

QString ServizioStampaQt::CartellaDocumenti() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString ServizioStampaQt::NomePdf(const QString& descrizione, const QDateTime& momento,
                                  int numero) {
    QString pulita = descrizione.simplified();
    // Characters no file system accepts in a name.
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        pulita.replace(c, QLatin1Char('-'));
    QString nome = QStringLiteral("Decimetra");
    if (!pulita.isEmpty()) nome += QLatin1Char(' ') + pulita;
    nome += QLatin1Char(' ') + momento.toString(QStringLiteral("yyyy-MM-dd hh.mm"));
    if (numero > 1) nome += QStringLiteral(" (%1)").arg(numero);
    return nome + QStringLiteral(".pdf");
}

EsitoStampa ServizioStampaQt::SalvaInDocumenti(const Pagina& pagina, const QString& descrizione) {
    const QString cartella = CartellaDocumenti();
    if (cartella.isEmpty()) return PdfMancato(ErroreScrittura::CartellaMancante, cartella);
    if (const ErroreScrittura errore = CreaCartella(cartella); errore != ErroreScrittura::Nessuno)
        return PdfMancato(errore, cartella);
    const QDateTime adesso = QDateTime::currentDateTime();
    const QByteArray pdf = PdfPagina(pagina, NomePdf(descrizione, adesso).chopped(4));
    if (pdf.isEmpty()) return PdfMancato(ErroreScrittura::Altro, cartella);
    // The file takes the first free name at the moment it is renamed into place, so no
    // earlier file is ever replaced, not even one written between a look and the write.
    const EsitoScrittura scritto = ScriviFileNuovo(
        cartella, [&](int numero) { return NomePdf(descrizione, adesso, numero); }, 999, pdf);
    if (!scritto.Riuscito()) return PdfMancato(scritto.errore, cartella);
    return Esito(EsitoStampa::Tipo::SalvatoPdf, scritto.percorso);
}

EsitoStampa ServizioStampaQt::StampaSuStampante(const Pagina& pagina, const QString& descrizione) {
    LeggiPredefinita();
    if (corrente_.isEmpty()) return SalvaInDocumenti(pagina, descrizione);
    const QString titolo = QStringLiteral("Decimetra ") + descrizione;
    const QByteArray pdf = PdfPagina(pagina, titolo);
    if (pdf.isEmpty()) return Esito(EsitoStampa::Tipo::Errore);
    switch (InviaACoda(corrente_, pdf, titolo, AttesaStampante)) {
    case EsitoCoda::Accettato: {
        EsitoStampa esito = Esito(EsitoStampa::Tipo::Stampato);
        esito.stampante = corrente_;
        return esito;
    }
    case EsitoCoda::Rifiutato: // also a printer removed from the system since it was chosen
        return Esito(EsitoStampa::Tipo::Errore);
    case EsitoCoda::NonRisponde:
        break;
    }
    EsitoStampa esito = SalvaInDocumenti(pagina, descrizione);
    esito.stampanteMuta = true;
    return esito;
}

EsitoStampa ServizioStampaQt::Stampa(const Pagina& pagina, const QString& descrizione) {
    if (!pdf_) return StampaSuStampante(pagina, descrizione);
    const QString proposta =
        QDir(CartellaDocumenti()).filePath(NomePdf(descrizione, QDateTime::currentDateTime()));
    QString percorso = chiedi_(proposta);
    if (percorso.isEmpty()) return Esito(EsitoStampa::Tipo::Annullato);
    if (!percorso.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        percorso += QStringLiteral(".pdf");
    const QByteArray pdf = PdfPagina(pagina, QFileInfo(percorso).completeBaseName());
    if (pdf.isEmpty()) return PdfMancato(ErroreScrittura::Altro, percorso);
    const EsitoScrittura scritto = SostituisciFile(percorso, pdf);
    if (!scritto.Riuscito()) return PdfMancato(scritto.errore, percorso);
    return Esito(EsitoStampa::Tipo::SalvatoPdf, percorso);
}
