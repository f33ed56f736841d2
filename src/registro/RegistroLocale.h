#pragma once

// The teacher's register on this computer: every series a pupil did, whole, in one SQLite
// file of the account (Qt SQL, QSQLITE driver). Nothing is opened when the object is made:
// the file and the driver are opened at the first call that needs them (the end of the
// first series, or the register window), so the program starts as fast as without it.
//
// The file: folder 0700, file 0600 (children's names and results), WAL journal,
// synchronous=FULL (a series reported saved is on disk), foreign keys on, a busy timeout so
// that two copies of the program on one account both keep their series, and the schema's
// version in PRAGMA user_version, raised one step at a time by Apri(). Every value goes
// through a bound parameter; no text of a pupil is ever part of an SQL statement.
//
// Threads: one object per thread (a Qt SQL connection belongs to the thread that opened
// it). Several objects, in one process or in several, may use the same file at once.

#include "base/RegistroSerie.h"
#include "base/ScritturaSicura.h"
#include "registro/PasswordInsegnante.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Why a call on the register failed.
enum class ErroreRegistro {
    Nessuno,
    DiscoPieno,        // no room left on the disk
    SenzaPermesso,     // the folder or the file cannot be written (permissions, read-only disk)
    NomeNonFile,       // a link, a folder or something else stands at the file's name: it is
                       // never written through
    CartellaNonValida, // the folder cannot be made, or a file stands where it should be
    Occupato,          // another program held the file longer than the busy timeout
    Danneggiato,       // the file is not a register (or is damaged) and could not be set aside
    VersioneFutura,    // written by a newer version of the program: left untouched
    DriverMancante,    // Qt's SQLite driver is not installed
    Altro,
    SerieAssente, // no series has the id given (nothing changed)
};

struct EsitoRegistro {
    ErroreRegistro errore = ErroreRegistro::Nessuno;
    QString dettaglio; // the database's own words, for the technician; may be empty

    bool Riuscito() const { return errore == ErroreRegistro::Nessuno; }
};

// The reason in Italian, to follow "Non è stato possibile registrare la serie: " and the
// like: "il disco è pieno.", ...
QString CausaRegistro(const EsitoRegistro& esito);

// What the teacher sees of an unnamed series.
inline constexpr const char* SenzaNome = "senza nome";

// One series as the register window lists it, without its exercises.
struct RigaRegistro {
    QUuid Id;
    QDateTime Inizio, Fine;
    QString Computer;
    QString NomeAlunno; // empty: nobody named it
    std::int16_t Livello = 0;
    QString Sistema;
    std::int16_t TipoEsercizio = 0;
    QString TestoTipo;
    std::int16_t OrdineSimboli = 0;
    QString TestoOrdine;
    std::int16_t Esercizi = 0; // exercises shown, 0..20
    std::int16_t Esatte = 0;   // closed by a right reply
    std::int16_t Errate = 0;   // closed by the program's solution
    std::int32_t TempoTotale = 0;
    bool Finita = false;
    QString Giudizio;
    bool Inviata = false; // the lab server has it as it stands

    bool operator==(const RigaRegistro&) const = default;
};

// Which series the window lists. Every field left empty lets every series through.
struct FiltroRegistro {
    std::optional<QString> Alunno; // exactly this name; "" the unnamed series
    std::optional<std::int16_t> Livello;
    QDate Dal, Al; // the series' start day, both included; a null date: no bound
};

// A series with the computer it was done on, as the lab server takes it.
struct SerieConComputer {
    RegistroSerie Serie;
    QString Computer;
    // Goes up by one at every change of the stored series (saved again, named, graded).
    std::int64_t Revisione = 0;
};

// Of one pupil's exercises, how many of one conversion were missed: "dam → m: 7 errori su
// 12". An exercise counts as missed when a wrong reply was tried or the program solved it.
struct ErroriCoppia {
    QString SimboloDa, SimboloA; // trimmed: "dam", "m"
    int Errori = 0;
    int Totale = 0;
};

class RegistroLocale {
public:
    // QStandardPaths::AppDataLocation/registro.sqlite (~/.local/share/decimetra/...).
    static QString PercorsoPredefinito();
    // The computer's name as the register keeps it (the host name).
    static QString NomeComputer();

    // Opens nothing yet.
    explicit RegistroLocale(QString percorso = PercorsoPredefinito());
    ~RegistroLocale();
    RegistroLocale(const RegistroLocale&) = delete;
    RegistroLocale& operator=(const RegistroLocale&) = delete;

    const QString& Percorso() const { return percorso; }

