#pragma once

#include "sources/faa/faanotam.h"
#include "sources/scraperenvironment.h"

#include <QByteArray>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class ScraperDelegate;
struct HttpError;

// The FAA scraper. A check reads the TFR list, live or from the mirror archive, then fetches every
// Brownsville "SPACE OPERATIONS" notice's detail document for its altitude, and hands the whole
// list, latest first date first, to the delegate once the last detail fetch is in.
//
// The list comes in two shapes, told apart by content: the FAA's JSON feed (a body whose first
// character other than white space is "[" or "{") and the older HTML list page, read as lines.
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

    // The TFR list that is read.
    const QUrl &faaLink() const { return m_environment.addresses.faaList; }
    // The FAA's list for people, which the menu opens.
    const QUrl &faaPage() const { return m_environment.addresses.faaPage; }
    // The directory that the links of a list page are joined to: the list server's "/tfr2/".
    QString listDirectory() const;

    // Starts reading the restrictions' shapes, which the notices of the check's pass take on
    // (a pass that ends first waits for them). Their failure is told to the delegate and leaves
    // the notices as they are.
    void checkAreas();
    // The shapes of a WFS answer (GeoJSON), by the NOTAM number of each feature's "NOTAM_KEY"
    // ("6/3475-1-FDC-F" draws "6/3475"): the outer rings of its Polygon or MultiPolygon. None,
    // with the reason in `problem`, when the body is no FeatureCollection.
    static std::optional<std::map<QString, Area>> parseAreas(const QByteArray &json,
                                                             QString *problem = nullptr);

    // Starts a live check.
    void checkFAA();
    // Starts a check from the mirror archive, falling back to the live page when the mirror
    // gives nothing usable.
    void checkFAAUsingMirror();

    // The current notices of a list in either shape, in list order; none, with the reason in
    // `problem`, when a feed body is no JSON array or has no entry of a restriction, or a page is
    // no list. On the caller's thread; the current time is read for the day-old filter.
    std::optional<QList<FAANotam>> parseList(const QString &text, QString *problem = nullptr) const;
    // The notices of a list page of the old shape; none when the page is no list (it names no
    // "SPACE OPERATIONS" and links no detail page).
    std::optional<QList<FAANotam>> parseNotices(const QString &rootPath, const QString &html) const;
    // The text is the JSON feed: its first character other than white space is "[" or "{".
    static bool isFeed(const QString &text);
    // The notices of the JSON feed; none when it is no JSON array, or none of its entries has the
    // fields of a restriction.
    std::optional<QList<FAANotam>> parseFeed(const QString &json, QString *problem = nullptr) const;

private:
    void listArrived(const std::optional<QByteArray> &body, const std::optional<HttpError> &error);
    void mirrorArrived(const std::optional<QByteArray> &body,
                       const std::optional<HttpError> &error);
    // False, with the reason in `problem`, when the text is no list; nothing is handed over then.
    bool parseFAA(const QString &text, Results results, QString *problem = nullptr);
    void listFailed(const SourceProblem &problem);
    // A notice of the line, unless its last date lies more than a day in the past.
    std::optional<FAANotam> notamOf(const QString &line, const QString &detailsSubPath) const;
    QString serverRoot() const;
    void checkFAADetails(const QList<FAANotam> &allTheDetails, Results results);
    void checkFAADetails(const FAANotam &details);
    void detailArrived(quint64 pass, const FAANotam &notam, const std::optional<QByteArray> &body,
                       const std::optional<HttpError> &error);
    void faaAllDone();
    Results deliverToDelegate();
    void deliver(const QList<FAANotam> &notams);
    void areasArrived(const std::optional<QByteArray> &body, const std::optional<HttpError> &error);

    ScraperEnvironment m_environment;
    ScraperDelegate *m_delegate = nullptr;
    // The pass's notices in the list's order (never a hash's: the same notices come out the same
    // way every time), each with its details once they are in.
    QList<FAANotam> m_faaItemsBeingUpdated;
    qint64 m_faaItemsRemainingToBeUpdated = 0;
    Results m_completion;
    // Which pass the detail fields describe; completions of earlier passes are ignored.
    quint64 m_pass = 0;
    // The shapes of the latest check (main thread): still awaited, read by NOTAM number, and a
    // pass's notices waiting for them.
    bool m_areasPending = false;
    std::map<QString, Area> m_areas;
    std::optional<QList<FAANotam>> m_waiting;
};
