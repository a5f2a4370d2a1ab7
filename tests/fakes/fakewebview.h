#pragma once

#include "platform/webview.h"

#include <QStringList>

#include <vector>

// Records loads and scripts; the test finishes or fails the load and answers the scripts.
class FakeWebView final : public WebView
{
public:
    void load(const QUrl &url) override { m_loads.push_back(url); }
    void evaluateJavaScript(const QString &script, ScriptCompletion completion) override
    {
        m_scripts << script;
        m_completions.push_back(std::move(completion));
    }

    const std::vector<QUrl> &loads() const { return m_loads; }
    const QStringList &scripts() const { return m_scripts; }
    size_t pendingScripts() const { return m_completions.size(); }

    void finish() { m_delegate->didFinish(); }
    void fail() { m_delegate->didFail(QStringLiteral("The network connection was lost.")); }
    void failBeforeContent() { m_delegate->didFailBeforeContent(); }
    // Answers every script waiting for its result.
    void answerScripts(const std::optional<QVariant> &result,
                       const std::optional<QString> &error = std::nullopt)
    {
        for (auto &completion : std::exchange(m_completions, {}))
            completion(result, error);
    }

private:
    std::vector<QUrl> m_loads;
    QStringList m_scripts;
    std::vector<ScriptCompletion> m_completions;
};
