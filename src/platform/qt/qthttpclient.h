#pragma once

#include "platform/httpclient.h"

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// HTTP GET through QNetworkAccessManager. The manager lives on the thread that made the client
// (the main thread); requests made from other threads are handed to it, and completions run on
// the global thread pool.
class QtHttpClient final : public HttpClient
{
public:
    // `timeoutMs` bounds a request: no answer arrives, or no data for as long, or the whole answer
    // has not arrived that long after the request started (a server that trickles it).
    // `maximumBody` is the body size cap. Tests shrink both.
    explicit QtHttpClient(int timeoutMs = timeoutSeconds * 1000,
                          qint64 maximumBody = maximumBodySize);
    ~QtHttpClient() override;

    void get(const QUrl &url, Expect expect, Completion completion) override;
    Result getBlocking(const QUrl &url, Expect expect) override;
    // Every request names the program: "Plumetrack/0.1.0 (+https://…)". Set before the first.
    void setUserAgent(const QByteArray &userAgent) { m_userAgent = userAgent; }

private:
    // What stopped a request before its answer was complete.
    struct Stop
    {
        bool tooLarge = false;
        bool late = false;
    };

    QNetworkReply *start(const QUrl &url, Expect expect, const std::shared_ptr<Stop> &stop);
    Result resultOf(QNetworkReply *reply, const Stop &stop) const;
    static QByteArray bodyOf(QNetworkReply *reply);

    int m_timeoutMs;
    qint64 m_maximumBody;
    QNetworkAccessManager *m_manager;
    QByteArray m_userAgent;
};
