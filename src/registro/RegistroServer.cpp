#include "registro/RegistroServer.h"
#include "registro/LeggiEsercizio.h"

#include "registro/SchemaServer.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QVariant>

namespace {

QAtomicInteger<quint64> numeroConnessione;

// A value for libpq's connection string: quoted, with \ and ' escaped.
QString Citato(QString valore) {
    valore.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    valore.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + valore + QLatin1Char('\'');
}

// A text as the server can store it: PostgreSQL's text holds no NUL character (and the
// driver, which writes bound values into the statement, would cut the statement there).
QString Testo(const QString& t) {
    if (!t.contains(QChar(0))) return t;
    return QString(t).replace(QChar(0), QChar(0xFFFD));
}

QString TestoErrore(const QSqlError& errore) {
    QString testo = errore.databaseText().trimmed();
    if (testo.isEmpty()) testo = errore.driverText().trimmed();
    // libpq's first line says it; the rest are hints in English.
    return testo.section(QLatin1Char('\n'), 0, 0).trimmed();
}

// The twenty exercises' digits as one text: "3,7,1,9".
QString Cifre(const Problema& p) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(p.Cifra[1])
        .arg(p.Cifra[2])
        .arg(p.Cifra[3])
        .arg(p.Cifra[4]);
}

void LeggiCifre(const QString& testo, Problema& p) {
    const QStringList parti = testo.split(QLatin1Char(','));
    for (int i = 0; i < 4 && i < parti.size(); ++i)
        p.Cifra[static_cast<std::size_t>(i + 1)] = static_cast<std::uint8_t>(parti[i].toUInt());
}

// Timestamps go to the server with their offset, and come back in local time.
QVariant Istante(const QDateTime& t) {
    return t.isValid() ? QVariant(t) : QVariant(QMetaType(QMetaType::QDateTime));
}
QDateTime Locale(const QVariant& v) {
    if (v.isNull()) return {};
    QDateTime t = v.toDateTime();
    t.setTimeZone(QTimeZone::utc()); // the driver asks the server for UTC
    return t.toLocalTime();
}

constexpr const char* ColonneSerie =
    "id, revisione, computer, inizio, fine, livello, sistema, tipo, testo_tipo, ordine, "
    "testo_ordine, finita, alunno, giudizio, esercizi, esatte, errate, tempo_totale";

} // namespace

QString OpzioniConnessione(const ConfigurazioneServer& c, int attesaSecondi) {
    QStringList opzioni;
    opzioni << QStringLiteral("connect_timeout=%1").arg(std::max(2, attesaSecondi))
            << QStringLiteral("sslmode=") + Citato(c.ModoSsl)
            << QStringLiteral("application_name=decimetra")
            // A network that drops under an open connection is noticed in seconds, not in
            // the two hours of the system's defaults; a server that stalls on a statement
            // gives up by itself.
            << QStringLiteral("keepalives=1") << QStringLiteral("keepalives_idle=5")
            << QStringLiteral("keepalives_interval=2") << QStringLiteral("keepalives_count=3")
            << QStringLiteral("tcp_user_timeout=%1").arg(attesaSecondi * 3000)
            << QStringLiteral("options=") +
                   Citato(QStringLiteral("-c statement_timeout=%1").arg(attesaSecondi * 3000));
    if (!c.FilePassword.isEmpty()) opzioni << QStringLiteral("passfile=") + Citato(c.FilePassword);
    // The driver turns ';' into the blank between options.
    return opzioni.join(QLatin1Char(';'));
}

