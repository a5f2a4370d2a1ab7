#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

struct HttpError
{
    // A sentence for a dialog: "The server answered with status 503.", "Connection refused".
    QString description = {};
    // The HTTP status of an answer that did arrive (400 or more), which then comes with its body;
    // 0 when the request failed before an answer.
    int status = 0;
    // Without a status: why nothing usable arrived, in a few lower-case words for a menu line
    // ("connection refused", "host not found", "timed out", "TLS failure").
    QString reason = {};
    // An answer did start to arrive but cannot be used (larger than the cap).
    bool answered = false;
    // The whole answer did not arrive within the request's time (`reason` says how long).
    bool late = false;
    // Seconds the server asks to wait before the next request (its Retry-After).
    std::optional<double> retryAfter = std::nullopt;
};

// HTTP GET. Every request uses the protocol's default cache policy and a 60-second timeout.
class HttpClient
{
public:
    // (body or none, error or none). A response with an HTTP error status delivers its body
    // together with an error that carries the status.
    using Completion
        = std::function<void(std::optional<QByteArray> body, std::optional<HttpError> error)>;

    struct Result
    {
        std::optional<QByteArray> body;
        std::optional<HttpError> error;
    };

    // What a request expects, which its Accept header says.
    enum class Expect { json, html, xml, zip, csv };

    static constexpr qint64 maximumBodySize = 8 * 1024 * 1024;
    static constexpr int timeoutSeconds = 60;

    virtual ~HttpClient() = default;
    // Starts one GET and returns. The completion runs exactly once, on a worker thread. Safe to
    // call from any thread.
    virtual void get(const QUrl &url, Expect expect, Completion completion) = 0;
    // Reads the whole resource and returns: a body on success, else an error. Main thread only.
    virtual Result getBlocking(const QUrl &url, Expect expect) = 0;

    // "application/json, */*;q=0.8" and the like.
    static QByteArray acceptOf(Expect expect)
    {
        const char *types[]
            = {"application/json", "text/html", "application/xml", "application/zip", "text/csv"};
        return QByteArray(types[int(expect)]) + ", */*;q=0.8";
    }
};
