#include "msib.h"

#include "platform/clock.h"
#include "platform/httpclient.h"
#include "platform/logging.h"
#include "sources/csv.h"
#include "sources/htmldocument.h"
#include "sources/navwarn/navigationalwarnings.h"
#include "sources/positions.h"
#include "sources/scraperdelegate.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>
#include <QUrlQuery>

#include <algorithm>
#include <array>

namespace {

// The export's columns that are read, in the order of Message's fields after the id.
constexpr std::array<const char *, 5> columns {
    "Message_ID", "Originator", "Date_Time_Published_GMT", "Geographic_Area", "Message_Body"};

// When a message was published, as an instant; none when the text gives no time.
std::optional<double> publishedAt(const QString &published, const Clock &clock)
{
    QDateTime time = QDateTime::fromString(published.trimmed(), Qt::ISODate);
    if (!time.isValid())
        time = QDateTime::fromString(published.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (time.isValid()) {
        if (time.timeSpec() == Qt::LocalTime)
            time.setTimeZone(QTimeZone::utc());
        return double(time.toSecsSinceEpoch());
    }
    // Another way of writing it: as the date recogniser reads it, in GMT.
    const QList<Window> windows = DateExtractor::windows(published, clock, QStringLiteral("UTC"));
    return windows.isEmpty() ? std::nullopt : std::optional(windows.front().start);
}

} // namespace

MSIB::MSIB(ScraperEnvironment environment) : m_environment(std::move(environment)) { }

QUrl MSIB::listAddress() const
{
    QUrl url = link();
    QUrlQuery query(url);
    if (query.hasQueryItem(QStringLiteral("date-range")))
        return url;
    const QDate today = QDateTime::fromSecsSinceEpoch(qint64(m_environment.clock.now()),
                                                      QTimeZone(m_environment.placeZone.toUtf8()))
                            .date();
    query.addQueryItem(QStringLiteral("date-range"),
                       today.addDays(-14).toString(Qt::ISODate) + QStringLiteral("--")
                           + today.toString(Qt::ISODate));
    url.setQuery(query);
    return url;
}

QUrl MSIB::onListHost(const QString &path) const
{
    return link().resolved(QUrl(path));
}

void MSIB::check()
{
    m_environment.http.get(listAddress(), HttpClient::Expect::html,
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->listArrived(body, error);
                           });
}

void MSIB::failed(const SourceProblem &problem)
{
    if (m_delegate)
        m_delegate->error(problem.kind, Source::bulletin, problem.reason);
    m_environment.answer(Source::bulletin, false);
}

void MSIB::read(QList<Notice> notices)
{
    if (m_delegate)
        m_delegate->noticesRead(Source::bulletin, std::move(notices));
    m_environment.answer(Source::bulletin, true);
}

void MSIB::listArrived(const std::optional<QByteArray> &body, const std::optional<HttpError> &error)
{
    if (const std::optional<SourceProblem> problem = problemOf(body, error)) {
        failed(*problem);
        return;
    }
    const std::optional<QList<Listed>> listed = parseList(decodePage(*body));
    if (!listed) {
        failed({WebErrors::loadFailed, QStringLiteral("the page was not the notices list")});
        return;
    }
    if (listed->isEmpty()) {
        read({});
        return;
    }
    QStringList guids;
    for (const Listed &notice : *listed)
        guids << notice.guid;
    QUrl exported = onListHost(QStringLiteral("/broadcast-notice-to-mariners-message-export-csv"));
    exported.setQuery(QStringLiteral("guid=%1&format=csv").arg(guids.join(u'+')),
                      QUrl::TolerantMode);
    m_environment.http.get(exported, HttpClient::Expect::csv,
                           [self = shared_from_this(), listed = *listed](
                               std::optional<QByteArray> body, std::optional<HttpError> error) {
                               self->exportArrived(listed, body, error);
                           });
}

void MSIB::exportArrived(const QList<Listed> &listed, const std::optional<QByteArray> &body,
                         const std::optional<HttpError> &error)
{
    if (const std::optional<SourceProblem> problem = problemOf(body, error)) {
        failed(*problem);
        return;
    }
    const std::optional<QList<Message>> messages = parseExport(decodePage(*body));
    if (!messages) {
        failed({WebErrors::loadFailed, QStringLiteral("the export was not recognised")});
        return;
    }
    const std::optional<Notice> newest = newestLaunchNotice(*messages, listed);
    QList<Notice> notices = newest ? QList<Notice> {*newest} : QList<Notice> {};
    finishRead(notices);
    read(std::move(notices));
}

