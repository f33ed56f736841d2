#pragma once

// A private PostgreSQL cluster for a test program (support/pg_prova.sh): started in
// initTestCase, removed at the end (and by the script's watcher, should the test crash).

#include "base/RegistroSerie.h"
#include "registro/ConfigurazioneServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class PostgresProva {
public:
    // Empty when it started; otherwise why not (saltare: it cannot run here at all).
    QString Avvia() {
        cartella = QDir::tempPath() + QStringLiteral("/decimetra-pg-") +
                   QString::number(QCoreApplication::applicationPid());
        QProcess p;
        p.start(QStringLiteral("bash"), {Script(), QStringLiteral("avvia"), cartella,
                                         QString::number(QCoreApplication::applicationPid())});
        // initdb and the first start on a busy machine.
        if (!p.waitForFinished(180000)) return QStringLiteral("pg_prova.sh non finisce");
        saltare = p.exitCode() == 77;
        if (p.exitCode() != 0)
            return QString::fromLocal8Bit(p.readAllStandardError() + p.readAllStandardOutput());
        porta = QString::fromLatin1(p.readAllStandardOutput()).trimmed().toInt();
        return porta > 0 ? QString() : QStringLiteral("porta sconosciuta");
    }
    bool Comando(const QString& azione) {
        QProcess p;
        p.start(QStringLiteral("bash"), {Script(), azione, cartella});
        return p.waitForFinished(180000) && p.exitCode() == 0;
    }
    ~PostgresProva() {
        if (!cartella.isEmpty()) Comando(QStringLiteral("rimuovi"));
    }

    // The server as a computer of the lab reaches it, over 127.0.0.1 with the pgpass file.
    ConfigurazioneServer Configurazione(const QString& computer = QStringLiteral("aula-1")) const {
        ConfigurazioneServer c;
        c.Host = QStringLiteral("127.0.0.1");
        c.Porta = porta;
        c.FilePassword = cartella + QStringLiteral("/pgpass");
        c.ModoSsl = QStringLiteral("prefer");
        c.Computer = computer;
        return c;
    }
    // Runs one SQL statement as the database's owner and gives the first value.
    QString Psql(const QString& sql) const {
        QProcess p;
        auto ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("PGPASSFILE"), cartella + QStringLiteral("/pgpass"));
        p.setProcessEnvironment(ambiente);
        p.start(QStringLiteral("psql"),
                {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                 QString::number(porta), QStringLiteral("-U"), QStringLiteral("decimetra"),
                 QStringLiteral("-d"), QStringLiteral("decimetra"), QStringLiteral("-XAtqc"), sql});
        p.waitForFinished(120000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    QString cartella;
    int porta = 0;
    bool saltare = false;

private:
    static QString Script() { return QStringLiteral(CARTELLA_PROVE "/support/pg_prova.sh"); }
};

// A whole series of twenty exercises, with tries and help, for computer-to-server tests.
inline RegistroSerie SerieDiProva(const QString& alunno, int esatte = 15) {
    RegistroSerie s;
    s.Id = QUuid::createUuid();
    s.Inizio = QDateTime(QDate(2026, 12, 9), QTime(10, 15, 7));
    s.Fine = s.Inizio.addSecs(400);
    s.Livello = 5;
    s.Sistema = QStringLiteral("Misure di lunghezza");
    s.TipoEsercizio = 1;
    s.TestoTipo = QStringLiteral(" Trova il numero");
    s.OrdineSimboli = 3;
    s.TestoOrdine = QStringLiteral("In ordine sparso");
    s.Finita = true;
    s.NomeAlunno = alunno;
    for (int i = 0; i < 20; ++i) {
        EsercizioSvolto e;
        e.Dati.Cifra = {0, 2, 7, 5, static_cast<std::uint8_t>(1 + i % 9)};
        e.Dati.FormaNumero = static_cast<std::int16_t>(1 + i % 18);
        e.Dati.CoppiaSimboli = static_cast<std::int16_t>(1 + i % 6);
        e.Dati.ValoreNumero = 275200 + i;
        e.Dati.NumeroTesto = QStringLiteral("27,52");
        e.Dati.SimboloDa = QStringLiteral("dam ");
        e.Dati.SimboloA = QStringLiteral("m");
        e.Dati.RisultatoTesto = QStringLiteral("275,2");
        e.SoluzioneTesto = QStringLiteral("275,2");
        if (i >= esatte) {
            e.Tentativi = {{QStringLiteral("2,752"), false}, {QStringLiteral("27,52"), false}};
            e.AiutoOfferto = e.AiutoAccettato = e.SoluzioneData = true;
        } else {
            e.Tentativi = {{QStringLiteral("275,2"), true}};
        }
        e.Secondi = 10 + i;
        s.Esercizi.push_back(e);
    }
    return s;
}
