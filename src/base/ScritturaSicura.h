#pragma once

// The one writer of files for the whole program (the settings records and the PDFs): a
// file is reported written only when all of it is on disk, and a failure leaves nothing
// new in the folder and whatever stood at the name exactly as it was.
//
// How: the bytes go to a new file of our own in the target folder, created exclusively
// (O_EXCL, O_NOFOLLOW: no link or file planted under its name is ever written) and written
// through the descriptor that created it, never by reopening a name; then fsync, and the
// size on disk is checked against the bytes given. Only then does the file take its name,
// by rename(), which replaces a link at the name instead of following it. QSaveFile is not
// used: it follows links and reported success on a full disk (Qt 6.4.2).

#include <QByteArray>
#include <QString>

#include <functional>

// Why a write failed.
enum class ErroreScrittura {
    Nessuno,
    DiscoPieno,       // no room left (or fewer bytes on disk than written)
    SenzaPermesso,    // no permission to write in the folder, or a read-only file system
    CartellaMancante, // the folder does not exist
    NonCartella,      // something other than a folder stands where the folder should be
    NomeNonFile,      // something other than a regular file stands at the name: a link, a
                      // folder, a pipe; it is never written through or replaced
    NomiEsauriti,     // every name offered is already taken
    Altro,
};

struct EsitoScrittura {
    ErroreScrittura errore = ErroreScrittura::Nessuno;
    QString percorso; // the file written, when it was

    bool Riuscito() const { return errore == ErroreScrittura::Nessuno; }
};

// Replaces percorso with dati, or leaves it exactly as it was. The name may be free or hold
// a regular file (whose permissions the new file keeps); anything else is refused
// (NomeNonFile).
EsitoScrittura SostituisciFile(const QString& percorso, const QByteArray& dati);

// Writes dati under a new name in cartella: nome(1), else nome(2), ... up to nome(massimo),
// the first that is free at the moment the file takes it (renameat2 with RENAME_NOREPLACE,
// or link() where the file system lacks it), so no file is ever replaced, not even one made
// between a look and the write. The folder must exist.
EsitoScrittura ScriviFileNuovo(const QString& cartella, const std::function<QString(int)>& nome,
                               int massimo, const QByteArray& dati);

// Makes the folder and any missing folder above it; Nessuno when it exists already (a link
// to a folder counts as one).
ErroreScrittura CreaCartella(const QString& cartella);
