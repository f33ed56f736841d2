#pragma once

// The values the windows pass to each other. One object lives for the whole run: main()
// creates it and hands it by reference to every window, so a test can build a fresh one
// per case. Names are those the windows and rules use; arrays that the program indexes
// from 1 (Simbolo, Cifra) keep an unused element 0 so that the indices read the same.

#include "base/Colori.h"
#include "base/Fisso4.h"
#include "base/RegistroSerie.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

// Captions of the start screen that follow the active unit system.
struct TestiCatalogo {
    QString Titolo;                 // window title of the start screen
    std::array<QString, 3> Label6;  // system name, subject line, unit names
    std::array<QString, 3> Option2; // captions of the three symbol-order buttons

    // The unit names of Label6[2] alone, from the largest unit ("unità", "decimi", ...; a
    // three-unit system has three): the line carries blanks for the start screen's layout.
    QStringList NomiUnita() const;
};

// Bounds of the scanning step, in tenths of a second.
inline constexpr std::int16_t PassoScansioneMinimo = 5;
inline constexpr std::int16_t PassoScansioneMassimo = 50;

// The options record, kept in memory for the whole run.
struct Opzioni {
    std::int32_t ColoreSfondo = ColoreRiposo;
    std::int32_t ColoreAusiliario = ColoreFuoco;
    QString ColoreCaratteri = QString::number(Rgb(5, 5, 5));
    bool SuonoAttivo = true;
    bool SceltaA = true;
    bool SceltaB = true;
    std::int32_t ColoreScansione = Rgb(255, 165, 255);
    QString ColoreScansioneScuro = QString::number(Rgb(255, 130, 255));
    std::int16_t IndiceSfondo = 4;
    std::int16_t IndiceScansione = 4;
    std::int16_t IndiceCaratteri = 9;
    // "SINTESI VOCALE": the program speaks. Stored on a twelfth line, after the eleven
    // values above; off when that line is missing or unreadable.
    bool SintesiVocale = false;
    // Lines 13 to 16, each its default when missing or unreadable. "TIPO CARATTERI": the
    // pupil's windows show their captions in capitals (line 13: 0 capitals, 1 as designed).
    bool Maiuscolo = false;
    // "RINFORZO SONORO": words of praise said after a right reply (line 14).
    bool RinforzoSonoro = false;
    // "SCANSIONE": the keys are highlighted one after another for a pupil with one switch
    // (line 15), a step every PassoScansione tenths of a second, 5..50 (line 16).
    bool Scansione = false;
    std::int16_t PassoScansione = 15;

    bool operator==(const Opzioni&) const = default;
};

// Says when the stored settings change, so that every open window can follow them: after
// "Memorizza nuove impostazioni" and "Impostazioni predefinite" (the options record now in
// force), and after a change of the active unit system. The rules emit, the windows connect.
class SegnaliImpostazioni : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The options record in force, just stored and applied.
    void OpzioniCambiate(const Opzioni& opzioni);
    // The active unit system, 1..12, just changed.
    void LivelloCambiato(int livello);
};

struct StatoProgramma {
    // Program identity: the executable's name without folder and extension.
    QString NomeProgramma;

    // Choices made on the start screen.
    std::int16_t Livello = 0;       // active unit system, 1..12
    std::int16_t TipoEsercizio = 0; // 1 number, 2 symbol, 3 either; 0 until chosen
    QString TestoTipo;
    std::int16_t OrdineSimboli = 0; // 1 smaller first, 2 larger first, 3 both; 0 until chosen
    QString TestoOrdine;

    // Catalogue entry of the active system.
    std::array<QString, 5> Simbolo; // [1] largest unit .. [4] smallest; [0] unused
    std::int16_t NumeroUnita = 0;   // 4, or 3 when Simbolo[1] is blank
    TestiCatalogo Catalogo;

    // Stored options, and who is told when they or Livello change. A copy of the state
    // shares the same signals.
    Opzioni Impostazioni;
    std::int16_t SceltaBeep = 0;
    // A record was read at start or stored since: its colours and letter case dress the
    // pupil's windows. Until then they look as designed.
    bool OpzioniInVigore = false;
    std::shared_ptr<SegnaliImpostazioni> Segnali = std::make_shared<SegnaliImpostazioni>();

    // The record of the series in progress, or of the last one: the drill writes it, the
    // printout window and the certificate read it.
    RegistroSerie Registro;

    // The pupil's name (at most 15 characters) and the grade of the last certificate.
    QString NomeAlunno;
    QString Giudizio;
};
