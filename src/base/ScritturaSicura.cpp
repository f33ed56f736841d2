#include "base/ScritturaSicura.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio> // renameat2, RENAME_NOREPLACE
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using E = ErroreScrittura;

E DaErrno(int numero) {
    switch (numero) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return E::DiscoPieno;
    case EACCES:
    case EPERM:
    case EROFS:
        return E::SenzaPermesso;
    case ENOENT:
        return E::CartellaMancante;
    case ENOTDIR:
        return E::NonCartella;
    default:
        return E::Altro;
    }
}

// What stands at the name, without following a link: Nessuno when it is a regular file (or
// nothing, with assenteOk); modo receives a regular file's permissions.
E Esame(const QByteArray& nome, bool assenteOk, mode_t* modo = nullptr) {
    struct stat info {};
    if (::lstat(nome.constData(), &info) != 0) {
        if (errno == ENOENT && assenteOk) return E::Nessuno;
        return errno == ENOENT ? E::CartellaMancante : DaErrno(errno);
    }
    if (!S_ISREG(info.st_mode)) return E::NomeNonFile;
    if (modo) *modo = info.st_mode & 07777;
    return E::Nessuno;
}

bool ScriviTutto(int fd, const QByteArray& dati, int& numero) {
    qsizetype scritti = 0;
    while (scritti < dati.size()) {
        const ssize_t n =
            ::write(fd, dati.constData() + scritti, static_cast<size_t>(dati.size() - scritti));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            numero = n < 0 ? errno : ENOSPC; // a full disk gives ENOSPC
            return false;
        }
        scritti += n;
    }
    return true;
}

// A new file of ours in the folder, holding dati, on disk and closed; or nothing left
// behind and the reason. modo, when given, replaces the permissions of the new file.
E FileTemporaneo(const QByteArray& cartella, const QByteArray& dati, const mode_t* modo,
                 QByteArray& temporaneo) {
    int fd = -1;
    for (int tentativo = 0; tentativo < 16 && fd < 0; ++tentativo) {
        const quint32 caso = QRandomGenerator::global()->generate();
        temporaneo = cartella + "/.decimetra-" +
                     QByteArray::number(caso, 16).rightJustified(8, '0') + ".tmp";
        fd = ::open(temporaneo.constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return DaErrno(errno);
    }
    if (fd < 0) return E::Altro;

    int numero = 0; // errno of the step that failed
    bool riuscito = !modo || ::fchmod(fd, *modo) == 0;
    if (!riuscito) numero = errno;
    riuscito = riuscito && ScriviTutto(fd, dati, numero);
    if (riuscito && ::fsync(fd) != 0) {
        numero = errno;
        riuscito = false;
    }
    if (riuscito) {
        // What the file system holds, not what the writes said.
        struct stat info {};
        riuscito = ::fstat(fd, &info) == 0 && info.st_size == dati.size();
        if (!riuscito) numero = ENOSPC;
    }
    if (::close(fd) != 0 && riuscito) {
        numero = errno;
        riuscito = false;
    }
    if (!riuscito) {
        ::unlink(temporaneo.constData());
        return DaErrno(numero);
    }
    return E::Nessuno;
}

// Makes the new name itself durable; the file is already in place if this fails.
void SincronizzaCartella(const QByteArray& cartella) {
    const int fd = ::open(cartella.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

EsitoScrittura Fallito(E errore) {
    EsitoScrittura esito;
    esito.errore = errore;
    return esito;
}

} // namespace

EsitoScrittura SostituisciFile(const QString& percorso, const QByteArray& dati) {
    const QByteArray nome = QFile::encodeName(percorso);
    const QByteArray cartella = QFile::encodeName(QFileInfo(percorso).path());
    constexpr mode_t NessunFile = ~mode_t{0};
    mode_t modo = NessunFile; // the permissions of the file replaced, when there is one
    if (const E errore = Esame(nome, true, &modo); errore != E::Nessuno) return Fallito(errore);

    QByteArray temporaneo;
    if (const E errore =
            FileTemporaneo(cartella, dati, modo == NessunFile ? nullptr : &modo, temporaneo);
        errore != E::Nessuno)
        return Fallito(errore);
    // Looked at again just before: rename() itself never follows a link put there since,
    // it replaces the link.
    E errore = Esame(nome, true);
    if (errore == E::Nessuno && ::rename(temporaneo.constData(), nome.constData()) != 0)
        errore = DaErrno(errno);
    if (errore != E::Nessuno) {
        ::unlink(temporaneo.constData());
        return Fallito(errore);
    }
    SincronizzaCartella(cartella);
    EsitoScrittura esito;
    esito.percorso = percorso;
    return esito;
}

EsitoScrittura ScriviFileNuovo(const QString& cartella, const std::function<QString(int)>& nome,
                               int massimo, const QByteArray& dati) {
    const QByteArray dove = QFile::encodeName(cartella);
    QByteArray temporaneo;
    if (const E errore = FileTemporaneo(dove, dati, nullptr, temporaneo); errore != E::Nessuno)
        return Fallito(errore);

    bool senzaRenameat2 = false; // the file system does not know RENAME_NOREPLACE
    for (int numero = 1; numero <= massimo; ++numero) {
        const QString percorso = cartella + QLatin1Char('/') + nome(numero);
        const QByteArray destinazione = QFile::encodeName(percorso);
        int esito = -1;
        if (!senzaRenameat2) {
            esito = ::renameat2(AT_FDCWD, temporaneo.constData(), AT_FDCWD,
                                destinazione.constData(), RENAME_NOREPLACE);
            if (esito != 0 && (errno == EINVAL || errno == ENOSYS)) senzaRenameat2 = true;
        }
        if (senzaRenameat2) {
            // link() never replaces either; the temporary name goes once the file has its own.
            esito = ::link(temporaneo.constData(), destinazione.constData());
            if (esito == 0) ::unlink(temporaneo.constData());
        }
        if (esito == 0) {
            SincronizzaCartella(dove);
            EsitoScrittura riuscito;
            riuscito.percorso = percorso;
            return riuscito;
        }
        if (errno == EEXIST) continue; // taken, by whatever: try the next name
        const E errore = DaErrno(errno);
        ::unlink(temporaneo.constData());
        return Fallito(errore);
    }
    ::unlink(temporaneo.constData());
    return Fallito(E::NomiEsauriti);
}

ErroreScrittura CreaCartella(const QString& cartella) {
    const QString assoluta = QFileInfo(cartella).absoluteFilePath();
    // Every folder from the top down: each one that is missing is made.
    qsizetype fine = 0;
    while (fine < assoluta.size()) {
        fine = assoluta.indexOf(QLatin1Char('/'), fine + 1);
        if (fine < 0) fine = assoluta.size();
        const QByteArray parte = QFile::encodeName(assoluta.left(fine));
        if (::mkdir(parte.constData(), 0777) == 0) continue;
        const int numero = errno;
        struct stat info {};
        if (::stat(parte.constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode)) return E::NonCartella;
            continue; // it was there
        }
        return DaErrno(numero == EEXIST ? errno : numero);
    }
    return E::Nessuno;
}
