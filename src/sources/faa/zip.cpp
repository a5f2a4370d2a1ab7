#include "zip.h"

#include "platform/caches.h"
#include "text/stringutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <memory>
#include <mutex>
#include <sys/stat.h>

namespace {

std::mutex workingFilesMutex;

struct ArchiveCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct EntryCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

bool isSymbolicLink(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

bool isSafePath(const QString &name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('/'))
        && !name.startsWith(QLatin1Char('\\')) && !name.contains(QLatin1String(".."));
}

// Unpacks every safe entry of the archive file into `directory`, replacing files of the same
// name. Bytes that are no archive unpack nothing; a damaged archive may unpack some entries.
void unpack(const QString &archivePath, const QDir &directory)
{
    int error = 0;
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &error));
    if (!archive)
        return;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || count > Zip::maximumEntries)
        return;

    // Check the whole archive before anything is written.
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) != 0)
            return;
        if (stat.valid & ZIP_STAT_SIZE)
            total += stat.size;
        if (total > zip_uint64_t(Zip::maximumUnpackedBytes))
            return;
    }

    qint64 written = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = zip_uint64_t(i);
        const char *rawName = zip_get_name(archive.get(), index, 0);
        if (!rawName)
            continue;
        const QString name = QString::fromUtf8(rawName);
        if (!isSafePath(name) || isSymbolicLink(archive.get(), index))
            continue;
        if (name.endsWith(QLatin1Char('/'))) {
            directory.mkpath(name);
            continue;
        }
        const QString target = directory.filePath(name);
        if (!directory.mkpath(QFileInfo(name).path()) || QFileInfo(target).isSymLink())
            continue;
        std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive.get(), index, 0));
        if (!entry)
            continue;
        QFile output(target);
        if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate))
            continue;
        char buffer[64 * 1024];
        zip_int64_t n;
        while ((n = zip_fread(entry.get(), buffer, sizeof buffer)) > 0) {
            written += n;
            if (written > Zip::maximumUnpackedBytes) { // sizes in the archive were false
                output.remove();
                return;
            }
            output.write(buffer, n);
        }
        if (n < 0)
            output.remove();
    }
}

} // namespace

std::optional<QString> Zip::decompress(const QString &fileName, const QByteArray &data,
                                       const Caches &caches)
{
    const std::lock_guard lock(workingFilesMutex);
    const std::optional<QString> directoryPath = caches.directory();
    if (!directoryPath)
        return std::nullopt;
    const QDir directory(*directoryPath);

    const QString archivePath = directory.filePath(fileName + QStringLiteral(".zip"));
    QFile::remove(archivePath);
    {
        QFile archive(archivePath);
        if (!archive.open(QIODevice::WriteOnly) || archive.write(data) != data.size())
            return std::nullopt;
    }
    unpack(archivePath, directory);
    QFile::remove(archivePath);

    const QString wantedPath = directory.filePath(fileName);
    QFile wanted(wantedPath);
    if (QFileInfo(wantedPath).isSymLink() || !wanted.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<QString> text = decodeUtf8(wanted.readAll());
    wanted.close();
    if (!text)
        return std::nullopt;
    QFile::remove(wantedPath);
    return text;
}
