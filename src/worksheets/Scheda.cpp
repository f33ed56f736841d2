#include "worksheets/Scheda.h"

#include "generation/Algoritmi.h"
#include "generation/Spazi.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

const QString CaratterePagina = QStringLiteral("Courier New");

void AnnullaAnteprima(Scheda& scheda) {
    scheda.TipoScheda = 0;
    scheda.RigaStampa.fill(QString());
}

// The line of problem p by the sheet's kind; kind 3 draws the kind for the line.
RigaScheda Riga(const Problema& p, int tipoEsercizio, FonteCasuale& fonte) {
    const bool simbolo = tipoEsercizio == 3 ? Estrai(fonte, 2, 1) == 2 : tipoEsercizio == 2;
    return simbolo ? RigaSchedaSimbolo(p) : RigaSchedaNumero(p);
}

} // namespace

Scheda NuovaScheda(const StatoProgramma& stato) {
    Scheda scheda;
    scheda.TipoEsercizio = stato.TipoEsercizio;
    scheda.OrdineSimboli = stato.OrdineSimboli;
    return scheda;
}

void ScegliNumeroProblemi(Scheda& scheda, int indice) {
    if (indice < 0 || indice > 2) return;
    scheda.NumeroProblemi = static_cast<std::int16_t>(10 * (indice + 1));
    AnnullaAnteprima(scheda);
}

void ScegliTipoEsercizio(Scheda& scheda, int indice) {
    if (indice < 0 || indice > 2) return;
    scheda.TipoEsercizio = static_cast<std::int16_t>(indice + 1);
    scheda.TestoTipo = TestoTipoScheda(scheda.TipoEsercizio);
    AnnullaAnteprima(scheda);
}

void ScegliOrdineSimboli(Scheda& scheda, int indice) {
    if (indice < 0 || indice > 2) return;
    scheda.OrdineSimboli = static_cast<std::int16_t>(indice + 1);
    scheda.TestoOrdine = TestoOrdineScheda(scheda.OrdineSimboli);
    AnnullaAnteprima(scheda);
}

bool CostruisciScheda(Scheda& scheda, const StatoProgramma& stato, FonteCasuale& fonte) {
    const bool tipoValido = scheda.TipoEsercizio >= 1 && scheda.TipoEsercizio <= 3;
    const bool ordineValido = scheda.OrdineSimboli >= 1 && scheda.OrdineSimboli <= 3;
    const bool sistemaValido = stato.NumeroUnita == 3 || stato.NumeroUnita == 4;
    // Without an order the generator leaves the symbols and the result of an earlier
    // problem in place: the lines would pair a new number with a stale solution.
    if (!tipoValido || !ordineValido || !sistemaValido) return false;

    std::vector<Problema> usati;
    usati.reserve(RigheScheda);
    const auto usato = [&usati](const Problema& p) {
        return std::any_of(usati.begin(), usati.end(),
                           [&p](const Problema& u) { return StessoProblema(u, p); });
    };
    for (int i = 1; i <= RigheScheda; ++i) {
        usati.push_back(GeneraProblemaNuovo(stato.Simbolo, stato.NumeroUnita, scheda.OrdineSimboli,
                                            fonte, usato));
        const RigaScheda riga = Riga(usati.back(), scheda.TipoEsercizio, fonte);
        scheda.Esercizio[i] = riga.Esercizio;
        scheda.Soluzione[i] = riga.Soluzione;
    }
    AnnullaAnteprima(scheda);
    return true;
}

void VisualizzaScheda(Scheda& scheda, int tipoScheda) {
    if (tipoScheda != SchedaAlunni && tipoScheda != SchedaDocenti) return;
    const auto& righe = tipoScheda == SchedaAlunni ? scheda.Esercizio : scheda.Soluzione;
    scheda.TipoScheda = static_cast<std::int16_t>(tipoScheda);
    for (int i = 1; i <= RigheScheda; ++i)
        scheda.RigaStampa[i] = i <= scheda.NumeroProblemi ? righe[i] : QString();
}

bool SchedaStampabile(const Scheda& scheda, int tipoScheda) {
    // A sheet never built would print its header and footer alone.
    return (tipoScheda == SchedaAlunni || tipoScheda == SchedaDocenti) &&
           scheda.TipoScheda == tipoScheda && !scheda.Esercizio[1].isEmpty();
}

