#pragma once

#include "platform/httpclient.h"

class QNetworkAccessManager;
class QNetworkReply;

// HTTP GET through QNetworkAccessManager. The manager lives on the thread that made the client
// (the main thread); requests made from other threads are handed to it, and completions run on
// the global thread pool.
class QtHttpClient final : public HttpClient
{
public:
    // `timeoutMs` is the inactivity timeout, `maximumBody` the body size cap; tests shrink them.
    explicit QtHttpClient(int timeoutMs = timeoutSeconds * 1000,
                          qint64 maximumBody = maximumBodySize);
    ~QtHttpClient() override;

    void get(const QUrl &url, Completion completion) override;
    Result getBlocking(const QUrl &url) override;

private:
    QNetworkReply *start(const QUrl &url, std::shared_ptr<bool> tooLarge);
    Result resultOf(QNetworkReply *reply, bool tooLarge) const;

    int m_timeoutMs;
    qint64 m_maximumBody;
    QNetworkAccessManager *m_manager;
};
