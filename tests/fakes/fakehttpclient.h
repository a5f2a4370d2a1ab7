#pragma once

#include "platform/httpclient.h"

#include <QString>

#include <map>
#include <vector>

// Records requests; the test answers them when and in the order it likes. Canned answers given
// with `serve` are delivered by `respondAll` and `getBlocking`; unknown addresses are refused.
class FakeHttpClient final : public HttpClient
{
public:
    void get(const QUrl &url, Completion completion) override
    {
        m_requested.push_back(url);
        m_pending.push_back({url, std::move(completion)});
    }
    Result getBlocking(const QUrl &url) override
    {
        m_requested.push_back(url);
        return served(url);
    }

    // Every URL requested so far, in order.
    const std::vector<QUrl> &requested() const { return m_requested; }
    size_t pending() const { return m_pending.size(); }
    // Answers the oldest pending request for `url`; false when there is none.
    bool respond(const QUrl &url, std::optional<QByteArray> body,
                 std::optional<HttpError> error = std::nullopt)
    {
        const auto it = std::find_if(m_pending.begin(), m_pending.end(),
                                     [&](const auto &request) { return request.first == url; });
        if (it == m_pending.end())
            return false;
        const Completion completion = std::move(it->second);
        m_pending.erase(it);
        completion(std::move(body), std::move(error));
        return true;
    }
    void serve(const QUrl &url, std::optional<QByteArray> body,
               std::optional<HttpError> error = std::nullopt)
    {
        m_served[url.toString()] = Result {std::move(body), std::move(error)};
    }
    // Answers pending requests from the canned answers, including requests made while answering,
    // until none is left.
    void respondAll()
    {
        while (!m_pending.empty()) {
            const auto [url, completion] = m_pending.front();
            m_pending.erase(m_pending.begin());
            const Result result = served(url);
            completion(result.body, result.error);
        }
    }

private:
    Result served(const QUrl &url) const
    {
        const auto it = m_served.find(url.toString());
        return it != m_served.end() ? it->second
                                    : Result {std::nullopt, HttpError {"Could not connect."}};
    }

    std::vector<std::pair<QUrl, Completion>> m_pending;
    std::vector<QUrl> m_requested;
    std::map<QString, Result> m_served;
};
