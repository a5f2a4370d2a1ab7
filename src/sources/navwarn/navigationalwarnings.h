#pragma once

#include "notices/notice.h"
#include "sources/scraperenvironment.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <memory>
#include <optional>

class ScraperDelegate;
struct HttpError;

// The launch hazard warnings near the pad, from NGA's broadcast navigational warnings (JSON). Each
// check downloads the list once and reports the launch warnings with a position within 30 nautical
// miles of the launch site, newest first, or a failure. Every download holds its scraper until it
// has reported.
class NavigationalWarnings final : public std::enable_shared_from_this<NavigationalWarnings>
{
public:
    explicit NavigationalWarnings(ScraperEnvironment environment);

    void setDelegate(ScraperDelegate *delegate) { m_delegate = delegate; }
    // The warnings for people, which the menu opens.
    const QUrl &link() const { return m_environment.addresses.navwarnPage; }

    // Starts one download and returns.
    void check();

    // The launch warnings near the pad, newest first, their windows in the years closest to
    // `now`. None, with the reason in `problem`, when the body is not a JSON object with a
    // "broadcast-warn" array, or when none of the array's entries is a warning.
    static std::optional<QList<Notice>> parse(const QByteArray &json, double now,
                                              QString *problem = nullptr);
    // The windows a warning gives as date-time groups, alternates included, each with its own
    // month ("092245Z TO 092356Z DEC", "302230Z DEC TO 010530Z JAN", "1025Z TO 1610Z DAILY 17
    // THRU 21 APR": one a day), in the years closest to `now`, in order of their starts.
    static QList<Window> windowsOf(const QString &text, double now);

private:
    void downloaded(const std::optional<QByteArray> &body, const std::optional<HttpError> &error);
    void failed(const SourceProblem &problem);

    ScraperEnvironment m_environment;
    ScraperDelegate *m_delegate = nullptr;
};
