#pragma once

#include <QString>
#include <QUrl>

#include <httplib.h>

#include <chrono>
#include <thread>

// A cpp-httplib server on 127.0.0.1 and a free port, running on its own thread from construction
// to destruction.
class LoopbackServer
{
public:
    // One request per connection, so that stopping never waits for an idle keep-alive.
    LoopbackServer() { m_server.set_keep_alive_max_count(1); }
    ~LoopbackServer() { stop(); }

    httplib::Server &server() { return m_server; }

    void start()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void stop()
    {
        if (m_thread.joinable()) {
            m_server.stop();
            m_thread.join();
        }
    }
    int port() const { return m_port; }
    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};

// An address on 127.0.0.1 that nothing listens on: a server's, once it has stopped.
inline QUrl refusedUrl(const QString &path)
{
    LoopbackServer server;
    server.start();
    return server.url(path);
}
