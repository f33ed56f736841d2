#pragma once

// The register window lives in a module of its own (Qt Charts and its OpenGL libraries are
// loaded only when the teacher opens it, never at the program's start). The program loads
// the module and calls this one function.

class Avvisi;
class QWidget;
class ServizioStampa;

// Asks the teacher's password (sets it at the first opening), then shows the register
// window maximised; null when the password was not given or the register cannot be read
// (the user is told why through avvisi).
using FabbricaRegistro = QWidget* (*)(ServizioStampa& stampa, Avvisi& avvisi, QWidget* genitore);
inline constexpr const char* NomeApriRegistro = "decimetra_apri_registro";
