#pragma once

// The register window as a lab with a server shows it: the window's own copy of every
// computer's series (read-only: renaming and deleting stay on each computer's register),
// or this computer's register when the server cannot be read; and a status line saying
// which, and what the sending thread last managed.

#include "registro/CopiaLaboratorio.h"

class FrmRegistro;

// Made before the window: the copy from the server, or nothing. avviso receives the
// sentence that says why the window shows this computer's register alone.
std::unique_ptr<CopiaLaboratorio> PreparaLaboratorio(const LaboratorioPerRegistro& laboratorio,
                                                     QString& avviso);

// Adds the status line to finestra (and makes it read-only when it shows the copy).
// copia, when given, is the window's to keep and goes with it.
void MostraLaboratorio(FrmRegistro* finestra, const LaboratorioPerRegistro& laboratorio,
                       std::unique_ptr<CopiaLaboratorio> copia, const QString& avviso);
