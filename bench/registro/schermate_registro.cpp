// Grabs the register window as PNG files at one size (every pupil; one pupil chosen, with
// the chart and the missed pairs) over a register made up for it, and writes that pupil's
// printed page as a PDF.
//
//   schermate_registro FOLDER WIDTHxHEIGHT      (QT_QPA_PLATFORM=offscreen works)

#include "app/ServizioStampaQt.h"
#include "registro/FrmRegistro.h"
#include "registro/PaginaRegistro.h"
#include "support/SerieProva.h"
#include "ui/StileTasti.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class StampaSuFile : public ServizioStampa {
public:
    explicit StampaSuFile(QString percorso) : percorso_(std::move(percorso)) {}
    QStringList Elenco() override { return {}; }
    QString Corrente() override { return {}; }
    bool Scegli(const QString&) override { return false; }
    void ScegliPdf() override {}
    bool PdfScelto() override { return true; }
    QString CercaCourier() override { return QStringLiteral("Courier New"); }
    EsitoStampa Stampa(const Pagina& pagina, const QString&) override {
        EsitoStampa esito;
        esito.tipo = ScriviPdf(pagina, percorso_) ? EsitoStampa::Tipo::SalvatoPdf
                                                  : EsitoStampa::Tipo::Errore;
        esito.percorso = percorso_;
        return esito;
    }

private:
    QString percorso_;
};

class AvvisiSuTerminale : public Avvisi {
public:
    void Errore(const QString&, const QString& t) override {
        std::fprintf(stderr, "%s\n", qPrintable(t));
    }
    void Informa(const QString&, const QString& t) override { std::printf("%s\n", qPrintable(t)); }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    if (argc < 3) {
        std::fprintf(stderr, "uso: schermate_registro CARTELLA LARGHEZZAxALTEZZA\n");
        return 2;
    }
    const QString cartella = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(cartella);
    const QList<QByteArray> lati = QByteArray(argv[2]).split('x');
    const QSize dimensione(lati.value(0).toInt(), lati.value(1).toInt());

    QTemporaryDir temporanea;
    RegistroLocale registro(temporanea.filePath(QStringLiteral("registro.sqlite")));
    const QStringList nomi = {QStringLiteral("Giulia Rossi"), QStringLiteral("Nicolò D'Amico"),
                              QStringLiteral("Luca Bianchi"), QString()};
    std::vector<RegistroSerie> serie;
    for (int k = 0; k < 48; ++k)
        serie.push_back(SerieProva(k * 7, k % 9 == 8 ? 11 : 20, nomi[k % 4]));
    registro.SalvaTutte(serie, QStringLiteral("aula-3"));

    StampaSuFile stampa(QDir(cartella).filePath(QStringLiteral("registro_alunno.pdf")));
    AvvisiSuTerminale avvisi;
    FrmRegistro w(registro, stampa, avvisi);
    w.resize(dimensione);
    w.show();
    QCoreApplication::processEvents();
    const QString lato = QStringLiteral("%1x%2").arg(dimensione.width()).arg(dimensione.height());
    w.grab().save(QDir(cartella).filePath(QStringLiteral("FrmRegistro_%1.png").arg(lato)));
    w.ScegliAlunno(QStringLiteral("Giulia Rossi"));
    QCoreApplication::processEvents();
    w.grab().save(QDir(cartella).filePath(QStringLiteral("FrmRegistro_alunno_%1.png").arg(lato)));
    w.StampaAlunno();
    return 0;
}
