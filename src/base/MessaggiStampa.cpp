#include "base/MessaggiStampa.h"

#include <QDir>

QString MessaggioStampa(const EsitoStampa& esito, bool pdfScelto) {
    using Tipo = EsitoStampa::Tipo;
    switch (esito.tipo) {
    case Tipo::Stampato:
    case Tipo::Annullato:
        return {};
    case Tipo::FontMancante:
        return QStringLiteral("Devi installare il font Courier o il font Courier New");
    case Tipo::Errore:
        return QStringLiteral("Problema di stampa nella stampante utilizzata.");
    case Tipo::SalvatoPdf: {
        // The path on a line of its own, whole, so that it can be read and found again.
        const QString percorso = QDir::toNativeSeparators(esito.percorso);
        if (pdfScelto) return QStringLiteral("La pagina è stata salvata nel file PDF\n") + percorso;
        return QStringLiteral("Nessuna stampante disponibile: la pagina è stata salvata nel "
                              "file PDF\n") +
               percorso;
    }
    }
    return {};
}

void AvvisaStampa(Avvisi& avvisi, const EsitoStampa& esito, bool pdfScelto) {
    const QString testo = MessaggioStampa(esito, pdfScelto);
    if (testo.isEmpty()) return;
    const QString titolo = QString::fromUtf8(TitoloStampa);
    if (esito.tipo == EsitoStampa::Tipo::SalvatoPdf)
        avvisi.Informa(titolo, testo);
    else
        avvisi.Errore(titolo, testo);
}
