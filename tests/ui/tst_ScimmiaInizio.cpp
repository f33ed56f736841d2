// The start screen under a monkey, in a fresh current folder, with "Vai" opening real drill
// windows and "Opzioni" the options screen: after every event the stepped system is the one
// stored on disk, no temporary file is left behind, one drill window at most is open and its
// series adds up. Closing the start screen ends the program: a new one starts.

#include "start/FileImpostazioni.h"
#include "start/FrmInizio.h"
#include "start/FrmOpzioni.h"
#include "support/DoppiSerie.h"
#include "support/Scimmia.h"
#include "support/ScimmiaOperativo.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString Nome = QStringLiteral("decimetra");

QString Controlla(const StatoProgramma& stato, const QDir& cartella) {
    if (stato.Livello < 1 || stato.Livello > 12)
        return QStringLiteral("sistema %1 fuori campo").arg(stato.Livello);
    StatoProgramma letto;
    LeggiLivelli(letto, Nome);
    if (letto.Livello != stato.Livello)
        return QStringLiteral("sistema %1 in uso, %2 sul disco")
            .arg(stato.Livello)
            .arg(letto.Livello);
    const QStringList resti = cartella.entryList({QStringLiteral("*.tmp")}, QDir::Files);
    if (!resti.isEmpty()) return QStringLiteral("file temporanei rimasti: %1").arg(resti.join(' '));

    QList<FrmOperativo*> operativi;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* o = qobject_cast<FrmOperativo*>(w); o && o->isVisible()) operativi << o;
    if (operativi.size() > 1)
        return QStringLiteral("%1 finestre di esercizio").arg(operativi.size());
    if (!operativi.isEmpty()) return ControllaOperativo(*operativi.front(), stato);
    return {};
}

} // namespace

class TestScimmiaInizio : public QObject {
    Q_OBJECT
private slots:
    void inizio();
};

void TestScimmiaInizio::inizio() {
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    const QString prima = QDir::currentPath();
    QDir::setCurrent(cartella.path());

    Scimmia scimmia(3000);
    StatoProgramma stato;
    stato.NomeProgramma = Nome;
    FonteSeminata fonte(scimmia.Seme());
    OrologioFinto orologio;
    SuonoFinto suono;
    std::unique_ptr<FrmInizio> inizio;
    int avvii = 0;
    int esercizi = 0;

    const auto avvia = [&] {
        ++avvii;
        inizio = std::make_unique<FrmInizio>(stato);
        inizio->ImpostaApriOperativo([&]() -> QWidget* {
            ++esercizi;
            auto* o = new FrmOperativo(stato, fonte, orologio, suono, nullptr);
            o->setAttribute(Qt::WA_DeleteOnClose);
            return o;
        });
        inizio->ImpostaApriOpzioni([&] {
            auto* opzioni = new FrmOpzioni(stato, nullptr);
            opzioni->setAttribute(Qt::WA_DeleteOnClose);
            opzioni->setWindowModality(Qt::ApplicationModal);
            opzioni->show();
        });
        inizio->show();
        QApplication::setActiveWindow(inizio.get());
    };
    const auto bersaglio = [&]() -> QWidget* {
        orologio.AvanzaSecondi(0.7);
        if (!inizio || !inizio->isVisible()) {
            inizio.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            avvia();
        }
        return inizio.get();
    };
    const QString errore =
        scimmia.Esegui(bersaglio, [&] { return Controlla(stato, QDir(cartella.path())); });
    inizio.reset();
    Scimmia::EliminaFinestre();
    QDir::setCurrent(prima);
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    qInfo("avvii %d, finestre di esercizio %d, sistema finale %d", avvii, esercizi, stato.Livello);
}

QTEST_MAIN(TestScimmiaInizio)
#include "tst_ScimmiaInizio.moc"
