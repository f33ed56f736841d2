#include "base/MessaggiStampa.h"

#include <QDir>

namespace {

// Why a PDF could not be written, as a sentence of its own; empty when there is nothing
// useful to add.
QString Causa(ErroreScrittura causa) {
    switch (causa) {
    case ErroreScrittura::DiscoPieno:
        return QStringLiteral("Il disco è pieno.");
    case ErroreScrittura::SenzaPermesso:
        return QStringLiteral("Non c'è il permesso di scrivere in questa cartella.");
    case ErroreScrittura::CartellaMancante:
        return QStringLiteral("La cartella non esiste.");
    case ErroreScrittura::NonCartella:
        return QStringLiteral("Al posto della cartella c'è un file.");
    case ErroreScrittura::NomeNonFile:
        return QStringLiteral("Con questo nome c'è già qualcosa che non è un file.");
    case ErroreScrittura::NomiEsauriti:
        return QStringLiteral("Ci sono già troppi file con questo nome.");
    case ErroreScrittura::Nessuno:
    case ErroreScrittura::Altro:
        break;
    }
    return {};
}

} // namespace

QString MessaggioStampa(const EsitoStampa& esito, bool pdfScelto) {
    using Tipo = EsitoStampa::Tipo;
    // Paths on a line of their own, whole, so that they can be read and found again.
    const QString percorso = QDir::toNativeSeparators(esito.percorso);
    switch (esito.tipo) {
    case Tipo::Stampato:
        // As a saved PDF says where it went: the printer by its name, on a line of its own.
        return QStringLiteral("La pagina è stata inviata alla stampante\n") + esito.stampante;
    case Tipo::Annullato:
        return {};
    case Tipo::FontMancante:
        return QStringLiteral("Devi installare il font Courier o il font Courier New");
    case Tipo::Errore:
        return QStringLiteral("Problema di stampa nella stampante utilizzata.");
    case Tipo::ErrorePdf: {
        // A file chosen in the save dialog is named whole; a PDF written in place of a print
        // by the folder where it was to go.
        QString testo = esito.stampanteMuta
                            ? QStringLiteral("La stampante non risponde e non è stato possibile "
                                             "salvare il file PDF")
                            : QStringLiteral("Non è stato possibile salvare il file PDF");
        testo +=
            (pdfScelto ? QStringLiteral("\n") : QStringLiteral(" nella cartella\n")) + percorso;
        if (const QString causa = Causa(esito.causa); !causa.isEmpty())
            testo += QLatin1Char('\n') + causa;
        return testo;
    }
    case Tipo::SalvatoPdf:
        if (pdfScelto) return QStringLiteral("La pagina è stata salvata nel file PDF\n") + percorso;
        if (esito.stampanteMuta)
            return QStringLiteral("La stampante non risponde: la pagina è stata salvata nel "
                                  "file PDF\n") +
                   percorso;
        return QStringLiteral("Nessuna stampante disponibile: la pagina è stata salvata nel "
                              "file PDF\n") +
               percorso;
    }
    return {};
}

void AvvisaStampa(Avvisi& avvisi, const EsitoStampa& esito, bool pdfScelto) {
    const QString testo = MessaggioStampa(esito, pdfScelto);
    if (testo.isEmpty()) return;
    const QString titolo = QString::fromUtf8(TitoloStampa);
    if ((esito.tipo == EsitoStampa::Tipo::SalvatoPdf && !esito.stampanteMuta) ||
        esito.tipo == EsitoStampa::Tipo::Stampato)
        avvisi.Informa(titolo, testo);
    else
        avvisi.Errore(titolo, testo);
}
