#pragma once

// Reads a PDF back with poppler's tools: the words with their boxes (pdftotext -bbox, in
// points from the page's top-left corner), the plain text and the fonts' names.

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

struct ParolaPdf {
    QString testo;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

inline bool StrumentiPdf() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

inline QString EseguiPoppler(const QString& programma, const QStringList& argomenti) {
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QList<ParolaPdf> ParolePdf(const QString& file) {
    const QString html = EseguiPoppler(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    static const QRegularExpression parola(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<ParolaPdf> parole;
    for (auto it = parola.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString testo = m.captured(5);
        testo.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        parole.append({testo, m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return parole;
}

inline const ParolaPdf* TrovaParola(const QList<ParolaPdf>& parole, const QString& testo) {
    for (const ParolaPdf& p : parole)
        if (p.testo == testo) return &p;
    return nullptr;
}

inline QString TestoPdf(const QString& file) {
    return EseguiPoppler(QStringLiteral("pdftotext"),
                         {QStringLiteral("-layout"), file, QStringLiteral("-")});
}

// The base names of the fonts used, e.g. "LiberationMono-Bold".
inline QStringList FontPdf(const QString& file) {
    const QStringList righe =
        EseguiPoppler(QStringLiteral("pdffonts"), {file}).split(QLatin1Char('\n'));
    QStringList nomi;
    for (qsizetype i = 2; i < righe.size(); ++i) { // two header lines
        QString nome = righe[i].section(QLatin1Char(' '), 0, 0);
        if (nome.isEmpty()) continue;
        nome = nome.section(QLatin1Char('+'), -1); // drop a subset prefix "ABCDEF+"
        nomi.append(nome);
    }
    return nomi;
}
