#include "starbaseclosures.h"

#include "platform/httpclient.h"
#include "sources/scraperdelegate.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// One tag of the page: where it stands, its name in lower case, whether it closes, its attributes.
struct Tag
{
    qsizetype begin;
    qsizetype end;
    QString name;
    bool closing;
    QStringView attributes;
};

QList<Tag> tagsOf(const QString &html)
{
    static const QRegularExpression tag(
        QStringLiteral("<(/?)([A-Za-z][A-Za-z0-9-]*)((?:[^>\"']|\"[^\"]*\"|'[^']*')*)>"));
    QList<Tag> tags;
    for (auto match = tag.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        tags.append({m.capturedStart(), m.capturedEnd(), m.captured(2).toLower(),
                     !m.capturedView(1).isEmpty(), m.capturedView(3)});
    }
    return tags;
}

// The pattern of an attribute's value, quoted or not.
QRegularExpression attributePattern(const char *name)
{
    return QRegularExpression(
        QStringLiteral("(?:^|\\s)%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+))")
            .arg(QLatin1String(name)),
        QRegularExpression::CaseInsensitiveOption);
}

// The value of the attribute that `pattern` finds; empty when the tag has none.
QString attribute(QStringView attributes, const QRegularExpression &pattern)
{
    const QRegularExpressionMatch m = pattern.match(attributes);
    if (!m.hasMatch())
        return {};
    for (int i = 1; i <= 3; ++i) {
        if (m.capturedStart(i) >= 0)
            return m.captured(i);
    }
    return {};
}

bool hasClass(const Tag &tag, const QString &name)
{
    static const QRegularExpression pattern = attributePattern("class");
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return attribute(tag.attributes, pattern).split(blanks, Qt::SkipEmptyParts).contains(name);
}

// The index of the tag that closes the element opened at `open`: the next closing tag of the same
// name at the same depth, or the last tag when the page never closes it.
qsizetype closingOf(const QList<Tag> &tags, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < tags.size(); ++i) {
        if (tags[i].name != tags[open].name)
            continue;
        depth += tags[i].closing ? -1 : 1;
        if (depth == 0)
            return i;
    }
    return tags.size() - 1;
}

// The elements (open tag index, close tag index) inside [from, to) whose class holds `name`,
// outermost only, leaving out everything hidden.
QList<std::pair<qsizetype, qsizetype>> elementsOfClass(const QList<Tag> &tags, qsizetype from,
                                                       qsizetype to, const QString &name)
{
    QList<std::pair<qsizetype, qsizetype>> found;
    for (qsizetype i = from; i < to; ++i) {
        if (tags[i].closing)
            continue;
        if (hasClass(tags[i], QStringLiteral("w-condition-invisible"))) {
            i = closingOf(tags, i);
            continue;
        }
        if (hasClass(tags[i], name)) {
            const qsizetype close = std::min(closingOf(tags, i), to);
            found.append({i, close});
            i = close;
        }
    }
    return found;
}

// Markup as plain text: tags cut, references decoded, white space made single blanks.
QString plain(QStringView markup)
{
    QString text = stringRemovingHTML(markup);
    text.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    return decodingCharacterReferences(text).simplified();
}

// The lines of a rich text: cut at line breaks and at the ends of paragraphs; empty lines stay, as
// they separate a road delay's pairs.
QStringList linesOf(QStringView markup)
{
    static const QRegularExpression breaks(
        QStringLiteral("<br\\s*/?>|</p\\s*>|</div\\s*>|</li\\s*>|</h\\d\\s*>"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList lines;
    for (const QString &piece : markup.toString().split(breaks))
        lines << plain(piece);
    return lines;
}

bool isPlaceholder(const QString &text)
{
    const QString lower = text.toLower();
    return lower.startsWith(QLatin1String("no road delay"))
        || lower.startsWith(QLatin1String("no beach closure"));
}

} // namespace

StarbaseClosures::StarbaseClosures(ScraperEnvironment environment)
    : m_environment(std::move(environment))
{ }

std::optional<QList<RowRecord>> StarbaseClosures::parse(const QString &html, const Clock &clock,
                                                        const QString &zone)
{
    const QList<Tag> tags = tagsOf(html);
    bool blockFound = false;
    QList<RowRecord> rows;
    // Whether the block being read held a row (current or over) or a placeholder.
    bool recognised = false;
    const auto keep = [&](const QString &left, const QString &right) {
        recognised = true;
        const QList<double> dates = DateExtractor::dates(right, clock, zone);
        if (!dates.isEmpty() && isOld(dates.last(), clock))
            return; // over
        rows.append({left, right});
    };
    for (qsizetype i = 0; i < tags.size(); ++i) {
        if (tags[i].closing)
            continue;
        static const QRegularExpression idPattern = attributePattern("id");
        const QString id = attribute(tags[i].attributes, idPattern);
        const bool beach = id == QLatin1String("beach-closure");
        if (!beach && id != QLatin1String("road-closure"))
            continue;
        blockFound = true;
        recognised = false;
        const qsizetype blockEnd = closingOf(tags, i);
        for (const auto &[open, close] :
             elementsOfClass(tags, i + 1, blockEnd, QStringLiteral("w-dyn-item"))) {
            const auto texts = elementsOfClass(tags, open + 1, close, QStringLiteral("w-richtext"));
            const auto titles
                = elementsOfClass(tags, open + 1, close, QStringLiteral("cms-big-text"));
            const QString title = titles.isEmpty()
                ? QString()
                : plain(QStringView(html).mid(tags[titles[0].first].end,
                                              tags[titles[0].second].begin
                                                  - tags[titles[0].first].end));
            if (isPlaceholder(title))
                recognised = true;
            if (texts.isEmpty() || isPlaceholder(title))
                continue;
            const QStringList lines = linesOf(QStringView(html).mid(
                tags[texts[0].first].end, tags[texts[0].second].begin - tags[texts[0].first].end));
            QString description;
            for (const QString &line : lines) {
                const qsizetype colon = line.indexOf(u':');
                if (isPlaceholder(line))
                    recognised = true;
                if (isPlaceholder(line) || colon < 0)
                    continue;
                const QString label = line.left(colon).trimmed();
                const QString value = line.mid(colon + 1).trimmed();
                if (beach) {
                    keep(QStringLiteral("Beach ") + label, value);
                } else if (label.compare(QLatin1String("Description"), Qt::CaseInsensitive) == 0) {
                    description = value;
                } else if (label.compare(QLatin1String("Date"), Qt::CaseInsensitive) == 0) {
                    keep(QStringLiteral("Road Delay: ") + description, value);
                    description.clear();
                }
            }
        }
        // A block with neither rows nor a placeholder is in a shape this reader does not know.
        if (!recognised)
            return std::nullopt;
        i = blockEnd;
    }
    if (!blockFound)
        return std::nullopt;
    return rows;
}

void StarbaseClosures::check()
{
    m_environment.http.get(link(),
                           [self = shared_from_this()](std::optional<QByteArray> body,
                                                       std::optional<HttpError> error) {
                               self->downloaded(body, error);
                           });
}

void StarbaseClosures::downloaded(const std::optional<QByteArray> &body,
                                  const std::optional<HttpError> &error)
{
    std::optional<SourceProblem> problem = problemOf(body, error);
    std::optional<QList<RowRecord>> rows;
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
    if (m_delegate)
        m_delegate->starbaseDetails(std::move(*rows));
    m_environment.answer(Source::starbase, true);
}
