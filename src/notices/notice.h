#pragma once

#include "notices/source.h"
#include "text/window.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <cmath>
#include <functional>
#include <optional>

// A vertical limit of a flight restriction, in feet.
struct Limit
{
    enum class Reference { unspecified, surface, agl, msl, unlimited };
    qint64 feet = 0;
    Reference reference = Reference::unspecified;
    bool operator==(const Limit &other) const = default;
};

struct GeoPoint
{
    double latitude = 0;
    double longitude = 0;
    bool operator==(const GeoPoint &other) const = default;
    // The point lies on the earth: a latitude within ±90 and a longitude within ±180 degrees.
    bool isValid() const { return std::abs(latitude) <= 90 && std::abs(longitude) <= 180; }
};

// Where a notice applies: areas bound by points in the order written, stretches of road or
// beach, and single points.
struct Area
{
    QList<QList<GeoPoint>> polygons;
    QList<QList<GeoPoint>> lines;
    QList<GeoPoint> points;
    bool isEmpty() const { return polygons.isEmpty() && lines.isEmpty() && points.isEmpty(); }
    bool operator==(const Area &other) const = default;
};

// When a launch is planned: its "no earlier than" time, to the precision the schedule gives, and
// its window as the schedule gives it.
struct LaunchTime
{
    enum class Precision { minute, hour, day, month, year };
    QString id; // the schedule's own
    double net = 0;
    Precision precision = Precision::minute;
    std::optional<double> windowStart;
    std::optional<double> windowEnd;
    bool operator==(const LaunchTime &other) const = default;
};

// What a source read, as data: made once by the reader, rendered by every view.
struct Notice
{
    enum class Status { scheduled, canceled, ended };
    // "scheduled", "canceled", "ended": a status as the data outputs name it.
    static const char *statusKeyOf(Status status)
    {
        static const char *const keys[] = {"scheduled", "canceled", "ended"};
        return keys[int(status)];
    }
    // How far a flight restriction's detail has been read.
    enum class Detail { pending, read, notRead };

    Source source = Source::faa;
    // The same for the same notice, check after check, and never shared by two notices of a read:
    // "faa-6-2998", "navwarn-navarea-iv-704-26".
    QString key;
    // What the source calls it: "Primary Date", "Beach Primary", "NAVAREA IV 704/26", "6/2998",
    // "Starship | Flight 12".
    QString label;
    // The text as the source wrote it: a restriction's description, a closure's day, a row's
    // window, a warning's summary, the bulletin's line. Text, not markup.
    QString text;
    // A closure's hours and status as the county's table writes them.
    QString hours;
    QString statusText;
    QList<Window> windows;
    Status status = Status::scheduled;
    // A flight restriction's floor and ceiling, once its detail has been read.
    std::optional<Limit> floor;
    std::optional<Limit> ceiling;
    Detail detail = Detail::pending;
    // The page for people that the notice's entry opens.
    QUrl page;
    Area area;
    // A scheduled launch (its status's abbreviation in `statusText`, the span it may fly in as its
    // window).
    std::optional<LaunchTime> launch;

    bool operator==(const Notice &other) const = default;
    // The same key, and the same words: what a notification names.
    bool saysTheSameAs(const Notice &other) const;
    // Its windows all ended more than a day before `now`: it is no longer shown.
    bool isOver(double now) const { return areOver(windows, now); }
};

// The notices of one read as every view takes them: every text one line of printable characters
// (control characters gone, line breaks and tabs blanks, white space single), and keys unique: a
// key that stands again gets "-2", "-3", ... in the order of the notices.
void finishRead(QList<Notice> &notices);

// A short stable name for a text: the first 16 hexadecimal digits of its SHA-1.
QString digestOf(const QString &text);

// How high a restriction reaches: "Unlimited", "18000 feet", "500 feet AGL to 18000 feet"; empty
// without a ceiling. `say` gives each of the words in the language of the view.
QString altitudeText(const std::optional<Limit> &floor, const std::optional<Limit> &ceiling,
                     const std::function<QString(const char *)> &say);
