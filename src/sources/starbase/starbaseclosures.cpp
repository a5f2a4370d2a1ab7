#include "starbaseclosures.h"

#include "platform/clock.h"
#include "platform/httpclient.h"
#include "sources/htmldocument.h"
#include "sources/scraperdelegate.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QRegularExpression>
#include <QStringList>

#include <memory>
#include <utility>

namespace {

bool isPlaceholder(const QString &text)
{
    const QString lower = text.toLower();
    return lower.startsWith(QLatin1String("no road delay"))
        || lower.startsWith(QLatin1String("no beach closure"));
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
// only a date. None when the lines hold neither a row nor a placeholder.
std::optional<QList<Notice>> rowsOf(const QStringList &lines, bool beach, const Clock &clock,
                                    const QString &zone)
{
    bool recognised = false;
    QList<Notice> rows;
    QString label; // a label waiting for its date line
    QString description; // a road delay's description waiting for its date
    const auto keep = [&](const QString &name, const QString &when) {
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
        if (!notice.isOver(clock.now()))
            rows.append(std::move(notice));
    };
    for (const QString &line : lines) {
        if (isPlaceholder(line)) {
            recognised = true;
            continue;
        }
        const auto pair = labelled(line);

        if (pair && pair->first.compare(QLatin1String("Description"), Qt::CaseInsensitive) == 0) {
            description = pair->second;
        } else if (pair && pair->first.compare(QLatin1String("Date"), Qt::CaseInsensitive) == 0) {
            keep(beach ? label : description, pair->second);
            description.clear();
        } else if (pair && !pair->second.isEmpty()) {
            keep(pair->first, pair->second);
        } else if (pair) {
            label = pair->first; // "Primary:" with its date on the next line
        } else if (!DateExtractor::dates(line, clock, zone).isEmpty()) {
            keep(std::exchange(label, QString()), line);
        } else {
            label = line;
        }
    }
    if (!recognised)
        return std::nullopt;
    return rows;
}

} // namespace

StarbaseClosures::StarbaseClosures(ScraperEnvironment environment)
    : m_environment(std::move(environment))
{ }

std::optional<QList<Notice>> StarbaseClosures::parse(const QString &html, const Clock &clock,
                                                     const QString &zone)
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
    for (const xmlNode *block : blocks) {
        const bool beach = HtmlDocument::attribute(block, "id") != QLatin1String("road-closure");
        const std::optional<QList<Notice>> blockRows
            = rowsOf(HtmlDocument::linesOf(block), beach, clock, zone);
        if (!blockRows)
            return std::nullopt; // a block in a shape this reader does not know
        rows += *blockRows;
    }
    makeKeysUnique(rows);
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
    if (!problem) {
        const std::optional<QString> text = decodeUtf8(*body);
        rows = text ? parse(*text, m_environment.clock, m_environment.placeZone) : std::nullopt;
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
    m_environment.answer(Source::starbase, true);
}
