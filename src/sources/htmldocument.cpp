#include "htmldocument.h"

#include <QRegularExpression>

#include <libxml/HTMLparser.h>

namespace {

QLatin1String nameOf(const xmlNode *node)
{
    return QLatin1String(reinterpret_cast<const char *>(node->name));
}

// Elements whose content is no text of the page.
bool isScript(const xmlNode *node)
{
    const QLatin1String name = nameOf(node);
    return name == QLatin1String("script") || name == QLatin1String("style")
        || name == QLatin1String("template") || name == QLatin1String("noscript");
}

// Elements that stand within a line of text; every other element boundary ends a line.
bool isInline(QLatin1String name)
{
    static const QStringList names {"a",     "abbr", "b",      "em",  "font", "i",    "mark",
                                    "small", "span", "strong", "sub", "sup",  "time", "u"};
    return names.contains(name);
}

void collectLines(const xmlNode *parent, QStringList &lines, QString &line)
{
    const auto endLine = [&lines, &line] {
        const QString text = line.simplified();
        if (!text.isEmpty())
            lines << text;
        line.clear();
    };
    for (const xmlNode *node = parent->children; node; node = node->next) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            line += QString::fromUtf8(reinterpret_cast<const char *>(node->content));
            continue;
        }
        if (node->type != XML_ELEMENT_NODE || isScript(node) || HtmlDocument::isHidden(node))
            continue;
        const bool inlined = isInline(nameOf(node));
        if (!inlined)
            endLine();
        collectLines(node, lines, line);
        if (!inlined)
            endLine();
    }
}

void walk(const xmlNode *parent, const std::function<bool(const xmlNode *)> &matches,
          std::vector<const xmlNode *> &found)
{
    for (const xmlNode *node = parent->children; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || HtmlDocument::isHidden(node))
            continue;
        if (matches(node))
            found.push_back(node);
        else
            walk(node, matches, found);
    }
}

} // namespace

HtmlDocument::HtmlDocument(const QString &html)
{
    static const bool initialised = (xmlInitParser(), true);
    Q_UNUSED(initialised);
    const QByteArray bytes = html.toUtf8();
    m_document = htmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, "UTF-8",
                                HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING
                                    | HTML_PARSE_NONET);
}

HtmlDocument::~HtmlDocument()
{
    if (m_document)
        xmlFreeDoc(m_document);
}

std::vector<const xmlNode *>
HtmlDocument::find(const std::function<bool(const xmlNode *)> &matches) const
{
    std::vector<const xmlNode *> found;
    if (m_document)
        walk(reinterpret_cast<const xmlNode *>(m_document), matches, found);
    return found;
}

QString HtmlDocument::text() const
{
    if (!m_document)
        return {};
    QStringList lines;
    QString line;
    collectLines(reinterpret_cast<const xmlNode *>(m_document), lines, line);
    return (lines.join(QLatin1Char(' ')) + QLatin1Char(' ') + line).simplified();
}

QStringList HtmlDocument::linesOf(const xmlNode *element)
{
    QStringList lines;
    QString line;
    collectLines(element, lines, line);
    if (!line.simplified().isEmpty())
        lines << line.simplified();
    return lines;
}

QString HtmlDocument::attribute(const xmlNode *node, const char *name)
{
    xmlChar *value = xmlGetProp(node, reinterpret_cast<const xmlChar *>(name));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return text;
}

bool HtmlDocument::hasClass(const xmlNode *node, QLatin1String name)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return attribute(node, "class")
        .split(blanks, Qt::SkipEmptyParts)
        .contains(name, Qt::CaseInsensitive);
}

bool HtmlDocument::isHidden(const xmlNode *node)
{
    static const QRegularExpression displayNone(QStringLiteral("display\\s*:\\s*none"),
                                                QRegularExpression::CaseInsensitiveOption);
    return xmlHasProp(node, reinterpret_cast<const xmlChar *>("hidden"))
        || attribute(node, "style").contains(displayNone)
        || hasClass(node, QLatin1String("w-condition-invisible"));
}
