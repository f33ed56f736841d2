#include "registro/CopiaLaboratorio.h"

#include "registro/RegistroServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QHash>
#include <thread>

CopiaLaboratorio CopiaDalServer(const ConfigurazioneServer& configurazione, int attesaSecondi) {
    CopiaLaboratorio copia;
    std::optional<std::vector<SerieConComputer>> tutte;
    QString errore;
    {
        QEventLoop attesa;
        std::thread lettore([&] {
            RegistroServer server(configurazione, attesaSecondi);
            tutte = server.Tutte();
            errore = server.UltimoErrore().Messaggio;
            QMetaObject::invokeMethod(&attesa, &QEventLoop::quit, Qt::QueuedConnection);
        });
        attesa.exec(QEventLoop::ExcludeUserInputEvents);
        lettore.join();
    }
    if (!tutte) {
        copia.Messaggio = errore;
        return copia;
    }
    // Pupils' names and results: a folder only this account can enter (QTemporaryDir makes
    // it 0700), the register file in it 0600 as always.
    copia.Cartella = std::make_unique<QTemporaryDir>(
        QDir::tempPath() + QStringLiteral("/decimetra-laboratorio-XXXXXX"));
    if (!copia.Cartella->isValid()) {
        copia.Messaggio = QStringLiteral("Non è stato possibile preparare la copia del registro "
                                         "del laboratorio: %1")
                              .arg(copia.Cartella->errorString());
        copia.Cartella.reset();
        return copia;
    }
    auto registro = std::make_unique<RegistroLocale>(
        copia.Cartella->filePath(QStringLiteral("laboratorio.sqlite")));
    QHash<QString, std::vector<RegistroSerie>> perComputer;
    for (auto& s : *tutte)
        perComputer[s.Computer].push_back(std::move(s.Serie));
    for (auto c = perComputer.cbegin(); c != perComputer.cend(); ++c) {
        const EsitoRegistro e = registro->SalvaTutte(c.value(), c.key());
        if (!e.Riuscito()) {
            copia.Messaggio = QStringLiteral("Non è stato possibile preparare la copia del "
                                             "registro del laboratorio: %1")
                                  .arg(CausaRegistro(e));
            copia.Cartella.reset();
            return copia;
        }
        copia.Serie += static_cast<int>(c.value().size());
    }
    copia.Registro = std::move(registro);
    return copia;
}
