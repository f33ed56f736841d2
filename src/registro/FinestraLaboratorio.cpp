#include "registro/FinestraLaboratorio.h"

#include "registro/FrmRegistro.h"

#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace {
const QString SoloQuesto = QStringLiteral(" Si vede solo il registro di questo computer.");
}

std::unique_ptr<CopiaLaboratorio> PreparaLaboratorio(const LaboratorioPerRegistro& laboratorio,
                                                     QString& avviso) {
    if (!laboratorio.Server) {
        if (!laboratorio.Avviso.isEmpty()) avviso = laboratorio.Avviso + SoloQuesto;
        return nullptr;
    }
    auto copia = std::make_unique<CopiaLaboratorio>(CopiaDalServer(*laboratorio.Server));
    if (!copia->Registro) {
        avviso = copia->Messaggio + SoloQuesto;
        return nullptr;
    }
    return copia;
}

void MostraLaboratorio(FrmRegistro* finestra, const LaboratorioPerRegistro& laboratorio,
                       std::unique_ptr<CopiaLaboratorio> copia, const QString& avviso) {
    // Without a configuration file the window is exactly as on a computer alone.
    if (!laboratorio.Server && laboratorio.Avviso.isEmpty()) return;
    auto* stato = new QLabel(finestra);
    stato->setObjectName(QStringLiteral("lblServer"));
    stato->setWordWrap(true);
    stato->setAccessibleName(QStringLiteral("Server del registro"));
    finestra->statusBar()->addWidget(stato, 1);
    QString fisso = avviso;
    if (copia) {
        fisso = QStringLiteral("Registro del laboratorio: %1 di tutti i computer, lette dal "
                               "server alle %2.")
                    .arg(copia->Serie == 1 ? QStringLiteral("1 serie")
                                           : QStringLiteral("%1 serie").arg(copia->Serie),
                         QDateTime::currentDateTime().toString(QStringLiteral("HH:mm")));
        finestra->setWindowTitle(QStringLiteral("REGISTRO DEL LABORATORIO"));
        // Names and deletions belong to each computer's own register.
        for (const char* nome :
             {"cmdRinomina", "cmdEliminaSerie", "cmdEliminaAlunno", "cmdEliminaTutto"}) {
            if (auto* tasto = finestra->findChild<QPushButton*>(QLatin1String(nome))) {
                tasto->setEnabled(false);
                tasto->setAccessibleDescription(
                    tasto->accessibleDescription() +
                    QStringLiteral(": si fa dal registro del computer dove è stata svolta"));
            }
        }
        CopiaLaboratorio* propria = copia.release();
        QObject::connect(finestra, &QObject::destroyed, [propria] { delete propria; });
    }
    const auto aggiorna = [stato, fisso, invio = laboratorio.StatoInvio] {
        QString testo = fisso;
        if (invio) testo += QLatin1Char(' ') + invio();
        testo = testo.trimmed();
        if (stato->text() != testo) stato->setText(testo);
    };
    aggiorna();
    auto* timer = new QTimer(finestra);
    QObject::connect(timer, &QTimer::timeout, stato, aggiorna);
    timer->start(2000);
}
