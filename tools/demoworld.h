#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <vector>

namespace httplib {
class Server;
}

// Realistic sample sources at the paths of the real servers, for demos and end-to-end tests.
namespace demo {

// A row of the FAA list: its NOTAM number, type and description.
struct FaaRow
{
    QString notam;
    QString type;
    QString description;
    QString date = QStringLiteral("08/13/2021");
};

// The detail page's address relative to the list's directory, as the list links it.
QString detailLink(const QString &notam, bool upLevel = false);

// A list page in the shape of the real one: a table row per restriction with attributes on the
// rows, each cell's text inside an anchor to the detail page on a line of its own, CRLF line ends,
// and a trailing "New" of the description on a line of its own.
QString faaListPage(const std::vector<FaaRow> &rows, bool upLevelLinks = false);

// A detail page whose altitude block says `altitude`.
QString faaDetailPage(const QString &notam, const QString &altitude);

// The FAA's JSON list of the rows, in the shape public users of the feed report.
QByteArray faaFeed(const std::vector<FaaRow> &rows);

// An XML detail document with one area from the surface up to `upperValue` in `upperUnit`, drawn
// by `shape` (the elements of an "abdMergedArea": "Avx" vertices or a circle), if given.
QString faaDetailXml(const QString &notam, const QString &upperValue, const QString &upperUnit,
                     const QString &shape = {});

struct ZipEntry
{
    QString name;
    QByteArray data;
    bool symbolicLink = false; // `data` is then the link's target
};

// A zip archive holding the entries.
QByteArray makeZip(const std::vector<ZipEntry> &entries);

// The sample world of `today` (in Chicago): the FAA list with two current Brownsville "SPACE
// OPERATIONS" notices among others, their detail pages, the mirror archive, the county page with
// current closures, the Coast Guard's list of notices and their export, the launch schedule (a
// launch tomorrow, and /throttled/launches/ that answers 429 with Retry-After) and the version
// file.
// The live FAA list is the JSON feed with XML details; the mirror archive and /tfr2/list.html hold
// the old list page, /feed/faa.zip the feed. The restrictions' shapes come from the FAA's map
// service (/geoserver/TFR/ows: the first restriction's, and one of another restriction) and, for
// the second restriction, from its detail document (a circle of 5 NM around the pad);
// /broken/ows answers a web page. Broken variants for tests: /broken/faa.zip (an error
// page), /broken/getTfrList (a feed cut short), /broken/spacex/ (no closure table).
void install(httplib::Server &server, const QDate &today);

// The environment settings that point the program at a world on 127.0.0.1:`port`.
std::vector<std::pair<QString, QString>> addresses(int port);

} // namespace demo
