#include "registro/ModuloRegistro.h"

#include "base/Servizi.h"
#include "registro/DlgPassword.h"
#include "registro/FrmRegistro.h"

#include <QWidget>

extern "C" Q_DECL_EXPORT QWidget* decimetra_apri_registro(ServizioStampa& stampa, Avvisi& avvisi,
                                                          QWidget* genitore) {
    auto registro = std::make_unique<RegistroLocale>();
    std::optional<PasswordSalvata> password;
    const EsitoRegistro e = registro->LeggiPassword(password);
    if (!registro->FileMessoDaParte().isEmpty())
        avvisi.Informa(QStringLiteral("Registro"),
                       QStringLiteral("Il registro era danneggiato: è stato messo da parte in\n%1\n"
                                      "e ne è stato iniziato uno nuovo.")
                           .arg(registro->FileMessoDaParte()));
    if (!e.Riuscito()) {
        avvisi.Errore(QStringLiteral("Registro"),
                      QStringLiteral("Non è stato possibile aprire il registro: ") +
                          CausaRegistro(e));
        return nullptr;
    }
    DlgPassword chiedi(password, genitore);
    if (chiedi.exec() != QDialog::Accepted) return nullptr;
    if (chiedi.Nuova()) {
        if (const EsitoRegistro salvata = registro->ImpostaPassword(*chiedi.Nuova());
            !salvata.Riuscito()) {
            avvisi.Errore(QStringLiteral("Registro"),
                          QStringLiteral("Non è stato possibile salvare la password: ") +
                              CausaRegistro(salvata));
            return nullptr;
        }
    }
    RegistroLocale* proprio = registro.release();
    auto* finestra = new FrmRegistro(*proprio, stampa, avvisi);
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(finestra, &QObject::destroyed, [proprio] { delete proprio; });
    finestra->showMaximized();
    return finestra;
}
