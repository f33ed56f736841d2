#pragma once

// The rules of the printer choice window, without the window: what its list holds, what its
// two labels say, and what a selection in the list does.
//
// The list holds the installed printers' device names in the system's order and, after
// them, "File PDF" (every later print then asks for a file name). With no printer installed
// the list is empty: every print already goes to a PDF in the documents folder.
//
// Filling the list selects the entry in force (the current printer, or "File PDF" once it
// is chosen), and that selection is not a choice: the first selection after loading is
// swallowed (PrimoClic), so opening the window and closing it changes nothing. Every later
// selection takes effect at once.

#include "base/Servizi.h"

#include <QString>
#include <QStringList>
#include <optional>

// The entry after the printers that sends every later print to a PDF file.
inline constexpr const char* VocePdf = "File PDF";

class SceltaStampante {
public:
    // Reads the printer list and the current printer from servizio: the window's loading.
    explicit SceltaStampante(ServizioStampa& servizio);

    const QStringList& Voci() const { return voci_; }
    // "La stampante predefinita è " and, on the next line, the printer current at loading.
    const QString& Label1() const { return label1_; }
    // What was chosen: empty at loading unless "File PDF" is in force, which it then says.
    const QString& Label2() const { return label2_; }
    // The entry in force at loading: "File PDF" once chosen, else the current printer (the
    // first entry when it is not in the list); -1 for an empty list.
    int VoceInVigore() const { return inVigore_; }
    bool PrimoClic() const { return primoClic_; }

    // A selection of entry indice in the list (the one made by loading included). Returns
    // the new text of Label2 when the selection was a choice, nothing when it was swallowed
    // or out of range.
    std::optional<QString> Selezione(int indice);

private:
    ServizioStampa& servizio_;
    QStringList voci_;
    QString label1_;
    QString label2_;
    bool primoClic_ = false;
    int inVigore_ = -1;
};
