// Grabs the drill window in each of its states as PNG files, driving it with real mouse
// clicks: a number problem with a reply typed, the verdict, a symbol problem, "Ti aiuto ?"
// with the reply crossed out, "INTERVENGO IO", the solution shown and the end panel.
//
//   schermate_drill FOLDER [progetto | WIDTHxHEIGHT]
//
// Without a size the window is shown maximised (run it under a window manager, e.g.
// Xvfb at 1920x1080 with openbox); with "progetto" at its design size; with a size, at that
// size (works offscreen too: QT_QPA_PLATFORM=offscreen).

#include "base/Servizi.h"
#include "drill/FrmOperativo.h"
#include "generation/Algoritmi.h"
#include "start/Catalogo.h"
#include "ui/StileTasti.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {

class OrologioFermo : public Orologio {
public:
    std::int64_t Millisecondi() override { return ms += 7300; }
    std::int64_t ms = 0;
};

class Muto : public Suono {
public:
    void SuonoEsatto() override {}
};

// Number-or-symbol draws for kind 3, in order.
class Sorteggi : public FonteCasuale {
public:
    void Rimescola() override {}
    float Rnd() override { return n < valori.size() ? valori[n++] : 0.1f; }
    QList<float> valori{0.1f, 0.9f, 0.1f};
    qsizetype n = 0;
};

struct Testi {
    const char* numero;
    const char* da;
    const char* a;
    const char* risultato;
};

const Testi Problemi[] = {
    {"3,5", "  km ", " dam ", "350"},
    {"0,001", "   m ", "  km ", "0,000001"},
    {"999,9", "  hm ", "   m ", "99.990"},
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new StileTasti);
    const QString cartella = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QByteArray scelta = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    const bool progetto = scelta == "progetto";
    const QList<QByteArray> lati = scelta.split('x');
    const QSize dimensione = lati.size() == 2 ? QSize(lati[0].toInt(), lati[1].toInt()) : QSize();
    QDir().mkpath(cartella);

    StatoProgramma stato;
    stato.Livello = 6;
    SceltaSimboli(stato);
    ScegliTipo(stato, 2);
    ScegliOrdine(stato, 2);
    Sorteggi fonte;
    OrologioFermo orologio;
    Muto suono;
    FrmOperativo w(stato, fonte, orologio, suono, nullptr);
    int dato = 0;
    w.serie().ImpostaGeneratore([&dato](const StatoProgramma&, FonteCasuale&) {
        // The last problem again and again: each hand-out counts as a draw of its own.
        const Testi& t = Problemi[std::min(dato, 2)];
        Problema p;
        p.ValoreNumero = ++dato;
        p.NumeroTesto = QString::fromUtf8(t.numero);
        p.SimboloDa = QString::fromUtf8(t.da);
        p.SimboloA = QString::fromUtf8(t.a);
        p.RisultatoTesto = QString::fromUtf8(t.risultato);
        return p;
    });
    if (dimensione.isValid()) {
        w.show();
        w.resize(dimensione);
    } else if (progetto) {
        w.show();
    } else {
        w.showMaximized();
    }
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    QTest::qWait(300);

    const auto tasto = [&w](const QString& nome) {
        auto* b = w.findChild<QPushButton*>(nome);
        if (!b) std::fprintf(stderr, "no key %s\n", qPrintable(nome));
        return b;
    };
    const auto clic = [&](const QString& nome) {
        if (auto* b = tasto(nome)) QTest::mouseClick(b, Qt::LeftButton);
    };
    const auto cifre = [&](const char* testo) {
        for (const char* c = testo; *c; ++c) {
            if (*c == ',')
                clic(QStringLiteral("Option2_10"));
            else if (*c != '.')
                clic(QStringLiteral("Option2_%1").arg(*c - '0'));
        }
    };
    const QString prefisso =
        dimensione.isValid()
            ? QStringLiteral("%1x%2_").arg(dimensione.width()).arg(dimensione.height())
        : progetto ? QStringLiteral("progetto_")
                   : QStringLiteral("max_");
    const auto foto = [&](const char* nome) {
        QTest::qWait(50);
        const QString file = cartella + u'/' + prefisso + QLatin1String(nome) + ".png";
        w.grab().save(file);
        std::printf("%s %dx%d\n", qPrintable(file), w.width(), w.height());
    };

    // 1: a number problem with the right reply typed, then verified.
    cifre("350");
    foto("1_numero_risposta");
    clic(QStringLiteral("Option2_12"));
    foto("2_esatto");
    clic(QStringLiteral("Option2_13"));

    // 2: a symbol problem with a symbol chosen.
    clic(QStringLiteral("Option1_0"));
    foto("3_simbolo");
    clic(QStringLiteral("Option1_5"));
    clic(QStringLiteral("Option1_6"));

    // 3: a wrong reply crossed out, three "NO", then the program's solution.
    cifre("7");
    clic(QStringLiteral("Option2_12"));
    foto("4_aiuto");
    for (int i = 0; i < 2; ++i) {
        clic(QStringLiteral("Option3_0"));
        cifre("9999");
        clic(QStringLiteral("Option2_12"));
    }
    clic(QStringLiteral("Option3_0"));
    foto("5_intervengo");
    clic(QStringLiteral("Option4"));
    foto("6_soluzione");

    // The rest of the series, right at the first try.
    while (stato.Registro.IndiceEsercizio() < 20) {
        clic(QStringLiteral("Option2_13"));
        cifre("99990");
        clic(QStringLiteral("Option2_12"));
    }
    foto("7_fine");
    return 0;
}
