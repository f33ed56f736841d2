#include "registro/EsportaServer.h"

#include "base/MessaggiStampa.h"
#include "base/ScritturaSicura.h"
#include "registro/EsportaCsv.h"
#include "registro/RegistroServer.h"

EsitoEsportazioneServer EsportaDalServer(const EsitoConfigurazione& configurazione,
                                         const QString& file, int attesaSecondi) {
    using Tipo = EsitoEsportazioneServer::Tipo;
    if (configurazione.File.isEmpty()) return {};
    if (!configurazione.Server) {
        if (configurazione.Errore.isEmpty()) return {}; // a file without [server]
        return {Tipo::NonRaggiungibile, configurazione.Errore, 0};
    }
    RegistroServer server(*configurazione.Server, attesaSecondi);
    const auto tutte = server.Tutte();
    if (!tutte) return {Tipo::NonRaggiungibile, server.UltimoErrore().Messaggio, 0};
    QByteArray csv = IntestazioneCsv();
    for (auto s = tutte->rbegin(); s != tutte->rend(); ++s)
        csv += RigheCsv(s->Serie, s->Computer);
    const EsitoScrittura scritto = SostituisciFile(file, csv);
    if (!scritto.Riuscito()) {
        const QString causa = CausaScrittura(scritto.errore);
        return {Tipo::NonScritto,
                QStringLiteral("Non è stato possibile scrivere il file %1.%2")
                    .arg(file, causa.isEmpty() ? QString() : QLatin1Char(' ') + causa),
                0};
    }
    return {Tipo::Esportato, {}, static_cast<int>(tutte->size())};
}
