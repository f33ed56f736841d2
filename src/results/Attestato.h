#pragma once

// Grading a series and the certificate ("DIPLOMA DI MERITO") as a drawing.

#include "base/Pagina.h"

#include <QDate>
#include <QString>

// The whole part of ten times the right replies over the exercises; 0 with no exercise.
int Voto(int esatte, int esercizi);

// The grade text of a mark: "OTTIMO" for 9 and 10 down to "SUFFICIENTE (!)" for 5;
// "Non classificato" for anything else.
QString GiudizioPerVoto(int voto);

// The grade text of a series: GiudizioPerVoto(Voto(esatte, esercizi)).
QString GiudizioSerie(int esatte, int esercizi);

// A certificate is printed only for a classified series.
bool AttestatoStampabile(const QString& giudizio);

// Caption of the print button of the certificate window.
QString DidascaliaStampaAttestato(bool stampabile);

// The name as the certificate writes it: every word with its capital, the rest as typed
// (NomeConMaiuscole).
QString NomeAttestato(const QString& nome);

// The date in the Italian short format, as the certificate writes it.
QString DataBreve(const QDate& data);

// "con 15 risposte esatte su 20 richieste".
QString RigaRisposte(int esatte, int esercizi);

// What the certificate shows.
struct DatiAttestato {
    QString NomeAlunno; // as typed: the drawing recapitalises it
    int EsatteTotale = 0;
    int IndiceEsercizio = 0;
    QString TestoOrdine; // the order of the series graded
    QString Data;        // already written, see DataBreve
};

// The certificate told in one text, for screen readers and the program's voice: "Diploma di
// merito. Nome: Mario. Giudizio: Ottimo. Risposte esatte: 19 su 20. Data: 14 maggio 2026."
// The grade is said without its "(!)", and the date in words, as a reader could not say
// "14/05/26".
QString FraseAttestato(const DatiAttestato& dati, const QDate& data);

// Size of the drawing in twips: the design size of the certificate picture.
constexpr int LarghezzaAttestato = 6690;
constexpr int AltezzaAttestato = 8820;

// Where the printout puts the drawing's top-left corner, in twips.
constexpr int XStampaAttestato = 1000;
constexpr int YStampaAttestato = 100;

// The drawing at (0, 0): each text centred across the drawing's width, line after line
// from the top, inside a thin frame.
Pagina DisegnoAttestato(const DatiAttestato& dati);

// The same drawing moved to (XStampaAttestato, YStampaAttestato), for the printer.
Pagina StampaAttestato(const DatiAttestato& dati);

// Every text and frame of the page moved by (dx, dy).
Pagina SpostaPagina(Pagina pagina, int dx, int dy);
