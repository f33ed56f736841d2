#include "registro/RegistroLocale.h"

#include "base/ScritturaSicura.h"
#include "registro/EsportaCsv.h"
#include "registro/LeggiEsercizio.h"
#include "registro/PasswordInsegnante.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QSysInfo>
#include <QVariant>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The schema, one step per version: Passi[k] brings a register from version k to k + 1.
// A later version adds a step here and never changes an earlier one.
const std::vector<std::vector<const char*>> Passi = {
    {
        "CREATE TABLE serie ("
        " id TEXT PRIMARY KEY NOT NULL,"
        " inizio INTEGER NOT NULL," // milliseconds since the epoch
        " fine INTEGER,"            // null while the series ran
        " computer TEXT NOT NULL,"
        " alunno TEXT NOT NULL DEFAULT '',"
        " livello INTEGER NOT NULL, sistema TEXT NOT NULL,"
        " tipo INTEGER NOT NULL, testo_tipo TEXT NOT NULL,"
        " ordine INTEGER NOT NULL, testo_ordine TEXT NOT NULL,"
        " finita INTEGER NOT NULL, giudizio TEXT NOT NULL DEFAULT '',"
        " esercizi INTEGER NOT NULL, esatte INTEGER NOT NULL, errate INTEGER NOT NULL,"
        " tempo INTEGER NOT NULL,"
        " revisione INTEGER NOT NULL DEFAULT 1,"
        " inviata INTEGER NOT NULL DEFAULT 0)",
        "CREATE INDEX serie_inizio ON serie (inizio, id)",
        "CREATE INDEX serie_alunno ON serie (alunno, inizio, id)",
        "CREATE INDEX serie_livello ON serie (livello, inizio, id)",
        "CREATE INDEX serie_da_inviare ON serie (inizio, id) WHERE inviata = 0",
        "CREATE TABLE esercizio ("
        " serie TEXT NOT NULL REFERENCES serie (id) ON DELETE CASCADE,"
        " numero INTEGER NOT NULL,"
        " cifre BLOB NOT NULL, forma INTEGER NOT NULL, coppia INTEGER NOT NULL,"
        " valore INTEGER NOT NULL, numero_testo TEXT NOT NULL, simbolo_da TEXT NOT NULL,"
        " simbolo_a TEXT NOT NULL, risultato_testo TEXT NOT NULL,"
        " soluzione_problema TEXT NOT NULL, sorteggio INTEGER NOT NULL,"
        " chiede_simbolo INTEGER NOT NULL, soluzione_testo TEXT NOT NULL,"
        " aiuto_offerto INTEGER NOT NULL, aiuto_accettato INTEGER NOT NULL,"
        " soluzione_data INTEGER NOT NULL, secondi INTEGER NOT NULL,"
        " contato INTEGER NOT NULL, sbagliato INTEGER NOT NULL," // for the missed pairs
        " PRIMARY KEY (serie, numero)) WITHOUT ROWID",
        "CREATE TABLE tentativo ("
        " serie TEXT NOT NULL, esercizio INTEGER NOT NULL, numero INTEGER NOT NULL,"
        " risposta TEXT NOT NULL, esatta INTEGER NOT NULL,"
        " PRIMARY KEY (serie, esercizio, numero),"
        " FOREIGN KEY (serie, esercizio) REFERENCES esercizio (serie, numero)"
        " ON DELETE CASCADE) WITHOUT ROWID",
    },
    {
        // The teacher's password, as a salted hash: one row.
        "CREATE TABLE insegnante (id INTEGER PRIMARY KEY CHECK (id = 1),"
        " sale BLOB NOT NULL, impronta BLOB NOT NULL, iterazioni INTEGER NOT NULL)",
    },
    {
        // Each pupil's missed conversions, kept up to date by SQLite itself as series are
        // saved, renamed and deleted, so the window reads a handful of rows instead of
        // every exercise of the pupil.
        "CREATE TABLE errori_alunno (alunno TEXT NOT NULL, da TEXT NOT NULL, a TEXT NOT NULL,"
        " errori INTEGER NOT NULL, totale INTEGER NOT NULL, PRIMARY KEY (alunno, da, a))"
        " WITHOUT ROWID",
        "CREATE TRIGGER esercizio_aggiunto AFTER INSERT ON esercizio WHEN NEW.contato BEGIN"
        " INSERT INTO errori_alunno (alunno, da, a, errori, totale)"
        " SELECT alunno, trim(NEW.simbolo_da), trim(NEW.simbolo_a), NEW.sbagliato, 1"
        " FROM serie WHERE id = NEW.serie"
        " ON CONFLICT (alunno, da, a) DO UPDATE SET errori = errori + excluded.errori,"
        " totale = totale + 1; END",
        "CREATE TRIGGER serie_tolta BEFORE DELETE ON serie BEGIN"
        " UPDATE errori_alunno SET errori = errori_alunno.errori - x.errori,"
        " totale = errori_alunno.totale - x.totale"
        " FROM (SELECT trim(simbolo_da) AS da, trim(simbolo_a) AS a, sum(sbagliato) AS errori,"
        " count(*) AS totale FROM esercizio WHERE serie = OLD.id AND contato GROUP BY 1, 2) AS x"
        " WHERE errori_alunno.alunno = OLD.alunno AND errori_alunno.da = x.da"
        " AND errori_alunno.a = x.a;"
        " DELETE FROM errori_alunno WHERE alunno = OLD.alunno AND totale <= 0; END",
        "CREATE TRIGGER serie_rinominata AFTER UPDATE OF alunno ON serie"
        " WHEN OLD.alunno IS NOT NEW.alunno BEGIN"
        " UPDATE errori_alunno SET errori = errori_alunno.errori - x.errori,"
        " totale = errori_alunno.totale - x.totale"
        " FROM (SELECT trim(simbolo_da) AS da, trim(simbolo_a) AS a, sum(sbagliato) AS errori,"
        " count(*) AS totale FROM esercizio WHERE serie = NEW.id AND contato GROUP BY 1, 2) AS x"
        " WHERE errori_alunno.alunno = OLD.alunno AND errori_alunno.da = x.da"
        " AND errori_alunno.a = x.a;"
        " DELETE FROM errori_alunno WHERE alunno = OLD.alunno AND totale <= 0;"
        " INSERT INTO errori_alunno (alunno, da, a, errori, totale)"
        " SELECT NEW.alunno, trim(simbolo_da), trim(simbolo_a), sum(sbagliato), count(*)"
        " FROM esercizio WHERE serie = NEW.id AND contato GROUP BY 2, 3"
        " ON CONFLICT (alunno, da, a) DO UPDATE SET errori = errori + excluded.errori,"
        " totale = totale + excluded.totale; END",
        "INSERT INTO errori_alunno (alunno, da, a, errori, totale)"
        " SELECT s.alunno, trim(e.simbolo_da), trim(e.simbolo_a), sum(e.sbagliato), count(*)"
        " FROM serie s JOIN esercizio e ON e.serie = s.id WHERE e.contato GROUP BY 1, 2, 3",
    },
};
const int VersioneSchema = static_cast<int>(Passi.size());

