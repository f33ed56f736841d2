#include "start/FileImpostazioni.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <limits>
#include <optional>

namespace {

// Both records are a few dozen bytes; anything beyond this is not a record of ours and
// is never read.
constexpr qint64 LimiteLettura = 1024;

// The first righe lines of a file, or nothing when it cannot be read. Only regular files
// are opened, so a folder, a pipe or a device in place of the file never blocks or floods
// the reader. Lines may end with CR LF, LF or a lone CR; the last may have no end.
std::optional<QStringList> leggiRighe(const QString& percorso, int righe) {
    const QFileInfo info(percorso);
    if (!info.isFile()) return std::nullopt;
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray dati = file.read(LimiteLettura);
    if (dati.contains('\0')) return std::nullopt;
    static const QRegularExpression fineRiga(QStringLiteral("\r\n|\r|\n"));
    QStringList tutte = QString::fromUtf8(dati).split(fineRiga);
    if (tutte.size() < righe) return std::nullopt;
    return tutte.mid(0, righe);
}

bool scriviRighe(const QString& percorso, const QStringList& righe) {
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QByteArray dati;
    for (const QString& riga : righe)
        dati += riga.toUtf8() + "\r\n";
    if (file.write(dati) != dati.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<long long> intero(const QString& testo, long long minimo, long long massimo) {
    bool ok = false;
    const long long valore = testo.trimmed().toLongLong(&ok);
    if (!ok || valore < minimo || valore > massimo) return std::nullopt;
    return valore;
}

std::optional<std::int32_t> colore(const QString& testo) {
    const auto valore = intero(testo, 0, 0xFFFFFF);
    if (!valore) return std::nullopt;
    return static_cast<std::int32_t>(*valore);
}

std::optional<bool> booleano(const QString& testo) {
    const QString parola = testo.trimmed();
    if (parola.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (parola.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

std::optional<std::int16_t> indice(const QString& testo) {
    const auto valore = intero(testo, 0, 10);
    if (!valore) return std::nullopt;
    return static_cast<std::int16_t>(*valore);
}

QString parolaBooleana(bool valore) {
    return valore ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<Opzioni> interpretaOpzioni(const QStringList& r) {
    const auto sfondo = colore(r[0]);
    const auto ausiliario = colore(r[1]);
    const auto caratteri = colore(r[2]);
    const auto suono = booleano(r[3]);
    const auto sceltaA = booleano(r[4]);
    const auto sceltaB = booleano(r[5]);
    const auto scansione = colore(r[6]);
    const auto scansioneScuro = colore(r[7]);
    const auto indiceSfondo = indice(r[8]);
    const auto indiceScansione = indice(r[9]);
    const auto indiceCaratteri = indice(r[10]);
    if (!sfondo || !ausiliario || !caratteri || !suono || !sceltaA || !sceltaB || !scansione ||
        !scansioneScuro || !indiceSfondo || !indiceScansione || !indiceCaratteri)
        return std::nullopt;

    Opzioni o;
    o.ColoreSfondo = *sfondo;
    o.ColoreAusiliario = *ausiliario;
    o.ColoreCaratteri = QString::number(*caratteri);
    o.SuonoAttivo = *suono;
    o.SceltaA = *sceltaA;
    o.SceltaB = *sceltaB;
    o.ColoreScansione = *scansione;
    o.ColoreScansioneScuro = QString::number(*scansioneScuro);
    o.IndiceSfondo = *indiceSfondo;
    o.IndiceScansione = *indiceScansione;
    o.IndiceCaratteri = *indiceCaratteri;
    return o;
}

} // namespace

QString FileLivello(const QString& nome) {
    return nome + QStringLiteral(".dat");
}

QString FileOpzioni(const QString& nome) {
    return nome + QStringLiteral(".opz");
}

void LeggiLivelli(StatoProgramma& stato, const QString& nome) {
    if (const auto righe = leggiRighe(FileLivello(nome), 1)) {
        if (const auto livello = intero(righe->at(0), 1, 12)) {
            stato.Livello = static_cast<std::int16_t>(*livello);
            return;
        }
    }
    stato.Livello = 1;
    SalvaLivello(stato);
}

bool SalvaLivello(const StatoProgramma& stato) {
    return scriviRighe(FileLivello(stato.NomeProgramma), {QString::number(stato.Livello)});
}

bool LeggiOpzioni(StatoProgramma& stato) {
    if (const auto righe = leggiRighe(FileOpzioni(stato.NomeProgramma), 11)) {
        if (const auto opzioni = interpretaOpzioni(*righe)) {
            stato.Impostazioni = *opzioni;
            return true;
        }
    }
    stato.Impostazioni = Opzioni{};
    return false;
}

bool MemorizzaOpzioni(const StatoProgramma& stato) {
    const Opzioni& o = stato.Impostazioni;
    return scriviRighe(FileOpzioni(stato.NomeProgramma),
                       {QString::number(o.ColoreSfondo), QString::number(o.ColoreAusiliario),
                        o.ColoreCaratteri, parolaBooleana(o.SuonoAttivo), parolaBooleana(o.SceltaA),
                        parolaBooleana(o.SceltaB), QString::number(o.ColoreScansione),
                        o.ColoreScansioneScuro, QString::number(o.IndiceSfondo),
                        QString::number(o.IndiceScansione), QString::number(o.IndiceCaratteri)});
}