QString CausaServer(const QString& testo, const ConfigurazioneServer& c) {
    const auto ha = [&](const char* parola) {
        return testo.contains(QLatin1String(parola), Qt::CaseInsensitive);
    };
    QString causa;
    if (ha("password authentication failed") || ha("authentication failed"))
        causa =
            QStringLiteral("il server ha rifiutato l'utente «%1» o la sua password").arg(c.Utente);
    else if (ha("no password supplied") || ha("fe_sendauth"))
        causa = QStringLiteral("il server chiede una password per l'utente «%1», e il file "
                               "indicato da passfile non la dà")
                    .arg(c.Utente);
    else if (ha("database") && ha("does not exist"))
        causa = QStringLiteral("sul server non c'è il database «%1»").arg(c.Database);
    else if (ha("role") && ha("does not exist"))
        causa = QStringLiteral("sul server non c'è l'utente «%1»").arg(c.Utente);
    else if (ha("timeout expired") || ha("statement timeout") || ha("canceling statement"))
        causa = QStringLiteral("il server non ha risposto in tempo");
    else if (ha("connection refused") || ha("no such file or directory"))
        causa = QStringLiteral("il server non accetta connessioni (spento, oppure indirizzo o "
                               "porta sbagliati)");
    else if (ha("could not translate host name"))
        causa = QStringLiteral("il nome del server «%1» è sconosciuto").arg(c.Host);
    else if (ha("no pg_hba.conf entry"))
        causa = QStringLiteral("il server non accetta questo computer o questo utente");
    else if (ha("ssl") || ha("certificate"))
        causa = QStringLiteral("la connessione cifrata (sslmode=%1) non è riuscita").arg(c.ModoSsl);
    else if (ha("permission denied"))
        causa =
            QStringLiteral("l'utente «%1» non ha i permessi necessari sulle tabelle").arg(c.Utente);
    else if (ha("server closed the connection") || ha("terminating connection") ||
             ha("no connection to the server") || ha("connection to server") ||
             ha("could not receive") || ha("could not send"))
        causa = QStringLiteral("la connessione con il server si è interrotta");
    else
        causa = QStringLiteral("il server ha dato un errore");
    const QString sede = c.Host.startsWith(QLatin1Char('/'))
                             ? c.Host
                             : QStringLiteral("%1:%2").arg(c.Host).arg(c.Porta);
    return QStringLiteral("Server del registro %1: %2%3")
        .arg(sede, causa,
             testo.isEmpty() ? QStringLiteral(".") : QStringLiteral(" (%1).").arg(testo));
}

RegistroServer::RegistroServer(ConfigurazioneServer c, int attesaSecondi)
    : configurazione(std::move(c)), attesa(attesaSecondi),
      nomeConnessione(QStringLiteral("decimetra-server-%1").arg(++numeroConnessione)) {}

RegistroServer::~RegistroServer() {
    Chiudi();
}

void RegistroServer::Chiudi() {
    if (!QSqlDatabase::contains(nomeConnessione)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(nomeConnessione, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nomeConnessione);
}

EsitoServer RegistroServer::Fallito(const QString& testoDriver) {
    ultimo = {false, CausaServer(testoDriver, configurazione)};
    // The next call starts from a new connection: after a failure the old one may be dead.
    // (Closed there, when no query of this call holds it any more.)
    daChiudere = true;
    return ultimo;
}

EsitoServer RegistroServer::Connetti() {
    if (daChiudere) Chiudi();
    daChiudere = false;
    if (QSqlDatabase::contains(nomeConnessione) &&
        QSqlDatabase::database(nomeConnessione, false).isOpen())
        return ultimo = {true, {}};
    Chiudi();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        ultimo = {false, QStringLiteral("Server del registro: manca il driver PostgreSQL di Qt "
                                        "(pacchetto libqt6sql6-psql).")};
        return ultimo;
    }
    // The passfile checked again at each connection: its permissions may have changed since
    // the configuration was read, and libpq would only warn and go on without it.
    if (!configurazione.FilePassword.isEmpty()) {
        const QString rifiuto = ControllaFilePassword(configurazione.FilePassword);
        if (!rifiuto.isEmpty()) return ultimo = {false, rifiuto};
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nomeConnessione);
    db.setHostName(configurazione.Host);
    db.setPort(configurazione.Porta);
    db.setDatabaseName(configurazione.Database);
    db.setUserName(configurazione.Utente);
    db.setConnectOptions(OpzioniConnessione(configurazione, attesa));
    if (!db.open()) return Fallito(TestoErrore(db.lastError()));

    // The tables, when missing: one computer at a time (the lab's computers start together),
    // and nothing created when they are there (a role that may only insert and read).
    QSqlQuery q(db);
    if (!db.transaction()) return Fallito(TestoErrore(db.lastError()));
    if (!q.exec(QStringLiteral("SELECT to_regclass('tentativi') IS NOT NULL")) || !q.next()) {
        db.rollback();
        return Fallito(TestoErrore(q.lastError()));
    }
    if (!q.value(0).toBool()) {
        // Another computer may have made them while this one waited for the lock.
        if (!q.exec(QStringLiteral("SET LOCAL client_min_messages = warning")) ||
            !q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7261034)")) ||
            !q.exec(QStringLiteral("SELECT to_regclass('tentativi') IS NOT NULL")) || !q.next() ||
            (!q.value(0).toBool() && !q.exec(QString::fromUtf8(SchemaServer)))) {
            db.rollback();
            return Fallito(TestoErrore(q.lastError()));
        }
    }
    if (!db.commit()) return Fallito(TestoErrore(db.lastError()));
    return ultimo = {true, {}};
}

