#pragma once

#include <QString>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <optional>

class WebViewDelegate
{
public:
    virtual ~WebViewDelegate() = default;
    virtual void didFinish() = 0;
    // A load failed after its content had started to arrive, or the page came with an HTTP error
    // status ("the server answered 503").
    virtual void didFail(const QString &error) = 0;
    // A load failed before anything arrived (no connection, unknown host, time-out), with a few
    // words on why.
    virtual void didFailBeforeContent(const QString &) { }
};

// An off-screen web page that loads an address and runs scripts in it. Main thread only; the
// delegate and the script completions are called there too.
class WebView
{
public:
    using ScriptCompletion
        = std::function<void(std::optional<QVariant> result, std::optional<QString> error)>;

    virtual ~WebView() = default;
    // Starts loading, replacing any load in progress. A load that fails before anything arrived
    // is reported only through didFailBeforeContent.
    virtual void load(const QUrl &url) = 0;
    virtual void evaluateJavaScript(const QString &script, ScriptCompletion completion) = 0;
    void setDelegate(WebViewDelegate *delegate) { m_delegate = delegate; }
    WebViewDelegate *delegate() const { return m_delegate; }

protected:
    WebViewDelegate *m_delegate = nullptr;
};
