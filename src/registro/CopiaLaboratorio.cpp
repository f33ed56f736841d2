#include "registro/CopiaLaboratorio.h"

#include "registro/RegistroServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QHash>
#include <thread>

namespace {

// On the reading thread: the server's series into a register file of their own. Returns the
// number of series copied, or the reason it failed.
std::variant<int, QString> Copia(const ConfigurazioneServer& configurazione, int attesaSecondi,
                                 const QString& file) {
    RegistroServer server(configurazione, attesaSecondi);
    auto tutte = server.Tutte();
    if (!tutte) return server.UltimoErrore().Messaggio;
    QHash<QString, std::vector<RegistroSerie>> perComputer;
    for (auto& s : *tutte)
        perComputer[s.Computer].push_back(std::move(s.Serie));
    RegistroLocale copia(file);
    int quante = 0;
    for (auto c = perComputer.cbegin(); c != perComputer.cend(); ++c) {
        const EsitoRegistro e = copia.SalvaTutte(c.value(), c.key());
        if (!e.Riuscito())
            return QStringLiteral("Non è stato possibile preparare la copia del registro del "
                                  "laboratorio: %1")
                .arg(CausaRegistro(e));
        quante += static_cast<int>(c.value().size());
    }
    return quante;
}

} // namespace

CopiaLaboratorio CopiaDalServer(const ConfigurazioneServer& configurazione, int attesaSecondi) {
    CopiaLaboratorio copia;
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
    const QString file = copia.Cartella->filePath(QStringLiteral("laboratorio.sqlite"));
    // Read and written on a thread of its own: the windows keep painting meanwhile, and
    // take no input until the copy is ready.
    std::variant<int, QString> esito;
    {
        QEventLoop attesa;
        std::thread lettore([&] {
            esito = Copia(configurazione, attesaSecondi, file);
            QMetaObject::invokeMethod(&attesa, &QEventLoop::quit, Qt::QueuedConnection);
        });
        attesa.exec(QEventLoop::ExcludeUserInputEvents);
        lettore.join();
    }
    if (const QString* errore = std::get_if<QString>(&esito)) {
        copia.Messaggio = *errore;
        copia.Cartella.reset();
        return copia;
    }
    copia.Serie = std::get<int>(esito);
    copia.Registro = std::make_unique<RegistroLocale>(file);
    return copia;
}
