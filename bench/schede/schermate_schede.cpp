// The worksheet screen with a teachers' preview of 30 problems as PNG, and the pupils' and
// the teachers' sheet printed as PDF files through the real printer service ("File PDF").
//
//   schermate_schede FOLDER WIDTHxHEIGHT
//
// Runs offscreen too (QT_QPA_PLATFORM=offscreen).

#include "app/FonteCasualeSistema.h"
#include "app/ServizioStampaQt.h"
#include "start/Catalogo.h"
#include "ui/StileTasti.h"
#include "worksheets/FrmStampaSchedeTreRidotto.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <cstdio>

class Stampa : public Avvisi {
public:
    void Errore(const QString& titolo, const QString& testo) override {
        std::printf("%s: %s\n", qPrintable(titolo), qPrintable(testo));
    }
    void Informa(const QString& titolo, const QString& testo) override { Errore(titolo, testo); }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    if (argc < 3) {
        std::fputs("schermate_schede FOLDER WIDTHxHEIGHT\n", stderr);
        return 2;
    }
    const QString cartella = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QList<QByteArray> lati = QByteArray(argv[2]).split('x');
    const QSize dimensione(lati.value(0).toInt(), lati.value(1).toInt());
    QDir().mkpath(cartella);

    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    stato.Livello = 4;
    SceltaSimboli(stato);
    QString prossimo;
    ServizioStampaQt servizio([&prossimo](const QString&) { return prossimo; });
    servizio.ScegliPdf();
    Stampa avvisi;
    FonteCasualeSistema fonte;
    FrmStampaSchedeTreRidotto w(stato, servizio, avvisi, fonte);
    w.show();
    w.resize(dimensione);
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    QTest::qWait(100);
    const auto clic = [&](const char* nome) {
        auto* b = w.findChild<QPushButton*>(QLatin1String(nome));
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, b->mapTo(&w, b->rect().center()));
        QTest::qWait(20);
    };

    clic("Option1(2)"); // number or symbol
    clic("Option2(2)"); // both ways
    clic("CmdVisualizzaSchedaAlunni");
    prossimo = cartella + QStringLiteral("/scheda_alunni.pdf");
    clic("CmdStampaSchedaAlunni");
    clic("CmdVisualizzaSchedaDocenti");
    prossimo = cartella + QStringLiteral("/scheda_docenti.pdf");
    clic("CmdStampaSchedaDocenti");
    QTest::qWait(50);
    const QString file = QStringLiteral("%1/schede_%2x%3_docenti.png")
                             .arg(cartella)
                             .arg(dimensione.width())
                             .arg(dimensione.height());
    w.grab().save(file);
    std::printf("%s %dx%d\n", qPrintable(file), w.width(), w.height());
    return 0;
}
