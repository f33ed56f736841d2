#include "app/RigaComando.h"

#include "base/MessaggiStampa.h"
#include "registro/EsportaCsv.h"
#include "registro/EsportaServer.h"
#include "registro/RegistroLocale.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <cstring>

namespace {

void Scrivi(std::FILE* dove, const QString& testo) {
    std::fputs(testo.toLocal8Bit().constData(), dove);
}

QString Uso(const char* programma) {
    return QStringLiteral(
               "Uso: %1 [opzione]\n"
               "Senza opzioni apre il programma per l'alunno.\n"
               "\n"
               "  --esporta-registro FILE.csv  scrive tutto il registro dell'insegnante in "
               "FILE.csv\n"
               "                               (per LibreOffice Calc o Excel: UTF-8, campi "
               "separati\n"
               "                               da ';', una riga per esercizio) ed esce; non serve\n"
               "                               uno schermo; con un server del registro\n"
               "                               (/etc/decimetra/registro.conf) le serie di tutti "
               "i\n"
               "                               computer del laboratorio\n"
               "  --help                       mostra questo aiuto ed esce\n")
        .arg(QFileInfo(QString::fromLocal8Bit(programma)).fileName());
}

int Esporta(int argc, char* argv[], const char* file) {
    QCoreApplication app(argc, argv);
    RegistroLocale registro;
    const QString nome = QString::fromLocal8Bit(file);
    // With a lab server: every computer's series, from the server; this computer's register
    // when the server cannot be read, saying so.
    const EsitoEsportazioneServer server =
        EsportaDalServer(CaricaConfigurazioneServer(RegistroLocale::NomeComputer()), nome);
    using Server = EsitoEsportazioneServer::Tipo;
    if (server.Esito == Server::Esportato) return 0;
    if (server.Esito == Server::NonScritto) {
        Scrivi(stderr, server.Messaggio + QLatin1Char('\n'));
        return 1;
    }
    if (server.Esito == Server::NonRaggiungibile)
        Scrivi(stderr, server.Messaggio + QStringLiteral("\nEsporto solo il registro di questo "
                                                         "computer.\n"));
    EsitoRegistro esito;
    ErroreScrittura scrittura = ErroreScrittura::Nessuno;
    if (QFileInfo::exists(registro.Percorso()) || QFileInfo(registro.Percorso()).isSymLink()) {
        esito = registro.EsportaCsv(nome, {}, &scrittura);
    } else {
        // No register yet on this account: the header alone, and no register made for it.
        scrittura = SostituisciFile(nome, IntestazioneCsv()).errore;
    }
    if (!registro.FileMessoDaParte().isEmpty())
        Scrivi(stderr, QStringLiteral("Il registro era danneggiato: è stato messo da parte in "
                                      "%1 e ne è stato iniziato uno nuovo.\n")
                           .arg(registro.FileMessoDaParte()));
    if (scrittura != ErroreScrittura::Nessuno) {
        const QString causa = CausaScrittura(scrittura);
        Scrivi(stderr, QStringLiteral("Non è stato possibile scrivere il file %1.%2\n")
                           .arg(nome, causa.isEmpty() ? QString() : QLatin1Char(' ') + causa));
        return 1;
    }
    if (!esito.Riuscito()) {
        Scrivi(stderr, QStringLiteral("Non è stato possibile leggere il registro %1: %2\n")
                           .arg(registro.Percorso(), CausaRegistro(esito)));
        return 1;
    }
    return 0;
}

} // namespace

std::optional<int> EseguiRigaComando(int argc, char* argv[]) {
    const char* programma = argc > 0 ? argv[0] : "decimetra";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            Scrivi(stdout, Uso(programma));
            return 0;
        }
        if (std::strcmp(argv[i], "--esporta-registro") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                Scrivi(stderr, QStringLiteral("Manca il nome del file: %1 --esporta-registro "
                                              "FILE.csv\n")
                                   .arg(QString::fromLocal8Bit(programma)));
                return 2;
            }
            return Esporta(argc, argv, argv[i + 1]);
        }
        if (std::strncmp(argv[i], "--esporta-registro=", 19) == 0)
            return Esporta(argc, argv, argv[i] + 19);
    }
    return std::nullopt;
}
