#include "platform/qt/qthttpclient.h"

#include "loopbackserver.h"

#include "testing.h"

namespace {

// Every answer arrives once, off the main thread, also for a request made on a worker thread: a
// page (through a redirect); an error status with its body, the status and its text; an empty body
// present; no body but an error for a refused connection, a server that never answers and a body
// over the cap. The blocking read returns the body or the error.
TEST(QtHttpClient, EachAnswerArrivesOnceOffTheMainThread)
{
    // Declared before the server: the handlers still waiting on it read it while the server stops.
    std::atomic<bool> released = false;
    LoopbackServer server;
    auto &s = server.server();
    s.Get("/page", [](const httplib::Request &, httplib::Response &r) {
        r.set_content("<html>closures</html>", "text/html");
    });
    s.Get("/missing", [](const httplib::Request &, httplib::Response &r) {
        r.status = 404;
        r.set_content("<html>not here</html>", "text/html");
    });
    s.Get("/empty", [](const httplib::Request &, httplib::Response &r) { r.status = 200; });
    s.Get("/huge", [](const httplib::Request &, httplib::Response &r) {
        r.set_content(std::string(64 * 1024, 'x'), "text/plain");
    });
    s.Get("/silent", [&](const httplib::Request &, httplib::Response &) {
        for (int i = 0; i < 500 && !released; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    });
    s.Get("/drip", [&](const httplib::Request &, httplib::Response &r) {
        r.set_chunked_content_provider("text/html", [&](size_t, httplib::DataSink &sink) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            return !released && sink.write("x", 1);
        });
    });
    s.Get("/bomb", [](const httplib::Request &, httplib::Response &r) {
        // 64 MiB of zeros in a few kilobytes.
        r.set_content(qCompress(QByteArray(64 << 20, '\0'), 9).mid(4).toStdString(),
                      "application/octet-stream");
        r.set_header("Content-Encoding", "deflate");
    });
    s.Get("/latin1", [](const httplib::Request &, httplib::Response &r) {
        r.set_content("caf\xe9", "text/html; charset=ISO-8859-1");
    });
    s.Get("/tofile", [](const httplib::Request &, httplib::Response &r) {
        r.set_redirect("file:///etc/passwd");
    });
    s.Get("/redirect", [&server](const httplib::Request &, httplib::Response &r) {
        r.set_redirect(server.url("/page").toString().toStdString());
    });
    s.Get("/throttled", [](const httplib::Request &, httplib::Response &r) {
        r.status = 429;
        r.set_header("Retry-After", "120");
    });
    s.Get("/throttled-until", [](const httplib::Request &, httplib::Response &r) {
        r.status = 429;
        r.set_header("Retry-After",
                     QDateTime::currentDateTimeUtc()
                         .addSecs(600)
                         .toString(Qt::RFC2822Date)
                         .replace("+0000", "GMT")
                         .toStdString());
    });
    server.start();

    const std::tuple<const char *, int, qint64, std::optional<QByteArray>, const char *> cases[] = {
        {"/redirect", 60'000, 1 << 20, "<html>closures</html>", ""},
        {"/missing", 60'000, 1 << 20, "<html>not here</html>",
         "The server answered with status 404."},
        {"/empty", 60'000, 1 << 20, "", ""},
        {"refused", 60'000, 1 << 20, std::nullopt, "*"},
        {"/silent", 300, 1 << 20, std::nullopt, "The answer did not arrive within 0.3 s."},
        {"/huge", 60'000, 16 * 1024, std::nullopt, "The response is larger than 16384 bytes."},
        {"/drip", 300, 1 << 20, std::nullopt, "The answer did not arrive within 0.3 s."},
        {"/bomb", 60'000, 1 << 30, std::nullopt, "*the answer could not be decompressed"},
        {"/tofile", 60'000, 1 << 20, std::nullopt, "*a redirect was refused"},
        {"/latin1", 60'000, 1 << 20, "caf\xc3\xa9", ""},
    };
    for (const auto &[path, timeout, cap, body, error] : cases) {
        QtHttpClient client(timeout, cap);
        const QUrl url = QString(path) == "refused" ? refusedUrl("/page") : server.url(path);
        std::mutex mutex;
        std::optional<QByteArray> received;
        std::optional<HttpError> failure;
        std::atomic<int> calls = 0;
        std::atomic<bool> onMainThread = false;
        QThread *main = QThread::currentThread();
        std::thread([&] {
            client.get(url, HttpClient::Expect::html,
                       [&](std::optional<QByteArray> b, std::optional<HttpError> e) {
                           std::lock_guard lock(mutex);
                           received = std::move(b);
                           failure = std::move(e);
                           onMainThread = QThread::currentThread() == main;
                           ++calls;
                       });
        }).join();
        ASSERT_TRUE(waitFor([&] { return calls > 0; })) << path;
        waitFor([] { return false; }, 50); // a second completion would show up here
        std::lock_guard lock(mutex);
        EXPECT_EQ(calls, 1) << path;
        EXPECT_FALSE(onMainThread) << path;
        EXPECT_EQ(received, body) << path;
        EXPECT_EQ(failure ? failure->status : -1,
                  QString(path) == "/missing" ? 404
                      : failure               ? 0
                                              : -1);
        // "*": any failure, or one whose reason follows.
        EXPECT_TRUE(*error == '*' ? failure.has_value() && failure->reason.endsWith(error + 1)
                                  : failure.value_or(HttpError {""}).description == error)
            << path << (failure ? failure->description : QString());
        const HttpClient::Result read = client.getBlocking(url, HttpClient::Expect::json);
        EXPECT_EQ(read.body, body) << path;
        EXPECT_EQ(bool(read.error), bool(failure)) << path;
    }
    // How long a server asks to be left alone: seconds, or an HTTP date.
    for (const auto &[path, seconds] :
         {std::pair {"/throttled", 120.0}, std::pair {"/throttled-until", 600.0}}) {
        const HttpClient::Result read
            = QtHttpClient(60'000, 1 << 20).getBlocking(server.url(path), HttpClient::Expect::json);
        ASSERT_TRUE(read.error) << path;
        EXPECT_EQ(read.error->status, 429);
        EXPECT_NEAR(read.error->retryAfter.value_or(-1), seconds, 5) << path;
    }
    released = true;
}

} // namespace
