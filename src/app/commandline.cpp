#include "commandline.h"

#include <algorithm>
#include <iterator>

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    bool once = false;
    bool onceOptions = false;
    const auto invalid = [&line](const QString &problem) {
        line.mode = Mode::Invalid;
        line.problem = problem;
        return line;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.mode = Mode::Help;
            return line;
        }
        if (argument == QLatin1String("--version")) {
            line.mode = Mode::Version;
            return line;
        }
        if (argument == QLatin1String("--once")) {
            once = true;
        } else if (argument == QLatin1String("--verbose")) {
            line.verbose = true;
        } else if (argument == QLatin1String("--json")) {
            line.format = Format::json;
            onceOptions = true;
        } else if (argument == QLatin1String("--format")) {
            static const std::pair<const char *, Format> formats[]
                = {{"text", Format::text},     {"json", Format::json},
                   {"waybar", Format::waybar}, {"i3blocks", Format::i3blocks},
                   {"ics", Format::ics},       {"geojson", Format::geojson},
                   {"svg", Format::svg}};
            const QString name = i + 1 < arguments.size() ? arguments[i + 1] : QString();
            const auto it = std::find_if(std::begin(formats), std::end(formats),
                                         [&name](const auto &f) { return name == f.first; });
            if (it == std::end(formats))
                return invalid(QStringLiteral(
                    "--format needs text, json, waybar, i3blocks, ics, geojson or svg"));
            line.format = it->second;
            onceOptions = true;
            ++i;
        } else if (argument == QLatin1String("--timeout")) {
            bool ok = false;
            const double seconds = i + 1 < arguments.size() ? arguments[i + 1].toDouble(&ok) : 0;
            if (!ok || !(seconds > 0))
                return invalid(QStringLiteral("--timeout needs a number of seconds above 0"));
            line.timeoutSeconds = seconds;
            onceOptions = true;
            ++i;
        } else {
            return invalid(QStringLiteral("unknown argument: %1").arg(argument));
        }
    }
    if (onceOptions && !once)
        return invalid(QStringLiteral("--json, --format and --timeout go with --once"));
    if (once)
        line.mode = Mode::Once;
    return line;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "usage: plumetrack [--verbose] [--once [--format FORMAT | --json] [--timeout SECONDS]]\n"
        "       plumetrack --help | --version\n"
        "\n"
        "Without arguments Plumetrack runs in the tray: the launches scheduled at Starbase, FAA\n"
        "flight restrictions, road closures of Cameron County and the City of Starbase, the Coast\n"
        "Guard's notices and the navigational warnings about launch activity around Brownsville,\n"
        "TX, with a map of what is closed.\n"
        "\n"
        "  --once              check every source once, headless, print the status title and\n"
        "                      the menu as the tray would show it, and exit: 0 when every source\n"
        "                      switched on was read, 1 when any failed or did not answer (the\n"
        "                      waybar and i3blocks formats exit 0 and show the failure)\n"
        "  --format FORMAT     text (the default), json (one JSON object), waybar (one JSON line\n"
        "                      for a waybar custom module) or i3blocks (three lines for i3blocks\n"
        "                      or polybar), ics (an iCalendar of the windows shown), geojson\n"
        "                      (the places of the notices shown, a GeoJSON FeatureCollection)\n"
        "                      or svg (the map of them, 1024 x 768)\n"
        "  --json              the same as --format json\n"
        "  --timeout SECONDS   stop waiting for silent sources after SECONDS (default 90)\n"
        "  --verbose           write the diagnostics of every source to standard error (as\n"
        "                      QT_LOGGING_RULES=\"plumetrack.*.debug=true\" does)\n"
        "  --help              show this text\n"
        "  --version           show the version and build\n");
}

QString CommandLine::version(qint64 build)
{
    return QStringLiteral("Plumetrack %1 (build %2)")
        .arg(QStringLiteral(PLUMETRACK_VERSION))
        .arg(build);
}
