// Grabs the pupil's windows dressed by a stored options record as PNG files: the start
// screen, the drill window (a problem, "Ti aiuto ?", the end panel), the printout window,
// the certificate window and the options screen, all at one size.
//
//   schermate_aspetto FOLDER WIDTHxHEIGHT [PAGE LETTERS]
//
// PAGE and LETTERS are indices of the options' colour buttons (default 2 "Giallo" and 9
// "Nero"); the record also asks for capitals. Runs offscreen too (QT_QPA_PLATFORM=offscreen).
// The settings files are written to, and read from, a temporary folder.

#include "app/ServizioStampaQt.h"
#include "base/FonteCasuale.h"
#include "base/Servizi.h"
#include "drill/FrmOperativo.h"
#include "results/FrmAttestato.h"
#include "results/FrmStampaEsercizioTre.h"
#include "start/Catalogo.h"
#include "start/FrmInizio.h"
#include "start/FrmOpzioni.h"
#include "start/Opzioni.h"
#include "ui/StileTasti.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

class OrologioFermo : public Orologio {
public:
    std::int64_t Millisecondi() override { return ms += 4100; }
    std::int64_t ms = 0;
};

class Muto : public Suono {
public:
    void SuonoEsatto() override {}
};

class Fissa : public FonteCasuale {
public:
    void Rimescola() override {}
    float Rnd() override { return 0.1f; }
};

class Zitti : public Avvisi {
public:
    void Errore(const QString&, const QString& testo) override {
        std::fprintf(stderr, "%s\n", qPrintable(testo));
    }
    void Informa(const QString&, const QString&) override {}
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    if (argc < 3) {
        std::fputs("schermate_aspetto FOLDER WIDTHxHEIGHT [PAGE LETTERS]\n", stderr);
        return 2;
    }
    const QString cartella = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QList<QByteArray> lati = QByteArray(argv[2]).split('x');
    const QSize dimensione(lati.value(0).toInt(), lati.value(1).toInt());
    const int pagina = argc > 3 ? QByteArray(argv[3]).toInt() : 2;
    const int lettere = argc > 4 ? QByteArray(argv[4]).toInt() : 9;
    QDir().mkpath(cartella);
    QTemporaryDir lavoro;
    QDir::setCurrent(lavoro.path());

    // The record stored as the options screen stores it, read back as at start.
    StatoProgramma stato;
    stato.NomeProgramma = QStringLiteral("decimetra");
    ScegliSfondo(stato, pagina);
    ScegliCaratteri(stato, lettere);
    ScegliTipoCaratteri(stato, 0);
    MemorizzaNuoveImpostazioni(stato);
    stato = StatoProgramma{};
    stato.NomeProgramma = QStringLiteral("decimetra");

    const auto foto = [&](QWidget& w, const char* nome) {
        QTest::qWait(80);
        const QString file = QStringLiteral("%1/aspetto_%2x%3_%4.png")
                                 .arg(cartella)
                                 .arg(dimensione.width())
                                 .arg(dimensione.height())
                                 .arg(QLatin1String(nome));
        if (!w.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    };
    const auto mostra = [&](QWidget& w) {
        w.show();
        w.resize(dimensione);
        return QTest::qWaitForWindowExposed(&w);
    };

    FrmInizio inizio(stato);
    inizio.ImpostaApriOperativo([] { return nullptr; });
    if (!mostra(inizio)) return 1;
    for (int attesa = 0; attesa < 100 && inizio.TendineInMovimento(); ++attesa)
        QTest::qWait(50);
    QTest::mouseClick(inizio.findChild<QPushButton*>(QStringLiteral("Option1(0)")), Qt::LeftButton);
    QTest::mouseClick(inizio.findChild<QPushButton*>(QStringLiteral("Option2(2)")), Qt::LeftButton);
    foto(inizio, "inizio");

    // A series of the metric lengths, every problem 3,5 km = ? dam.
    stato.Livello = 6;
    SceltaSimboli(stato);
    ScegliTipo(stato, 0);
    ScegliOrdine(stato, 2);
    Fissa fonte;
    OrologioFermo orologio;
    Muto suono;
    Zitti avvisi;
    FrmOperativo w(stato, fonte, orologio, suono, nullptr);
    int dato = 0;
    w.serie().ImpostaGeneratore([&dato](const StatoProgramma&, FonteCasuale&) {
        // The same text each time; each hand-out counts as a draw of its own.
        Problema p;
        p.ValoreNumero = ++dato;
        p.NumeroTesto = QStringLiteral("3,5");
        p.SimboloDa = QStringLiteral("  km ");
        p.SimboloA = QStringLiteral(" dam ");
        p.RisultatoTesto = QStringLiteral("350");
        return p;
    });
    if (!mostra(w)) return 1;
    const auto clic = [&w](const QString& nome) {
        if (auto* b = w.findChild<QPushButton*>(nome))
            QTest::mouseClick(b, Qt::LeftButton);
        else
            std::fprintf(stderr, "no key %s\n", qPrintable(nome));
    };
    const auto cifre = [&](const char* testo) {
        for (const char* c = testo; *c; ++c)
            clic(QStringLiteral("Option2_%1").arg(*c - '0'));
        clic(QStringLiteral("Option2_12"));
    };
    foto(w, "drill_problema");
    cifre("35");
    foto(w, "drill_aiuto");
    clic(QStringLiteral("Option3_1")); // "SI": try again
    for (int k = 0; k < 20; ++k) {
        cifre("350");
        if (k < 19) clic(QStringLiteral("Option2_13"));
    }
    foto(w, "drill_fine");

    ServizioStampaQt servizio;
    FrmStampaEsercizioTre stampa(stato, servizio, avvisi);
    if (!mostra(stampa)) return 1;
    foto(stampa, "stampa");

    FrmAttestato attestato(stato, servizio, avvisi);
    if (!mostra(attestato)) return 1;
    foto(attestato, "attestato");

    FrmOpzioni opzioni(stato, &avvisi);
    if (!mostra(opzioni)) return 1;
    foto(opzioni, "opzioni");
    return 0;
}
