#include "drill/Frasi.h"

namespace {

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

} // namespace

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
    return n + u' ' + (n == QLatin1String("1") ? Singolare(nome) : nome);
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
    return Quantita(stato, numero, simboloDa) + QStringLiteral(" uguale ") + risultato.trimmed() +
           QStringLiteral(" quale unità?");
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
    return s + QStringLiteral(", ") + NomeUnita(stato, s);
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
