#pragma once

#include "notices/notice.h"
#include "sources/scraperenvironment.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <memory>
#include <optional>

class Clock;
class ScraperDelegate;
struct HttpError;

// The City of Starbase's beach and road access page: the beach closures and road delays the city
// orders. Each check downloads the page once and reports its current rows, or a failure. Every
// download holds its scraper until it has reported.
class StarbaseClosures final : public std::enable_shared_from_this<StarbaseClosures>
{
public:
    explicit StarbaseClosures(ScraperEnvironment environment);

    void setDelegate(ScraperDelegate *delegate) { m_delegate = delegate; }
    // The city's page, which the rows open.
    const QUrl &link() const { return m_environment.addresses.starbase; }

    // Starts one download and returns.
    void check();

    // The rows of the page's beach-closure and road-closure blocks, in page order, without those
    // whose windows ended more than a day ago; a row that says it was canceled is a canceled
    // notice. None when the page has neither block, or no block it can read; `unread` names a
    // block in a shape this reader does not know ("road delays"). Times without a zone are read
    // in `zone`.
    static std::optional<QList<Notice>> parse(const QString &html, const Clock &clock,
                                              const QString &zone, QStringList *unread = nullptr);

private:
    void downloaded(const std::optional<QByteArray> &body, const std::optional<HttpError> &error);

    ScraperEnvironment m_environment;
    ScraperDelegate *m_delegate = nullptr;
};
