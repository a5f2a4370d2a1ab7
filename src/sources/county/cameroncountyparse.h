#pragma once

#include "sources/county/cameroncountyrecord.h"
#include "sources/scraperenvironment.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class ScraperDelegate;
struct HttpError;

// The road-closure scraper: each check downloads the county's closure page and reports its
// current closures, or a failure. Every download holds its scraper until it has reported.
class CameronCountyParse final : public std::enable_shared_from_this<CameronCountyParse>
{
public:
    using Results = std::function<void(QList<CameronCountyRecord>)>;

    explicit CameronCountyParse(ScraperEnvironment environment);

    ScraperDelegate *delegate() const { return m_delegate; }
    void setDelegate(ScraperDelegate *delegate) { m_delegate = delegate; }

    // The county's closure page.
    const QUrl &cameronCountyLink() const { return m_environment.addresses.county; }

    // Starts one download and returns.
    void checkCameronCounty();

    // Cuts the closure table's rows out of the page and calls `results` once with the records of
    // the closures that are not over, in page order. A page without the table body, a table whose
    // headings do not name its date, time and status columns, or one whose rows all have fewer
    // than four cells, reports `error` to the delegate instead. Runs on the caller's thread.
    void parseCC(const QString &html, const Results &results) const;

private:
    void downloaded(const std::optional<QByteArray> &body, const std::optional<HttpError> &error);
    void failed(const SourceProblem &problem) const;

    ScraperEnvironment m_environment;
    ScraperDelegate *m_delegate = nullptr;
};
