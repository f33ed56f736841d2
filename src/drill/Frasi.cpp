#include "drill/Frasi.h"

#include <QRegularExpression>

namespace {

// A number as the drill writes it: digits grouped by dots in thousands, then a comma and
// the decimals, or a comma alone at the end of the text or of a sentence.
const QRegularExpression& Numero() {
    static const QRegularExpression numero(
        QStringLiteral("\\d+(?:\\.\\d{3})*(?:,\\d+|,(?=\\s*$|\\.))?"));
    return numero;
}

// A name is feminine when it ends in -e, -a or is "unità": "quante decine", "quanti metri".
bool Femminile(const QString& nome) {
    return nome.endsWith(u'e') || nome.endsWith(u'a') || nome.endsWith(u'à');
}

// The singular of a plural unit name: metri -> metro, decine -> decina, centinaia ->
// centinaio, quintali -> quintale; "unità" stays as it is.
QString Singolare(const QString& nome) {
    if (nome == QLatin1String("quintali")) return QStringLiteral("quintale");
    if (nome.endsWith(QLatin1String("aia"))) return nome.chopped(1) + u'o';
    if (nome.endsWith(u'e')) return nome.chopped(1) + u'a';
    if (nome.endsWith(u'i')) return nome.chopped(1) + u'o';
    return nome;
}

// One of a unit, with its article: "un metro", "un centinaio", "un quintale", "una decina",
// "un'unità". A singular in -e takes the plural's gender (quintali, like metri).
QString UnaUnita(const QString& plurale) {
    const QString nome = Singolare(plurale);
    const bool femminile =
        !nome.endsWith(u'o') && (nome.endsWith(u'e') ? plurale.endsWith(u'e') : true);
    if (!femminile) return QStringLiteral("un ") + nome;
    static const QString vocali = QStringLiteral("aeiouàèéìòù");
    return (!nome.isEmpty() && vocali.contains(nome.front()) ? QStringLiteral("un'")
                                                             : QStringLiteral("una ")) +
           nome;
}

} // namespace

QString NumeroDetto(const QString& numero) {
    const QString n = numero.trimmed();
    const auto trovato = Numero().match(n);
    if (!trovato.hasMatch() || trovato.capturedLength() != n.size()) return numero;
    static const char* const cifre[] = {"zero",   "uno", "due",   "tre",  "quattro",
                                        "cinque", "sei", "sette", "otto", "nove"};
    const qsizetype virgola = n.indexOf(u',');
    QString detto = n.left(virgola < 0 ? n.size() : virgola);
    detto.remove(u'.');
    if (virgola < 0) return detto;
    detto += QStringLiteral(" virgola");
    for (const QChar c : n.mid(virgola + 1))
        detto += u' ' + QLatin1String(cifre[c.digitValue()]);
    return detto;
}

QString NumeriDetti(const QString& frase) {
    QString detta;
    qsizetype da = 0;
    for (auto it = Numero().globalMatch(frase); it.hasNext();) {
        const auto numero = it.next();
        detta += frase.mid(da, numero.capturedStart() - da) + NumeroDetto(numero.captured());
        da = numero.capturedEnd();
    }
    return detta + frase.mid(da);
}

QString NomeUnita(const StatoProgramma& stato, const QString& simbolo) {
    const QString cercato = simbolo.trimmed();
    if (cercato.isEmpty()) return {};
    const QStringList nomi = stato.Catalogo.NomiUnita();
    // The names follow the symbols that are not blank, from the largest unit.
    int indice = 0;
    for (int k = 1; k <= 4; ++k) {
        const QString s = stato.Simbolo[k].trimmed();
        if (s.isEmpty()) continue;
        if (s == cercato) return indice < nomi.size() ? nomi[indice] : cercato;
        ++indice;
    }
    return cercato;
}

QString Quantita(const StatoProgramma& stato, const QString& numero, const QString& simbolo) {
    const QString n = numero.trimmed();
    const QString nome = NomeUnita(stato, simbolo);
    if (n == QLatin1String("1")) return UnaUnita(nome);
    return NumeroDetto(n) + u' ' + nome;
}