// How long a write waits for another copy of the program holding the file. Writes run off
// the windows' thread; reads never wait in WAL mode.
constexpr int AttesaOccupatoMs = 5000;

const char* const ColonneSerie =
    "id, inizio, fine, computer, alunno, livello, sistema, tipo, testo_tipo, ordine,"
    " testo_ordine, esercizi, esatte, errate, tempo, finita, giudizio, inviata, revisione";

QString TestoId(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces);
}

QVariant Ms(const QDateTime& t) {
    return t.isValid() ? QVariant(t.toMSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong));
}

// Text as SQLite takes it: a null QString would be bound as NULL.
QVariant T(const QString& testo) {
    return QVariant(testo.isNull() ? QStringLiteral("") : testo);
}

QDateTime DaMs(const QVariant& v) {
    return v.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(v.toLongLong());
}

EsitoRegistro DaErrore(const QSqlError& e) {
    const int codice = e.nativeErrorCode().toInt() & 0xff; // the primary result code
    ErroreRegistro tipo = ErroreRegistro::Altro;
    switch (codice) {
    case 13: // SQLITE_FULL
        tipo = ErroreRegistro::DiscoPieno;
        break;
    case 3:  // SQLITE_PERM
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN
    case 23: // SQLITE_AUTH
        tipo = ErroreRegistro::SenzaPermesso;
        break;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        tipo = ErroreRegistro::Occupato;
        break;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        tipo = ErroreRegistro::Danneggiato;
        break;
    case 10: // SQLITE_IOERR: a full disk sometimes shows as a failed write
        tipo = e.text().contains(QLatin1String("disk"), Qt::CaseInsensitive)
                   ? ErroreRegistro::DiscoPieno
                   : ErroreRegistro::Altro;
        break;
    default:
        break;
    }
    return {tipo, e.text()};
}

EsitoRegistro DaScrittura(ErroreScrittura e) {
    switch (e) {
    case ErroreScrittura::Nessuno:
        return {};
    case ErroreScrittura::DiscoPieno:
        return {ErroreRegistro::DiscoPieno, {}};
    case ErroreScrittura::SenzaPermesso:
        return {ErroreRegistro::SenzaPermesso, {}};
    case ErroreScrittura::CartellaMancante:
    case ErroreScrittura::NonCartella:
        return {ErroreRegistro::CartellaNonValida, {}};
    case ErroreScrittura::NomeNonFile:
        return {ErroreRegistro::NomeNonFile, {}};
    default:
        return {ErroreRegistro::Altro, {}};
    }
}

EsitoRegistro DaErrno(int numero, const QString& percorso) {
    const QString dettaglio =
        percorso + QStringLiteral(": ") + QString::fromLocal8Bit(strerror(numero));
    switch (numero) {
    case ENOSPC:
    case EDQUOT:
        return {ErroreRegistro::DiscoPieno, dettaglio};
    case EACCES:
    case EPERM:
    case EROFS:
        return {ErroreRegistro::SenzaPermesso, dettaglio};
    case ELOOP:
        return {ErroreRegistro::NomeNonFile, dettaglio};
    default:
        return {ErroreRegistro::Altro, dettaglio};
    }
}

// What stands at percorso: nothing, a regular file, or something else (a link, a folder...).
enum class Occupante { Niente, File, Altro };

Occupante ChiOccupa(const QString& percorso, struct stat* dati = nullptr) {
    struct stat st {};
    if (lstat(QFile::encodeName(percorso).constData(), &st) != 0) return Occupante::Niente;
    if (dati) *dati = st;
    return S_ISREG(st.st_mode) ? Occupante::File : Occupante::Altro;
}

