#include "cameroncountyparse.h"

#include "platform/clock.h"
#include "platform/httpclient.h"
#include "platform/logging.h"
#include "sources/scraperdelegate.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QStringList>

#include <algorithm>

namespace {

// Words of the closure table's column headings ("Temp. Closure Date", "Time of Closure", "Current
// Beach Status").
const char *const closureColumns[] = {"date", "time", "status"};

// A cell or a line of one as plain text: tags cut, dash references as "-", no-break spaces gone.
QString cleaned(QStringView raw)
{
    QString text = stringRemovingHTML(raw);
    text.replace(QLatin1String("&#8211;"), QLatin1String("-"));
    text.replace(QLatin1String("&#8212;"), QLatin1String("-"));
    text.remove(QLatin1String("&nbsp;"));
    return text;
}

// The lines of a cell: cut at "<br />", cleaned and trimmed, without "---" lines.
QStringList cellLines(QStringView raw)
{
    QStringList lines;
    for (const QStringView piece : raw.split(u"<br />")) {
        const QString line = cleaned(piece).trimmed();
        if (!line.contains(QLatin1String("---")))
            lines << line;
    }
    return lines;
}

// The cells of a row, each without its opening tag, still holding inner markup.
QList<QStringView> cellsOf(QStringView row)
{
    QList<QStringView> cells;
    for (const QStringView part : row.split(u"</td>")) {
        const QStringView trimmed = part.trimmed();
        const qsizetype open = trimmed.indexOf(u'>');
        if (trimmed.isEmpty() || open < 0)
            continue;
        const QStringView content = trimmed.mid(open + 1);
        if (!content.isEmpty())
            cells << content;
    }
    return cells;
}

} // namespace

CameronCountyParse::CameronCountyParse(ScraperEnvironment environment)
    : m_environment(std::move(environment))
{ }

void CameronCountyParse::checkCameronCounty()
{
    m_environment.http.get(cameronCountyLink(), HttpClient::Expect::html,
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->downloaded(body, error);
                           });
}

void CameronCountyParse::downloaded(const std::optional<QByteArray> &body,
                                    const std::optional<HttpError> &error)
{
    // No answer, or an error answer: no table, the shown one stays.
    if (const std::optional<SourceProblem> problem = problemOf(body, error)) {
        failed(*problem);
        return;
    }
    const QString text = decodePage(*body);
    if (text.isEmpty()) {
        failed({WebErrors::loadFailed, QStringLiteral("the page was empty")});
        return;
    }
    parseCC(text, [this](QList<CameronCountyRecord> records) {
        QList<Notice> notices;
        for (const CameronCountyRecord &record : records)
            notices << record.notice(cameronCountyLink());
        finishRead(notices);
        if (m_delegate)
            m_delegate->noticesRead(Source::county, std::move(notices));
        m_environment.answer(Source::county, true);
    });
}

void CameronCountyParse::failed(const SourceProblem &problem) const
{
    if (m_delegate)
        m_delegate->error(problem.kind, Source::county, problem.reason);
    m_environment.answer(Source::county, false);
}

void CameronCountyParse::parseCC(const QString &html, const Results &results) const
{
    static const QLatin1String bodyStart("<tbody>");
    static const QLatin1String bodyEnd("</tbody>");
    const qsizetype start = html.indexOf(bodyStart);
    const qsizetype end = start < 0 ? -1 : html.indexOf(bodyEnd, start + bodyStart.size());
    // The closure table names its columns: the closure's date, its time and the beach's status.
    // A table without them (a login form, a maintenance notice laid out in a table) is none.
    const qsizetype table
        = start < 0 ? -1 : html.lastIndexOf(QLatin1String("<table"), start, Qt::CaseInsensitive);
    const QString head = table < 0
        ? QString()
        : stringRemovingHTML(QStringView(html).mid(table, start - table)).toLower();
    const bool columns
        = std::all_of(std::begin(closureColumns), std::end(closureColumns),
                      [&head](const char *column) { return head.contains(QLatin1String(column)); });
    if (end < 0 || !columns) {
        failed({WebErrors::loadFailed, QStringLiteral("the page held no closure table")});
        return;
    }
    const QStringView body
        = QStringView(html).mid(start + bodyStart.size(), end - start - bodyStart.size());

    QList<CameronCountyRecord> records;
    qsizetype rows = 0;
    qsizetype readable = 0;
    for (const QStringView row : body.split(u"<tr>")) {
        const QList<QStringView> cells = cellsOf(row);
        if (cells.isEmpty())
            continue;
        ++rows;
        if (cells.size() < 4) {
            qCDebug(lcCounty) << "a row of" << cells.size() << "cells is passed over";
            continue;
        }
        ++readable;
        const QString dateType = cleaned(cells[0]);
        const QString day = cleaned(cells[1]);
        const QStringList hours = cellLines(cells[2]);
        const QStringList statuses = cellLines(cells[3]);
        const auto add = [&](const QString &times, const QString &status) {
            CameronCountyRecord record {dateType, day, times, status,
                                        DateExtractor::windows(day + u' ' + times,
                                                               m_environment.clock,
                                                               m_environment.placeZone)};
            if (!areOver(record.windows, m_environment.clock.now())) // else the closure is over
                records.append(std::move(record));
        };
        if (hours.size() >= 2 && hours.size() == statuses.size()) {
            for (qsizetype i = 0; i < hours.size(); ++i)
                add(hours[i], statuses[i]);
        } else {
            add(cleaned(cells[2]), cleaned(cells[3]));
        }
    }
    if (rows > 0 && readable == 0) {
        failed({WebErrors::loadFailed,
                QStringLiteral("the closure table's rows were not recognised")});
        return;
    }
    results(std::move(records));
}