QString TimbroScheda(int tipoScheda, const QString& nomeProgramma) {
    if (tipoScheda == SchedaAlunni)
        return QStringLiteral("Scheda per alunni stampata con ") + nomeProgramma;
    if (tipoScheda == SchedaDocenti)
        return QStringLiteral("Scheda per docenti stampata con ") + nomeProgramma;
    return {};
}

QString TestoTipoScheda(int tipoEsercizio) {
    switch (tipoEsercizio) {
    case 1:
        return QStringLiteral("Trova il numero");
    case 2:
        return QStringLiteral("Trova il simbolo");
    case 3:
        return QStringLiteral("Trova il numero o il simbolo");
    default:
        return {};
    }
}

QString TestoOrdineScheda(int ordineSimboli) {
    switch (ordineSimboli) {
    case 1:
        return QStringLiteral("Da simbolo minore a simbolo maggiore");
    case 2:
        return QStringLiteral("Da simbolo maggiore a simbolo minore");
    case 3:
        return QStringLiteral("Da simbolo minore a simbolo maggiore e viceversa");
    default:
        return {};
    }
}

std::array<QString, 3> DidascalieOrdine(const std::array<QString, 5>& simbolo) {
    const QChar spazio = u' ';
    return {
        simbolo[1] + QStringLiteral("   ") + simbolo[2] + spazio + simbolo[3] + spazio + simbolo[4],
        simbolo[4] + spazio + simbolo[3] + spazio + simbolo[2] + QStringLiteral("   ") + simbolo[1],
        QStringLiteral("TUTTI")};
}

QString TestoLivello(const TestiCatalogo& catalogo) {
    const QStringList unita = catalogo.NomiUnita();

    // The level is one 8-pt line at the foot of the page and must fit its width: the word
    // "TRASFORMAZIONI" that opens every subject says nothing the sheet does not show.
    QString materia = catalogo.Label6[1].simplified();
    const QString trasformazioni = QStringLiteral("TRASFORMAZIONI");
    if (materia.startsWith(trasformazioni)) materia = materia.mid(trasformazioni.size()).trimmed();

    QStringList titolo;
    for (const QString& parte : {catalogo.Label6[0].simplified(), materia}) {
        if (!parte.isEmpty()) titolo << parte;
    }
    QString testo = titolo.join(QStringLiteral(" - "));
    if (!unita.isEmpty()) {
        if (!testo.isEmpty()) testo += QStringLiteral(": ");
        testo += unita.join(QStringLiteral(", "));
    }
    return testo;
}

QString DescrizioneScheda(const Scheda& scheda) {
    QStringList parti;
    for (const QString& parte :
         {TestoTipoScheda(scheda.TipoEsercizio), TestoOrdineScheda(scheda.OrdineSimboli)}) {
        if (!parte.isEmpty()) parti << parte;
    }
    return parti.join(QStringLiteral(" - "));
}

QString RigaClasseData() {
    return QStringLiteral("Classe ________   Data ____________");
}

int YRigaScheda(int i) {
    if (i <= 10) return 2000 + 400 * (i - 1);
    if (i <= 20) return 6000 + 400 * (i - 10);
    return 10500 + 400 * (i - 20);
}

Pagina PaginaScheda(const Scheda& scheda, const StatoProgramma& stato) {
    Pagina pagina;
    auto scrivi = [&pagina](int x, int y, double punti, const QString& testo) {
        TestoPagina t;
        t.x = x;
        t.y = y;
        t.famiglia = CaratterePagina;
        t.punti = punti;
        t.colore = Rgb(0, 0, 0);
        t.testo = testo;
        pagina.testi.append(t);
    };

    scrivi(1000, 1000, 14, QStringLiteral("Nome e cognome"));
    scrivi(1000, 1500, 12, RigaClasseData());

    const double punti = scheda.TipoScheda == SchedaAlunni ? 14 : 12;
    const int righe = std::clamp<int>(scheda.NumeroProblemi, 0, RigheScheda);
    for (int i = 1; i <= righe; ++i)
        scrivi(500, YRigaScheda(i), punti, scheda.RigaStampa[i]);

    scrivi(1000, 15100, 8, DescrizioneScheda(scheda));
    scrivi(1000, 15300, 8,
           QStringLiteral("Livello di difficoltà: ") + TestoLivello(stato.Catalogo));
    scrivi(1000, 15500, 8, TimbroScheda(scheda.TipoScheda, stato.NomeProgramma));
    return pagina;
}
