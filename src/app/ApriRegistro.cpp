#include "app/ApriRegistro.h"

#include "app/VoceQt.h"
#include "base/Servizi.h"
#include "registro/CopiaLaboratorio.h"
#include "registro/ModuloRegistro.h"

#include <QFileInfo>
#include <QLibrary>

QWidget* ApriRegistro(ServizioStampa& stampa, Avvisi& avvisi, QWidget* genitore,
                      const LaboratorioPerRegistro& laboratorio) {
    static FabbricaRegistro apri = nullptr;
    QString errore;
    if (!apri) {
        // The same folders as the speech module's.
        for (const QString& cartella : VoceQt::CartelleModulo()) {
            const QString file = cartella + QStringLiteral("/" DECIMETRA_FILE_MODULO_REGISTRO);
            if (!QFileInfo::exists(file)) continue;
            QLibrary modulo(file); // never unloaded: its windows may outlive any call
            if (!modulo.load()) {
                errore = modulo.errorString();
                continue;
            }
            apri = reinterpret_cast<FabbricaRegistro>(modulo.resolve(NomeApriRegistro));
            if (apri) break;
        }
    }
    if (!apri) {
        avvisi.Errore(
            QStringLiteral("Registro"),
            QStringLiteral("Non è stato possibile aprire il registro: manca il suo modulo "
                           "(%1).%2")
                .arg(QStringLiteral(DECIMETRA_FILE_MODULO_REGISTRO),
                     errore.isEmpty() ? QString() : QLatin1Char('\n') + errore));
        return nullptr;
    }
    return apri(stampa, avvisi, genitore, laboratorio);
}
