#include "registro/ModuloRegistro.h"

#include "base/Servizi.h"
#include "registro/DlgPassword.h"
#include "registro/FinestraLaboratorio.h"
#include "registro/FrmRegistro.h"

#include <QWidget>

extern "C" Q_DECL_EXPORT QWidget*
decimetra_apri_registro(ServizioStampa& stampa, Avvisi& avvisi, QWidget* genitore,
                        const LaboratorioPerRegistro& laboratorio) {
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
    // A lab with a server: the window shows its copy of every computer's series.
    QString avviso;
    std::unique_ptr<CopiaLaboratorio> copia = PreparaLaboratorio(laboratorio, avviso);
    RegistroLocale* proprio = registro.release();
    auto* finestra = new FrmRegistro(copia ? *copia->Registro : *proprio, stampa, avvisi);
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(finestra, &QObject::destroyed, [proprio] { delete proprio; });
    MostraLaboratorio(finestra, laboratorio, std::move(copia), avviso);
    finestra->showMaximized();
    return finestra;
}
