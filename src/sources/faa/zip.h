#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class Caches;

// Unpacking of the mirror archive in the program's cache directory.
class Zip final
{
public:
    static constexpr qint64 maximumUnpackedBytes = 64 * 1024 * 1024;
    static constexpr qint64 maximumEntries = 1000;

    // Writes `data` to "<fileName>.zip" in the cache directory, unpacks it there, and returns the
    // text of the entry `fileName` at the archive's root, read as UTF-8, or none. The archive file
    // and the wanted file are removed afterwards (a wanted file that is not UTF-8 stays); other
    // entries stay. Entries with an absolute path, a ".." or a symbolic link are never written; an
    // archive over 64 MiB unpacked or 1,000 entries unpacks nothing. Calls are serialised.
    static std::optional<QString> decompress(const QString &fileName, const QByteArray &data,
                                             const Caches &caches);
};
