// The options screen under a monkey, in a fresh current folder: after every event the
// choices stay inside their groups, each stored group marks the choice in use, and the record on
// disk is always whole and readable; whenever it changes it gives, read at the next start, the
// options in use then, and no temporary file is left behind.

#include "start/FileImpostazioni.h"
#include "start/FrmOpzioni.h"
#include "start/Opzioni.h"
#include "support/AvvisiFinti.h"
#include "support/Scimmia.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestScimmiaOpzioni : public QObject {
    Q_OBJECT
private slots:
    void opzioni();
};

void TestScimmiaOpzioni::opzioni() {
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    const QString prima = QDir::currentPath();
    QDir::setCurrent(cartella.path());

    Scimmia scimmia(2000);
    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    LeggiEApplicaOpzioni(stato);
    AvvisiFinti avvisi;
    std::unique_ptr<FrmOpzioni> w;
    int aperture = 0;
    int scritture = 0;
    QByteArray registro; // the record as last seen on disk

    const auto bersaglio = [&]() -> QWidget* {
        if (!w || !w->isVisible()) {
            ++aperture;
            w = std::make_unique<FrmOpzioni>(stato, &avvisi);
            w->show();
            QApplication::setActiveWindow(w.get());
        }
        return w.get();
    };
    const auto controlla = [&]() -> QString {
        const Opzioni& o = stato.Impostazioni;
        if (!IndiceColoreValido(o.IndiceSfondo) || !IndiceColoreValido(o.IndiceScansione) ||
            !IndiceColoreValido(o.IndiceCaratteri))
            return QStringLiteral("indici %1 %2 %3 fuori campo")
                .arg(o.IndiceSfondo)
                .arg(o.IndiceScansione)
                .arg(o.IndiceCaratteri);
        // The stored groups mark the choice in use, and only that one; a colour group marks
        // none while its colour in force is no button's (the defaults of a first start).
        const ScelteColori scelte = ScelteInVigore(o);
        const std::pair<const char*, int> gruppi[] = {{"Option1", scelte.Sfondo},
                                                      {"Option27", scelte.Caratteri},
                                                      {"Option17", scelte.Scansione},
                                                      {"Option3", stato.SceltaBeep},
                                                      {"Option11", o.SintesiVocale ? 0 : 1}};
        for (const auto& [nome, inUso] : gruppi) {
            const auto* gruppo = w->findChild<QButtonGroup*>(QLatin1String(nome));
            int segnati = 0;
            for (QAbstractButton* b : gruppo->buttons())
                segnati += b->isChecked();
            if (segnati != (inUso >= 0 ? 1 : 0) || gruppo->checkedId() != inUso)
                return QStringLiteral("%1: %2 scelte segnate, segnata %3, in uso %4")
                    .arg(QLatin1String(nome))
                    .arg(segnati)
                    .arg(gruppo->checkedId())
                    .arg(inUso);
        }
        const QStringList resti = QDir().entryList({QStringLiteral("*.tmp")}, QDir::Files);
        if (!resti.isEmpty())
            return QStringLiteral("file temporanei rimasti: %1").arg(resti.join(' '));

        QFile file(FileOpzioni(stato.NomeProgramma));
        if (!file.exists()) return {};
        if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("registro illeggibile");
        const QByteArray dati = file.readAll();
        if (dati == registro) return {};
        registro = dati;
        ++scritture;
        StatoProgramma letto;
        letto.NomeProgramma = stato.NomeProgramma;
        // Read at the next start: the colours follow the stored indices there, as here.
        if (!LeggiEApplicaOpzioni(letto))
            return QStringLiteral("registro rovinato: %1").arg(QString::fromUtf8(dati));
        if (!(letto.Impostazioni == stato.Impostazioni))
            return QStringLiteral("registro diverso dalle scelte in uso: %1 / %2 %3 %4 %5 %6 %7")
                .arg(QString::fromUtf8(dati).replace(QLatin1String("\r\n"), QLatin1String(" ")))
                .arg(stato.Impostazioni.ColoreSfondo)
                .arg(stato.Impostazioni.ColoreAusiliario)
                .arg(stato.Impostazioni.ColoreCaratteri)
                .arg(stato.Impostazioni.ColoreScansione)
                .arg(stato.Impostazioni.ColoreScansioneScuro)
                .arg(stato.Impostazioni.SuonoAttivo);
        return {};
    };
    const QString errore = scimmia.Esegui(bersaglio, controlla);
    w.reset();
    Scimmia::EliminaFinestre();
    QDir::setCurrent(prima);
    QVERIFY2(errore.isEmpty(), qPrintable(errore));
    QVERIFY2(avvisi.errori.isEmpty(), qPrintable(avvisi.errori.value(0).second));
    qInfo("aperture %d, registri scritti %d", aperture, scritture);
}

QTEST_MAIN(TestScimmiaOpzioni)
#include "tst_ScimmiaOpzioni.moc"
