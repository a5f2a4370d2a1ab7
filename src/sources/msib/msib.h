#pragma once

#include "notices/notice.h"
#include "sources/scraperenvironment.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

class ScraperDelegate;
struct HttpError;

// The Coast Guard's Broadcast Notices to Mariners of the district: the newest that gives a launch
// hazard area near the pad. Each check reads the district's list of notices (a page rendered on
// the server, each notice an element of class "bnm_message" whose id is the notice's), then their
// texts from the site's CSV export, and reports that one notice, or none, or a failure. Every
// download holds its scraper until it has reported.
class MSIB final : public std::enable_shared_from_this<MSIB>
{
public:
    // A notice as the export gives it.
    struct Message
    {
        QString id; // "0456-26"
        QString originator; // "CCGD8"
        QString published; // as written, GMT
        QString area;
        QString body;
    };

    // A notice of the list page: its id, and its text there.
    struct Listed
    {
        QString guid;
        QString text;
    };

    explicit MSIB(ScraperEnvironment environment);

    ScraperDelegate *delegate() const { return m_delegate; }
    void setDelegate(ScraperDelegate *delegate) { m_delegate = delegate; }

    // The list of notices for people, which the section's title opens.
    const QUrl &link() const { return m_environment.addresses.msib; }
    // The list read: the link, with the last 14 days of Brownsville as its date range unless the
    // link names one.
    QUrl listAddress() const;

    // Starts one check and returns.
    void check();

    // The notices of a list page; none when the page holds neither a notice nor the list's "no
    // results".
    static std::optional<QList<Listed>> parseList(const QString &html);
    // The messages of an export; none when its header row lacks a column that is read.
    static std::optional<QList<Message>> parseExport(const QString &csv);
    // The message announces a launch hazard area near the pad: a position within 30 nautical
    // miles of it, or a launch hazard area named together with Boca Chica, Starbase or
    // Brownsville.
    static bool isLaunchNotice(const Message &message);
    // The newest launch notice of the messages, as the section's notice; none when there is none.
    // `listed` maps a message to the page for people that its entry opens.
    std::optional<Notice> newestLaunchNotice(const QList<Message> &messages,
                                             const QList<Listed> &listed) const;

private:
    void listArrived(const std::optional<QByteArray> &body, const std::optional<HttpError> &error);
    void exportArrived(const QList<Listed> &listed, const std::optional<QByteArray> &body,
                       const std::optional<HttpError> &error);
    void failed(const SourceProblem &problem);
    void read(QList<Notice> notices);
    QUrl onListHost(const QString &path) const;

    ScraperEnvironment m_environment;
    ScraperDelegate *m_delegate = nullptr;
};
