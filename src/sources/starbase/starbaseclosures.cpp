#include "starbaseclosures.h"

#include "platform/clock.h"
#include "platform/httpclient.h"
#include "sources/htmldocument.h"
#include "sources/scraperdelegate.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

#include <memory>
#include <utility>

namespace {

// A line that says there is nothing to show, in whatever words: "No road delays.", "There are
// currently no road delays.", "Beach is open. No closures scheduled at this time."
bool isPlaceholder(const QString &text)
{
    static const QRegularExpression nothing(
        QStringLiteral("\\bno (road )?delays?\\b|\\bno (beach |road |scheduled )?closures?\\b|"
                       "\\bbeach is open\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return text.contains(nothing);
}

// "Label: value": the text before the first colon followed by a blank (or ending the line), when
// it holds no digit; a time's colon ("6:30") never splits.
std::optional<std::pair<QString, QString>> labelled(const QString &line)
{
    static const QRegularExpression label(QStringLiteral("^([^:\\d]+):(?:\\s+(.*)|$)"));
    const QRegularExpressionMatch m = label.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    return std::pair {m.captured(1).trimmed(), m.captured(2).trimmed()};
}

// The rows of one block's lines, paired in whichever form they take: "Label: date" on one line, a
// label line followed by its date line, "Description: …" followed by "Date: …", or a line with
// only a date, its hours perhaps on the line after it. Rows whose windows are over are left out.
// None when the lines hold neither a row nor a placeholder.
std::optional<QList<Notice>> rowsOf(const QStringList &lines, bool beach, const Clock &clock,
                                    const QString &zone)
{
    bool recognised = false;
    QList<Notice> rows;
    QString label; // a label waiting for its date line
    QString description; // a road delay's description waiting for its date
    qsizetype dayOnly = -1; // the line of the last row if it gave a day without its hours
    const auto keep = [&](const QString &name, const QString &when, qsizetype line) {
        recognised = true;
        const QString left = beach
            ? (name.isEmpty() ? QStringLiteral("Beach") : QStringLiteral("Beach ") + name)
            : QStringLiteral("Road Delay")
                + (name.isEmpty() ? QString() : QStringLiteral(": ") + name);
        Notice notice;
        notice.source = Source::starbase;
        notice.key = QStringLiteral("starbase-") + digestOf(left);
        notice.label = left;
        notice.text = when;
        notice.windows = DateExtractor::windows(when, clock, zone);
        const bool days = std::none_of(notice.windows.begin(), notice.windows.end(),
                                       [](const Window &window) { return window.hasTime; });
        dayOnly = !notice.windows.isEmpty() && days ? line : -1;
        rows.append(std::move(notice));
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (isPlaceholder(line)) {
            recognised = true;
            continue;
        }
        const auto pair = labelled(line);
        // The hours of the day on the line before.
        if (!pair && dayOnly >= 0 && dayOnly == i - 1
            && !DateExtractor::namesADate(line, clock, zone)
            && !DateExtractor::windows(line, clock, zone).isEmpty()) {
            Notice &row = rows.last();
            row.text += u' ' + line;
            row.windows = DateExtractor::windows(row.text, clock, zone);
            dayOnly = -1;
            continue;
        }

        if (pair && pair->first.compare(QLatin1String("Description"), Qt::CaseInsensitive) == 0) {
            description = pair->second;
        } else if (pair && pair->first.compare(QLatin1String("Date"), Qt::CaseInsensitive) == 0) {
            keep(beach ? label : description, pair->second, i);
            description.clear();
        } else if (pair && !pair->second.isEmpty()) {
            keep(pair->first, pair->second, i);
        } else if (pair) {
            label = pair->first; // "Primary:" with its date on the next line
        } else if (!DateExtractor::windows(line, clock, zone).isEmpty()) {
            keep(std::exchange(label, QString()), line, i);
        } else {
            label = line;
        }
    }
    if (!recognised)
        return std::nullopt;
    for (Notice &row : rows) {
        // "Primary: Dec. 8 6:30 AM to 9:00 PM – CANCELED"
        if (row.text.contains(QLatin1String("cancel"), Qt::CaseInsensitive)
            || row.label.contains(QLatin1String("cancel"), Qt::CaseInsensitive))
            row.status = Notice::Status::canceled;
    }
    rows.removeIf([&clock](const Notice &row) { return row.isOver(clock.now()); });
    return rows;
}

} // namespace

StarbaseClosures::StarbaseClosures(ScraperEnvironment environment)
    : m_environment(std::move(environment))
{ }

std::optional<QList<Notice>> StarbaseClosures::parse(const QString &html, const Clock &clock,
                                                     const QString &zone, QStringList *unread)
{
    const HtmlDocument document(html);
    // The beach block (its id, or a public-notice container) and the road block, outermost only.
    const std::vector<const xmlNode *> blocks = document.find([](const xmlNode *node) {
        const QString id = HtmlDocument::attribute(node, "id");
        return id == QLatin1String("beach-closure") || id == QLatin1String("road-closure")
            || HtmlDocument::hasClass(node, QLatin1String("beach-public-notice"));
    });
    if (blocks.empty())
        return std::nullopt;
    QList<Notice> rows;
    QStringList notRead;
    size_t read = 0;
    for (const xmlNode *block : blocks) {
        const bool beach = HtmlDocument::attribute(block, "id") != QLatin1String("road-closure");
        if (const auto blockRows = rowsOf(HtmlDocument::linesOf(block), beach, clock, zone)) {
            rows += *blockRows;
            ++read;
        } else { // a block in a shape this reader does not know: the others still count
            notRead << (beach ? QStringLiteral("beach closures") : QStringLiteral("road delays"));
        }
    }
    if (read == 0)
        return std::nullopt;
    if (unread) {
        notRead.removeDuplicates();
        *unread = notRead;
    }
    finishRead(rows);
    return rows;
}

void StarbaseClosures::check()
{
    m_environment.http.get(link(), HttpClient::Expect::html,
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->downloaded(body, error);
                           });
}

void StarbaseClosures::downloaded(const std::optional<QByteArray> &body,
                                  const std::optional<HttpError> &error)
{
    std::optional<SourceProblem> problem = problemOf(body, error);
    std::optional<QList<Notice>> rows;
    QStringList unread;
    if (!problem) {
        rows = parse(decodePage(*body), m_environment.clock, m_environment.placeZone, &unread);
        if (!rows)
            problem = SourceProblem {WebErrors::loadFailed,
                                     QStringLiteral("the page held no closures")};
    }
    if (problem) {
        if (m_delegate)
            m_delegate->error(problem->kind, Source::starbase, problem->reason);
        m_environment.answer(Source::starbase, false);
        return;
    }
    for (Notice &notice : *rows)
        notice.page = link();
    if (m_delegate)
        m_delegate->noticesRead(Source::starbase, std::move(*rows));
    // The blocks that were read stand; the one that was not makes the check a failure.
    if (!unread.isEmpty() && m_delegate)
        m_delegate->error(
            WebErrors::loadFailed, Source::starbase,
            QStringLiteral("the %1 could not be read").arg(unread.join(QStringLiteral(" and "))));
    m_environment.answer(Source::starbase, unread.isEmpty());
}
