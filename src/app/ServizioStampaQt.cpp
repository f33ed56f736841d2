#include "app/ServizioStampaQt.h"

#include "ui/DisegnaPagina.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
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

} // namespace

bool ScriviPdf(const Pagina& pagina, const QString& percorso, const QString& titolo) {
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly)) return false;
    bool riuscito = false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(1200);
        pdf.setPageLayout(PaginaA4());
        pdf.setCreator(QStringLiteral("Decimetra"));
        pdf.setTitle(titolo);
        riuscito = Disegna(pdf, pagina);
    } // the writer finishes the file when it goes
    if (!riuscito) {
        file.cancelWriting(); // the file is left as it was
        return false;
    }
    return file.commit();
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
    if (cartella.isEmpty() || !QDir().mkpath(cartella)) return Esito(EsitoStampa::Tipo::Errore);
    const QDateTime adesso = QDateTime::currentDateTime();
    // The name is taken by creating the file empty, so no earlier file is ever replaced,
    // not even one written between the look and the write.
    for (int numero = 1; numero < 1000; ++numero) {
        const QString percorso = QDir(cartella).filePath(NomePdf(descrizione, adesso, numero));
        QFile prenotato(percorso);
        if (!prenotato.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (prenotato.exists()) continue;
            return Esito(EsitoStampa::Tipo::Errore);
        }
        prenotato.close();
        if (ScriviPdf(pagina, percorso, NomePdf(descrizione, adesso).chopped(4)))
            return Esito(EsitoStampa::Tipo::SalvatoPdf, percorso);
        QFile::remove(percorso);
        return Esito(EsitoStampa::Tipo::Errore);
    }
    return Esito(EsitoStampa::Tipo::Errore);
}

EsitoStampa ServizioStampaQt::StampaSuStampante(const Pagina& pagina, const QString& descrizione) {
    const QList<QPrinterInfo> stampanti = QPrinterInfo::availablePrinters();
    LeggiPredefinita();
    if (stampanti.isEmpty() || corrente_.isEmpty()) return SalvaInDocumenti(pagina, descrizione);
    for (const QPrinterInfo& info : stampanti) {
        if (info.printerName() != corrente_) continue;
        QPrinter stampante(info, QPrinter::HighResolution);
        stampante.setPageSize(QPageSize(QPageSize::A4));
        stampante.setDocName(QStringLiteral("Decimetra ") + descrizione);
        if (!Disegna(stampante, pagina) || stampante.printerState() == QPrinter::Error)
            return Esito(EsitoStampa::Tipo::Errore);
        return Esito(EsitoStampa::Tipo::Stampato);
    }
    // The current printer has been removed from the system since it was chosen.
    return Esito(EsitoStampa::Tipo::Errore);
}

EsitoStampa ServizioStampaQt::Stampa(const Pagina& pagina, const QString& descrizione) {
    if (!pdf_) return StampaSuStampante(pagina, descrizione);
    const QString proposta =
        QDir(CartellaDocumenti()).filePath(NomePdf(descrizione, QDateTime::currentDateTime()));
    QString percorso = chiedi_(proposta);
    if (percorso.isEmpty()) return Esito(EsitoStampa::Tipo::Annullato);
    if (!percorso.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        percorso += QStringLiteral(".pdf");
    if (!ScriviPdf(pagina, percorso, QFileInfo(percorso).completeBaseName()))
        return Esito(EsitoStampa::Tipo::Errore);
    return Esito(EsitoStampa::Tipo::SalvatoPdf, percorso);
}
