// plumetrack-demo-server: a loopback world of sample sources for Plumetrack.
//
//   plumetrack-demo-server [--port N]
//
// Serves the sample FAA list, detail pages and mirror archive, county closures and bulletin list
// on 127.0.0.1 (dates relative to today, so the demo never goes stale), prints the settings that
// point the program at it, and runs until it is interrupted.

#include "demoworld.h"

#include <QByteArray>
#include <QDate>
#include <QTimeZone>

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
            port = std::atoi(argv[++i]);
        } else {
            std::fputs("usage: plumetrack-demo-server [--port N]\n",
                       std::strcmp(argv[i], "--help") == 0 ? stdout : stderr);
            return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
        }
    }

    httplib::Server server;
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
