#pragma once

#include <QString>
#include <QUrl>

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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
    LoopbackServer(const LoopbackServer &) = delete;
    LoopbackServer &operator=(const LoopbackServer &) = delete;

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

// A port on 127.0.0.1 that nothing listens on.
inline QUrl refusedUrl(const QString &path)
{
    // Take a free port from the kernel and give it back at once.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(fd);
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(ntohs(address.sin_port)).arg(path));
}
