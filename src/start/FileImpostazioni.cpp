#include "start/FileImpostazioni.h"

#include "base/ScritturaSicura.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Both records are a few dozen bytes. The values of a record (its lines without the blanks
// around them and without the line ends) must fit in this many bytes; a record whose values
// do not is unreadable, never cut short. Blanks are skipped without being counted.
constexpr qsizetype LimiteValori = 1024;
// However many blanks there are, no more of a file than this is read: a record must end
// within it.
constexpr qsizetype LimiteFile = 64 * 1024;

// The eleven values of the options record, then the optional lines: speech, letter case,
// praise, scanning and its step.
constexpr int RigheOpzioni = 11;
constexpr int RigheOpzioniTutte = 16;

bool spazio(char c) {
    return c == ' ' || c == '\t';
}

// The first LimiteFile + 1 bytes of a regular file, or nothing. A link is never followed
// (lstat, then O_NOFOLLOW) and what was opened is checked again, so a name swapped between
// the check and the opening is refused too; a pipe never blocks the opening (O_NONBLOCK).
std::optional<QByteArray> leggiInizio(const QString& percorso) {
    const QByteArray nome = QFile::encodeName(percorso);
    struct stat info {};
    if (::lstat(nome.constData(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const int fd =
        ::open(nome.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray dati(LimiteFile + 1, Qt::Uninitialized);
    qsizetype letti = 0;
    while (letti < dati.size()) {
        const ssize_t n = ::read(fd, dati.data() + letti, static_cast<size_t>(dati.size() - letti));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        letti += n;
    }
    ::close(fd);
    dati.truncate(letti);
    return dati;
}

// The first righe lines of a file's beginning (as leggiInizio gives it), or nothing when
// their values (blanks not counted) exceed LimiteValori bytes, or when one of them is not
// ended, by a line end or by the end of the file, within LimiteFile bytes. Lines may end with
// CR LF, LF or a lone CR; the last may have no end. NUL bytes within the first LimiteValori
// bytes, or in the record, make the file a binary file, not a record.
std::optional<QStringList> righeDa(const QByteArray& letti, int righe) {
    const bool fileIntero = letti.size() <= LimiteFile;
    const QByteArray dati = letti.left(LimiteFile);
    if (dati.left(LimiteValori).contains('\0')) return std::nullopt;

    QStringList risultato;
    qsizetype inizio = 0;
    qsizetype valori = 0; // bytes of the values so far, blanks not counted
    bool fineFile = false;
    for (int i = 0; i < righe; ++i) {
        if (fineFile) return std::nullopt; // fewer lines than the record has
        qsizetype fine = inizio;
        while (fine < dati.size() && dati[fine] != '\r' && dati[fine] != '\n') {
            if (dati[fine] == '\0') return std::nullopt;
            if (!spazio(dati[fine]) && ++valori > LimiteValori) return std::nullopt;
            ++fine;
        }
        if (fine == dati.size()) {
            // Unended: the end of the file ends it only when the whole file was read.
            if (!fileIntero) return std::nullopt;
            fineFile = true;
        }
        risultato << QString::fromUtf8(dati.mid(inizio, fine - inizio));
        if (!fineFile)
            inizio =
                fine +
                (dati[fine] == '\r' && fine + 1 < dati.size() && dati[fine + 1] == '\n' ? 2 : 1);
    }
    return risultato;
}

std::optional<QStringList> leggiRighe(const QString& percorso, int righe) {
    const auto letti = leggiInizio(percorso);
    if (!letti) return std::nullopt;
    return righeDa(*letti, righe);
}

// Replaces the file with the given lines, or leaves it exactly as it was and returns false
// (the program's one safe writer, base/ScritturaSicura).
bool scriviRighe(const QString& percorso, const QStringList& righe) {
    QByteArray dati;
    for (const QString& riga : righe)
        dati += riga.toUtf8() + "\r\n";
    return SostituisciFile(percorso, dati).Riuscito();
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

// Lines 12 to 16, those of them that are there, over the defaults they replace.
void RigheFacoltative(const QStringList& r, Opzioni& o) {
    const auto riga = [&r](int numero) { return numero <= r.size() ? r[numero - 1] : QString(); };
    const Opzioni predefinite;
    o.SintesiVocale = booleano(riga(12)).value_or(predefinite.SintesiVocale);
    if (const auto tipo = intero(riga(13), 0, 1)) o.Maiuscolo = *tipo == 0;
    o.RinforzoSonoro = booleano(riga(14)).value_or(predefinite.RinforzoSonoro);
    o.Scansione = booleano(riga(15)).value_or(predefinite.Scansione);
    if (const auto passo = intero(riga(16), PassoScansioneMinimo, PassoScansioneMassimo))
        o.PassoScansione = static_cast<std::int16_t>(*passo);
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
    if (const auto letti = leggiInizio(FileOpzioni(stato.NomeProgramma))) {
        const auto righe = righeDa(*letti, RigheOpzioni);
        if (auto opzioni = righe ? interpretaOpzioni(*righe) : std::nullopt) {
            // The optional lines follow the eleven values. A record written before they
            // existed has fewer of them; each one missing or unreadable keeps its default
            // and leaves the others as read.
            std::optional<QStringList> tutte;
            for (int n = RigheOpzioniTutte; n > RigheOpzioni && !tutte; --n)
                tutte = righeDa(*letti, n);
            if (tutte) RigheFacoltative(*tutte, *opzioni);
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
                        QString::number(o.IndiceScansione), QString::number(o.IndiceCaratteri),
                        parolaBooleana(o.SintesiVocale), QString::number(o.Maiuscolo ? 0 : 1),
                        parolaBooleana(o.RinforzoSonoro), parolaBooleana(o.Scansione),
                        QString::number(o.PassoScansione)});
}