const std::array<const char*, 3> Compagni = {"-wal", "-shm", "-journal"};

} // namespace

QString CausaRegistro(const EsitoRegistro& esito) {
    switch (esito.errore) {
    case ErroreRegistro::Nessuno:
        return {};
    case ErroreRegistro::DiscoPieno:
        return QStringLiteral("il disco è pieno.");
    case ErroreRegistro::SenzaPermesso:
        return QStringLiteral("non è permesso scrivere nella cartella del registro.");
    case ErroreRegistro::NomeNonFile:
        return QStringLiteral("al posto del file del registro c'è un collegamento o una cartella.");
    case ErroreRegistro::CartellaNonValida:
        return QStringLiteral("la cartella del registro non può essere creata.");
    case ErroreRegistro::Occupato:
        return QStringLiteral("il registro è occupato da un'altra copia del programma.");
    case ErroreRegistro::Danneggiato:
        return QStringLiteral("il file del registro è danneggiato.");
    case ErroreRegistro::VersioneFutura:
        return QStringLiteral("il registro è stato scritto da una versione più recente del "
                              "programma.");
    case ErroreRegistro::DriverMancante:
        return QStringLiteral("manca il modulo SQLite di Qt (pacchetto libqt6sql6-sqlite).");
    case ErroreRegistro::SerieAssente:
        return QStringLiteral("la serie non è nel registro.");
    case ErroreRegistro::Altro:
        break;
    }
    return esito.dettaglio.isEmpty()
               ? QStringLiteral("errore del registro.")
               : QStringLiteral("errore del registro (%1).").arg(esito.dettaglio);
}

struct RegistroLocale::Connessione {
    QString nome; // the Qt SQL connection's name, one per object
    QSqlDatabase db;
    dev_t dispositivo = 0;
    ino_t inode = 0;

    ~Connessione() {
        if (db.isValid()) db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nome);
    }
};

QString RegistroLocale::PercorsoPredefinito() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("registro.sqlite"));
}

QString RegistroLocale::NomeComputer() {
    QString nome = QSysInfo::machineHostName();
    return nome.isEmpty() ? QStringLiteral("computer") : nome;
}

RegistroLocale::RegistroLocale(QString p) : percorso(std::move(p)) {}

RegistroLocale::~RegistroLocale() = default;

bool RegistroLocale::Aperto() const {
    return conn && conn->db.isOpen();
}

void RegistroLocale::Chiudi() {
    conn.reset();
}

QString RegistroLocale::FileMessoDaParte() const {
    return messoDaParte;
}

namespace {

// Runs one statement with its values bound in order.
bool Esegui(QSqlQuery& q, const QString& sql, const QVariantList& valori = {}) {
    if (!q.prepare(sql)) return false;
    for (const QVariant& v : valori)
        q.addBindValue(v);
    return q.exec();
}

} // namespace

EsitoRegistro RegistroLocale::Apri() {
    if (Aperto()) return {};
    messoDaParte.clear();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return ultimo = {ErroreRegistro::DriverMancante, {}};

    const QFileInfo info(percorso);
    const QString cartella = info.absolutePath();
    if (const ErroreScrittura e = CreaCartella(cartella); e != ErroreScrittura::Nessuno)
        return ultimo = DaScrittura(e);
    // Children's names and results: the folder for the account alone.
    chmod(QFile::encodeName(cartella).constData(), S_IRWXU);

    for (int tentativo = 0; tentativo < 2; ++tentativo) {
        const EsitoRegistro esito = ApriFile();
        if (esito.errore != ErroreRegistro::Danneggiato) return ultimo = esito;
        // Not a register, or damaged: set aside under a dated name and start anew.
        conn.reset();
        const QString dataOra =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
        QString nuovo;
        for (int n = 1; n < 100; ++n) {
            nuovo = QDir(cartella).filePath(
                QStringLiteral("registro danneggiato %1%2.sqlite")
                    .arg(dataOra, n > 1 ? QStringLiteral(" (%1)").arg(n) : QString()));
            if (ChiOccupa(nuovo) == Occupante::Niente) break;
        }
        const QByteArray da = QFile::encodeName(percorso), a = QFile::encodeName(nuovo);
        if (std::rename(da.constData(), a.constData()) != 0)
            return ultimo = {ErroreRegistro::Danneggiato, esito.dettaglio};
        for (const char* c : Compagni)
            std::rename((da + c).constData(), (a + c).constData());
        messoDaParte = nuovo;
    }
    return ultimo = {ErroreRegistro::Danneggiato, {}};
}