QString FraseTrovaNumero(const StatoProgramma& stato, const QString& numero,
                         const QString& simboloDa, const QString& simboloA) {
    const QString nome = NomeUnita(stato, simboloA);
    return Quantita(stato, numero, simboloDa) +
           (Femminile(nome) ? QStringLiteral(" uguale quante ")
                            : QStringLiteral(" uguale quanti ")) +
           nome + u'?';
}

QString FraseTrovaSimbolo(const StatoProgramma& stato, const QString& numero,
                          const QString& simboloDa, const QString& risultato) {
    return Quantita(stato, numero, simboloDa) + QStringLiteral(" uguale ") +
           NumeroDetto(risultato.trimmed()) + QStringLiteral(" quale unità?");
}

QString FraseUguaglianza(const StatoProgramma& stato, const QString& numero,
                         const QString& simboloDa, const QString& risultato,
                         const QString& simboloA) {
    return Quantita(stato, numero, simboloDa) + QStringLiteral(" uguale ") +
           Quantita(stato, risultato, simboloA);
}

QString NomeTastoSimbolo(const StatoProgramma& stato, const QString& simbolo) {
    const QString s = simbolo.trimmed();
    if (s.isEmpty()) return QStringLiteral("nessun simbolo");
    return NomeUnita(stato, s);
}

QString FraseEsercizioSvolto(const StatoProgramma& stato, int numero,
                             const EsercizioSvolto& esercizio) {
    const Problema& p = esercizio.Dati;
    const auto risposta = [&](const QString& testo) {
        return esercizio.ChiedeSimbolo ? NomeUnita(stato, testo) : NumeroDetto(testo.trimmed());
    };
    const auto secondi = [](std::int32_t n) {
        return QString::number(n) +
               (n == 1 ? QStringLiteral(" secondo") : QStringLiteral(" secondi"));
    };
    QString frase = QStringLiteral("Esercizio %1: ").arg(numero) +
                    (esercizio.ChiedeSimbolo
                         ? FraseTrovaSimbolo(stato, p.NumeroTesto, p.SimboloDa, p.RisultatoTesto)
                         : FraseTrovaNumero(stato, p.NumeroTesto, p.SimboloDa, p.SimboloA));
    QStringList errate;
    for (const Tentativo& t : esercizio.Tentativi)
        if (!t.Esatta) errate << risposta(t.Risposta);
    if (!errate.isEmpty())
        frase += (errate.size() == 1 ? QStringLiteral(" Risposta errata: ")
                                     : QStringLiteral(" Risposte errate: ")) +
                 errate.join(QStringLiteral(", ")) + u'.';
    if (esercizio.Esatto())
        frase += QStringLiteral(" Risposta esatta: ") +
                 risposta(esercizio.Tentativi.back().Risposta) + QStringLiteral(", in ") +
                 secondi(esercizio.Secondi) + u'.';
    else if (esercizio.SoluzioneData)
        frase += QStringLiteral(" Soluzione del programma: ") + risposta(esercizio.SoluzioneTesto) +
                 QStringLiteral(", dopo ") + secondi(esercizio.Secondi) + u'.';
    else
        frase += QStringLiteral(" Non ancora risolto.");
    return frase;
}

QString RigaDetta(const StatoProgramma& stato, const QString& riga) {
    QStringList parole;
    for (const QString& parola : riga.split(u' ', Qt::SkipEmptyParts)) {
        if (parola == QLatin1String("="))
            parole << QStringLiteral("uguale");
        else if (parola.count(u'.') == parola.size())
            parole << QStringLiteral("puntini");
        else if (parola.startsWith(QLatin1String("(r.")) && parola.endsWith(u')'))
            parole << QStringLiteral("risposta ") + NumeroDetto(parola.mid(3).chopped(1));
        else if (parola.front().isDigit())
            parole << NumeroDetto(parola);
        else
            parole << NomeUnita(stato, parola); // the word itself when it is not a symbol
    }
    return parole.join(u' ');
}

QString Unisci(const QStringList& frasi) {
    QString testo;
    for (const QString& frase : frasi) {
        if (frase.isEmpty()) continue;
        if (!testo.isEmpty()) {
            const QChar ultimo = testo.back();
            testo += ultimo == u'.' || ultimo == u'?' || ultimo == u'!' ? QStringLiteral(" ")
                                                                        : QStringLiteral(". ");
        }
        testo += frase;
    }
    return testo;
}
