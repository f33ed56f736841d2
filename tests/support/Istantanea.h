#pragma once

// What stands in a folder, to show that an operation left it alone (or changed only what it
// should): every entry under it, hidden ones too, links not followed.

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sys/stat.h>

// One entry: "link -> target", "fifo", "folder", "file <sha-256 of the bytes>", or "<none>".
inline QString VoceIstantanea(const QString& percorso) {
    const QByteArray nome = QFile::encodeName(percorso);
    struct stat info {};
    if (lstat(nome.constData(), &info) != 0) return QStringLiteral("<none>");
    if (S_ISLNK(info.st_mode)) return QStringLiteral("link -> ") + QFile::symLinkTarget(percorso);
    if (S_ISFIFO(info.st_mode)) return QStringLiteral("fifo");
    if (S_ISDIR(info.st_mode)) return QStringLiteral("folder");
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("file <unreadable>");
    return QStringLiteral("file ") +
           QString::fromLatin1(
               QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex());
}

// "name: entry" for everything under cartella (names relative to it), sorted.
inline QStringList Istantanea(const QString& cartella = QDir::currentPath()) {
    QStringList voci;
    QDirIterator it(cartella, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString percorso = it.next();
        voci << QDir(cartella).relativeFilePath(percorso) + QStringLiteral(": ") +
                    VoceIstantanea(percorso);
    }
    voci.sort();
    return voci;
}
