#include "results/Attestato.h"

#include "base/StatoProgramma.h"
#include "results/Interlinea.h"
#include "results/NomeAlunno.h"

#include <QLocale>

#include <cmath>

int Voto(int esatte, int esercizi) {
    if (esercizi <= 0) return 0;
    return static_cast<int>(std::floor(10.0 * esatte / esercizi));
}

QString GiudizioPerVoto(int voto) {
    switch (voto) {
    case 10:
    case 9:
        return QStringLiteral("OTTIMO");
    case 8:
        return QStringLiteral("DISTINTO");
    case 7:
        return QStringLiteral("BUONO");
    case 6:
        return QStringLiteral("SUFFICIENTE");
    case 5:
        return QStringLiteral("SUFFICIENTE (!)");
    default:
        return QStringLiteral("Non classificato");
    }
}

QString GiudizioSerie(int esatte, int esercizi) {
    return GiudizioPerVoto(Voto(esatte, esercizi));
}

bool AttestatoStampabile(const QString& giudizio) {
    return giudizio != QLatin1String("Non classificato");
}

QString DidascaliaStampaAttestato(bool stampabile) {
    return stampabile ? QStringLiteral("STAMPA L'ATTESTATO")
                      : QStringLiteral("ATTESTATO NON STAMPABILE");
}

QString NomeAttestato(const QString& nome) {
    return NomeConMaiuscole(nome);
}

QString DataBreve(const QDate& data) {
    return QLocale(QLocale::Italian).toString(data, QLocale::ShortFormat);
}

QString FraseAttestato(const DatiAttestato& dati, const QDate& data) {
    QString giudizio = GiudizioSerie(dati.EsatteTotale, dati.IndiceEsercizio);
    giudizio.remove(QStringLiteral("(!)"));
    giudizio = giudizio.trimmed().toLower();
    if (!giudizio.isEmpty()) giudizio[0] = giudizio[0].toUpper();
    const QString nome = NomeAttestato(dati.NomeAlunno).trimmed();
    return QStringLiteral("Diploma di merito. Nome: %1. Giudizio: %2. Risposte esatte: %3 su "
                          "%4. Data: %5.")
        .arg(nome.isEmpty() ? QStringLiteral("nessuno") : nome, giudizio)
        .arg(dati.EsatteTotale)
        .arg(dati.IndiceEsercizio)
        .arg(QLocale(QLocale::Italian).toString(data, QStringLiteral("d MMMM yyyy")));
}

QString RigaRisposte(int esatte, int esercizi) {
    return QStringLiteral("con ") + QString::number(esatte) +
           QStringLiteral(" risposte esatte su ") + QString::number(esercizi) +
           QStringLiteral(" richieste");
}

namespace {

// Writes lines one below the other, each centred across the drawing, as a picture box
// does with a current font and a current line.
class Scrittura {
public:
    explicit Scrittura(Pagina& pagina) : pagina_(pagina) {}

    void Carattere(const QString& famiglia, double punti, bool grassetto, std::int32_t colore) {
        famiglia_ = famiglia;
        punti_ = punti;
        grassetto_ = grassetto;
        colore_ = colore;
    }

    // An empty text only moves to the next line.
    void ScriviCentrato(const QString& testo) {
        if (!testo.isEmpty()) {
            TestoPagina t;
            t.x = 0;
            t.y = y_;
            t.larghezza = LarghezzaAttestato;
            t.famiglia = famiglia_;
            t.punti = punti_;
            t.grassetto = grassetto_;
            t.colore = colore_;
            t.testo = testo;
            pagina_.testi.append(t);
        }
        y_ += AltezzaRiga(famiglia_, punti_);
    }

    void RigheVuote(int n) {
        for (int i = 0; i < n; ++i)
            ScriviCentrato(QString());
    }

private:
    Pagina& pagina_;
    QString famiglia_;
    double punti_ = 0;
    bool grassetto_ = false;
    std::int32_t colore_ = 0;
    int y_ = 0;
};

constexpr std::int32_t Rosso = Rgb(255, 0, 0);
constexpr std::int32_t Nero = Rgb(0, 0, 0);

} // namespace

Pagina DisegnoAttestato(const DatiAttestato& dati) {
    Pagina pagina;

    // A thin dark-red frame, well inside the drawing, so that the sheet looks like a
    // certificate; the texts are centred across the whole width as before.
    RiquadroPagina cornice;
    cornice.x = 120;
    cornice.y = 120;
    cornice.larghezza = LarghezzaAttestato - 2 * cornice.x;
    cornice.altezza = AltezzaAttestato - 2 * cornice.y;
    cornice.colore = Rgb(192, 0, 0);
    cornice.spessore = 30;
    pagina.riquadri.append(cornice);

    const QString arial = QStringLiteral("Arial");
    Scrittura s(pagina);
    // The window's own font, bold, spaces the top of the drawing.
    s.Carattere(QStringLiteral("MS Sans Serif"), 8.25, true, Nero);
    s.RigheVuote(5);

    s.Carattere(arial, 20, true, Rosso);
    s.ScriviCentrato(QStringLiteral("DIPLOMA DI MERITO"));
    s.Carattere(arial, 20, true, Nero);
    s.ScriviCentrato(QStringLiteral("RILASCIATO A"));
    s.RigheVuote(1);
    s.Carattere(arial, 20, true, Rosso);
    s.ScriviCentrato(NomeAttestato(dati.NomeAlunno));
    s.RigheVuote(1);

    s.Carattere(arial, 12, false, Nero);
    s.ScriviCentrato(QStringLiteral("per aver eseguito"));
    s.RigheVuote(1);
    s.ScriviCentrato(QStringLiteral("  ") + dati.TestoOrdine);
    s.RigheVuote(1);

    s.Carattere(arial, 14, false, Nero);
    s.ScriviCentrato(QString());
    s.RigheVuote(1);
    s.ScriviCentrato(QStringLiteral("con la valutazione di"));
    s.RigheVuote(1);
    s.Carattere(arial, 14, true, Rosso);
    s.ScriviCentrato(GiudizioSerie(dati.EsatteTotale, dati.IndiceEsercizio));
    s.RigheVuote(1);

    s.Carattere(arial, 12, false, Nero);
    s.ScriviCentrato(RigaRisposte(dati.EsatteTotale, dati.IndiceEsercizio));
    s.RigheVuote(3);
    s.ScriviCentrato(QStringLiteral("Data  ") + dati.Data);
    return pagina;
}

Pagina SpostaPagina(Pagina pagina, int dx, int dy) {
    for (TestoPagina& t : pagina.testi) {
        t.x += dx;
        t.y += dy;
    }
    for (RiquadroPagina& r : pagina.riquadri) {
        r.x += dx;
        r.y += dy;
    }
    return pagina;
}

Pagina StampaAttestato(const DatiAttestato& dati) {
    return SpostaPagina(DisegnoAttestato(dati), XStampaAttestato, YStampaAttestato);
}
