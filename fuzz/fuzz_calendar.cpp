// Arbitrary files and notices into the calendar. The input is up to three parts split by NUL
// bytes: a revisions file, a calendar file, then notice lines (the first character of a line
// picks its source, the line is its text and its windows are what the recogniser finds in it).
// The calendar is written over what the files held and read back through libical: every event
// the revisions keep must come back, and the revisions file must read again.
#include "calendar/calendarfile.h"
#include "nullservices.h"
#include "text/dateextractor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void put(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    static QTemporaryDir folder;
    const QString zone = QStringLiteral("America/Chicago");
    const QList<QByteArray> parts
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size))
              .split('\0');
    const QString path = folder.path() + QStringLiteral("/plumetrack.ics");
    QFile::remove(path + QStringLiteral(".revisions.json.damaged"));
    put(path + QStringLiteral(".revisions.json"), parts.value(0));
    put(path, parts.value(1));

    QList<Notice> notices;
    for (const QString &line : QString::fromUtf8(parts.value(2)).split(u'\n')) {
        if (line.isEmpty() || notices.size() == 200)
            continue;
        Notice notice;
        notice.source = sourceKeys[line.front().unicode() % sourceKeys.size()].first;
        notice.key = notice.label = notice.text = line;
        notice.windows = DateExtractor::windows(line, stubs, zone);
        notices << notice;
    }
    finishRead(notices);

    CalendarFile file(path, zone);
    if (!file.update(NoticeCalendar::eventsOf(notices), {Source::faa}, stubs.now(), 1200))
        std::abort();
    bool damaged = false;
    const auto kept = CalendarFile::read(path, zone, &damaged);
    QFile ics(path);
    if (damaged || kept.size() != file.revisions().size() || !ics.open(QIODevice::ReadOnly))
        std::abort();
    const auto back = NoticeCalendar::read(ics.readAll(), zone);
    for (const auto &[uid, revision] : file.revisions())
        if (!back.contains(uid))
            std::abort();
    return 0;
}
