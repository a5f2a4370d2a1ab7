#include "menusection.h"

#include <algorithm>

namespace {

QStringList titlesOf(const QList<MenuItem::Ptr> &entries)
{
    QStringList titles;
    for (const MenuItem::Ptr &entry : entries)
        titles << entry->title();
    return titles;
}

bool hasKey(const QList<MenuSection::Row> &rows, const QString &key)
{
    return std::any_of(rows.begin(), rows.end(),
                       [&key](const MenuSection::Row &row) { return row.key == key; });
}

} // namespace

MenuSection::MenuSection(QString key, MenuItem::Ptr title, std::vector<Source> sources)
    : m_key(std::move(key)), m_title(std::move(title)), m_none(MenuItem::create(tr("    None")))
{
    for (const Source source : sources)
        m_parts.push_back(Part {source});
}

MenuSection::Part *MenuSection::find(Source source)
{
    const auto it = std::find_if(m_parts.begin(), m_parts.end(),
                                 [source](const Part &part) { return part.source == source; });
    return it == m_parts.end() ? nullptr : &*it;
}

const MenuSection::Part *MenuSection::find(Source source) const
{
    return const_cast<MenuSection *>(this)->find(source);
}

QString MenuSection::nameOf(Source source)
{
    switch (source) {
    case Source::faa:
        return tr("FAA");
    case Source::county:
        return tr("Cameron County");
    case Source::starbase:
        return tr("City of Starbase");
    case Source::bulletin:
        return tr("Coast Guard");
    case Source::navwarn:
        return tr("NGA");
    }
    return {};
}

void MenuSection::setEnabled(Source source, bool enabled)
{
    Part *part = find(source);
    if (!part || part->enabled == enabled)
        return;
    // Switched off, a source leaves no rows, no failure and no news behind; switched on, it starts
    // afresh, and its first read is no news.
    *part = Part {source, enabled};
    m_changed.erase(std::remove(m_changed.begin(), m_changed.end(), source), m_changed.end());
}

bool MenuSection::isEnabled(Source source) const
{
    const Part *part = find(source);
    return part && part->enabled;
}

bool MenuSection::isShown() const
{
    return std::any_of(m_parts.begin(), m_parts.end(),
                       [](const Part &part) { return part.enabled; });
}

void MenuSection::checkStarted()
{
    for (Part &part : m_parts)
        part.pending = part.enabled;
}

std::vector<Source> MenuSection::pending() const
{
    std::vector<Source> sources;
    for (const Part &part : m_parts) {
        if (part.pending)
            sources.push_back(part.source);
    }
    return sources;
}

bool MenuSection::read(Source source, QList<MenuItem::Ptr> entries, QList<Row> rows)
{
    Part *part = find(source);
    if (!part || !part->enabled)
        return false;
    part->pending = false;
    part->read = true;
    part->problem.reset();
    if (part->told && rows != *part->told
        && std::find(m_changed.begin(), m_changed.end(), source) == m_changed.end())
        m_changed.push_back(source);
    part->rows = std::move(rows);
    if (titlesOf(entries) == titlesOf(part->entries))
        return false;
    part->entries = std::move(entries);
    return true;
}

void MenuSection::failed(Source source, SourceProblem problem, double when)
{
    Part *part = find(source);
    if (!part || !part->enabled)
        return;
    part->pending = false;
    part->problem = std::move(problem);
    part->problemTime = when;
}

bool MenuSection::wasRead(Source source) const
{
    const Part *part = find(source);
    return part && part->read;
}

const std::optional<SourceProblem> &MenuSection::problem(Source source) const
{
    static const std::optional<SourceProblem> none;
    const Part *part = find(source);
    return part ? part->problem : none;
}

bool MenuSection::hasProblem() const
{
    return std::any_of(m_parts.begin(), m_parts.end(),
                       [](const Part &part) { return part.enabled && part.problem; });
}

std::optional<MenuSection::News> MenuSection::takeNews()
{
    if (!pending().empty())
        return std::nullopt;
    QStringList came;
    QStringList went;
    std::optional<Source> first;
    for (const Source source : m_changed) {
        const Part &part = *find(source);
        const qsizetype before = came.size() + went.size();
        for (const Row &row : part.rows) {
            if (!hasKey(*part.told, row.key))
                came << QStringLiteral("+ ") + row.text;
        }
        for (const Row &row : *part.told) {
            if (!hasKey(part.rows, row.key))
                went << QStringLiteral("\u2212 ") + row.text;
        }
        if (!first && came.size() + went.size() > before)
            first = source;
    }
    m_changed.clear();
    for (Part &part : m_parts) {
        if (part.read)
            part.told = part.rows;
    }
    if (!first)
        return std::nullopt;
    return News {came + went, *first};
}

QList<MenuItem::Ptr> MenuSection::items(const std::function<QString(double)> &timeOf) const
{
    QList<MenuItem::Ptr> items {m_title};
    bool anyRead = false;
    qsizetype entries = 0;
    for (const Part &part : m_parts) {
        if (!part.enabled)
            continue;
        anyRead = anyRead || part.read;
        if (part.problem)
            items << MenuItem::create(
                tr("    ⚠ %1 not read at %2: %3")
                    .arg(nameOf(part.source), timeOf(part.problemTime), part.problem->reason));
    }
    for (const Part &part : m_parts) {
        if (!part.enabled)
            continue;
        items += part.entries;
        entries += part.entries.size();
    }
    if (entries == 0)
        items << (anyRead ? m_none : MenuItem::create(tr("    Not read yet")));
    return items << m_separator;
}
