#include "starbaseclosures.h"

#include "platform/clock.h"
#include "platform/httpclient.h"
#include "sources/scraperdelegate.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QRegularExpression>
#include <QStringList>

#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <memory>
#include <utility>

namespace {

// An HTML document as libxml2 reads it, freed with its owner.
struct DocumentFree
{
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};
struct XPathContextFree
{
    void operator()(xmlXPathContext *context) const { xmlXPathFreeContext(context); }
};
struct XPathObjectFree
{
    void operator()(xmlXPathObject *object) const { xmlXPathFreeObject(object); }
};

QString attribute(const xmlNode *node, const char *name)
{
    xmlChar *value = xmlGetProp(node, reinterpret_cast<const xmlChar *>(name));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return text;
}

bool hasClass(const xmlNode *node, QLatin1String name)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return attribute(node, "class").split(blanks, Qt::SkipEmptyParts).contains(name);
}

// Elements that stand within a line of text; every other element boundary ends a line.
bool isInline(QLatin1String name)
{
    static const QStringList names {"a",     "abbr", "b",      "em",  "font", "i",    "mark",
                                    "small", "span", "strong", "sub", "sup",  "time", "u"};
    return names.contains(name);
}

// The text of an element as lines: each boundary of a block element ends one; hidden elements,
// scripts and styles are left out with all they hold.
void collectLines(const xmlNode *parent, QStringList &lines, QString &line)
{
    const auto endLine = [&lines, &line] {
        QString text = decodingCharacterReferences(line).simplified();
        if (!text.isEmpty())
            lines << text;
        line.clear();
    };
    for (const xmlNode *node = parent->children; node; node = node->next) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            line += QString::fromUtf8(reinterpret_cast<const char *>(node->content));
            continue;
        }
        if (node->type != XML_ELEMENT_NODE)
            continue;
        const QLatin1String name(reinterpret_cast<const char *>(node->name));
        if (name == QLatin1String("script") || name == QLatin1String("style")
            || name == QLatin1String("template")
            || hasClass(node, QLatin1String("w-condition-invisible")))
            continue;
        const bool inlined = isInline(name);
        if (!inlined)
            endLine();
        collectLines(node, lines, line);
        if (!inlined)
            endLine();
    }
}

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
    static const bool initialised = (xmlInitParser(), true);
    Q_UNUSED(initialised);
    const QByteArray bytes = html.toUtf8();
    const std::unique_ptr<xmlDoc, DocumentFree> document(htmlReadMemory(
        bytes.constData(), int(bytes.size()), nullptr, "UTF-8",
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
    if (!document)
        return std::nullopt;
    const std::unique_ptr<xmlXPathContext, XPathContextFree> context(
        xmlXPathNewContext(document.get()));
    // The beach block (its id, or a public-notice container) and the road block, outermost only.
    static const char *const blocks
        = "//*[(@id='beach-closure' or @id='road-closure' or contains(concat(' ', "
          "normalize-space(@class), ' '), ' beach-public-notice ')) and not(ancestor::*[@id="
          "'beach-closure' or @id='road-closure' or contains(concat(' ', normalize-space(@class), "
          "' '), ' beach-public-notice ')])]";
    const std::unique_ptr<xmlXPathObject, XPathObjectFree> found(
        context ? xmlXPathEvalExpression(reinterpret_cast<const xmlChar *>(blocks), context.get())
                : nullptr);
    if (!found || !found->nodesetval || found->nodesetval->nodeNr == 0)
        return std::nullopt;
    QList<Notice> rows;
    for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
        const xmlNode *block = found->nodesetval->nodeTab[i];
        QStringList lines;
        QString line;
        collectLines(block, lines, line);
        if (!line.simplified().isEmpty())
            lines << decodingCharacterReferences(line).simplified();
        const bool beach = attribute(block, "id") != QLatin1String("road-closure");
        const std::optional<QList<Notice>> blockRows = rowsOf(lines, beach, clock, zone);
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
