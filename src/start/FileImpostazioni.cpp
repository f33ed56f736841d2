#include "start/FileImpostazioni.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Both records are a few dozen bytes. The lines of a record must lie wholly within this
// many bytes from the start of the file, blanks around the values included; a record that
// does not fit is unreadable, never cut short.
constexpr qint64 LimiteLettura = 1024;

// The eleven values of the options record; the speech switch is an optional line after them.
constexpr int RigheOpzioni = 11;

// Whether the name may be read or replaced: it names a regular file itself, not a link,
// a folder, a pipe or a device. With absenteOk a missing name is fine too.
bool fileRegolare(const QByteArray& nome, bool absenteOk, mode_t* modo = nullptr) {
    struct stat info {};
    if (::lstat(nome.constData(), &info) != 0) return absenteOk && errno == ENOENT;
    if (!S_ISREG(info.st_mode)) return false;
    if (modo) *modo = info.st_mode & 0777;
    return true;
}

// The first LimiteLettura + 1 bytes of a regular file, or nothing. A link is never followed
// (O_NOFOLLOW) and what was opened is checked again, so a name swapped between the check
// and the opening is refused too; a pipe never blocks the opening (O_NONBLOCK).
std::optional<QByteArray> leggiInizio(const QString& percorso) {
    const QByteArray nome = QFile::encodeName(percorso);
    if (!fileRegolare(nome, false)) return std::nullopt;
    const int fd =
        ::open(nome.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray dati(LimiteLettura + 1, Qt::Uninitialized);
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

// The first righe lines of a file's beginning (as leggiInizio gives it), or nothing when one
// of them is not ended, by a line end or by the end of the file, within LimiteLettura bytes.
// Lines may end with CR LF, LF or a lone CR; the last may have no end. NUL bytes anywhere
// in the bound make the file a binary file, not a record.
std::optional<QStringList> righeDa(const QByteArray& letti, int righe) {
    const bool fileIntero = letti.size() <= LimiteLettura;
    const QByteArray dati = letti.left(LimiteLettura);
    if (dati.contains('\0')) return std::nullopt;

    QStringList risultato;
    qsizetype inizio = 0;
    bool fineFile = false;
    for (int i = 0; i < righe; ++i) {
        if (fineFile) return std::nullopt; // fewer lines than the record has
        qsizetype fine = inizio;
        while (fine < dati.size() && dati[fine] != '\r' && dati[fine] != '\n')
            ++fine;
        if (fine == dati.size()) {
            // Unended: the end of the file ends it only when the file ends within the bound.
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

bool scriviTutto(int fd, const QByteArray& dati) {
    qsizetype scritti = 0;
    while (scritti < dati.size()) {
        const ssize_t n =
            ::write(fd, dati.constData() + scritti, static_cast<size_t>(dati.size() - scritti));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false; // a full disk gives ENOSPC here
        scritti += n;
    }
    return true;
}

// Replaces the file with the given lines, or leaves it exactly as it was and returns false.
// The lines go to a new file of our own in the same folder (created exclusively, so no
// link or other file planted under its name is ever written), reach the disk, and only
// then does the new file take the name by rename(), which replaces a link at the name
// instead of following it. A name that is anything but a regular file is never replaced.
// QSaveFile is not used: it follows a link and writes over the link's target.
bool scriviRighe(const QString& percorso, const QStringList& righe) {
    QByteArray dati;
    for (const QString& riga : righe)
        dati += riga.toUtf8() + "\r\n";

    const QByteArray nome = QFile::encodeName(percorso);
    constexpr mode_t NessunFile = ~mode_t{0};
    mode_t modo = NessunFile; // the permissions of the file replaced, when there is one
    if (!fileRegolare(nome, true, &modo)) return false;

    QByteArray temporaneo;
    int fd = -1;
    for (int tentativo = 0; tentativo < 16 && fd < 0; ++tentativo) {
        temporaneo =
            nome + '.' +
            QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0') +
            ".tmp";
        fd = ::open(temporaneo.constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    // The new file keeps the permissions of the one it replaces.
    bool riuscito = (modo == NessunFile || ::fchmod(fd, modo) == 0) && scriviTutto(fd, dati) &&
                    ::fsync(fd) == 0;
    riuscito = ::close(fd) == 0 && riuscito;
    riuscito = riuscito && fileRegolare(nome, true) &&
               ::rename(temporaneo.constData(), nome.constData()) == 0;
    if (!riuscito) {
        ::unlink(temporaneo.constData());
        return false;
    }

    // Makes the new name itself durable; the record is already in place if this fails.
    const QByteArray cartella = QFile::encodeName(QFileInfo(percorso).path());
    const int fdCartella = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fdCartella >= 0) {
        ::fsync(fdCartella);
        ::close(fdCartella);
    }
    return true;
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
    if (const auto letti = leggiInizio(FileOpzioni(stato.NomeProgramma))) {
        const auto righe = righeDa(*letti, RigheOpzioni);
        if (auto opzioni = righe ? interpretaOpzioni(*righe) : std::nullopt) {
            // The speech switch follows the eleven values. A record written before it
            // existed, or a line that does not read, leaves it off and the rest as read.
            if (const auto tutte = righeDa(*letti, RigheOpzioni + 1))
                opzioni->SintesiVocale = booleano(tutte->at(RigheOpzioni)).value_or(false);
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
                        parolaBooleana(o.SintesiVocale)});
}