EsitoRegistro RegistroLocale::ApriFile() {
    // Nothing is ever written through a link: the name and its companions must be free or
    // regular files.
    for (const QString& nome :
         {percorso, percorso + QLatin1String(Compagni[0]), percorso + QLatin1String(Compagni[1]),
          percorso + QLatin1String(Compagni[2])})
        if (ChiOccupa(nome) == Occupante::Altro) return {ErroreRegistro::NomeNonFile, nome};

    // The file made here, exclusively and for the account alone, so SQLite (which gives its
    // journal the file's permissions) never makes it with wider ones; an existing one is
    // opened without following a link, to know it again once SQLite has it.
    const QByteArray nomeFile = QFile::encodeName(percorso);
    int fd =
        ::open(nomeFile.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        const int numero = errno;
        if (numero == EACCES || numero == EROFS || numero == EPERM) {
            // A register that can be read but not written still opens for the window.
            fd = ::open(nomeFile.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (fd < 0) return DaErrno(numero, percorso);
    }
    struct stat st {};
    fstat(fd, &st);
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return {ErroreRegistro::NomeNonFile, percorso};
    }
    if ((st.st_mode & 077) != 0 && st.st_uid == geteuid()) fchmod(fd, S_IRUSR | S_IWUSR);
    ::close(fd);

    conn = std::make_unique<Connessione>();
    conn->nome = QStringLiteral("registro-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    conn->dispositivo = st.st_dev;
    conn->inode = st.st_ino;
    conn->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn->nome);
    conn->db.setDatabaseName(percorso);
    conn->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(AttesaOccupatoMs));
    if (!conn->db.open()) {
        const EsitoRegistro e = DaErrore(conn->db.lastError());
        conn.reset();
        return e;
    }
    // The file SQLite opened is the one looked at above, not one swapped in meanwhile.
    struct stat dopo {};
    if (ChiOccupa(percorso, &dopo) != Occupante::File || dopo.st_dev != conn->dispositivo ||
        dopo.st_ino != conn->inode) {
        conn.reset();
        return {ErroreRegistro::NomeNonFile, percorso};
    }

    QSqlQuery q(conn->db);
    // Reading the schema tells a register from a file that is not one.
    if (!Esegui(q, QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next()) {
        const EsitoRegistro e = DaErrore(q.lastError());
        conn.reset();
        return e;
    }
    if (!Esegui(q, QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next()) {
        const EsitoRegistro e = DaErrore(q.lastError());
        conn.reset();
        return e;
    }
    Esegui(q, QStringLiteral("PRAGMA synchronous=FULL"));
    Esegui(q, QStringLiteral("PRAGMA foreign_keys=ON"));
    return Aggiorna();
}

EsitoRegistro RegistroLocale::Aggiorna() {
    QSqlQuery q(conn->db);
    for (;;) {
        if (!Esegui(q, QStringLiteral("PRAGMA user_version")) || !q.next()) break;
        const int versione = q.value(0).toInt();
        q.finish();
        if (versione == VersioneSchema) return {};
        if (versione > VersioneSchema) {
            conn.reset();
            return {ErroreRegistro::VersioneFutura, {}};
        }
        // A step at a time, each in its own transaction; another copy of the program may be
        // taking the same step: the version is read again inside the transaction.
        if (!Esegui(q, QStringLiteral("BEGIN IMMEDIATE"))) break;
        if (!Esegui(q, QStringLiteral("PRAGMA user_version")) || !q.next()) break;
        const int ora = q.value(0).toInt();
        q.finish();
        bool riuscito = true;
        if (ora == versione) {
            for (const char* sql : Passi[static_cast<std::size_t>(versione)])
                if (!(riuscito = Esegui(q, QString::fromLatin1(sql)))) break;
            if (riuscito)
                riuscito = Esegui(q, QStringLiteral("PRAGMA user_version=%1").arg(versione + 1));
        }
        if (!riuscito || !Esegui(q, QStringLiteral("COMMIT"))) {
            const EsitoRegistro e = DaErrore(q.lastError());
            QSqlQuery(conn->db).exec(QStringLiteral("ROLLBACK"));
            conn.reset();
            return e;
        }
    }
    const EsitoRegistro e = DaErrore(q.lastError());
    conn.reset();
    return e;
}

// ---------------------------------------------------------------------------------------
// Writing

namespace {

// A write transaction that rolls back unless committed.
class Transazione {
public:
    explicit Transazione(QSqlDatabase& db) : db_(db) {
        QSqlQuery q(db_);
        aperta_ = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
        if (!aperta_) errore_ = q.lastError();
    }
    ~Transazione() {
        if (aperta_) QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
    }
    bool Aperta() const { return aperta_; }
    const QSqlError& Errore() const { return errore_; }
    bool Conferma() {
        QSqlQuery q(db_);
        if (!q.exec(QStringLiteral("COMMIT"))) {
            errore_ = q.lastError();
            return false;
        }
        aperta_ = false;
        return true;
    }

private:
    QSqlDatabase& db_;
    bool aperta_ = false;
    QSqlError errore_;
};

bool Sbagliato(const EsercizioSvolto& e) {
    return e.SoluzioneData || std::any_of(e.Tentativi.begin(), e.Tentativi.end(),
                                          [](const Tentativo& t) { return !t.Esatta; });
}

} // namespace

EsitoRegistro RegistroLocale::Salva(const RegistroSerie& serie, const QString& computer) {
    return SalvaTutte({serie}, computer);
}

EsitoRegistro RegistroLocale::SalvaTutte(const std::vector<RegistroSerie>& serie,
                                         const QString& computer) {
    if (const EsitoRegistro e = Apri(); !e.Riuscito()) return e;
    Transazione t(conn->db);
    if (!t.Aperta()) return ultimo = DaErrore(t.Errore());
    for (const RegistroSerie& s : serie)
        if (const EsitoRegistro e = ScriviSerie(s, computer); !e.Riuscito()) return ultimo = e;
    if (!t.Conferma()) return ultimo = DaErrore(t.Errore());
    return ultimo = {};
}

EsitoRegistro RegistroLocale::ScriviSerie(const RegistroSerie& serie, const QString& computer) {
    QSqlQuery q(conn->db);
    const QString id = TestoId(serie.Id);
    // A name or a grade already given to this series stays when the new record has none.
    QString nome = serie.NomeAlunno, giudizio = serie.Giudizio;
    qint64 revisione = 0;
    if (!Esegui(q, QStringLiteral("SELECT alunno, giudizio, revisione FROM serie WHERE id = ?"),
                {id}))
        return ultimo = DaErrore(q.lastError());
    if (q.next()) {
        if (nome.isEmpty()) nome = q.value(0).toString();
        if (giudizio.isEmpty()) giudizio = q.value(1).toString();
        revisione = q.value(2).toLongLong();
    }
    q.finish();
    const auto fallito = [&] { return ultimo = DaErrore(q.lastError()); };
    // Replaced whole: the exercises and tries go with the series row (cascade).
    if (!Esegui(q, QStringLiteral("DELETE FROM serie WHERE id = ?"), {id})) return fallito();
    if (!Esegui(q,
                QStringLiteral("INSERT INTO serie (id, inizio, fine, computer, alunno, livello,"
                               " sistema, tipo, testo_tipo, ordine, testo_ordine, finita,"
                               " giudizio, esercizi, esatte, errate, tempo, revisione, inviata)"
                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)"),
                {id, Ms(serie.Inizio), Ms(serie.Fine), T(computer), T(nome), serie.Livello,
                 T(serie.Sistema), serie.TipoEsercizio, T(serie.TestoTipo), serie.OrdineSimboli,
                 T(serie.TestoOrdine), serie.Finita, T(giudizio), serie.IndiceEsercizio(),
                 serie.EsatteTotale(), serie.ErrateTotale(), serie.TempoTotale(), revisione + 1}))
        return fallito();

    QSqlQuery es(conn->db), te(conn->db);
    es.prepare(QStringLiteral(
        "INSERT INTO esercizio (serie, numero, cifre, forma, coppia, valore, numero_testo,"
        " simbolo_da, simbolo_a, risultato_testo, soluzione_problema, sorteggio, chiede_simbolo,"
        " soluzione_testo, aiuto_offerto, aiuto_accettato, soluzione_data, secondi, contato,"
        " sbagliato) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    te.prepare(QStringLiteral("INSERT INTO tentativo (serie, esercizio, numero, risposta, esatta)"
                              " VALUES (?, ?, ?, ?, ?)"));
    for (std::size_t i = 0; i < serie.Esercizi.size(); ++i) {
        const EsercizioSvolto& e = serie.Esercizi[i];
        const Problema& p = e.Dati;
        const bool sbagliato = Sbagliato(e);
        const QVariantList valori = {id,
                                     static_cast<int>(i + 1),
                                     QByteArray(reinterpret_cast<const char*>(p.Cifra.data()),
                                                static_cast<qsizetype>(p.Cifra.size())),
                                     p.FormaNumero,
                                     p.CoppiaSimboli,
                                     static_cast<qlonglong>(p.ValoreNumero),
                                     T(p.NumeroTesto),
                                     T(p.SimboloDa),
                                     T(p.SimboloA),
                                     T(p.RisultatoTesto),
                                     T(p.SoluzioneTesto),
                                     p.Sorteggio,
                                     e.ChiedeSimbolo,
                                     T(e.SoluzioneTesto),
                                     e.AiutoOfferto,
                                     e.AiutoAccettato,
                                     e.SoluzioneData,
                                     e.Secondi,
                                     e.Chiuso() || sbagliato,
                                     sbagliato};
        for (int k = 0; k < valori.size(); ++k)
            es.bindValue(k, valori[k]);
        if (!es.exec()) return ultimo = DaErrore(es.lastError());
        for (std::size_t j = 0; j < e.Tentativi.size(); ++j) {
            te.bindValue(0, id);
            te.bindValue(1, static_cast<int>(i + 1));
            te.bindValue(2, static_cast<int>(j + 1));
            te.bindValue(3, T(e.Tentativi[j].Risposta));
            te.bindValue(4, e.Tentativi[j].Esatta);
            if (!te.exec()) return ultimo = DaErrore(te.lastError());
        }
    }
    return {};
}

EsitoRegistro RegistroLocale::Cambia(const QString& sql, const QVariantList& valori, int* righe) {
    if (const EsitoRegistro e = Apri(); !e.Riuscito()) return e;
    Transazione t(conn->db);
    if (!t.Aperta()) return ultimo = DaErrore(t.Errore());
    QSqlQuery q(conn->db);
    if (!Esegui(q, sql, valori)) return ultimo = DaErrore(q.lastError());
    const int n = q.numRowsAffected();
    q.finish();
    if (!t.Conferma()) return ultimo = DaErrore(t.Errore());
    if (righe) *righe = n;
    return ultimo = {};
}

EsitoRegistro RegistroLocale::ImpostaNome(const QUuid& id, const QString& nome) {
    int righe = 0;
    EsitoRegistro e =
        Cambia(QStringLiteral("UPDATE serie SET alunno = ?, revisione = revisione + 1,"
                              " inviata = 0 WHERE id = ?"),
               {T(nome), TestoId(id)}, &righe);
    if (e.Riuscito() && righe == 0) e = ultimo = {ErroreRegistro::SerieAssente, {}};
    return e;
}

EsitoRegistro RegistroLocale::ImpostaGiudizio(const QUuid& id, const QString& giudizio) {
    int righe = 0;
    EsitoRegistro e =
        Cambia(QStringLiteral("UPDATE serie SET giudizio = ?, revisione = revisione + 1,"
                              " inviata = 0 WHERE id = ?"),
               {T(giudizio), TestoId(id)}, &righe);
    if (e.Riuscito() && righe == 0) e = ultimo = {ErroreRegistro::SerieAssente, {}};
    return e;
}

std::optional<int> RegistroLocale::RinominaAlunno(const QString& vecchio, const QString& nuovo) {
    int righe = 0;
    if (!Cambia(QStringLiteral("UPDATE serie SET alunno = ?, revisione = revisione + 1,"
                               " inviata = 0 WHERE alunno = ?"),
                {T(nuovo), T(vecchio)}, &righe)
             .Riuscito())
        return std::nullopt;
    return righe;
}

std::optional<int> RegistroLocale::Elimina(const QUuid& id) {
    int righe = 0;
    if (!Cambia(QStringLiteral("DELETE FROM serie WHERE id = ?"), {TestoId(id)}, &righe).Riuscito())
        return std::nullopt;
    return righe;
}

std::optional<int> RegistroLocale::EliminaAlunno(const QString& alunno) {
    int righe = 0;
    if (!Cambia(QStringLiteral("DELETE FROM serie WHERE alunno = ?"), {T(alunno)}, &righe)
             .Riuscito())
        return std::nullopt;
    return righe;
}

std::optional<int> RegistroLocale::EliminaTutto() {
    if (!Apri().Riuscito()) return std::nullopt;
    Transazione t(conn->db);
    if (!t.Aperta()) {
        ultimo = DaErrore(t.Errore());
        return std::nullopt;
    }
    QSqlQuery q(conn->db);
    int righe = 0;
    // Children first: quicker than the cascade row by row.
    if (!Esegui(q, QStringLiteral("DELETE FROM tentativo")) ||
        !Esegui(q, QStringLiteral("DELETE FROM errori_alunno")) ||
        !Esegui(q, QStringLiteral("DELETE FROM esercizio")) ||
        !Esegui(q, QStringLiteral("DELETE FROM serie"))) {
        ultimo = DaErrore(q.lastError());
        return std::nullopt;
    }
    righe = q.numRowsAffected();
    q.finish();
    if (!t.Conferma()) {
        ultimo = DaErrore(t.Errore());
        return std::nullopt;
    }
    ultimo = {};
    return righe;
}

EsitoRegistro RegistroLocale::SegnaInviata(const QUuid& id, std::optional<std::int64_t> revisione) {
    if (revisione)
        return Cambia(QStringLiteral("UPDATE serie SET inviata = 1 WHERE id = ? AND revisione = ?"),
                      {TestoId(id), static_cast<qlonglong>(*revisione)});
    return Cambia(QStringLiteral("UPDATE serie SET inviata = 1 WHERE id = ?"), {TestoId(id)});
}

// ---------------------------------------------------------------------------------------
// Reading

namespace {

// The WHERE clause of filtro and its values, in order.
QString Condizioni(const FiltroRegistro& filtro, QVariantList& valori) {
    QStringList parti;
    if (filtro.Alunno) {
        parti << QStringLiteral("alunno = ?");
        valori << T(*filtro.Alunno);
    }
    if (filtro.Livello) {
        parti << QStringLiteral("livello = ?");
        valori << *filtro.Livello;
    }
    if (filtro.Dal.isValid()) {
        parti << QStringLiteral("inizio >= ?");
        valori << QDateTime(filtro.Dal, QTime(0, 0)).toMSecsSinceEpoch();
    }
    if (filtro.Al.isValid()) {
        parti << QStringLiteral("inizio < ?");
        valori << QDateTime(filtro.Al.addDays(1), QTime(0, 0)).toMSecsSinceEpoch();
    }
    return parti.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + parti.join(QStringLiteral(" AND "));
}

RigaRegistro RigaDa(const QSqlQuery& q) {
    RigaRegistro r;
    r.Id = QUuid::fromString(q.value(0).toString());
    r.Inizio = DaMs(q.value(1));
    r.Fine = DaMs(q.value(2));
    r.Computer = q.value(3).toString();
    r.NomeAlunno = q.value(4).toString();
    r.Livello = static_cast<std::int16_t>(q.value(5).toInt());
    r.Sistema = q.value(6).toString();
    r.TipoEsercizio = static_cast<std::int16_t>(q.value(7).toInt());
    r.TestoTipo = q.value(8).toString();
    r.OrdineSimboli = static_cast<std::int16_t>(q.value(9).toInt());
    r.TestoOrdine = q.value(10).toString();
    r.Esercizi = static_cast<std::int16_t>(q.value(11).toInt());
    r.Esatte = static_cast<std::int16_t>(q.value(12).toInt());
    r.Errate = static_cast<std::int16_t>(q.value(13).toInt());
    r.TempoTotale = q.value(14).toInt();
    r.Finita = q.value(15).toBool();
    r.Giudizio = q.value(16).toString();
    r.Inviata = q.value(17).toBool();
    return r;
}

} // namespace

std::vector<RigaRegistro> RegistroLocale::Elenco(const FiltroRegistro& filtro, int primo,
                                                 int quanti) {
    std::vector<RigaRegistro> righe;
    if (!Apri().Riuscito()) return righe;
    QVariantList valori;
    const QString dove = Condizioni(filtro, valori);
    valori << quanti << std::max(primo, 0);
    QSqlQuery q(conn->db);
    q.setForwardOnly(true);
    if (!Esegui(
            q,
            QStringLiteral("SELECT %1 FROM serie%2 ORDER BY inizio DESC, id DESC LIMIT ? OFFSET ?")
                .arg(QLatin1String(ColonneSerie), dove),
            valori)) {
        ultimo = DaErrore(q.lastError());
        return righe;
    }
    if (quanti > 0) righe.reserve(static_cast<std::size_t>(quanti));
    while (q.next())
        righe.push_back(RigaDa(q));
    ultimo = {};
    return righe;
}

std::vector<std::pair<qint64, int>> RegistroLocale::EsattePerSerie(const FiltroRegistro& filtro) {
    std::vector<std::pair<qint64, int>> punti;
    if (!Apri().Riuscito()) return punti;
    QVariantList valori;
    const QString dove = Condizioni(filtro, valori);
    QSqlQuery q(conn->db);
    q.setForwardOnly(true);
    if (!Esegui(q,
                QStringLiteral("SELECT inizio, esatte FROM serie%1 ORDER BY inizio, id").arg(dove),
                valori)) {
        ultimo = DaErrore(q.lastError());
        return punti;
    }
    while (q.next())
        punti.emplace_back(q.value(0).toLongLong(), q.value(1).toInt());
    ultimo = {};
    return punti;
}

std::optional<int> RegistroLocale::Conta(const FiltroRegistro& filtro) {
    if (!Apri().Riuscito()) return std::nullopt;
    QVariantList valori;
    const QString dove = Condizioni(filtro, valori);
    QSqlQuery q(conn->db);
    if (!Esegui(q, QStringLiteral("SELECT count(*) FROM serie") + dove, valori) || !q.next()) {
        ultimo = DaErrore(q.lastError());
        return std::nullopt;
    }
    ultimo = {};
    return q.value(0).toInt();
}

std::optional<SerieConComputer> RegistroLocale::Leggi(const QUuid& id) {
    if (!Apri().Riuscito()) return std::nullopt;
    const QString chiave = TestoId(id);
    QSqlQuery q(conn->db);
    q.setForwardOnly(true);
    const auto fallito = [&](const QSqlQuery& qq) -> std::optional<SerieConComputer> {
        ultimo = DaErrore(qq.lastError());
        return std::nullopt;
    };
    if (!Esegui(
            q, QStringLiteral("SELECT %1 FROM serie WHERE id = ?").arg(QLatin1String(ColonneSerie)),
            {chiave}))
        return fallito(q);
    if (!q.next()) {
        ultimo = {};
        return std::nullopt;
    }
    const RigaRegistro r = RigaDa(q);
    SerieConComputer s;
    s.Computer = r.Computer;
    s.Revisione = q.value(18).toLongLong();
    RegistroSerie& serie = s.Serie;
    serie.Id = r.Id;
    serie.Inizio = r.Inizio;
    serie.Fine = r.Fine;
    serie.Livello = r.Livello;
    serie.Sistema = r.Sistema;
    serie.TipoEsercizio = r.TipoEsercizio;
    serie.TestoTipo = r.TestoTipo;
    serie.OrdineSimboli = r.OrdineSimboli;
    serie.TestoOrdine = r.TestoOrdine;
    serie.Finita = r.Finita;
    serie.NomeAlunno = r.NomeAlunno;
    serie.Giudizio = r.Giudizio;
    q.finish();

    if (!Esegui(q,
                QStringLiteral("SELECT cifre, forma, coppia, valore, numero_testo, simbolo_da,"
                               " simbolo_a, risultato_testo, soluzione_problema, sorteggio,"
                               " chiede_simbolo, soluzione_testo, aiuto_offerto, aiuto_accettato,"
                               " soluzione_data, secondi FROM esercizio WHERE serie = ?"
                               " ORDER BY numero"),
                {chiave}))
        return fallito(q);
    while (q.next()) {
        EsercizioSvolto e;
        const QByteArray cifre = q.value(0).toByteArray();
        for (std::size_t k = 0;
             k < e.Dati.Cifra.size() && k < static_cast<std::size_t>(cifre.size()); ++k)
            e.Dati.Cifra[k] = static_cast<std::uint8_t>(cifre[static_cast<qsizetype>(k)]);
        LeggiEsercizio(q, 1, e);
        serie.Esercizi.push_back(std::move(e));
    }
    q.finish();
    if (!Esegui(q,
                QStringLiteral("SELECT esercizio, risposta, esatta FROM tentativo WHERE serie = ?"
                               " ORDER BY esercizio, numero"),
                {chiave}))
        return fallito(q);
    while (q.next()) {
        const int i = q.value(0).toInt() - 1;
        if (i < 0 || i >= static_cast<int>(serie.Esercizi.size())) continue;
        serie.Esercizi[static_cast<std::size_t>(i)].Tentativi.push_back(
            {q.value(1).toString(), q.value(2).toBool()});
    }
    ultimo = {};
    return s;
}

QStringList RegistroLocale::Alunni() {
    QStringList nomi;
    if (!Apri().Riuscito()) return nomi;
    // One look in the index per pupil, not a walk through every series.
    QSqlQuery q(conn->db);
    if (!Esegui(q, QStringLiteral("SELECT min(alunno) FROM serie")) || !q.next()) {
        ultimo = DaErrore(q.lastError());
        return nomi;
    }
    QVariant nome = q.value(0);
    q.finish();
    q.prepare(QStringLiteral("SELECT alunno FROM serie WHERE alunno > ? ORDER BY alunno LIMIT 1"));
    while (!nome.isNull()) {
        nomi << nome.toString();
        q.addBindValue(nome);
        if (!q.exec()) {
            ultimo = DaErrore(q.lastError());
            return nomi;
        }
        nome = q.next() ? q.value(0) : QVariant();
        q.finish();
    }
    ultimo = {};
    return nomi;
}

std::vector<std::pair<std::int16_t, QString>> RegistroLocale::Sistemi() {
    std::vector<std::pair<std::int16_t, QString>> sistemi;
    if (!Apri().Riuscito()) return sistemi;
    QSqlQuery q(conn->db);
    q.prepare(QStringLiteral("SELECT livello, sistema FROM serie WHERE livello > ?"
                             " ORDER BY livello LIMIT 1"));
    qlonglong dopo = std::numeric_limits<qlonglong>::min();
    for (;;) {
        q.addBindValue(dopo);
        if (!q.exec()) {
            ultimo = DaErrore(q.lastError());
            return sistemi;
        }
        if (!q.next()) break;
        dopo = q.value(0).toLongLong();
        sistemi.emplace_back(static_cast<std::int16_t>(dopo), q.value(1).toString());
        q.finish();
    }
    ultimo = {};
    return sistemi;
}

std::vector<ErroriCoppia> RegistroLocale::ErroriPerCoppia(const QString& alunno) {
    std::vector<ErroriCoppia> coppie;
    if (!Apri().Riuscito()) return coppie;
    QSqlQuery q(conn->db);
    if (!Esegui(q,
                QStringLiteral("SELECT da, a, errori, totale FROM errori_alunno"
                               " WHERE alunno = ? AND errori > 0 ORDER BY errori DESC, da, a"),
                {T(alunno)})) {
        ultimo = DaErrore(q.lastError());
        return coppie;
    }
    while (q.next())
        coppie.push_back(
            {q.value(0).toString(), q.value(1).toString(), q.value(2).toInt(), q.value(3).toInt()});
    ultimo = {};
    return coppie;
}

std::vector<SerieConComputer> RegistroLocale::SerieDaInviare(int quanti) {
    std::vector<SerieConComputer> elenco;
    if (!Apri().Riuscito()) return elenco;
    QSqlQuery q(conn->db);
    if (!Esegui(
            q, QStringLiteral("SELECT id FROM serie WHERE inviata = 0 ORDER BY inizio, id LIMIT ?"),
            {quanti})) {
        ultimo = DaErrore(q.lastError());
        return elenco;
    }
    QStringList id;
    while (q.next())
        id << q.value(0).toString();
    q.finish();
    for (const QString& s : id)
        if (auto serie = Leggi(QUuid::fromString(s))) elenco.push_back(std::move(*serie));
    return elenco;
}

std::optional<QByteArray> RegistroLocale::Csv(const FiltroRegistro& filtro) {
    if (!Apri().Riuscito()) return std::nullopt;
    QVariantList valori;
    const QString dove = Condizioni(filtro, valori);
    QSqlQuery q(conn->db);
    q.setForwardOnly(true);
    if (!Esegui(q, QStringLiteral("SELECT id FROM serie%1 ORDER BY inizio, id").arg(dove),
                valori)) {
        ultimo = DaErrore(q.lastError());
        return std::nullopt;
    }
    QStringList id;
    while (q.next())
        id << q.value(0).toString();
    q.finish();
    QByteArray csv = IntestazioneCsv();
    for (const QString& s : id) {
        const auto serie = Leggi(QUuid::fromString(s));
        if (!serie) {
            if (!ultimo.Riuscito()) return std::nullopt;
            continue; // deleted meanwhile
        }
        csv += RigheCsv(serie->Serie, serie->Computer);
    }
    ultimo = {};
    return csv;
}

EsitoRegistro RegistroLocale::EsportaCsv(const QString& file, const FiltroRegistro& filtro,
                                         ErroreScrittura* scrittura) {
    if (scrittura) *scrittura = ErroreScrittura::Nessuno;
    const std::optional<QByteArray> csv = Csv(filtro);
    if (!csv) return ultimo;
    const EsitoScrittura scritto = SostituisciFile(file, *csv);
    if (!scritto.Riuscito()) {
        if (scrittura) *scrittura = scritto.errore;
        return ultimo = {ErroreRegistro::Altro, file};
    }
    return ultimo = {};
}

EsitoRegistro RegistroLocale::LeggiPassword(std::optional<PasswordSalvata>& password) {
    password.reset();
    if (const EsitoRegistro e = Apri(); !e.Riuscito()) return e;
    QSqlQuery q(conn->db);
    if (!Esegui(q, QStringLiteral("SELECT sale, impronta, iterazioni FROM insegnante")))
        return ultimo = DaErrore(q.lastError());
    if (q.next()) {
        PasswordSalvata p{q.value(0).toByteArray(), q.value(1).toByteArray(), q.value(2).toInt()};
        if (p.Valida()) password = p;
    }
    return ultimo = {};
}

EsitoRegistro RegistroLocale::ImpostaPassword(const PasswordSalvata& password) {
    return Cambia(
        QStringLiteral("INSERT OR REPLACE INTO insegnante (id, sale, impronta, iterazioni)"
                       " VALUES (1, ?, ?, ?)"),
        {password.Sale, password.Impronta, password.Iterazioni});
}
