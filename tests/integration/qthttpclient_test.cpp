#include "platform/qt/qthttpclient.h"

#include "loopbackserver.h"
#include "waitfor.h"

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>

namespace {

struct Outcome
{
    std::mutex mutex;
    std::optional<QByteArray> body;
    std::optional<HttpError> error;
    std::atomic<int> calls = 0;
    std::atomic<bool> onMainThread = false;
};

class QtHttpClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
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
        s.Get("/silent", [this](const httplib::Request &, httplib::Response &r) {
            std::unique_lock lock(releaseMutex);
            release.wait_for(lock, std::chrono::seconds(5), [this] { return released; });
            r.set_content("late", "text/plain");
        });
        s.Get("/redirect-to-page", [this](const httplib::Request &, httplib::Response &r) {
            r.set_redirect(server.url("/page").toString().toStdString());
        });
        server.start();
    }
    void TearDown() override
    {
        {
            std::lock_guard lock(releaseMutex);
            released = true;
        }
        release.notify_all();
        server.stop();
    }

    void fetch(QtHttpClient &client, const QUrl &url, Outcome &outcome)
    {
        QThread *main = QThread::currentThread();
        client.get(
            url, [&outcome, main](std::optional<QByteArray> body, std::optional<HttpError> error) {
                std::lock_guard lock(outcome.mutex);
                outcome.body = std::move(body);
                outcome.error = std::move(error);
                outcome.onMainThread = QThread::currentThread() == main;
                ++outcome.calls;
            });
        ASSERT_TRUE(waitFor([&] { return outcome.calls > 0; }));
        waitFor([] { return false; }, 50); // a second completion would show up here
    }

    LoopbackServer server;
    std::mutex releaseMutex;
    std::condition_variable release;
    bool released = false;
};

// Every answer arrives once, off the main thread: a page; an error status with its body and the
// status; an empty body present; no body but an error for a refused connection, a server that
// never answers and a body over the cap.
TEST_F(QtHttpClientTest, EachAnswerArrivesOnceOffTheMainThread)
{
    const std::tuple<const char *, int, qint64, std::optional<QByteArray>, int> cases[] = {
        {"/page", 60'000, 1 << 20, "<html>closures</html>", -1},
        {"/missing", 60'000, 1 << 20, "<html>not here</html>", 404},
        {"/empty", 60'000, 1 << 20, "", -1},
        {"refused", 60'000, 1 << 20, std::nullopt, 0},
        {"/silent", 300, 1 << 20, std::nullopt, 0},
        {"/huge", 60'000, 16 * 1024, std::nullopt, 0},
    };
    for (const auto &[path, timeout, cap, body, status] : cases) {
        QtHttpClient client(timeout, cap);
        Outcome outcome;
        fetch(client, QString(path) == "refused" ? refusedUrl("/page") : server.url(path), outcome);
        EXPECT_EQ(outcome.calls, 1) << path;
        EXPECT_FALSE(outcome.onMainThread) << path;
        EXPECT_EQ(outcome.body, body) << path;
        EXPECT_EQ(outcome.error ? outcome.error->status : -1, status) << path;
        EXPECT_TRUE(status <= 0
                    || outcome.error->description == "The server answered with status 404.");
    }
}

TEST_F(QtHttpClientTest, RequestsFromAWorkerThreadAreServedToo)
{
    QtHttpClient client;
    Outcome outcome;
    std::thread worker([&] {
        client.get(server.url("/redirect-to-page"),
                   [&outcome](std::optional<QByteArray> body, std::optional<HttpError>) {
                       std::lock_guard lock(outcome.mutex);
                       outcome.body = std::move(body);
                       ++outcome.calls;
                   });
    });
    worker.join();
    ASSERT_TRUE(waitFor([&] { return outcome.calls > 0; }));
    EXPECT_EQ(outcome.body, QByteArray("<html>closures</html>")) << "redirects are followed";
}

TEST_F(QtHttpClientTest, TheBlockingReadReturnsTheBodyOrAnError)
{
    QtHttpClient client;
    const auto page = client.getBlocking(server.url("/page"));
    EXPECT_EQ(page.body, QByteArray("<html>closures</html>"));
    const auto refused = client.getBlocking(refusedUrl("/x"));
    EXPECT_TRUE(refused.error);
    EXPECT_FALSE(refused.body);
}

} // namespace
