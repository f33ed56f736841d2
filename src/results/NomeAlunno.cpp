#include "results/NomeAlunno.h"

#include <QTextBoundaryFinder>

namespace {

bool DaTenere(char32_t u) {
    switch (QChar::category(u)) {
    case QChar::Other_Control: // C0 (NUL, TAB, LF ...), DEL, C1
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Surrogate: // half of a pair whose other half is missing
        return false;
    default:
        return true;
    }
}

} // namespace

QString TestoCasellaNome(const QString& testo) {
    QString pulito;
    pulito.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c.isHighSurrogate() && i + 1 < testo.size() && testo[i + 1].isLowSurrogate()) {
            pulito.append(c).append(testo[i + 1]); // a code point beyond the BMP: kept
            ++i;
            continue;
        }
        if (pulito.isEmpty() && c.isSpace()) continue;
        if (DaTenere(c.unicode())) pulito.append(c);
    }

    QTextBoundaryFinder confini(QTextBoundaryFinder::Grapheme, pulito);
    qsizetype taglio = 0;
    for (int lettera = 0; lettera < LettereNome && taglio >= 0 && taglio < pulito.size(); ++lettera)
        taglio = confini.toNextBoundary();
    if (taglio >= 0) pulito.truncate(taglio);
    return pulito;
}

QString NomeAlunnoDa(const QString& testo) {
    QString nome = TestoCasellaNome(testo);
    qsizetype fine = nome.size();
    while (fine > 0 && nome[fine - 1].isSpace())
        --fine;
    nome.truncate(fine);
    return nome;
}

QString NomeConMaiuscole(const QString& nome) {
    QString risultato;
    risultato.reserve(nome.size());
    bool inizioParola = true;
    for (qsizetype i = 0; i < nome.size(); ++i) {
        char32_t u = nome[i].unicode();
        qsizetype lunghezza = 1;
        if (nome[i].isHighSurrogate() && i + 1 < nome.size() && nome[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(nome[i], nome[i + 1]);
            lunghezza = 2;
        }
        const QString carattere = nome.mid(i, lunghezza);
        i += lunghezza - 1;
        // The title case of a letter ("ǆ" -> "ǅ"); what has none stays as it is.
        if (inizioParola && QChar::isLetter(u))
            risultato += QString::fromUcs4(std::array{QChar::toTitleCase(u)}.data(), 1);
        else
            risultato += carattere;
        if (QChar::isLetterOrNumber(u))
            inizioParola = false;
        else if (QChar::isSpace(u) || u == U'\'' || u == U'\u2019' || u == U'-')
            inizioParola = true;
        // A combining accent after a letter belongs to it: the word goes on.
    }
    return risultato;
}

QString DescrizioneStampa(const QString& cosa, const QString& nome) {
    const QString pulito = nome.simplified();
    return pulito.isEmpty() ? cosa : cosa + QLatin1Char(' ') + pulito;
}
