#pragma once

// "Registro" in the start screen's menu bar: loads the register window's module (from beside
// the executable, or from the installed library folder) at the first opening, and opens the
// window through it. When the module is missing the user is told so.

class Avvisi;
class QWidget;
class ServizioStampa;
struct LaboratorioPerRegistro;

// laboratorio: the lab's server, when there is one (app/ServerLaboratorio.h).
QWidget* ApriRegistro(ServizioStampa& stampa, Avvisi& avvisi, QWidget* genitore,
                      const LaboratorioPerRegistro& laboratorio);
