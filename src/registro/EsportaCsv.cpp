#include "registro/EsportaCsv.h"

#include "registro/RegistroLocale.h"

#include <QStringList>

namespace {

// A number as an Italian spreadsheet reads it: the decimal point the replies are kept with
// becomes a comma.
QString Decimale(const QString& numero) {
    QString testo = numero.trimmed();
    testo.replace(QLatin1Char('.'), QLatin1Char(','));
    return testo;
}

QString Esito(const EsercizioSvolto& e) {
    if (e.Esatto()) return QStringLiteral("esatta");
    if (e.SoluzioneData) return QStringLiteral("data dal programma");
    return QStringLiteral("non finita");
}

} // namespace

QByteArray IntestazioneCsv() {
    return QByteArrayLiteral("\xEF\xBB\xBF"
                             "serie;data;ora;computer;alunno;livello;sistema;tipo;ordine;"
                             "esercizio;problema;soluzione;risposte;aiuto;esito;secondi\r\n");
}

QString CampoCsv(const QString& campo) {
    QString testo = campo;
    if (!testo.isEmpty()) {
        const QChar c = testo.front();
        if (c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') ||
            c == QLatin1Char('@') || c == QLatin1Char('\t') || c == QLatin1Char('\r'))
            testo.prepend(QLatin1Char('\''));
    }
    if (testo.contains(QLatin1Char(';')) || testo.contains(QLatin1Char('"')) ||
        testo.contains(QLatin1Char('\r')) || testo.contains(QLatin1Char('\n'))) {
        testo.replace(QLatin1String("\""), QLatin1String("\"\""));
        testo = QLatin1Char('"') + testo + QLatin1Char('"');
    }
    return testo;
}

QString ProblemaMostrato(const EsercizioSvolto& esercizio) {
    const Problema& p = esercizio.Dati;
    const QString da = p.NumeroTesto.trimmed() + QLatin1Char(' ') + p.SimboloDa.trimmed();
    if (esercizio.ChiedeSimbolo)
        return da + QStringLiteral(" = ") + p.RisultatoTesto.trimmed() + QStringLiteral(" ?");
    return da + QStringLiteral(" = ? ") + p.SimboloA.trimmed();
}

QByteArray RigheCsv(const RegistroSerie& serie, const QString& computer) {
    QByteArray righe;
    const QString comuni =
        QStringList{
            CampoCsv(serie.Id.toString(QUuid::WithoutBraces)),
            serie.Inizio.toString(QStringLiteral("dd/MM/yyyy")),
            serie.Inizio.toString(QStringLiteral("hh:mm:ss")),
            CampoCsv(computer),
            CampoCsv(serie.NomeAlunno.isEmpty() ? QString::fromUtf8(SenzaNome) : serie.NomeAlunno),
            QString::number(serie.Livello),
            CampoCsv(serie.Sistema.trimmed()),
            CampoCsv(serie.TestoTipo.trimmed()),
            CampoCsv(serie.TestoOrdine.trimmed())}
            .join(QLatin1Char(';'));
    for (std::size_t i = 0; i < serie.Esercizi.size(); ++i) {
        const EsercizioSvolto& e = serie.Esercizi[i];
        const auto valore = [&](const QString& t) {
            return e.ChiedeSimbolo ? t.trimmed() : Decimale(t);
        };
        QStringList risposte;
        for (const Tentativo& t : e.Tentativi)
            risposte << valore(t.Risposta);
        const QStringList campi{comuni,
                                QString::number(i + 1),
                                CampoCsv(ProblemaMostrato(e)),
                                CampoCsv(valore(e.SoluzioneTesto)),
                                CampoCsv(risposte.join(QStringLiteral(" | "))),
                                e.AiutoAccettato ? QStringLiteral("sì") : QStringLiteral("no"),
                                Esito(e),
                                QString::number(e.Secondi)};
        righe += campi.join(QLatin1Char(';')).toUtf8();
        righe += "\r\n";
    }
    return righe;
}
