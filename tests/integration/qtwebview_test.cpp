#include "platform/qt/qtwebview.h"

#include "loopbackserver.h"

#include "testing.h"

#include <csignal>

namespace {

struct Recorder : WebViewDelegate
{
    int finished = 0;
    int failed = 0;
    void didFinish() override { ++finished; }
    void didFail(const QString &) override { ++failed; }
};

// The list is written by a script after the page loads, as the bulletin list is.
const char *scriptedPage = "<ul id=\"list\"></ul><script>setTimeout(function () { document."
                           "getElementById('list').innerHTML = '<li>MSIB 123-26</li>\\n<li>"
                           "Bulletin: SpaceX Hazard Area</li>\\n'; }, 0);</script>";

class QtWebViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto &s = server.server();
        s.Get("/msib", [](const httplib::Request &, httplib::Response &r) {
            r.set_content(scriptedPage, "text/html");
        });
        s.Get("/broken", [](const httplib::Request &, httplib::Response &r) {
            r.set_content_provider(
                200000, "text/html", [](size_t offset, size_t, httplib::DataSink &sink) {
                    if (offset > 0)
                        return false; // the connection drops mid-body
                    const std::string part = "<html><body>" + std::string(4000, 'a');
                    sink.write(part.data(), part.size());
                    return true;
                });
        });
        s.Get("/hang", [this](const httplib::Request &, httplib::Response &) {
            for (int i = 0; i < 2000 && !stopping; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        });
        server.start();
    }
    void TearDown() override
    {
        stopping = true;
        server.stop();
    }

    // Runs a script and waits for its result.
    static std::optional<QVariant> run(QtWebView &view, const QString &script)
    {
        std::optional<QVariant> result;
        bool done = false;
        view.evaluateJavaScript(script, [&](std::optional<QVariant> value, std::optional<QString>) {
            result = std::move(value);
            done = true;
        });
        EXPECT_TRUE(waitFor([&] { return done; }, 30'000));
        return result;
    }

    LoopbackServer server;
    std::atomic<bool> stopping = false;
    Recorder recorder;
};

// A script-written page is read back as its rendered HTML; script results keep their types. The
// bulletin watcher's script completion may hold the last reference to the watcher, and with it to
// the view: dropping the view from its own completion is safe (run under the asan preset).
TEST_F(QtWebViewTest, AScriptWrittenPageIsReadBackAsItsRenderedHTML)
{
    auto view = std::make_shared<QtWebView>();
    view->setDelegate(&recorder);
    view->load(server.url("/msib"));
    ASSERT_TRUE(waitFor([&] { return recorder.finished == 1; }, 60'000));
    QString html;
    waitFor(
        [&] {
            html = run(*view, "document.documentElement.outerHTML.toString()")
                       .value_or(QVariant())
                       .toString();
            return html.contains("SpaceX Hazard Area");
        },
        30'000);
    EXPECT_TRUE(html.contains("<li>Bulletin: SpaceX Hazard Area</li>\n")) << html;
    const std::optional<QVariant> number = run(*view, "6 * 7");
    ASSERT_TRUE(number);
    EXPECT_NE(number->typeId(), QMetaType::QString);
    EXPECT_EQ(number->toInt(), 42);
    EXPECT_EQ(recorder.failed, 0);

    std::weak_ptr<QtWebView> watched = view;
    bool done = false;
    view->evaluateJavaScript(
        "1",
        [&done, owner = std::move(view)](std::optional<QVariant>, std::optional<QString>) mutable {
            owner.reset();
            done = true;
        });
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_TRUE(watched.expired());
}

// A load that fails mid-body is a failed load, as is one whose helper was killed; a refused
// connection is not reported (the next check tries again), and the idle helper ends.
TEST_F(QtWebViewTest, LoadsThatFail)
{
    QtWebView view(QtWebView::defaultHelperPath(), 3000);
    view.setDelegate(&recorder);
    view.load(server.url("/broken"));
    ASSERT_TRUE(waitFor([&] { return recorder.failed + recorder.finished > 0; }, 60'000));
    EXPECT_EQ(std::pair(recorder.failed, recorder.finished), std::pair(1, 0));
    view.load(server.url("/hang"));
    waitFor([] { return false; }, 500);
    ::kill(pid_t(view.helperProcessId()), SIGKILL);
    ASSERT_TRUE(waitFor([&] { return recorder.failed > 1; }, 10'000));
    EXPECT_EQ(recorder.failed, 2);
    view.load(refusedUrl("/msib"));
    EXPECT_TRUE(view.isHelperRunning());
    waitFor([] { return false; }, 2000);
    EXPECT_TRUE(waitFor([&] { return !view.isHelperRunning(); }, 10'000));
    EXPECT_EQ(std::pair(recorder.failed, recorder.finished), std::pair(2, 0));
}

} // namespace