std::optional<QList<MSIB::Listed>> MSIB::parseList(const QString &html)
{
    const HtmlDocument document(html);
    const std::vector<const xmlNode *> found = document.find([](const xmlNode *node) {
        return HtmlDocument::hasClass(node, QLatin1String("bnm_message"));
    });
    QList<Listed> listed;
    for (const xmlNode *element : found) {
        const QString guid = HtmlDocument::attribute(element, "id").trimmed();
        if (guid.isEmpty()) {
            qCDebug(lcBulletin) << "a notice of the list without its id is passed over";
            continue;
        }
        listed << Listed {guid, HtmlDocument::linesOf(element).join(u' ')};
    }
    // A list says so when the date range holds no notice; any other page is no list.
    if (found.empty() && document.text().contains(QLatin1String("no results"), Qt::CaseInsensitive))
        return listed;
    if (listed.isEmpty())
        return std::nullopt;
    return listed;
}

std::optional<QList<MSIB::Message>> MSIB::parseExport(const QString &csv)
{
    const QList<QStringList> records = readCsv(csv);
    if (records.isEmpty())
        return std::nullopt;
    std::array<qsizetype, columns.size()> at {};
    for (size_t i = 0; i < columns.size(); ++i) {
        at[i] = -1;
        for (qsizetype c = 0; c < records.front().size(); ++c) {
            if (records.front()[c].trimmed().compare(QLatin1String(columns[i]), Qt::CaseInsensitive)
                == 0)
                at[i] = c;
        }
        if (at[i] < 0)
            return std::nullopt;
    }
    const qsizetype needed = *std::max_element(at.begin(), at.end()) + 1;
    QList<Message> messages;
    for (const QStringList &record : records.mid(1)) {
        if (record.size() < needed) {
            qCDebug(lcBulletin) << "a row of the export with" << record.size()
                                << "fields is passed over";
            continue;
        }
        messages << Message {record[at[0]].trimmed(), record[at[1]].trimmed(), record[at[2]],
                             record[at[3]], record[at[4]]};
    }
    return messages;
}

bool MSIB::isLaunchNotice(const Message &message)
{
    if (positions::nearThePad(positions::in(message.body)))
        return true;
    static const QRegularExpression hazard(
        QStringLiteral(
            "spacex hazard area|launch hazard area|rocket launch|space launch operations"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression place(QStringLiteral("boca chica|starbase|brownsville"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QString text = message.area + u' ' + message.body;
    return text.contains(hazard) && text.contains(place);
}

std::optional<Notice> MSIB::newestLaunchNotice(const QList<Message> &messages,
                                               const QList<Listed> &listed) const
{
    const Message *newest = nullptr;
    std::optional<double> newestTime;
    for (const Message &message : messages) {
        if (!isLaunchNotice(message))
            continue;
        const std::optional<double> time = publishedAt(message.published, m_environment.clock);
        if (!newest || (time && (!newestTime || *time > *newestTime))) {
            newest = &message;
            newestTime = time;
        }
    }
    if (!newest)
        return std::nullopt;
    Notice notice;
    notice.source = Source::bulletin;
    notice.label = newest->id.contains(QLatin1String("BNM"), Qt::CaseInsensitive)
        ? newest->originator + u' ' + newest->id
        : newest->originator + QStringLiteral(" BNM ") + newest->id;
    static const QRegularExpression nonWord(QStringLiteral("[^a-z0-9]+"));
    notice.key = QStringLiteral("bulletin-")
        + notice.label.toLower().replace(nonWord, QStringLiteral("-"));
    notice.text = newest->body;
    notice.windows = NavigationalWarnings::windowsOf(newest->body, m_environment.clock.now());
    if (notice.windows.isEmpty())
        notice.windows = DateExtractor::windows(newest->body.simplified(), m_environment.clock,
                                                m_environment.placeZone);
    notice.area = positions::areaOf(positions::in(newest->body));
    // The notice's page: the listed notice that names its number, else the one in its place.
    const auto named = std::find_if(listed.begin(), listed.end(), [newest](const Listed &l) {
        return l.text.contains(newest->id);
    });
    const qsizetype index = newest - messages.data();
    const QString guid = named != listed.end() ? named->guid
        : listed.size() == messages.size()     ? listed[index].guid
                                               : QString();
    notice.page = guid.isEmpty()
        ? link()
        : onListHost(QStringLiteral("/broadcast-notice-to-mariners-message?guid=") + guid);
    return notice;
}