    // Opens the file, making the folder and the file when missing and bringing an older
    // schema up to date. Every call below opens through it when needed; after a failure the
    // next call tries again. A file that is not a register (or is damaged beyond reading)
    // is moved aside to "registro danneggiato 2026-12-09 10.15.23.sqlite" in the same
    // folder and a new register is started: FileMessoDaParte() then says where it went.
    EsitoRegistro Apri();
    bool Aperto() const;
    // Closes the connection (the next call opens it again).
    void Chiudi();
    // Where a damaged file was set aside by the last Apri(); empty when none was.
    QString FileMessoDaParte() const;

    // Stores the series under serie.Id, in one transaction: saving the same id again
    // replaces the stored series whole (its exercises and tries too), keeping a name or a
    // grade already stored when serie has none. The series is then to be sent again.
    EsitoRegistro Salva(const RegistroSerie& serie, const QString& computer);
    // Several series in one transaction, each as Salva would store it: all or none.
    EsitoRegistro SalvaTutte(const std::vector<RegistroSerie>& serie, const QString& computer);
    // The pupil's name, or the certificate's grade, of the series id; the series is then to
    // be sent again. SerieAssente, and no change, when no series has that id.
    EsitoRegistro ImpostaNome(const QUuid& id, const QString& nome);
    EsitoRegistro ImpostaGiudizio(const QUuid& id, const QString& giudizio);
    // Renames every series of one pupil (the register groups by name); how many changed.
    std::optional<int> RinominaAlunno(const QString& vecchio, const QString& nuovo);

    // The series that pass filtro, newest first (by start, then by id), from the
    // primo-th (0 the newest) at most quanti of them (negative: all).
    std::vector<RigaRegistro> Elenco(const FiltroRegistro& filtro = {}, int primo = 0,
                                     int quanti = -1);
    // How many series pass filtro; nullopt when the register cannot be read.
    std::optional<int> Conta(const FiltroRegistro& filtro = {});
    // Of the series that pass filtro, oldest first: when each started (milliseconds since the
    // epoch) and its right replies; for the chart.
    std::vector<std::pair<qint64, int>> EsattePerSerie(const FiltroRegistro& filtro = {});
    // One whole series, exercises and tries; nullopt when absent or unreadable.
    std::optional<SerieConComputer> Leggi(const QUuid& id);
    // The names of the pupils, in alphabetical order, "" (unnamed) included when present.
    QStringList Alunni();
    // The systems present, as (Livello, Sistema), by Livello.
    std::vector<std::pair<std::int16_t, QString>> Sistemi();
    // One pupil's missed conversions, the most missed first (then by pair); pairs never
    // missed are left out.
    std::vector<ErroriCoppia> ErroriPerCoppia(const QString& alunno);

    // Deletions, each in one transaction; how many series went (nullopt: failed, none went).
    std::optional<int> Elimina(const QUuid& id);
    std::optional<int> EliminaAlunno(const QString& alunno);
    std::optional<int> EliminaTutto();

    // The series that pass filtro, oldest first, one row per exercise, as the CSV file for
    // spreadsheets (see registro/EsportaCsv.h for the format); nullopt when unreadable.
    std::optional<QByteArray> Csv(const FiltroRegistro& filtro = {});
    // The same written to file through the program's safe writer; a failure to write the
    // file is told in scrittura (and errore is Altro).
    EsitoRegistro EsportaCsv(const QString& file, const FiltroRegistro& filtro = {},
                             ErroreScrittura* scrittura = nullptr);

    // For the lab server: the series it does not have yet (never sent, or changed since),
    // oldest first (by start), at most quanti of them (negative: all); and the mark that
    // the server has one. Given the Revisione read with it, SegnaInviata marks the series
    // only when it has not changed since: a name added while it travelled stays to be sent.
    // Without it, the series as it stands is marked. Marking an absent id does nothing.
    std::vector<SerieConComputer> SerieDaInviare(int quanti = -1);
    EsitoRegistro SegnaInviata(const QUuid& id, std::optional<std::int64_t> revisione = {});

    // The teacher's password that guards the register window: none until one is set.
    EsitoRegistro LeggiPassword(std::optional<PasswordSalvata>& password);
    EsitoRegistro ImpostaPassword(const PasswordSalvata& password);

    // The last failure of any call, for those that answer with an empty list or nullopt.
    const EsitoRegistro& UltimoErrore() const { return ultimo; }

private:
    struct Connessione;
    EsitoRegistro ApriFile();
    EsitoRegistro ScriviSerie(const RegistroSerie& serie, const QString& computer);
    EsitoRegistro Aggiorna();
    // One statement changing rows, in its own transaction; righe: how many it changed.
    EsitoRegistro Cambia(const QString& sql, const QVariantList& valori, int* righe = nullptr);

    QString percorso;
    std::unique_ptr<Connessione> conn;
    EsitoRegistro ultimo;
    QString messoDaParte;
};
