#pragma once

// A private folder for the targets that read files, made once per run: in memory when the
// system offers /dev/shm, since the writers wait for the disk on every record.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>

inline const QString& CartellaFuzz() {
    static QTemporaryDir cartella(QDir(QStringLiteral("/dev/shm")).exists()
                                      ? QStringLiteral("/dev/shm/decimetra-fuzz-XXXXXX")
                                      : QDir::tempPath() +
                                            QStringLiteral("/decimetra-fuzz-XXXXXX"));
    static const QString percorso = [] {
        if (!cartella.isValid()) std::abort();
        return cartella.path();
    }();
    return percorso;
}

// Writes the input as the whole file at percorso.
inline void ScriviIngresso(const QString& percorso, const uint8_t* dati, size_t dimensione) {
    QFile::remove(percorso);
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(dati), static_cast<qint64>(dimensione)) !=
            static_cast<qint64>(dimensione))
        std::abort();
}
