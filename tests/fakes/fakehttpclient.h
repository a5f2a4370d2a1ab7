#pragma once

#include "platform/httpclient.h"

#include <QString>

#include <map>
#include <mutex>
#include <vector>

// Records requests; the test answers them when and in the order it likes. Canned answers given
// with `serve` are delivered on `respondAll`.
class FakeHttpClient final : public HttpClient
{
public:
    struct Request
    {
        QUrl url;
        Completion completion;
    };

    void get(const QUrl &url, Completion completion) override;
    Result getBlocking(const QUrl &url) override;

    // Every URL requested so far, in order.
    std::vector<QUrl> requested() const;
    size_t pending() const;
    // Answers the oldest pending request for `url`; false when there is none.
    bool respond(const QUrl &url, std::optional<QByteArray> body,
                 std::optional<HttpError> error = std::nullopt);
    // A canned answer for a URL: served by respondAll and getBlocking.
    void serve(const QUrl &url, std::optional<QByteArray> body,
               std::optional<HttpError> error = std::nullopt);
    // Answers pending requests from the canned answers (a transport error for unknown URLs),
    // including requests made while answering, until none is left.
    void respondAll();

private:
    mutable std::mutex m_mutex;
    std::vector<Request> m_pending;
    std::vector<QUrl> m_requested;
    std::map<QString, Result> m_served;
};