EsitoServer RegistroServer::Invia(const SerieConComputer& sc) {
    if (auto esito = Connetti(); !esito.Riuscito) return esito;
    QSqlDatabase db = QSqlDatabase::database(nomeConnessione, false);
    const RegistroSerie& s = sc.Serie;
    if (!db.transaction()) return Fallito(TestoErrore(db.lastError()));
    const auto annulla = [&](const QSqlQuery& q) {
        const QString testo = TestoErrore(q.lastError());
        // SQLSTATE classes 22 and 23: a value of this series the server will not take.
        const QString stato = q.lastError().nativeErrorCode();
        const bool rifiutata =
            (stato.startsWith(QLatin1String("22")) || stato.startsWith(QLatin1String("23"))) &&
            db.rollback() && db.isOpen();
        if (!rifiutata) db.rollback();
        EsitoServer esito = Fallito(testo);
        if (rifiutata) {
            daChiudere = false;
            esito.SerieRifiutata = ultimo.SerieRifiutata = true;
        }
        return esito;
    };

    // The series' row: new, or replacing an older revision of itself. RETURNING gives a row
    // only then, and only then are its exercises written.
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
                  "INSERT INTO serie (%1) VALUES (?::uuid, ?, ?, ?, ?, ?, coalesce(?, ''), ?, "
                  "coalesce(?, ''), ?, coalesce(?, ''), ?, coalesce(?, ''), coalesce(?, ''), "
                  "?, ?, ?, ?) ON CONFLICT (id) DO UPDATE SET revisione = "
                  "EXCLUDED.revisione, computer = EXCLUDED.computer, inizio = EXCLUDED.inizio, "
                  "fine = EXCLUDED.fine, livello = EXCLUDED.livello, sistema = "
                  "EXCLUDED.sistema, tipo = EXCLUDED.tipo, testo_tipo = EXCLUDED.testo_tipo, "
                  "ordine = EXCLUDED.ordine, testo_ordine = EXCLUDED.testo_ordine, finita = "
                  "EXCLUDED.finita, alunno = EXCLUDED.alunno, giudizio = EXCLUDED.giudizio, "
                  "esercizi = EXCLUDED.esercizi, esatte = EXCLUDED.esatte, errate = "
                  "EXCLUDED.errate, tempo_totale = EXCLUDED.tempo_totale, ricevuta = now() "
                  "WHERE serie.revisione < EXCLUDED.revisione RETURNING (xmax::text <> '0')")
                  .arg(QLatin1String(ColonneSerie)));
    q.addBindValue(s.Id.toString(QUuid::WithoutBraces));
    q.addBindValue(static_cast<qlonglong>(sc.Revisione));
    q.addBindValue(
        Testo(configurazione.Computer.isEmpty() ? sc.Computer : configurazione.Computer));
    q.addBindValue(Istante(s.Inizio));
    q.addBindValue(Istante(s.Fine));
    q.addBindValue(s.Livello);
    q.addBindValue(Testo(s.Sistema));
    q.addBindValue(s.TipoEsercizio);
    q.addBindValue(Testo(s.TestoTipo));
    q.addBindValue(s.OrdineSimboli);
    q.addBindValue(Testo(s.TestoOrdine));
    q.addBindValue(s.Finita);
    q.addBindValue(Testo(s.NomeAlunno));
    q.addBindValue(Testo(s.Giudizio));
    q.addBindValue(static_cast<qint16>(s.IndiceEsercizio()));
    q.addBindValue(s.EsatteTotale());
    q.addBindValue(s.ErrateTotale());
    q.addBindValue(s.TempoTotale());
    if (!q.exec()) return annulla(q);
    if (!q.next()) {
        // The server has this revision already (or a later one).
        if (!db.commit()) return Fallito(TestoErrore(db.lastError()));
        return ultimo = {true, {}};
    }
    if (q.value(0).toBool()) {
        // A later revision of a series the server had: its exercises are written again.
        QSqlQuery via(db);
        via.prepare(QStringLiteral("DELETE FROM esercizi WHERE serie = ?::uuid"));
        via.addBindValue(s.Id.toString(QUuid::WithoutBraces));
        if (!via.exec()) return annulla(via);
    }

    QSqlQuery e(db);
    e.prepare(QStringLiteral(
        "INSERT INTO esercizi (serie, numero, cifre, forma_numero, coppia_simboli, "
        "valore_numero, numero_testo, simbolo_da, simbolo_a, risultato_testo, "
        "soluzione_problema, sorteggio, chiede_simbolo, soluzione, aiuto_offerto, "
        "aiuto_accettato, soluzione_data, secondi) VALUES (?::uuid, ?, ?, ?, ?, ?, "
        "coalesce(?, ''), coalesce(?, ''), coalesce(?, ''), coalesce(?, ''), coalesce(?, ''), "
        "?, ?, coalesce(?, ''), ?, ?, ?, ?)"));
    QSqlQuery t(db);
    t.prepare(QStringLiteral("INSERT INTO tentativi (serie, esercizio, numero, risposta, esatta) "
                             "VALUES (?::uuid, ?, ?, coalesce(?, ''), ?)"));
    const QString id = s.Id.toString(QUuid::WithoutBraces);
    for (std::size_t i = 0; i < s.Esercizi.size(); ++i) {
        const EsercizioSvolto& x = s.Esercizi[i];
        const auto numero = static_cast<qint16>(i + 1);
        e.addBindValue(id);
        e.addBindValue(numero);
        e.addBindValue(Cifre(x.Dati));
        e.addBindValue(x.Dati.FormaNumero);
        e.addBindValue(x.Dati.CoppiaSimboli);
        e.addBindValue(static_cast<qlonglong>(x.Dati.ValoreNumero));
        e.addBindValue(Testo(x.Dati.NumeroTesto));
        e.addBindValue(Testo(x.Dati.SimboloDa));
        e.addBindValue(Testo(x.Dati.SimboloA));
        e.addBindValue(Testo(x.Dati.RisultatoTesto));
        e.addBindValue(Testo(x.Dati.SoluzioneTesto));
        e.addBindValue(x.Dati.Sorteggio);
        e.addBindValue(x.ChiedeSimbolo);
        e.addBindValue(Testo(x.SoluzioneTesto));
        e.addBindValue(x.AiutoOfferto);
        e.addBindValue(x.AiutoAccettato);
        e.addBindValue(x.SoluzioneData);
        e.addBindValue(x.Secondi);
        if (!e.exec()) return annulla(e);
        for (std::size_t k = 0; k < x.Tentativi.size(); ++k) {
            t.addBindValue(id);
            t.addBindValue(numero);
            t.addBindValue(static_cast<qint16>(k + 1));
            t.addBindValue(Testo(x.Tentativi[k].Risposta));
            t.addBindValue(x.Tentativi[k].Esatta);
            if (!t.exec()) return annulla(t);
        }
    }
    if (!db.commit()) return Fallito(TestoErrore(db.lastError()));
    return ultimo = {true, {}};
}

