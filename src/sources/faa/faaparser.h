#pragma once

#include "sources/faa/faanotam.h"
#include "sources/scraperenvironment.h"

#include <QByteArray>
#include <QHash>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class ScraperDelegate;
struct HttpError;

// The FAA scraper. A check reads the TFR list page, live or from the mirror archive, then fetches
// every Brownsville "SPACE OPERATIONS" notice's detail page for its altitude, and hands the whole
// list, latest first date first, to the delegate once the last detail fetch is in.
//
// Made shared: every fetch in flight holds its scraper, so a scraper dropped by its owner still
// finishes the pass it is in.
class FAAParser final : public std::enable_shared_from_this<FAAParser>
{
public:
    using Results = std::function<void(QList<FAANotam>)>;

    explicit FAAParser(ScraperEnvironment environment);

    ScraperDelegate *delegate() const { return m_delegate; }
    void setDelegate(ScraperDelegate *delegate) { m_delegate = delegate; }

    // The TFR list page.
    const QUrl &faaLink() const { return m_environment.addresses.faaList; }
    // The list page's directory, with its trailing "/".
    QString listDirectory() const;

    // Starts a live check.
    void checkFAA();
    // Starts a check from the mirror archive, falling back to the live page when the mirror
    // gives nothing usable.
    void checkFAAUsingMirror();

    // The notices of a list page, in page order; on the caller's thread. The current time is read
    // for the day-old filter.
    QList<FAANotam> parseNotices(const QString &rootPath, const QString &html) const;

private:
    void listArrived(const std::optional<QByteArray> &body, const std::optional<HttpError> &error);
    void mirrorArrived(const std::optional<QByteArray> &body);
    void parseFAA(const QString &rootPath, const QString &html, Results results);
    void checkFAADetails(const QList<FAANotam> &allTheDetails, Results results);
    void checkFAADetails(const FAANotam &details);
    void detailArrived(quint64 pass, const FAANotam &notam, const std::optional<QByteArray> &body,
                       const std::optional<HttpError> &error);
    void faaAllDone();
    Results deliverToDelegate();

    ScraperEnvironment m_environment;
    ScraperDelegate *m_delegate = nullptr;
    QHash<QString, FAANotam> m_faaItemsBeingUpdated;
    qint64 m_faaItemsRemainingToBeUpdated = 0;
    Results m_completion;
    // Which pass the detail fields describe; completions of earlier passes are ignored.
    quint64 m_pass = 0;
};
