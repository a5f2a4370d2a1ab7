#include "demoworld.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimeZone>

#include <httplib.h>
#include <zip.h>

#include <sys/stat.h>

namespace demo {

QString detailLink(const QString &notam, bool upLevel)
{
    return QStringLiteral("%1save_pages/detail_%2.html")
        .arg(upLevel ? "../" : "", QString(notam).replace('/', '_'));
}

QString faaListPage(const std::vector<FaaRow> &rows, bool upLevelLinks)
{
    QStringList lines {"<html>", "<head><title>TFR List</title></head>", "<body>",
                       "<table width=\"970\" border=\"0\" cellpadding=\"2\">",
                       "<tr><td>Date</td><td>NOTAM</td><td>Facility</td><td>State</td>"
                       "<td>Type</td><td>Description</td></tr>"};
    bool odd = false;
    for (const FaaRow &row : rows) {
        const QString link = detailLink(row.notam, upLevelLinks);
        QString description = row.description;
        const bool isNew = description.endsWith(" New");
        if (isNew)
            description.chop(4);
        lines << QStringLiteral("<tr valign=\"top\" height=\"30\" bgcolor=\"%1\">")
                     .arg(odd ? "#EEEEEE" : "#FFFFFF");
        for (const QString &cell : {row.date, row.notam, QStringLiteral("ZHU"),
                                    QStringLiteral("TX"), row.type, description}) {
            lines << "<td class=\"tfr\">"
                  << QStringLiteral("<a href=\"%1\">%2</a>").arg(link, cell);
            if (isNew && cell == description)
                lines << "<font color=\"red\">New</font>";
            lines << "</td>";
        }
        lines << "</tr>"
              << "";
        odd = !odd;
    }
    lines << "</table>"
          << "</body>"
          << "</html>";
    return lines.join("\r\n");
}

QString faaDetailPage(const QString &notam, const QString &altitude)
{
    return QStringLiteral("<html><head><title>FAA TFR %1</title></head><body>\r\n<table>\r\n"
                          "<tr><td>NOTAM Number : FDC %1</td></tr>\r\n"
                          "<tr><td>Type : SPACE OPERATIONS</td></tr>\r\n"
                          "<tr><td>Airspace Definition:</td></tr>\r\n"
                          "<tr><td>Altitude: %2</td></tr>\r\n"
                          "<tr><td>Effective Date(s):</td></tr>\r\n"
                          "</table>\r\n</body></html>\r\n")
        .arg(notam, altitude);
}

QByteArray faaFeed(const std::vector<FaaRow> &rows)
{
    QJsonArray array;
    for (const FaaRow &row : rows) {
        // The list page writes "New" after the description; the feed says it in its own field.
        const bool isNew = row.description.endsWith(" New");
        array.append(
            QJsonObject {{"notam_id", row.notam},
                         {"facility", "ZHU"},
                         {"state", "TX"},
                         {"type", row.type},
                         {"description", isNew ? row.description.chopped(4) : row.description},
                         {"mod_date", row.date + " 18:08:00"},
                         {"is_new", isNew ? "Y" : "N"},
                         {"gid", row.notam}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QString faaDetailXml(const QString &notam, const QString &upperValue, const QString &upperUnit,
                     const QString &shape)
{
    return QStringLiteral(
               "<XNOTAM-Update xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
               "version=\"1.0\" origin=\"USNS\"><Group><Add><Not><NotUid><txtLocalName>%1"
               "</txtLocalName></NotUid><TfrNot><codeType>91.143</codeType><TFRAreaGroup>"
               "<aseTFRArea><AseUid><codeType>RAS</codeType></AseUid>"
               "<codeDistVerUpper>ALT</codeDistVerUpper><valDistVerUpper>%2</valDistVerUpper>"
               "<uomDistVerUpper>%3</uomDistVerUpper><codeDistVerLower>ALT</codeDistVerLower>"
               "<valDistVerLower>0</valDistVerLower><uomDistVerLower>FT</uomDistVerLower>"
               "<ScheduleGroup><codeTimeZone>UTC</codeTimeZone></ScheduleGroup></aseTFRArea>"
               "%4</TFRAreaGroup></TfrNot></Not></Add></Group></XNOTAM-Update>\n")
        .arg(notam, upperValue, upperUnit,
             shape.isEmpty() ? QString()
                             : QStringLiteral("<abdMergedArea>%1</abdMergedArea>").arg(shape));
}

QByteArray makeZip(const std::vector<ZipEntry> &entries)
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

namespace {

// "Monday, August 02, 2021", as the FAA writes its dates.
QString faaDate(const QDate &day)
{
    return day.toString(QStringLiteral("dddd, MMMM dd, yyyy"));
}

std::vector<FaaRow> faaRows(const QDate &today)
{
    const QString date = today.addDays(-2).toString(QStringLiteral("MM/dd/yyyy"));
    return {
        {"4/1001", "SPACE OPERATIONS",
         "BROWNSVILLE, TX, " + faaDate(today.addDays(-1)) + " through " + faaDate(today.addDays(5))
             + " UTC",
         date},
        {"4/1002", "HAZARDS",
         "30 NM SW OF GREAT FALLS, MT, " + faaDate(today) + " through " + faaDate(today.addDays(30))
             + " UTC",
         date},
        {"4/1003", "SPACE OPERATIONS",
         "BROWNSVILLE, TX, " + faaDate(today.addDays(10)) + " through " + faaDate(today.addDays(12))
             + " UTC New",
         date},
        {"4/1004", "SPACE OPERATIONS",
         "80NM S OF KODIAK, AK, " + faaDate(today.addDays(3)) + " through "
             + faaDate(today.addDays(6)) + " UTC",
         date},
        {"4/1005", "VIP", "Brownsville, TX, " + faaDate(today.addDays(1)) + " Local", date},
        {"4/1006", "SPACE OPERATIONS",
         "BROWNSVILLE, TX, " + faaDate(today.addDays(-30)) + " through "
             + faaDate(today.addDays(-20)) + " UTC",
         date},
    };
}

QString countyRow(const QString &type, const QDate &day, const QString &hours,
                  const QString &status)
{
    return QStringLiteral("<tr>\n<td>%1</td>\n<td style=\"text-align: center;\">%2</td>\n"
                          "<td style=\"text-align: center;\">%3</td>\n"
                          "<td style=\"text-align: center;\">%4</td>\n</tr>\n")
        .arg(type, day.toString(QStringLiteral("dddd, MMMM d, yyyy")), hours, status);
}

QString countyPage(const QDate &today, bool withTable)
{
    QString page = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><title>SpaceX | Cameron County</title></head><body>\n"
        "<h3>Public Notice of Cameron County Order to Temporarily Close State Highway 4 and "
        "Boca Chica Beach</h3>\n");
    if (withTable) {
        page
            += QStringLiteral("<table>\n<thead>\n<tr><th>Temp. Closure Date</th><th>Time of "
                              "Closure</th><th>Current Beach Status</th></tr>\n</thead>\n<tbody>\n")
            + countyRow("Primary Date", today.addDays(-6), "8:00 a.m. to 5:00 p.m.",
                        "Closure Concluded")
            + countyRow("Primary Date", today.addDays(1), "7:00 a.m. to 7:00 p.m.",
                        "Closure Scheduled")
            + countyRow("Alternative Date", today.addDays(2),
                        "7:00 a.m. to 11:00 a.m.<br />\n2:00 p.m. to 7:00 p.m.",
                        "Possible Closure<br />\nClosure Canceled")
            + countyRow("Alternative Date", today.addDays(3), "7:00 a.m. to 7:00 p.m.",
                        "Possible Closure")
            + QStringLiteral("</tbody>\n</table>\n<h3>Temporary and Intermittent State Highway 4 "
                             "Road Delay</h3>\n<table>\n<tbody>\n")
            + countyRow("Primary Date", today.addDays(4), "12 a.m. to 4 a.m.", "&nbsp;")
            + QStringLiteral("</tbody>\n</table>\n");
    } else {
        page += QStringLiteral("<p>There are no closures scheduled at this time.</p>\n");
    }
    return page
        + QStringLiteral("<p>For real time updates on Boca Chica closures, text "
                         "“BEACH” to 866-513-3475</p>\n</body></html>\n");
}

// The Coast Guard's notices to mariners of the district (reconstructed from public descriptions):
// the list rendered on the server, each notice an element of class "bnm_message" with its id, and
// their texts as the export's CSV. The newest launch notice is 0456; 0449 is an older one, 0451 a
// newer notice of no launch.
QString bulletinList()
{
    QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><title>Broadcast Notice to "
                                  "Mariners | NAVCEN</title></head><body>\n<div "
                                  "class=\"view-content\">\n");
    for (const auto &[guid, number, title] :
         {std::tuple {"69801581", "0456", "Launch hazard area off Boca Chica"},
          std::tuple {"69801599", "0451", "Aids to navigation discrepancy"},
          std::tuple {"69801440", "0449", "Launch hazard area off Boca Chica"}})
        page += QStringLiteral("<div class=\"views-row bnm_message\" id=\"%1\"><h3>CCGD8 BNM "
                               "%2-26</h3><p>%3</p></div>\n")
                    .arg(guid, number, title);
    return page + QStringLiteral("</div>\n</body></html>\n");
}

QString bulletinExport(const QDate &today)
{
    const QString month = today.addDays(2).toString(QStringLiteral("MMM")).toUpper();
    const QString day = today.addDays(2).toString(QStringLiteral("dd"));
    const auto published = [&today](int days) {
        return today.addDays(days).toString(QStringLiteral("yyyy-MM-dd")) + " 14:00:00";
    };
    return "Date_Time_Published_GMT,Message_ID,Originator,Criticality,Geographic_Area,"
           "Message_Body\r\n"
        + published(-1)
        + ",0456-26,CCGD8,Urgent,\"Gulf of America, Texas\",\"SpaceX launch hazard area off "
          "Boca Chica, Texas. Starship flight test, "
        + day + "2245Z TO " + day + "2356Z " + month
        + ".\nArea bound by 25-58.00N 097-13.00W, 26-02.00N 097-13.00W, 26-01.00N "
          "096-40.00W.\nMariners "
          "are requested to keep clear.\"\r\n"
        + published(0)
        + ",0451-26,CCGD8,Routine,\"Louisiana\",\"Aids to navigation discrepancy: buoy 12 off "
          "station.\"\r\n"
        + published(-5)
        + ",0449-26,CCGD8,Urgent,\"Texas\",\"Rocket launch hazard area off Boca Chica, Texas. "
          "Earlier window.\"\r\n";
}

// The City of Starbase's beach and road access page (reconstructed from public descriptions): two
// beach lines, two road delays of which the first is over, and the hidden "No road delays."
// placeholder beside them.
QString starbasePage(const QDate &today)
{
    const auto day
        = [&today](int days) { return today.addDays(days).toString(QStringLiteral("MMMM d")); };
    return QStringLiteral(R"(<!DOCTYPE html>
<html><head><title>Beach &amp; Road Access | City of Starbase</title></head><body>
<div id="rich-bar-message" class="ticker">Beach closed %1 | Road delay %3</div>
<h2>BEACH Access Status</h2>
<div id="beach-closure" class="collection-list-wrapper w-dyn-list">
  <div role="list" class="w-dyn-items">
    <div role="listitem" class="w-dyn-item">
      <div class="cms-big-text">Beach &amp; Boca Chica Blvd Closure</div>
      <div class="w-richtext"><p>Primary: %1 from 1:00 PM to 11:00 PM CT<br>Backup: %2 from 1:00 PM to 11:00 PM CT</p></div>
    </div>
  </div>
</div>
<h2>Road Updates</h2>
<div id="road-closure" class="collection-list-wrapper w-dyn-list">
  <div role="list" class="w-dyn-items">
    <div role="listitem" class="w-dyn-item cms-item-2">
      <div class="cms-big-text">Road Delay</div>
      <div class="rich-text w-richtext"><p>Description: Production to Pad<br/>Date: %4 11:59 PM to %5 4:00 AM<br/><br/>Description: Pad to Production<br />Date: %3 11:59 PM to %6 4:00 AM</p></div>
    </div>
  </div>
  <div class="cms-big-text empty-state w-condition-invisible">No road delays.</div>
</div>
<h3>Public Notice of Mayor&#8217;s Order</h3>
<p>Order to temporarily close State Highway 4 and Boca Chica Beach.</p>
</body></html>
)")
        .arg(day(1), day(2), day(3), day(-6), day(-5), day(4));
}

// NGA's broadcast warnings in the feed's shape: two launch warnings near the pad, and one off
// Florida that the program leaves out.
QByteArray navigationalWarnings(const QDate &today)
{
    const QString month = today.toString(QStringLiteral("MMM")).toUpper();
    const int year = today.year();
    const auto warning = [year](int number, const QString &text) {
        return QJsonObject {
            {"msgYear", year},        {"msgNumber", number},   {"navArea", "4"},
            {"subregion", "11,28"},   {"text", text},          {"status", "A"},
            {"issueDate", "070735Z"}, {"authority", "SPACEX"}, {"cancelDate", QJsonValue::Null}};
    };
    const QString day = today.addDays(2).toString(QStringLiteral("dd"));
    const QString near = "GULF OF AMERICA.\n1. HAZARDOUS OPERATIONS, ROCKET LAUNCHING\n   " + day
        + "2245Z TO " + day + "2356Z " + month
        + ", ALTERNATE\n   IN AREA BOUND BY\n   A. 25-58.00N 097-13.00W, 26-02.00N 097-13.00W,\n"
          "      26-01.00N 096-40.00W.\n2. CANCEL THIS MSG.\n";
    const QString debris = "GULF OF AMERICA.\n1. HAZARDOUS OPERATIONS, SPACE DEBRIS\n   " + day
        + "2300Z TO " + day + "2359Z " + month
        + "\n   IN AREA BOUND BY 25-59-49N 097-09-22W,\n   26-10-00N 096-20-00W.\n";
    const QString florida
        = "WESTERN NORTH ATLANTIC.\nFLORIDA.\n1. HAZARDOUS OPERATIONS, ROCKET LAUNCHING\n"
          "   191218Z TO 191647Z\n   IN AREA BOUND BY 28-38.47N 080-37.31W, 28-38.00N "
          "080-32.00W.\n";
    return QJsonDocument(QJsonObject {{"broadcast-warn",
                                       QJsonArray {warning(704, near), warning(712, debris),
                                                   warning(705, florida)}}})
        .toJson(QJsonDocument::Compact);
}

// The FAA map service's current restrictions in its GeoJSON shape: the first Brownsville
// restriction's polygon around the pad, and a restriction elsewhere.
QByteArray faaAreas()
{
    const auto feature = [](const char *key, const QJsonArray &ring) {
        QJsonArray rings; // appended: "{ring}" would copy the ring with some compilers
        rings.append(ring);
        return QJsonObject {
            {"type", "Feature"},
            {"id", QString("V_TFR_LOC.") + key},
            {"geometry", QJsonObject {{"type", "Polygon"}, {"coordinates", rings}}},
            {"properties", QJsonObject {{"NOTAM_KEY", key}, {"CNS_LOCATION_ID", "ZHU"}}}};
    };
    const QJsonArray aroundThePad {QJsonArray {-97.40, 25.85}, QJsonArray {-96.80, 25.85},
                                   QJsonArray {-96.80, 26.20}, QJsonArray {-97.40, 26.20},
                                   QJsonArray {-97.40, 25.85}};
    const QJsonArray elsewhere {QJsonArray {-80.70, 28.50}, QJsonArray {-80.50, 28.50},
                                QJsonArray {-80.50, 28.70}, QJsonArray {-80.70, 28.50}};
    return QJsonDocument(QJsonObject {{"type", "FeatureCollection"},
                                      {"features",
                                       QJsonArray {feature("4/1001-1-FDC-F", aroundThePad),
                                                   feature("4/7777-1-FDC-F", elsewhere)}},
                                      {"totalFeatures", 2}})
        .toJson(QJsonDocument::Compact);
}

// The launch schedule in Launch Library 2's shape: a launch tomorrow at 5:30 PM in Brownsville
// with its window (which the FAA's first restriction and the closures of the day cover), and one
// later in the month known to the day only, not yet confirmed.
QByteArray launchSchedule(const QDate &today)
{
    const QTimeZone chicago("America/Chicago");
    const auto at = [&](int days, int hour, int minute) {
        return QDateTime(today.addDays(days), QTime(hour, minute), chicago)
            .toUTC()
            .toString(Qt::ISODate);
    };
    const QJsonObject pad {{"name", "Orbital Launch Mount A"},
                           {"latitude", "25.99702"},
                           {"longitude", "-97.15703"},
                           {"location", QJsonObject {{"id", 143}, {"name", "Starbase, TX, USA"}}}};
    const QJsonArray results {
        QJsonObject {
            {"id", "5c6f6b4e-0c16-4b0e-9d44-6f1c1c1a1a12"},
            {"name", "Starship | Flight 12"},
            {"status", QJsonObject {{"id", 1}, {"name", "Go for Launch"}, {"abbrev", "Go"}}},
            {"net", at(1, 17, 30)},
            {"net_precision", QJsonObject {{"name", "Minute"}, {"abbrev", "MIN"}}},
            {"window_start", at(1, 17, 0)},
            {"window_end", at(1, 19, 0)},
            {"pad", pad}},
        QJsonObject {
            {"id", "8d2b1e0f-77aa-4c61-b6f5-2f3e9b0c7d13"},
            {"name", "Starship | Flight 13"},
            {"status", QJsonObject {{"id", 2}, {"name", "To Be Determined"}, {"abbrev", "TBD"}}},
            {"net", at(20, 12, 0)},
            {"net_precision", QJsonObject {{"name", "Day"}, {"abbrev", "DAY"}}},
            {"pad", pad}}};
    return QJsonDocument(QJsonObject {{"count", 2},
                                      {"next", QJsonValue::Null},
                                      {"previous", QJsonValue::Null},
                                      {"results", results}})
        .toJson(QJsonDocument::Compact);
}

void serve(httplib::Response &response, const QString &body, const char *type = "text/html")
{
    response.set_content(body.toStdString(), type);
}

} // namespace

void install(httplib::Server &server, const QDate &today)
{
    const std::vector<FaaRow> rows = faaRows(today);
    const QString list = faaListPage(rows);
    const std::string archive = makeZip({{"faa.html", list.toUtf8()}}).toStdString();
    const QByteArray feed = faaFeed(rows);
    const std::string feedArchive = makeZip({{"faa.html", feed}}).toStdString();

    server.Get("/tfr2/list.html",
               [list](const httplib::Request &, httplib::Response &r) { serve(r, list); });
    server.Get(R"(/tfr2/save_pages/detail_(\d+)_(\d+)\.html)",
               [](const httplib::Request &request, httplib::Response &r) {
                   const QString notam = QString::fromStdString(request.matches[1].str() + "/"
                                                                + request.matches[2].str());
                   serve(r,
                         faaDetailPage(notam,
                                       notam.endsWith("1") ? "From the surface up to and including "
                                                             "UNLIMITED"
                                                           : "From the surface up to and including "
                                                             "18000 feet MSL"));
               });
    server.Get("/tfrapi/getTfrList", [feed](const httplib::Request &, httplib::Response &r) {
        r.set_content(feed.toStdString(), "application/json");
    });
    server.Get("/quiet/getTfrList", [](const httplib::Request &, httplib::Response &r) {
        r.set_content("[]", "application/json"); // a day without restrictions
    });
    server.Get("/broken/getTfrList", [feed](const httplib::Request &, httplib::Response &r) {
        r.set_content(feed.left(feed.size() / 2).toStdString(), "application/json");
    });
    server.Get(R"(/download/detail_(\d+)_(\d+)\.xml)",
               [](const httplib::Request &request, httplib::Response &r) {
                   const QString notam = QString::fromStdString(request.matches[1].str() + "/"
                                                                + request.matches[2].str());
                   const bool unlimited = notam.endsWith("1");
                   // The second restriction draws a circle of 5 NM around the pad.
                   const QString circle = QStringLiteral(
                       "<Avx><codeDatum>WGE</codeDatum><codeType>CWA</codeType>"
                       "<geoLat>26.08003333N</geoLat><geoLong>097.15440000W</geoLong>"
                       "<geoLatArc>25.99670000N</geoLatArc><geoLongArc>097.15440000W</geoLongArc>"
                       "<valRadiusArc>5</valRadiusArc><uomRadiusArc>NM</uomRadiusArc></Avx>");
                   serve(r,
                         faaDetailXml(notam, unlimited ? "UNL" : "180", unlimited ? "FT" : "FL",
                                      unlimited ? QString() : circle),
                         "text/xml");
               });
    server.Get("/feed/faa.zip", [feedArchive](const httplib::Request &, httplib::Response &r) {
        r.set_content(feedArchive, "application/zip");
    });
    server.Get("/plumetrack/data/faa.zip",
               [archive](const httplib::Request &, httplib::Response &r) {
                   r.set_content(archive, "application/zip");
               });
    // Pages in shapes the program does not read: an outage notice where a list belongs, an
    // archive holding one, the bulletin list answered with an error status, the city's page with
    // a block that holds neither rows nor a placeholder.
    const QString outage
        = QStringLiteral("<!DOCTYPE html><html><body><h1>We will be back soon</h1></body></html>");
    server.Get("/maintenance",
               [outage](const httplib::Request &, httplib::Response &r) { serve(r, outage); });
    const std::string outageArchive = makeZip({{"faa.html", outage.toUtf8()}}).toStdString();
    server.Get("/listless/faa.zip",
               [outageArchive](const httplib::Request &, httplib::Response &r) {
                   r.set_content(outageArchive, "application/zip");
               });
    server.Get("/broken/broadcast-notice-to-mariners-search-results",
               [](const httplib::Request &, httplib::Response &r) {
                   r.status = 503;
                   serve(r, "<html><body><h1>503 Service Unavailable</h1></body></html>");
               });
    server.Get("/broken/beach-road-access", [](const httplib::Request &, httplib::Response &r) {
        serve(r,
              "<html><body><div id=\"beach-closure\"><div class=\"w-dyn-item\"><div "
              "class=\"notice-body\">See the order of the mayor</div></div></div></body></html>");
    });
    server.Get("/broken/faa.zip", [](const httplib::Request &, httplib::Response &r) {
        r.status = 502;
        serve(r, "<html><body><h1>502 Bad Gateway</h1></body></html>");
    });
    server.Get("/spacex/", [today](const httplib::Request &, httplib::Response &r) {
        serve(r, countyPage(today, true));
    });
    server.Get("/broken/spacex/", [today](const httplib::Request &, httplib::Response &r) {
        serve(r, countyPage(today, false));
    });
    server.Get("/beach-road-access", [today](const httplib::Request &, httplib::Response &r) {
        serve(r, starbasePage(today));
    });
    server.Get("/api/publications/broadcast-warn",
               [today](const httplib::Request &, httplib::Response &r) {
                   r.set_content(navigationalWarnings(today).toStdString(), "application/json");
               });
    server.Get("/NavWarnings", [](const httplib::Request &, httplib::Response &r) {
        serve(r, "<html><body><h1>Navigational Warnings</h1></body></html>");
    });
    server.Get("/broadcast-notice-to-mariners-search-results",
               [](const httplib::Request &, httplib::Response &r) { serve(r, bulletinList()); });
    server.Get("/broadcast-notice-to-mariners-message-export-csv",
               [today](const httplib::Request &, httplib::Response &r) {
                   serve(r, bulletinExport(today), "text/csv");
               });
    server.Get("/plumetrack/PlumetrackInfo.json", [](const httplib::Request &, httplib::Response &r) {
        serve(
            r,
            R"({"latestAppBuild": 1, "latestAppVersionReadable": "0.1.0", "appWebsite": "/plumetrack"})",
            "application/json");
    });
    server.Get("/geoserver/TFR/ows", [](const httplib::Request &, httplib::Response &r) {
        r.set_content(faaAreas().toStdString(), "application/json");
    });
    server.Get("/broken/ows", [](const httplib::Request &, httplib::Response &r) {
        serve(r, "<html><body><h1>Service Unavailable</h1></body></html>");
    });
    server.Get("/2.3.0/launches/upcoming/",
               [today](const httplib::Request &, httplib::Response &r) {
                   r.set_content(launchSchedule(today).toStdString(), "application/json");
               });
    // A keyless client over its hourly allowance.
    server.Get("/throttled/launches/", [](const httplib::Request &, httplib::Response &r) {
        r.status = 429;
        r.set_header("Retry-After", "3600");
        r.set_content(R"({"detail": "Request was throttled. Expected available in 3600 seconds."})",
                      "application/json");
    });
    server.Get("/plumetrack", [](const httplib::Request &, httplib::Response &r) {
        serve(r,
              "<html><body><h1>Plumetrack</h1><p>Launch notices in your tray.</p></body></html>");
    });
}

std::vector<std::pair<QString, QString>> addresses(int port)
{
    const QString root = QStringLiteral("http://127.0.0.1:%1").arg(port);
    return {
        {"PLUMETRACK_FAA_LIST_URL", root + "/tfrapi/getTfrList"},
        {"PLUMETRACK_FAA_PAGE_URL", root + "/tfr3/?page=list"},
        {"PLUMETRACK_MIRROR_URL", root + "/plumetrack/data/faa.zip"},
        {"PLUMETRACK_COUNTY_URL", root + "/spacex/"},
        {"PLUMETRACK_STARBASE_URL", root + "/beach-road-access"},
        {"PLUMETRACK_NAVWARN_URL",
         root + "/api/publications/broadcast-warn?navArea=4&status=active&output=json"},
        {"PLUMETRACK_NAVWARN_PAGE_URL", root + "/NavWarnings"},
        {"PLUMETRACK_MSIB_URL",
         root
             + "/broadcast-notice-to-mariners-search-results?district=8&sector=0&items_per_page="
               "50"},
        {"PLUMETRACK_VERSION_INFO_URL", root + "/plumetrack/PlumetrackInfo.json"},
        {"PLUMETRACK_WEBSITE_URL", root + "/plumetrack"},
        {"PLUMETRACK_FAA_AREAS_URL",
         root
             + "/geoserver/TFR/ows?service=WFS&version=1.1.0&request=GetFeature&typeName=TFR:"
               "V_TFR_LOC&maxFeatures=300&outputFormat=application/json&srsname=EPSG:4326"},
        {"PLUMETRACK_LAUNCHES_URL",
         root + "/2.3.0/launches/upcoming/?location__ids=143&limit=10&mode=normal&ordering=net"},
    };
}

} // namespace demo