std::optional<std::vector<RigaRegistro>> RegistroServer::Elenco() {
    if (!Connetti().Riuscito) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(nomeConnessione, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM serie ORDER BY inizio DESC, id DESC")
                    .arg(QLatin1String(ColonneSerie)))) {
        Fallito(TestoErrore(q.lastError()));
        return std::nullopt;
    }
    std::vector<RigaRegistro> righe;
    while (q.next()) {
        RigaRegistro r;
        r.Id = QUuid::fromString(q.value(0).toString());
        r.Computer = q.value(2).toString();
        r.Inizio = Locale(q.value(3));
        r.Fine = Locale(q.value(4));
        r.Livello = static_cast<std::int16_t>(q.value(5).toInt());
        r.Sistema = q.value(6).toString();
        r.TipoEsercizio = static_cast<std::int16_t>(q.value(7).toInt());
        r.TestoTipo = q.value(8).toString();
        r.OrdineSimboli = static_cast<std::int16_t>(q.value(9).toInt());
        r.TestoOrdine = q.value(10).toString();
        r.Finita = q.value(11).toBool();
        r.NomeAlunno = q.value(12).toString();
        r.Giudizio = q.value(13).toString();
        r.Esercizi = static_cast<std::int16_t>(q.value(14).toInt());
        r.Esatte = static_cast<std::int16_t>(q.value(15).toInt());
        r.Errate = static_cast<std::int16_t>(q.value(16).toInt());
        r.TempoTotale = q.value(17).toInt();
        r.Inviata = true;
        righe.push_back(std::move(r));
    }
    return righe;
}

