#pragma once

#include "platform/webview.h"

#include <QByteArray>
#include <QObject>

#include <map>

class QJsonObject;
class QProcess;
class QTimer;

// The off-screen web page, run in the helper process `plumetrack-webview` so that the web engine's
// memory is given back when the helper ends. The helper is started on `load` and ended once it has
// been idle for a while; the two talk over the helper's standard input and output, one JSON
// object a line. A helper that dies during a load counts as a failed load.
class QtWebView final : public WebView
{
public:
    static constexpr int defaultIdleMilliseconds = 90'000;

    explicit QtWebView(QString helperPath = defaultHelperPath(),
                       int idleMilliseconds = defaultIdleMilliseconds);
    ~QtWebView() override;

    void load(const QUrl &url) override;
    void evaluateJavaScript(const QString &script, ScriptCompletion completion) override;

    bool isHelperRunning() const;
    // The helper's process id, 0 when none runs.
    qint64 helperProcessId() const;
    // ../libexec/plumetrack-webview beside the running program.
    static QString defaultHelperPath();

private:
    bool ensureHelper();
    void send(const QJsonObject &message);
    void readMessages();
    void handle(const QJsonObject &message);
    void helperEnded();
    void stopHelper();
    void failScripts(const QString &error);
    void complete(ScriptCompletion completion, std::optional<QVariant> result,
                  std::optional<QString> error);
    void touch();

    QString m_helperPath;
    QObject m_context;
    QProcess *m_process = nullptr;
    QTimer *m_idleTimer;
    QByteArray m_buffer;
    qint64 m_loadId = 0;
    bool m_loadPending = false;
    qint64 m_nextScriptId = 0;
    std::map<qint64, ScriptCompletion> m_scripts;
};
