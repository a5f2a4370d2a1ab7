#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringList>

#include <libxml/tree.h>

#include <functional>
#include <vector>

// An HTML page as libxml2's HTML parser reads it: tags and attributes in any letter case, void
// elements closed as HTML says, character references decoded once. The readers of the pages ask
// it for the elements they look for and for their text.
class HtmlDocument final
{
public:
    explicit HtmlDocument(const QString &html);
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument &) = delete;
    HtmlDocument &operator=(const HtmlDocument &) = delete;

    bool isValid() const { return m_document != nullptr; }

    // The outermost shown elements for which `matches` holds, in page order: one walk of the
    // tree, which enters neither hidden elements nor the elements found.
    std::vector<const xmlNode *> find(const std::function<bool(const xmlNode *)> &matches) const;
    // The whole page's shown text as one line.
    QString text() const;

    // The element's text as lines: each boundary of a block element ends one; hidden elements,
    // scripts and styles are left out with all they hold.
    static QStringList linesOf(const xmlNode *element);
    static QString attribute(const xmlNode *node, const char *name);
    // The class attribute names `name` among its words, in any letter case.
    static bool hasClass(const xmlNode *node, QLatin1String name);
    // The element is not shown: the attribute hidden, the style display:none, or the class that
    // the city's site builder gives what it hides.
    static bool isHidden(const xmlNode *node);

private:
    xmlDoc *m_document = nullptr;
};
