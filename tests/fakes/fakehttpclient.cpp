#include "fakehttpclient.h"

void FakeHttpClient::get(const QUrl &url, Completion completion)
{
    std::lock_guard lock(m_mutex);
    m_requested.push_back(url);
    m_pending.push_back({url, std::move(completion)});
}

HttpClient::Result FakeHttpClient::getBlocking(const QUrl &url)
{
    std::lock_guard lock(m_mutex);
    m_requested.push_back(url);
    const auto it = m_served.find(url.toString());
    if (it == m_served.end())
        return {std::nullopt, HttpError {QStringLiteral("Could not connect to the server.")}};
    return it->second;
}

std::vector<QUrl> FakeHttpClient::requested() const
{
    std::lock_guard lock(m_mutex);
    return m_requested;
}

size_t FakeHttpClient::pending() const
{
    std::lock_guard lock(m_mutex);
    return m_pending.size();
}

bool FakeHttpClient::respond(const QUrl &url, std::optional<QByteArray> body,
                             std::optional<HttpError> error)
{
    Completion completion;
    {
        std::lock_guard lock(m_mutex);
        const auto it = std::find_if(m_pending.begin(), m_pending.end(),
                                     [&](const Request &r) { return r.url == url; });
        if (it == m_pending.end())
            return false;
        completion = std::move(it->completion);
        m_pending.erase(it);
    }
    completion(std::move(body), std::move(error));
    return true;
}

void FakeHttpClient::serve(const QUrl &url, std::optional<QByteArray> body,
                           std::optional<HttpError> error)
{
    std::lock_guard lock(m_mutex);
    m_served[url.toString()] = Result {std::move(body), std::move(error)};
}

void FakeHttpClient::respondAll()
{
    for (;;) {
        Request request;
        Result result;
        {
            std::lock_guard lock(m_mutex);
            if (m_pending.empty())
                return;
            request = std::move(m_pending.front());
            m_pending.erase(m_pending.begin());
            const auto it = m_served.find(request.url.toString());
            result = it != m_served.end()
                ? it->second
                : Result {std::nullopt, HttpError {QStringLiteral("Could not connect.")}};
        }
        request.completion(result.body, result.error);
    }
}
