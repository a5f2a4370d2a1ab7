// The built program, run headless with --once against the demo world.
#include "demoworld.h"
#include "loopbackserver.h"
#include "sessionbus.h"
#include "testing.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <set>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
    qint64 milliseconds = 0;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

class OnceEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        demo::install(server.server(),
                      QDateTime::currentDateTime().toTimeZone(QTimeZone("America/Chicago")).date());
        server.server().set_logger(
            [this](const httplib::Request &request, const httplib::Response &) {
                std::lock_guard lock(mutex);
                paths.insert(request.path);
                headers[request.path] = request.get_header_value("User-Agent") + " | "
                    + request.get_header_value("Accept");
            });
        server.start();
        for (const auto &[name, value] : demo::addresses(server.port()))
            environment.insert(name, value);
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("XDG_CACHE_HOME", home.filePath("cache"));
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        environment.insert("XDG_RUNTIME_DIR", home.path());
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        storeSetting("");
    }

    void TearDown() override { server.stop(); }

    Outcome run(const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        process.start(PLUMETRACK_PROGRAM, arguments);
        EXPECT_TRUE(process.waitForFinished(120'000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError()), timer.elapsed()};
    }

    // Writes the settings file: `lines` after "[General]". The launch schedule is off unless the
    // lines name it: its section is looked at by the tests about launches.
    void storeSetting(const QString &lines)
    {
        QDir().mkpath(home.filePath("config/Plumetrack"));
        QFile file(home.filePath("config/Plumetrack/Plumetrack.conf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QString launches = lines.contains("launches=") ? ""
            : lines.contains("[Sources]")                    ? "\nlaunches=false"
                                                             : "\n[Sources]\nlaunches=false";
        file.write(("[General]\n" + lines + launches + "\n").toUtf8());
    }

    bool requested(const std::string &path)
    {
        std::lock_guard lock(mutex);
        return paths.count(path) > 0;
    }

    static QStringList titles(const QJsonObject &output)
    {
        QStringList result;
        for (const QJsonValue &entry : output["menu"].toArray())
            result << (entry["separator"].toBool() ? "---" : entry["title"].toString());
        return result;
    }

    // The paths requested; declared before the server, whose handlers write them.
    std::mutex mutex;
    std::set<std::string> paths;
    std::map<std::string, std::string> headers; // "User-Agent | Accept" of each path

    LoopbackServer server;
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(OnceEndToEnd, ACleanFirstCheckShowsTheWholeMenu)
{
    storeSetting("[Sources]\nlaunches=true");
    const Outcome result = run({"--once", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QJsonObject output = result.json();
    EXPECT_EQ(output["status"].toString(), "🚀");
    EXPECT_EQ(QJsonDocument(output["sources"].toObject()).toJson(QJsonDocument::Compact),
              R"({"bulletin":"ok","county":"ok","faa":"ok","launches":"ok","navwarn":"ok",)"
              R"("starbase":"ok"})");
    QStringList menu = titles(output);
    // The launches first: tomorrow's, covered by the FAA's first restriction and the closures of
    // the day, and one in three weeks known to the day; then where notices of two kinds meet with
    // no launch (the beach backup, the warnings and the restriction, the day after).
    const qsizetype roads = menu.indexOf("🚗 Road Closures");
    ASSERT_GT(roads, 5) << menu.join('|');
    EXPECT_EQ(menu[0], "🗓 Upcoming Launches");
    EXPECT_TRUE(menu[1].startsWith("Starship | Flight 12  ")) << menu[1];
    EXPECT_EQ(menu[2],
              "    Covered by: TFR 4/1001, road closure "
                  + QDateTime::currentDateTime()
                        .toTimeZone(QTimeZone("America/Chicago"))
                        .date()
                        .addDays(1)
                        .toString("MMM d")
                  + ", beach closure " + menu[2].section(", beach closure ", 1));
    EXPECT_TRUE(menu[3].startsWith("Starship | Flight 13  ") && menu[3].endsWith(" (TBD)"))
        << menu[3];
    EXPECT_EQ(menu[4], "    No notice covers this window yet");
    EXPECT_TRUE(menu[5].startsWith("Possible launch activity  ")) << menu[5];
    const QJsonArray launches = output["launches"].toArray();
    ASSERT_EQ(launches.size(), 2);
    EXPECT_EQ(launches[0]["name"].toString(), "Starship | Flight 12");
    EXPECT_EQ(launches[0]["status"].toString(), "Go");
    QStringList covering;
    for (const QJsonValue &key : launches[0]["notices"].toArray())
        covering << key.toString().section('-', 0, 0);
    EXPECT_EQ(covering, (QStringList {"faa", "county", "starbase"}));
    EXPECT_TRUE(launches[1]["window_start"].isNull());
    EXPECT_TRUE(launches[1]["notices"].toArray().isEmpty());
    const QJsonArray possible = output["possible"].toArray();
    ASSERT_FALSE(possible.isEmpty());
    for (const QJsonValue &span : possible)
        EXPECT_GE(span["notices"].toArray().size(), 2);
    EXPECT_EQ(headers["/2.3.0/launches/upcoming/"].substr(
                  headers["/2.3.0/launches/upcoming/"].find(" | ")),
              " | application/json, */*;q=0.8");
    menu = menu.mid(roads);
    ASSERT_EQ(menu.size(), 19) << menu.join('|');
    // The county's rows without the concluded closure of last week, then the city's without the
    // road delay that is over; the FAA's earlier restriction first; the bulletin's line, then the
    // launch warnings near the pad, newest first, without the one off Florida.
    const QStringList starts
        = QString::fromUtf8("🚗 Road Closures|Primary: |Alternative: |Alternative: |Alternative: |"
                            "Beach Primary                            |Beach Backup |"
                            "Road Delay: Pad to Production |---|✈️ Flight Restrictions|||---|"
                            "🛳 Maritime Safety Bulletin (Latest Only)|     CCGD8 BNM 0456-26: |"
                            "NAVAREA IV 712/|NAVAREA IV 704/|---|Last Checked: ")
              .split('|');
    for (qsizetype i = 0; i < menu.size(); ++i)
        EXPECT_TRUE(menu[i].startsWith(starts[i])) << menu[i];
    EXPECT_TRUE(menu[3].endsWith("Closure Canceled"));
    EXPECT_TRUE(menu[5].endsWith(" from 1:00 PM to 11:00 PM CT"));
    EXPECT_TRUE(menu[10].endsWith(" Unlimited"));
    EXPECT_TRUE(menu[11].endsWith(" 18000 feet"));
    EXPECT_TRUE(menu[14].endsWith(": SpaceX launch hazard area off Boca Chica, Texas."));
    EXPECT_TRUE(menu[16].contains(" HAZARDOUS OPERATIONS, ROCKET LAUNCHING "));
    const QJsonArray entries = output["menu"].toArray();
    EXPECT_TRUE(entries[roads + 10]["enabled"].toBool());
    EXPECT_EQ(entries[roads + 10]["columns"].toArray()[1].toString(), " Unlimited");
    EXPECT_FALSE(entries[roads + 18]["enabled"].toBool());
    // The notices in full, by key.
    QStringList keys;
    for (const QJsonValue &notice : output["notices"].toArray())
        keys << notice["key"].toString();
    EXPECT_EQ(
        keys.filter(QRegularExpression("^(faa-4-100[13]|navwarn-navarea-iv-7(04|12)-\\d\\d)$"))
            .size(),
        4)
        << keys.join(' ');
    EXPECT_TRUE(requested("/plumetrack/data/faa.zip"));
    EXPECT_FALSE(requested("/tfr2/list.html")) << "the mirror replaces the list page";
    EXPECT_TRUE(requested("/tfr2/save_pages/detail_4_1001.html"));
    // Every request names the program and says what it expects.
    const std::string agent
        = "Plumetrack/0.1.0 (+" + server.url("/plumetrack").toString().toStdString();
    for (const auto &[path, accept] :
         {std::pair {"/plumetrack/data/faa.zip", "application/zip"},
          std::pair {"/tfr2/save_pages/detail_4_1001.html", "text/html"},
          std::pair {"/spacex/", "text/html"}, std::pair {"/beach-road-access", "text/html"},
          std::pair {"/api/publications/broadcast-warn", "application/json"},
          std::pair {"/broadcast-notice-to-mariners-search-results", "text/html"},
          std::pair {"/broadcast-notice-to-mariners-message-export-csv", "text/csv"}})
        EXPECT_EQ(headers[path], agent + ") | " + accept + ", */*;q=0.8") << path;
}

// Each way the FAA list reaches the menu: the live feed with XML details, the old list page with
// HTML details, the feed inside the mirror archive, a broken mirror falling back to the live feed;
// and pages without what the program reads, each a failure of its source alone (a feed cut short
// keeps "None" from reading as "no restrictions"), the rest of the menu standing.
TEST_F(OnceEndToEnd, EveryShapeOfAListAndPagesWithoutOne)
{
    const QProcessEnvironment saved = environment;
    for (const QString &row : cases("once-runs")) {
        const QStringList f = row.split(" ~ ");
        environment = saved;
        storeSetting("UseMirror=" + f[0]);
        for (const QString &address : f[1].split(' '))
            environment.insert("PLUMETRACK_" + address.section('=', 0, 0) + "_URL",
                               server.url(address.section('=', 1)).toString());
        const Outcome result = run({"--once", "--json"});
        const QJsonObject output = result.json();
        const QStringList menu = titles(output);
        const bool ok = !f[3].endsWith(" failed");
        EXPECT_TRUE(requested(f[2].toStdString())) << row;
        const QString source = f[3].section(' ', 0, 0);
        EXPECT_EQ(output["sources"].toObject()[source].toString(), f[3].section(' ', 1)) << row;
        EXPECT_EQ(output["problems"].toObject().keys(), ok ? QStringList() : QStringList {source})
            << row;
        EXPECT_EQ(menu.filter(" not read at ").size(), ok ? 0 : 1) << row;
        if (f.size() > 5) {
            EXPECT_EQ(output["problems"].toObject()[source].toString(), f[5]) << row;
        }
        if (f[3].endsWith(" off")) {
            EXPECT_FALSE(requested(f[1].section('=', 1).toStdString())) << row;
        }
        EXPECT_FALSE(menu.contains("    None")) << row;
        EXPECT_EQ(result.exitCode, ok ? 0 : 1) << row;
        EXPECT_EQ(output["status"].toString(), ok ? "🚀" : "🚀👎") << row;
        EXPECT_EQ(menu.size(), f[4].toInt()) << row << menu.join('|');
        EXPECT_TRUE(
            !ok
            || (menu.value(10).endsWith(" Unlimited") && menu.value(11).endsWith(" 18000 feet")))
            << row;
    }
}

// Text: the title and one line per entry; waybar's JSON line; i3blocks' (and polybar's) three
// lines without canceled closures, red when a source failed. A bar hides a module whose command
// fails: the status-bar formats exit 0 with the failure in their class and colour.
TEST_F(OnceEndToEnd, TextAndStatusBarFormats)
{
    Outcome result = run({"--once"});
    const QStringList lines = result.out.split('\n');
    EXPECT_EQ(lines.mid(0, 2), (QStringList {"🚀", "🚗 Road Closures"}));
    EXPECT_EQ(lines[9], "") << "a separator";
    EXPECT_TRUE(lines[19].startsWith("Last Checked: "));
    EXPECT_EQ(result.err, "") << "quiet by default";
    result = run({"--once", "--verbose"});
    EXPECT_TRUE(result.err.contains("[plumetrack.faa] FAA detail ")) << result.err;
    EXPECT_FALSE(result.out.contains("FAA detail ")) << "diagnostics stay off standard output";
    result = run({"--once", "--format", "waybar"});
    EXPECT_EQ(result.out.count('\n'), 1);
    const QJsonObject line = result.json();
    EXPECT_EQ(line.keys(), (QStringList {"alt", "class", "text", "tooltip"}));
    EXPECT_EQ(line["text"].toString(), "🚀");
    EXPECT_EQ(line["class"].toString(), "ok");
    const QStringList tooltip = line["tooltip"].toString().split('\n');
    EXPECT_TRUE(tooltip[0].startsWith("🚗 Next closure: ")) << tooltip[0];
    EXPECT_TRUE(tooltip[1].startsWith("✈️ Next restriction: now, until ")) << tooltip[1];
    EXPECT_TRUE(tooltip[2].startsWith("🛳 Next hazard area: ")) << tooltip[2];
    EXPECT_EQ(tooltip[3], "🚗 Road Closures");
    EXPECT_EQ(run({"--once", "--format", "i3blocks"}).out, "🚀 6 closures · 2 TFRs\n🚀\n\n");
    // A source switched off is no count of zero.
    storeSetting("[Sources]\nfaa=false");
    EXPECT_EQ(run({"--once", "--format", "i3blocks"}).out, "🚀 6 closures\n🚀\n\n");
    storeSetting(
        "[Sources]\nfaa=false\ncounty=false\nstarbase=false\nbulletin=false\nnavwarn=false");
    EXPECT_EQ(run({"--once", "--format", "i3blocks"}).out, "🚀 all sources off\n🚀\n\n");
    storeSetting("");
    // One event per window shown: two restrictions, four county rows, three city rows, the Coast
    // Guard's notice and two warnings.
    result = run({"--once", "--format", "ics"});
    EXPECT_TRUE(result.out.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n")) << result.out;
    EXPECT_EQ(result.out.count("BEGIN:VEVENT\r\n"), 12) << result.out;
    environment.insert("PLUMETRACK_COUNTY_URL", server.url("/broken/spacex/").toString());
    result = run({"--once", "--format", "waybar"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.json()["class"].toString(), "failed");
    result = run({"--once", "--format", "i3blocks"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "🚀👎 ? closures · 2 TFRs\n🚀👎\n#FF5555\n");
    EXPECT_EQ(run({"--once"}).exitCode, 1) << "text and json keep their exit status";
}

// The places of the notices: the restriction's shape from the FAA's map service around the pad,
// the warning's polygon, the closed road, the launch site; shapes that could not be read leave
// the list as it is and say so in the picture, which is an SVG document of 1024 x 768.
TEST_F(OnceEndToEnd, TheMapOfWhatIsClosed)
{
    Outcome result = run({"--once", "--format", "geojson"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const QJsonObject collection = result.json();
    EXPECT_EQ(collection["type"].toString(), "FeatureCollection");
    std::map<QString, QJsonObject> geometries;
    for (const QJsonValue &feature : collection["features"].toArray()) {
        EXPECT_EQ(feature["type"].toString(), "Feature");
        geometries[feature["properties"]["key"].toString()] = feature["geometry"].toObject();
    }
    // The pad inside the restriction's outer ring (even-odd rule over longitude, latitude).
    const double x = geometries["pad"]["coordinates"][0].toDouble();
    const double y = geometries["pad"]["coordinates"][1].toDouble();
    EXPECT_EQ(geometries["faa-4-1001"]["type"].toString(), "Polygon");
    const QJsonArray ring = geometries["faa-4-1001"]["coordinates"][0].toArray();
    bool inside = false;
    for (qsizetype i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const double xi = ring[i][0].toDouble(), yi = ring[i][1].toDouble();
        const double xj = ring[j][0].toDouble(), yj = ring[j][1].toDouble();
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    EXPECT_TRUE(inside);
    EXPECT_EQ(geometries["navwarn-navarea-iv-704-26"]["type"].toString(), "Polygon");
    QStringList roads;
    for (const auto &[key, geometry] : geometries) {
        if (key.startsWith("county-"))
            roads << geometry["type"].toString();
    }
    EXPECT_EQ(roads, QStringList(3, "MultiLineString")) << "the highway and the beach";

    result = run({"--once", "--format", "svg"});
    QXmlStreamReader svg(result.out);
    ASSERT_TRUE(svg.readNextStartElement());
    EXPECT_EQ(svg.name(), QString("svg"));
    EXPECT_EQ(svg.attributes().value("viewBox"), QString("0 0 1024 768"));
    while (!svg.atEnd())
        svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString();

    environment.insert("PLUMETRACK_FAA_AREAS_URL", server.url("/broken/ows").toString());
    result = run({"--once", "--json"});
    EXPECT_EQ(result.exitCode, 0) << "the list stands";
    EXPECT_EQ(result.json()["sources"].toObject()["faa"].toString(), "ok");
    EXPECT_TRUE(run({"--once", "--format", "svg"})
                    .out.contains("FAA areas not read: the areas could not be read"));
}

// The program's texts follow the user's languages (LANGUAGE first), dates LC_TIME; the rows stay
// as the sources wrote them. A day without restrictions shows "None" in the language chosen.
TEST_F(OnceEndToEnd, TheUsersLanguage)
{
    storeSetting("UseMirror=false");
    const QString feed = environment.value("PLUMETRACK_FAA_LIST_URL");
    environment.insert("PLUMETRACK_FAA_LIST_URL", server.url("/quiet/getTfrList").toString());
    const QDate today = QDateTime::currentDateTimeUtc().date();
    for (const auto &[language, lang, title, none, checked] :
         {std::tuple {"", "es_MX.UTF-8", "🚗 Cierres de carreteras", "    Sin avisos",
                      "Última revisión: " + today.toString("dd/MM/yy")},
          std::tuple {"es", "en_US.UTF-8", "🚗 Cierres de carreteras", "    Sin avisos",
                      "Última revisión: " + today.toString("M/d/yy")},
          std::tuple {"", "de_DE.UTF-8", "🚗 Road Closures", "    None",
                      "Last Checked: " + today.toString("dd.MM.yy")}}) {
        environment.insert("LANGUAGE", language);
        environment.insert("LANG", lang);
        environment.remove("LC_ALL");
        const QStringList lines = run({"--once", "--timeout", "30"}).out.split('\n');
        EXPECT_EQ(lines.value(1), title) << lang;
        EXPECT_TRUE(lines.contains(none)) << lines.join('|');
        EXPECT_TRUE(lines.filter(checked).size() == 1) << checked << lines.join('|');
        EXPECT_EQ(lines.filter(QRegularExpression(" Closure Canceled$")).size(), 1)
            << "the rows as the county wrote them";
    }

    // In Spanish, over the demo world and a world that refuses every connection, no English word
    // of the program's own: in the section titles, the state lines, the restrictions' rows (their
    // days and altitudes are the program's words) and the status-bar line. Rows of the other
    // sections quote their sources.
    environment.insert("LANGUAGE", "");
    environment.insert("LANG", "es_MX.UTF-8");
    environment.insert("PLUMETRACK_FAA_LIST_URL", feed);
    storeSetting("UseMirror=false\n[Sources]\nlaunches=true");
    const QStringList english {"None",      "not read", "no answer", "refused",      "feet",
                               "Unlimited", " to ",     "closure",   "Last Checked", "shown",
                               "until",     "sources",  "answered",  "Next"};
    const auto ownWords = [](const QJsonObject &output) {
        QStringList own;
        bool first = true;
        bool flights = false;
        for (const QJsonValue &entry : output["menu"].toArray()) {
            if (entry["separator"].toBool()) {
                first = true;
                continue;
            }
            const QString title = entry["title"].toString();
            if (first)
                flights = title.startsWith("✈️");
            if (first || flights || !entry["enabled"].toBool())
                own << title;
            first = false;
        }
        return own;
    };
    for (const bool refused : {false, true}) {
        if (refused)
            for (const char *name :
                 {"FAA_LIST", "MIRROR", "COUNTY", "MSIB", "STARBASE", "NAVWARN", "LAUNCHES"})
                environment.insert(QString("PLUMETRACK_%1_URL").arg(name),
                                   refusedUrl("/").toString());
        QStringList own = ownWords(run({"--once", "--json"}).json());
        own << run({"--once", "--format", "i3blocks"}).out.split('\n');
        EXPECT_GE(own.size(), refused ? 12 : 14) << own.join('|');
        for (const QString &line : own)
            for (const QString &word : english)
                EXPECT_FALSE(line.contains(word)) << word << " in " << line;
    }
}

// Refused connections end the wait at once, and a check that read nothing says so in every
// section, never "None"; a silent source is not reached after the time-out.
TEST_F(OnceEndToEnd, SourcesThatDoNotAnswer)
{
    for (const char *name : {"FAA_LIST", "MIRROR", "COUNTY", "MSIB", "STARBASE", "NAVWARN"})
        environment.insert(QString("PLUMETRACK_%1_URL").arg(name), refusedUrl("/").toString());
    Outcome result = run({"--once", "--json"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_LT(result.milliseconds, 20'000);
    const QJsonObject output = result.json();
    EXPECT_EQ(output["status"].toString(), "🚀👎");
    for (const char *source : {"faa", "county", "starbase", "bulletin", "navwarn"}) {
        EXPECT_EQ(output["sources"].toObject()[source].toString(), "failed");
        EXPECT_EQ(output["problems"].toObject()[source].toString(),
                  "no answer (connection refused)")
            << source;
    }
    const QStringList menu = titles(output);
    EXPECT_FALSE(menu.contains("    None"));
    EXPECT_EQ(menu.filter(": no answer (connection refused)").size(), 5) << menu.join('|');
    EXPECT_EQ(menu.count("    Not read yet"), 3);

    server.server().Get("/silent/", [](const httplib::Request &, httplib::Response &r) {
        std::this_thread::sleep_for(std::chrono::seconds(4));
        r.set_content("late", "text/html");
    });
    environment.insert("PLUMETRACK_COUNTY_URL", server.url("/silent/").toString());
    result = run({"--once", "--json", "--timeout", "2"});
    EXPECT_EQ(result.json()["sources"].toObject()["county"].toString(), "failed");
    EXPECT_EQ(result.json()["problems"].toObject()["county"].toString(), "no answer within 2 s");
    EXPECT_LT(result.milliseconds, 4'000);
}

// Qt's own arguments are Qt's: a session manager's and a platform choice.
TEST_F(OnceEndToEnd, HelpVersionAndUnknownArguments)
{
    EXPECT_TRUE(run({"--help"}).out.startsWith("usage: plumetrack"));
    for (const QStringList &arguments :
         {QStringList {"--version"}, QStringList {"-session", "10abc_123", "--version"},
          QStringList {"-platform", "offscreen", "--version"}}) {
        const Outcome result = run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(result.out.startsWith("Plumetrack ") && result.out.contains(" (build "))
            << arguments.join(' ');
    }
    const Outcome result = run({"--frobnicate"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains("usage: plumetrack"));
}

// ---- the tray program, on a status-notifier host of the test's own
// --------------------------------

// "id label" of every entry of a com.canonical.dbusmenu layout, depth first.
void collect(const QDBusArgument &argument, QStringList &entries)
{
    int id = 0;
    QVariantMap properties;
    argument.beginStructure();
    argument >> id >> properties;
    entries << QString::number(id) + " " + properties.value("label").toString();
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        collect(qvariant_cast<QDBusArgument>(child.variant()), entries);
    }
    argument.endArray();
    argument.endStructure();
}

// The tray program under Xvfb on a private session bus where the test is the status-notifier
// host: its menu, read and clicked over D-Bus as a panel does. Choosing a period checks at once;
// an entry whose place is unchanged keeps its D-Bus id from one check to the next, and "Quit
// Plumetrack" ends the program cleanly (under the asan preset: without any sanitizer report; under
// valgrind, see HACKING).
TEST_F(OnceEndToEnd, TheTrayProgramKeepsItsMenuIdsAndQuitsThroughItsMenu)
{
    if (QStandardPaths::findExecutable("xvfb-run").isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed (scripts/setup installs it)";
    SessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "no dbus-daemon";
    QDBusConnection connection = bus.connection();
    QString item;
    TestBusObject watcher(
        R"(<interface name="org.kde.StatusNotifierWatcher">
             <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
             <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
             <property name="ProtocolVersion" type="i" access="read"/>
           </interface>)",
        [&item](const QDBusMessage &call) -> QVariantList {
            if (call.member() == "RegisterStatusNotifierItem") {
                item = call.arguments().value(0).toString();
                item = item.startsWith('/') ? call.service() : item;
                return {};
            }
            const QVariantMap properties {{"IsStatusNotifierHostRegistered", true},
                                          {"ProtocolVersion", 0}};
            if (call.member() == "GetAll")
                return {properties};
            return {QVariant::fromValue(
                QDBusVariant(properties.value(call.arguments().value(1).toString())))};
        });
    ASSERT_TRUE(connection.registerVirtualObject("/StatusNotifierWatcher", &watcher));
    ASSERT_TRUE(connection.registerService("org.kde.StatusNotifierWatcher"));

    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    environment.insert("QT_LOGGING_RULES", "plumetrack.tray.debug=true");
    QProcess tray;
    tray.setProcessEnvironment(environment);
    // PLUMETRACK_E2E_WRAPPER runs the program under a tool, e.g. "valgrind --error-exitcode=3".
    tray.start("xvfb-run",
               QStringList {"-a"}
                   + qEnvironmentVariable("PLUMETRACK_E2E_WRAPPER").split(' ', Qt::SkipEmptyParts)
                   + QStringList {PLUMETRACK_PROGRAM});
    const auto menu = [&](const QString &member, const QVariantList &arguments) {
        QDBusMessage call
            = QDBusMessage::createMethodCall(item, "/MenuBar", "com.canonical.dbusmenu", member);
        call.setArguments(arguments);
        return connection.call(call);
    };
    const auto layout = [&] {
        QStringList entries;
        const QDBusMessage reply
            = item.isEmpty() ? QDBusMessage() : menu("GetLayout", {0, -1, QStringList()});
        if (reply.arguments().size() == 2)
            collect(qvariant_cast<QDBusArgument>(reply.arguments()[1]), entries);
        return entries.join('\n');
    };
    QString first;
    ASSERT_TRUE(waitFor(
        [&] {
            first = layout();
            return first.contains(" NAVAREA IV 704/") && first.contains(" Beach Primary")
                && first.contains(" CCGD8 BNM 0456-26: ") && first.contains(" Primary: ")
                && first.contains(" Unlimited\n");
        },
        240'000))
        << "the first check's menu; stderr: " << tray.readAllStandardError();
    EXPECT_TRUE(first.contains(" NGA Navigational Warnings\n")) << "the Sources submenu's entries";
    // Two more checks, as a user asks for them: a period chosen in the menu checks at once. The
    // map is open meanwhile, follows them and is still open at Quit.
    const auto click = [&](const QString &label) {
        const QString id = layout().section(" " + label, 0, 0).section('\n', -1);
        menu("Event", {id.toInt(), QString("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
    };
    click("Show Map…");
    for (const char *period : {"Refresh Every 5 Minutes", "Refresh Every 10 Minutes"}) {
        click(period);
        waitFor([] { return false; }, 2000);
    }
    const QString later = layout();
    const auto ids = [](const QString &entries) {
        return QString(entries).replace(QRegularExpression(" [^\n]*"), "");
    };
    EXPECT_EQ(ids(later), ids(first)) << later;
    EXPECT_TRUE(readFile(home.filePath("data/plumetrack/plumetrack.ics")).count("BEGIN:VEVENT") > 5)
        << "the calendar the tray keeps";
    click("Quit Plumetrack");
    ASSERT_TRUE(waitFor([&] { return tray.state() == QProcess::NotRunning; }, 120'000));
    const QString errors = QString::fromUtf8(tray.readAllStandardError());
    EXPECT_EQ(tray.exitCode(), 0) << errors;
    EXPECT_TRUE(errors.contains("map window opened") && errors.contains("map window gone"))
        << errors;
    EXPECT_FALSE(errors.contains("AddressSanitizer") || errors.contains("runtime error")) << errors;
}

} // namespace
