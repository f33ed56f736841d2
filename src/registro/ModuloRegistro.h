#pragma once

// The register window lives in a module of its own (Qt Charts and its OpenGL libraries are
// loaded only when the teacher opens it, never at the program's start). The program loads
// the module and calls this one function.

class Avvisi;
class QWidget;
class ServizioStampa;
struct LaboratorioPerRegistro;

// Asks the teacher's password (sets it at the first opening), then shows the register
// window maximised; null when the password was not given or the register cannot be read
// (the user is told why through avvisi). With a lab server in laboratorio, the window shows
// every computer's series read from it (registro/FinestraLaboratorio.h).
using FabbricaRegistro = QWidget* (*)(ServizioStampa& stampa, Avvisi& avvisi, QWidget* genitore,
                                      const LaboratorioPerRegistro& laboratorio);
inline constexpr const char* NomeApriRegistro = "decimetra_apri_registro";
