// plumetrack-demo-server: a loopback world of sample sources for Plumetrack.
//
//   plumetrack-demo-server [--port N] [--log]
//
// Serves the sample FAA list, detail pages and mirror archive, county closures and bulletin list
// on 127.0.0.1 (dates relative to today, so the demo never goes stale), prints the settings that
// point the program at it, and runs until it is interrupted. With --log it writes a line for each
// request to standard error ("12:00:05 GET /path?query 200"), to see what the program asks for and
// when.

#include "demoworld.h"

#include <QByteArray>
#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

httplib::Server *running = nullptr;

void stop(int)
{
    if (running)
        running->stop();
}

} // namespace

int main(int argc, char **argv)
{
    int port = 0;
    bool log = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
            port = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--log") == 0) {
            log = true;
        } else {
            std::fputs("usage: plumetrack-demo-server [--port N] [--log]\n",
                       std::strcmp(argv[i], "--help") == 0 ? stdout : stderr);
            return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
        }
    }

    httplib::Server server;
    if (log) {
        server.set_logger([](const httplib::Request &request, const httplib::Response &response) {
            std::string target = request.path;
            for (auto it = request.params.begin(); it != request.params.end(); ++it)
                target += (it == request.params.begin() ? "?" : "&") + it->first + "=" + it->second;
            std::fprintf(stderr, "%s %s %s %d\n",
                         qPrintable(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))),
                         request.method.c_str(), target.c_str(), response.status);
            std::fflush(stderr);
        });
    }
    demo::install(server,
                  QDateTime::currentDateTime().toTimeZone(QTimeZone("America/Chicago")).date());
    if (port == 0)
        port = server.bind_to_any_port("127.0.0.1");
    else if (!server.bind_to_port("127.0.0.1", port))
        port = -1;
    if (port <= 0) {
        std::fputs("plumetrack-demo-server: cannot listen on that port\n", stderr);
        return 1;
    }
    for (const auto &[name, value] : demo::addresses(port))
        std::printf("export %s='%s'\n", qPrintable(name), qPrintable(value));
    std::fflush(stdout);

    running = &server;
    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    server.listen_after_bind();
    return 0;
}
