#include "faaparser.h"

#include "platform/clock.h"
#include "platform/httpclient.h"
#include "platform/runloop.h"
#include "scrapers/scraperdelegate.h"
#include "scrapers/zip.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QUuid>

#include <algorithm>

FAAParser::FAAParser(ScraperEnvironment environment) : m_environment(std::move(environment)) { }

QString FAAParser::listDirectory() const
{
    return faaLink()
        .adjusted(QUrl::RemoveFilename | QUrl::RemoveQuery | QUrl::RemoveFragment)
        .toString();
}

FAAParser::Results FAAParser::deliverToDelegate()
{
    return [self = shared_from_this()](QList<FAANotam> notams) {
        if (self->m_delegate)
            self->m_delegate->faaDetails(std::move(notams));
        self->m_environment.answer(Source::faa, true);
    };
}

void FAAParser::checkFAA()
{
    m_environment.http.get(faaLink(),
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->listArrived(body, error);
                           });
}

void FAAParser::listArrived(const std::optional<QByteArray> &body,
                            const std::optional<HttpError> &error)
{
    if (!body || error) {
        m_environment.answer(Source::faa, false);
        return;
    }
    const std::optional<QString> text = decodeUtf8(*body);
    if (!text || text->isEmpty()) {
        if (m_delegate)
            m_delegate->error(WebErrors::loadFailed);
        m_environment.answer(Source::faa, false);
        return;
    }
    parseFAA(listDirectory(), *text, deliverToDelegate());
}

void FAAParser::checkFAAUsingMirror()
{
    m_environment.http.get(
        m_environment.addresses.mirror,
        [self = shared_from_this()](std::optional<QByteArray> body, std::optional<HttpError>) {
            self->mirrorArrived(body);
        });
}

void FAAParser::mirrorArrived(const std::optional<QByteArray> &body)
{
    // Whatever goes wrong with the mirror, the live page is read instead.
    const std::optional<QString> text = body
        ? Zip::decompress(QStringLiteral("faa.html"), *body, m_environment.caches)
        : std::nullopt;
    if (!text) {
        checkFAA();
        return;
    }
    parseFAA(listDirectory(), *text, deliverToDelegate());
}

QList<FAANotam> FAAParser::parseNotices(const QString &rootPath, const QString &html) const
{
    // The three working lines after a "SPACE OPERATIONS" line are candidates.
    QList<QStringView> brownsville;
    int window = 0;
    for (const QStringView rawLine : QStringView(html).split(u'\n')) {
        const QStringView line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (line.contains(u"SPACE OPERATIONS")) {
            window = 3;
            continue;
        }
        if (window == 0)
            continue;
        --window;
        if (line.toString().toLower().contains(u"brownsville"))
            brownsville.append(line);
    }

    // Link paths and texts are gathered apart and paired by position.
    QStringList links;
    QStringList texts;
    for (const QStringView line : brownsville) {
        const qsizetype open = line.indexOf(u'"');
        if (open >= 0) {
            const qsizetype close = line.indexOf(u'"', open + 1);
            if (close >= 0)
                links.append(line.mid(open + 1, close - open - 1).toString());
        }
        const qsizetype gt = line.indexOf(u'>');
        if (gt >= 0)
            texts.append(line.mid(gt + 1).toString());
    }

    QList<FAANotam> notams;
    const qsizetype pairs = std::min(links.size(), texts.size());
    for (qsizetype i = 0; i < pairs; ++i) {
        FAANotam notam;
        notam.line = texts[i];
        notam.dates = DateExtractor::dates(texts[i], m_environment.clock);
        notam.detailsSubPath = rootPath + links[i];
        notam.id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
        if (!notam.dates.isEmpty() && notam.dates.last() < m_environment.clock.now() - 86400.0)
            continue; // ended more than a day ago
        notams.append(std::move(notam));
    }
    return notams;
}

void FAAParser::parseFAA(const QString &rootPath, const QString &html, Results results)
{
    QList<FAANotam> notams = parseNotices(rootPath, html);
    m_environment.runLoop.post(
        [self = shared_from_this(), notams = std::move(notams), results = std::move(results)] {
            QList<FAANotam> ordered = FAANotam::displaySort(notams);
            std::reverse(ordered.begin(), ordered.end());
            self->checkFAADetails(ordered, results);
        });
}

void FAAParser::checkFAADetails(const QList<FAANotam> &allTheDetails, Results results)
{
    ++m_pass;
    m_faaItemsBeingUpdated.clear();
    for (const FAANotam &notam : allTheDetails)
        m_faaItemsBeingUpdated.insert(notam.id, notam);
    m_faaItemsRemainingToBeUpdated = m_faaItemsBeingUpdated.size();
    m_completion = std::move(results);
    for (const FAANotam &notam : allTheDetails)
        checkFAADetails(notam);
    // A pass without notices delivers its empty list, so that ended restrictions leave the menu.
    if (allTheDetails.isEmpty())
        faaAllDone();
}

void FAAParser::checkFAADetails(const FAANotam &details)
{
    const QUrl url(details.detailsSubPath, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) {
        // No fetch to wait for: the notice is finished at once, without details.
        --m_faaItemsRemainingToBeUpdated;
        faaAllDone();
        return;
    }
    const quint64 pass = m_pass;
    m_environment.http.get(
        url,
        [self = shared_from_this(), pass, details](std::optional<QByteArray> body,
                                                   std::optional<HttpError> error) {
            self->m_environment.runLoop.post(
                [self, pass, details, body = std::move(body), error = std::move(error)] {
                    self->detailArrived(pass, details, body, error);
                });
        });
}

void FAAParser::detailArrived(quint64 pass, const FAANotam &notam,
                              const std::optional<QByteArray> &body,
                              const std::optional<HttpError> &error)
{
    if (pass != m_pass)
        return; // a pass that a newer one replaced
    --m_faaItemsRemainingToBeUpdated;
    if (!error && body) {
        const std::optional<QString> text = decodeUtf8(*body);
        if (text && !text->isEmpty()) {
            if (std::optional<ParseResults> result = FAADetail::parse(*text)) {
                if (m_environment.diagnostic)
                    m_environment.diagnostic(QStringLiteral("FAA detail %1: %2")
                                                 .arg(notam.detailsSubPath, result->altitudeLine));
                FAANotam withDetails = notam;
                withDetails.details = std::move(result);
                m_faaItemsBeingUpdated.insert(notam.id, std::move(withDetails));
            }
        }
    }
    faaAllDone();
}

void FAAParser::faaAllDone()
{
    if (m_faaItemsRemainingToBeUpdated != 0 || !m_completion)
        return;
    QList<FAANotam> ordered = FAANotam::displaySort(m_faaItemsBeingUpdated.values());
    std::reverse(ordered.begin(), ordered.end());
    m_completion(ordered);
}
