#pragma once

// The register window "REGISTRO", for the teacher: the series newest first with filters by
// pupil, by system and by period; the exercises of the series chosen, each try shown; for
// the pupil chosen a chart of right replies per series and the conversions most often
// missed; renaming, deleting (one series, one pupil's, everything, always confirmed with
// how many go), the CSV export and a pupil's printed page. Laid out at its design size and
// scaled by Proporzioni like the other windows; every control reachable by keyboard and
// named for screen readers. The rules it shows are in RegistroLocale and PaginaRegistro.

#include "base/Servizi.h"
#include "registro/RegistroLocale.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class ModelloSerie;
class Proporzioni;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class QChartView;
class QLineSeries;

class FrmRegistro : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int LarghezzaProgetto = 960;
    static constexpr int AltezzaProgetto = 660;

    // registro: the register shown (the window reads and writes through it).
    FrmRegistro(RegistroLocale& registro, ServizioStampa& stampa, Avvisi& avvisi,
                QWidget* parent = nullptr);
    ~FrmRegistro() override;

    // Seams for the questions the window asks; message boxes and dialogs by default.
    std::function<bool(const QString& testo)> Conferma;
    std::function<std::optional<QString>(const QString& attuale)> ChiediNome;
    std::function<QString(const QString& proposta)> ChiediFileCsv;
    QDate Oggi = QDate::currentDate();

    // The filters' choices: "" for every pupil, SenzaNome for the unnamed ones.
    void ScegliAlunno(const QString& alunno);
    void ScegliPeriodo(int periodo);
    void Ricarica();

    // The actions of the keys, as a press would run them.
    void Rinomina();
    void EliminaSerie();
    void EliminaAlunno();
    void EliminaTutto();
    void Esporta();
    void StampaAlunno();

    FiltroRegistro Filtro() const;
    QTableView* Tabella() const { return tblSerie_; }
    QListWidget* Esercizi() const { return lstEsercizi_; }
    QListWidget* Coppie() const { return lstCoppie_; }
    QLineSeries* Grafico() const { return grafico_; }

private:
    void Costruisci();
    void CaricaFiltri();
    void MostraSerie();
    void MostraAlunno();
    std::optional<RigaRegistro> SerieCorrente() const;
    QString AlunnoScelto() const; // the pupil of the filter, or of the series chosen
    bool AlunnoInFiltro() const;
    void Errore(const QString& testo);

    RegistroLocale& registro_;
    ServizioStampa& stampa_;
    Avvisi& avvisi_;
    Proporzioni* proporzioni_ = nullptr;
    ModelloSerie* modello_ = nullptr;
    QComboBox* cboAlunno_ = nullptr;
    QComboBox* cboSistema_ = nullptr;
    QComboBox* cboPeriodo_ = nullptr;
    QTableView* tblSerie_ = nullptr;
    QListWidget* lstEsercizi_ = nullptr;
    QListWidget* lstCoppie_ = nullptr;
    QChartView* vista_ = nullptr;
    QLineSeries* grafico_ = nullptr;
    QLabel* lblConteggio_ = nullptr;
    bool caricando_ = false;
};
