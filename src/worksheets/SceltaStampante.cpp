#include "worksheets/SceltaStampante.h"

#include <algorithm>

namespace {

QString TestoPdf() {
    return QStringLiteral("Le stampe saranno salvate in un file PDF:\n"
                          "a ogni stampa verrà chiesto il nome del file");
}

// The printer's name on the label's second line; with none, what happens to the prints.
QString NomeStampante(const QString& nome) {
    return nome.isEmpty() ? QStringLiteral("nessuna: le stampe sono salvate come file PDF") : nome;
}

} // namespace

SceltaStampante::SceltaStampante(ServizioStampa& servizio) : servizio_(servizio) {
    voci_ = servizio_.Elenco();
    if (!voci_.isEmpty()) voci_.append(QString::fromUtf8(VocePdf));
    label1_ = QStringLiteral("La stampante predefinita è \n") + NomeStampante(servizio_.Corrente());
    if (voci_.isEmpty()) return;
    if (servizio_.PdfScelto()) {
        inVigore_ = static_cast<int>(voci_.size()) - 1;
        label2_ = TestoPdf();
    } else {
        inVigore_ = std::max(0, static_cast<int>(voci_.indexOf(servizio_.Corrente())));
        if (inVigore_ == voci_.size() - 1) inVigore_ = 0; // a printer named "File PDF"
    }
}

std::optional<QString> SceltaStampante::Selezione(int indice) {
    if (indice < 0 || indice >= voci_.size()) return std::nullopt;
    if (!primoClic_) {
        primoClic_ = true;
        return std::nullopt;
    }
    const QString testoPdf = TestoPdf();
    if (indice == voci_.size() - 1) {
        servizio_.ScegliPdf();
        label2_ = testoPdf;
    } else if (servizio_.Scegli(voci_.at(indice)) || !servizio_.PdfScelto()) {
        // A printer removed since the list was filled is not found: the current one stays,
        // and the label names it.
        label2_ = QStringLiteral("La stampante scelta è \n") + NomeStampante(servizio_.Corrente());
    } else {
        label2_ = testoPdf; // not found, and the prints still go to PDF files
    }
    return label2_;
}