std::optional<std::vector<SerieConComputer>> RegistroServer::Tutte() {
    if (!Connetti().Riuscito) return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(nomeConnessione, false);
    // One snapshot for the three reads: a series arriving meanwhile is either whole or absent.
    if (!db.transaction()) {
        Fallito(TestoErrore(db.lastError()));
        return std::nullopt;
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY")) ||
        !q.exec(QStringLiteral("SELECT %1 FROM serie ORDER BY inizio DESC, id DESC")
                    .arg(QLatin1String(ColonneSerie)))) {
        const QString testo = TestoErrore(q.lastError());
        db.rollback();
        Fallito(testo);
        return std::nullopt;
    }
    std::vector<SerieConComputer> tutte;
    QHash<QUuid, std::size_t> posto;
    while (q.next()) {
        SerieConComputer sc;
        RegistroSerie& s = sc.Serie;
        s.Id = QUuid::fromString(q.value(0).toString());
        sc.Revisione = q.value(1).toLongLong();
        sc.Computer = q.value(2).toString();
        s.Inizio = Locale(q.value(3));
        s.Fine = Locale(q.value(4));
        s.Livello = static_cast<std::int16_t>(q.value(5).toInt());
        s.Sistema = q.value(6).toString();
        s.TipoEsercizio = static_cast<std::int16_t>(q.value(7).toInt());
        s.TestoTipo = q.value(8).toString();
        s.OrdineSimboli = static_cast<std::int16_t>(q.value(9).toInt());
        s.TestoOrdine = q.value(10).toString();
        s.Finita = q.value(11).toBool();
        s.NomeAlunno = q.value(12).toString();
        s.Giudizio = q.value(13).toString();
        posto.insert(s.Id, tutte.size());
        tutte.push_back(std::move(sc));
    }
    QSqlQuery e(db);
    e.setForwardOnly(true);
    if (!e.exec(QStringLiteral(
            "SELECT serie, numero, cifre, forma_numero, coppia_simboli, valore_numero, "
            "numero_testo, simbolo_da, simbolo_a, risultato_testo, soluzione_problema, "
            "sorteggio, chiede_simbolo, soluzione, aiuto_offerto, aiuto_accettato, "
            "soluzione_data, secondi FROM esercizi ORDER BY serie, numero"))) {
        const QString testo = TestoErrore(e.lastError());
        db.rollback();
        Fallito(testo);
        return std::nullopt;
    }
    while (e.next()) {
        const auto dove = posto.constFind(QUuid::fromString(e.value(0).toString()));
        if (dove == posto.cend()) continue;
        EsercizioSvolto x;
        LeggiCifre(e.value(2).toString(), x.Dati);
        LeggiEsercizio(e, 3, x);
        tutte[*dove].Serie.Esercizi.push_back(std::move(x));
    }
    QSqlQuery t(db);
    t.setForwardOnly(true);
    if (!t.exec(QStringLiteral("SELECT serie, esercizio, risposta, esatta FROM tentativi "
                               "ORDER BY serie, esercizio, numero"))) {
        const QString testo = TestoErrore(t.lastError());
        db.rollback();
        Fallito(testo);
        return std::nullopt;
    }
    while (t.next()) {
        const auto dove = posto.constFind(QUuid::fromString(t.value(0).toString()));
        if (dove == posto.cend()) continue;
        auto& esercizi = tutte[*dove].Serie.Esercizi;
        const int numero = t.value(1).toInt();
        if (numero < 1 || numero > static_cast<int>(esercizi.size())) continue;
        esercizi[static_cast<std::size_t>(numero - 1)].Tentativi.push_back(
            {t.value(2).toString(), t.value(3).toBool()});
    }
    db.commit();
    ultimo = {true, {}};
    return tutte;
}
