#pragma once

// What the tests have in common: GoogleTest, Qt's everyday types and the helpers below.
#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QTimeZone>
#include <QUrl>

#include <gtest/gtest.h>

#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>

// Qt's values, readable in GoogleTest's messages.
inline std::ostream &operator<<(std::ostream &out, const QString &text)
{
    return out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << text;
}
inline std::ostream &operator<<(std::ostream &out, const QByteArray &bytes)
{
    return out << '"' << bytes.toStdString() << '"';
}
inline std::ostream &operator<<(std::ostream &out, const QUrl &url)
{
    return out << url.toString().toStdString();
}

// Seconds since 1970 of an ISO 8601 time, read in `zone` unless it names its own.
inline double at(const QString &iso, const QTimeZone &zone = QTimeZone("America/Chicago"))
{
    QDateTime time = QDateTime::fromString(iso, Qt::ISODate);
    if (time.timeSpec() == Qt::LocalTime)
        time.setTimeZone(zone);
    return double(time.toSecsSinceEpoch());
}

// A file's bytes, and a sample's text under tests/fixtures.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}
inline QString fixture(const QString &path)
{
    return QString::fromUtf8(readFile(QStringLiteral(PLUMETRACK_FIXTURES "/") + path));
}

// The cases of a table-driven test, one a line in tests/fixtures/cases/NAME.txt, without the
// lines that start with "#", which name and explain them. \n, \r, \t, \uXXXX and \\ stand for
// their characters.
inline QStringList cases(const QString &name)
{
    QStringList rows;
    for (const QString &line : fixture("cases/" + name + ".txt").split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QString row;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            const QChar next = i + 1 < line.size() ? line[i + 1] : QChar();
            if (c != '\\' || !QStringLiteral("nrtu\\").contains(next)) {
                row += c;
                continue;
            }
            ++i;
            if (next == 'u') {
                row += QChar(line.mid(i + 1, 4).toUShort(nullptr, 16));
                i += 4;
            } else {
                row += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : '\\';
            }
        }
        rows << row;
    }
    return rows;
}

// Turns the event loop until `done` holds or `ms` milliseconds have passed; returns `done()`.
inline bool waitFor(const std::function<bool()> &done, int ms = 10'000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

// Sets ICU's default zone and locale for the life of the object, and puts them back afterwards.
class IcuScope
{
public:
    IcuScope(const char *zone, const char *locale = "en_US")
        : m_zone(icu::TimeZone::createDefault()), m_locale(icu::Locale::getDefault())
    {
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone(icu::UnicodeString(zone)));
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(locale), status);
    }
    ~IcuScope()
    {
        icu::TimeZone::adoptDefault(m_zone);
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(m_locale, status);
    }
    IcuScope(const IcuScope &) = delete;
    IcuScope &operator=(const IcuScope &) = delete;

private:
    icu::TimeZone *m_zone;
    icu::Locale m_locale;
};
