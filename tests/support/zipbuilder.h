#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <zip.h>

#include <sys/stat.h>
#include <vector>

struct ZipEntry
{
    QString name;
    QByteArray data;
    bool symbolicLink = false; // `data` is then the link's target
};

// A zip archive holding the entries, made with libzip.
inline QByteArray makeZip(const std::vector<ZipEntry> &entries)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("made.zip"));
    int error = 0;
    zip_t *archive = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return {};
    std::vector<QByteArray> keep; // libzip reads the buffers at zip_close
    keep.reserve(entries.size());
    for (const ZipEntry &entry : entries) {
        keep.push_back(entry.data);
        zip_source_t *source = zip_source_buffer(archive, keep.back().constData(),
                                                 zip_uint64_t(keep.back().size()), 0);
        const zip_int64_t index
            = zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_OVERWRITE);
        if (index >= 0 && entry.symbolicLink)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(S_IFLNK | 0777) << 16);
    }
    zip_close(archive);
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
