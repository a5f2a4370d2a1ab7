#include "qthttpclient.h"

#include <QDateTime>
#include <QEventLoop>
#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

QtHttpClient::QtHttpClient(int timeoutMs, qint64 maximumBody)
    : m_timeoutMs(timeoutMs), m_maximumBody(maximumBody), m_manager(new QNetworkAccessManager)
{ }

QtHttpClient::~QtHttpClient()
{
    m_manager->deleteLater();
}

QNetworkReply *QtHttpClient::start(const QUrl &url, Expect expect,
                                   const std::shared_ptr<Stop> &stop)
{
    QNetworkRequest request(url);
    if (!m_userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, m_userAgent);
    request.setRawHeader("Accept", acceptOf(expect));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::PreferNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_manager->get(request);
    const qint64 cap = m_maximumBody;
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, cap, stop](qint64 received, qint64 total) {
                         if (!stop->tooLarge && (received > cap || total > cap)) {
                             stop->tooLarge = true;
                             reply->abort();
                         }
                     });
    // The transfer timeout only sees silence: a server sending a byte now and then would hold
    // the request for ever.
    // The deadline goes with the reply: a finished request leaves no timer behind.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [reply, stop] {
        if (!reply->isFinished()) {
            stop->late = true;
            reply->abort();
        }
    });
    deadline->start(m_timeoutMs);
    return reply;
}

namespace {

// A few words for a menu line on why no answer came.
QString reasonOf(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("connection refused");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("host not found");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("timed out");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("TLS failure");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("connection closed");
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
        return QStringLiteral("network unavailable");
    default:
        return QStringLiteral("network error %1").arg(int(error));
    }
}

} // namespace

QByteArray QtHttpClient::bodyOf(QNetworkReply *reply)
{
    const QByteArray body = reply->readAll();
    // A text in the encoding its header names is handed on as UTF-8, as every reader takes it.
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*\"?([\\w.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    const QString name = charset.match(type).captured(1).toLower();
    if (name.isEmpty() || name == QLatin1String("utf-8") || name == QLatin1String("utf8")
        || name == QLatin1String("us-ascii"))
        return body;
    QStringDecoder decoder(name.toLatin1().constData());
    return decoder.isValid() ? decoder.decode(body).operator QString().toUtf8() : body;
}

HttpClient::Result QtHttpClient::resultOf(QNetworkReply *reply, const Stop &stop) const
{
    if (stop.late) {
        const QString seconds = QString::number(m_timeoutMs / 1000.0);
        return {std::nullopt,
                HttpError {QStringLiteral("The answer did not arrive within %1 s.").arg(seconds), 0,
                           QStringLiteral("within %1 s").arg(seconds), false, true}};
    }
    if (stop.tooLarge) {
        return {
            std::nullopt,
            HttpError {QStringLiteral("The response is larger than %1 bytes.").arg(m_maximumBody),
                       0, QStringLiteral("the answer was too large"), true}};
    }
    const auto error = reply->error();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (error == QNetworkReply::NoError)
        return {bodyOf(reply), std::nullopt};
    // An error status of a response that did arrive: its body comes along, and how long the
    // server asks to be left alone (Retry-After: seconds, or an HTTP date).
    if (status >= 400) {
        HttpError failure {QStringLiteral("The server answered with status %1.").arg(status),
                           status};
        const QString retry = QString::fromLatin1(reply->rawHeader("Retry-After")).trimmed();
        bool number = false;
        const qint64 seconds = retry.toLongLong(&number);
        if (number)
            failure.retryAfter = double(std::max<qint64>(seconds, 0));
        else if (const QDateTime when = QDateTime::fromString(
                     QString(retry).replace(QLatin1String(" GMT"), QLatin1String(" +0000")),
                     Qt::RFC2822Date);
                 when.isValid())
            failure.retryAfter
                = std::max(0.0, double(QDateTime::currentDateTimeUtc().secsTo(when)));
        return {bodyOf(reply), failure};
    }
    // An answer that arrived and that Qt would not take: each its own reason, never a status.
    const auto unusable = [&](const QString &reason) {
        return Result {std::nullopt, HttpError {reply->errorString(), 0, reason, true}};
    };
    if (error == QNetworkReply::TooManyRedirectsError
        || error == QNetworkReply::InsecureRedirectError || (status >= 300 && status < 400))
        return unusable(QStringLiteral("a redirect was refused"));
    if (reply->errorString().contains(QLatin1String("ecompress"), Qt::CaseInsensitive))
        return unusable(QStringLiteral("the answer could not be decompressed"));
    if (status != 0)
        return unusable(reasonOf(error));
    QString description = reply->errorString();
    if (error == QNetworkReply::OperationCanceledError)
        description = QStringLiteral("The request timed out.");
    return {std::nullopt, HttpError {description, 0, reasonOf(error)}};
}

void QtHttpClient::get(const QUrl &url, Expect expect, Completion completion)
{
    auto begin = [this, url, expect, completion = std::move(completion)]() mutable {
        auto stop = std::make_shared<Stop>();
        QNetworkReply *reply = start(url, expect, stop);
        QObject::connect(reply, &QNetworkReply::finished, reply,
                         [this, reply, stop, completion = std::move(completion)]() {
                             Result result = resultOf(reply, *stop);
                             reply->deleteLater();
                             QThreadPool::globalInstance()->start(
                                 [completion, result = std::move(result)]() {
                                     completion(result.body, result.error);
                                 });
                         });
    };
    if (QThread::currentThread() == m_manager->thread())
        begin();
    else
        QMetaObject::invokeMethod(m_manager, std::move(begin), Qt::QueuedConnection);
}

HttpClient::Result QtHttpClient::getBlocking(const QUrl &url, Expect expect)
{
    auto stop = std::make_shared<Stop>();
    QNetworkReply *reply = start(url, expect, stop);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    Result result = resultOf(reply, *stop);
    reply->deleteLater();
    return result;
}
