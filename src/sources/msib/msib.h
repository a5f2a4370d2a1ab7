#pragma once

#include "notices/notice.h"
#include "platform/webview.h"
#include "sources/scraperenvironment.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <limits>
#include <memory>

class ScraperDelegate;
class Timer;

// Watches the Coast Guard's bulletin list. The page is rendered off-screen; once it has loaded,
// its document is read back through a script every 15 seconds for about a minute, and the line
// that names a "SpaceX Hazard Area" is reported as the bulletin's one notice.
class MSIB final : public WebViewDelegate, public std::enable_shared_from_this<MSIB>
{
public:
    static constexpr double pollingInterval = 15.0;
    static constexpr double pollingTimeLimit = 60.0;

    explicit MSIB(ScraperEnvironment environment);
    ~MSIB() override;
    MSIB(const MSIB &) = delete;
    MSIB &operator=(const MSIB &) = delete;

    ScraperDelegate *delegate() const { return m_delegate; }
    void setDelegate(ScraperDelegate *delegate) { m_delegate = delegate; }

    // The bulletin list page.
    const QUrl &link() const { return m_environment.addresses.msib; }

    // Starts loading the page; results come later through the delegate.
    void check();

    bool spaceXHazardAreaMentioned() const { return m_spaceXHazardAreaMentioned; }
    // The page has been read at least once.
    bool hasRead() const { return m_hasRead; }
    const QString &documentTitle() const { return m_documentTitle; }

    void didFinish() override;
    void didFail(const QString &error) override;
    void didFailBeforeContent(const QString &reason) override;

    // Reads the rendered document once.
    void checkWebContent();
    // Finds the line that names the marker, and reports it as a notice, or none.
    void parse(const QString &html);

private:
    void tick();

    ScraperEnvironment m_environment;
    std::unique_ptr<WebView> m_webView;
    std::shared_ptr<Timer> m_checkTimer;
    double m_checkTimerStartTime = std::numeric_limits<double>::infinity();
    ScraperDelegate *m_delegate = nullptr;
    bool m_spaceXHazardAreaMentioned = false;
    bool m_hasRead = false;
    QString m_documentTitle;
};
