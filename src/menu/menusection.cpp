#include "menusection.h"

#include "menu/noticerows.h"
#include "sources/weberrors.h"

#include <algorithm>

namespace {

QStringList titlesOf(const QList<MenuItem::Ptr> &entries)
{
    QStringList titles;
    for (const MenuItem::Ptr &entry : entries)
        titles << entry->title();
    return titles;
}

const Notice *withKey(const QList<Notice> &notices, const QString &key)
{
    const auto it = std::find_if(notices.begin(), notices.end(),
                                 [&key](const Notice &notice) { return notice.key == key; });
    return it == notices.end() ? nullptr : &*it;
}

bool sayTheSame(const QList<Notice> &a, const QList<Notice> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Notice &x, const Notice &y) { return x.saysTheSameAs(y); });
}

} // namespace

MenuSection::MenuSection(QString key, QString summary, MenuItem::Ptr title,
                         std::vector<Source> sources, const NoticeRows &rows, MenuTarget *target)
    : m_key(std::move(key)), m_summary(std::move(summary)), m_title(std::move(title)), m_rows(rows),
      m_target(target), m_none(MenuItem::create(tr("    None")))
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
    case Source::launches:
        return tr("Launch schedule");
    }
    return {};
}

void MenuSection::setEnabled(Source source, bool enabled)
{
    Part *part = find(source);
    if (!part || part->enabled == enabled)
        return;
    // Switched off, a source leaves no notices, no failure and no news behind; switched on, it
    // starts afresh, and its first read is no news.
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

void MenuSection::show(Part &part, QList<Notice> notices)
{
    if (part.told && !sayTheSame(notices, *part.told)
        && std::find(m_changed.begin(), m_changed.end(), part.source) == m_changed.end())
        m_changed.push_back(part.source);
    QList<MenuItem::Ptr> entries = m_rows.entriesOf(part.source, notices, m_target);
    if (titlesOf(entries) != titlesOf(part.entries))
        part.entries = std::move(entries);
    part.notices = std::move(notices);
}

void MenuSection::read(Source source, QList<Notice> notices, double when)
{
    Part *part = find(source);
    if (!part || !part->enabled)
        return;
    part->pending = false;
    part->read = true;
    part->readTime = when;
    part->problem.reset();
    part->readCount = notices.size();
    if (notices.size() > mostShown) {
        qCWarning(categoryOf(source)).noquote()
            << QStringLiteral("%1 gave %2 notices; the first %3 are shown")
                   .arg(nameOf(source))
                   .arg(notices.size())
                   .arg(mostShown);
        notices.resize(mostShown);
    }
    show(*part, std::move(notices));
}

bool MenuSection::dropOver(double now)
{
    bool dropped = false;
    for (Part &part : m_parts) {
        QList<Notice> current = part.notices;
        if (current.removeIf([now](const Notice &notice) { return notice.isOver(now); }) > 0) {
            show(part, std::move(current));
            dropped = true;
        }
    }
    return dropped;
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

const QList<Notice> &MenuSection::notices(Source source) const
{
    static const QList<Notice> none;
    const Part *part = find(source);
    return part ? part->notices : none;
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
        for (const Notice &notice : part.notices) {
            const Notice *told = withKey(*part.told, notice.key);
            if (!told || !told->saysTheSameAs(notice))
                came << QStringLiteral("+ ") + m_rows.titleOf(notice).simplified();
        }
        for (const Notice &told : *part.told) {
            const Notice *notice = withKey(part.notices, told.key);
            if (!notice || !notice->saysTheSameAs(told))
                went << QStringLiteral("\u2212 ") + m_rows.titleOf(told).simplified();
        }
        if (!first && came.size() + went.size() > before)
            first = source;
    }
    m_changed.clear();
    for (Part &part : m_parts) {
        if (part.read)
            part.told = part.notices;
    }
    if (!first)
        return std::nullopt;
    QStringList lines = came + went;
    if (lines.size() > 5) {
        const qsizetype more = lines.size() - 5;
        lines = lines.mid(0, 5) << tr("and %n more", nullptr, int(more));
    }
    return News {m_summary, lines.join(QLatin1Char('\n')), *first};
}

QList<MenuItem::Ptr>
MenuSection::items(const std::function<QString(double)> &timeOf,
                   const std::function<QList<MenuItem::Ptr>(const Notice &)> &under,
                   const QList<MenuItem::Ptr> &after) const
{
    QList<MenuItem::Ptr> items {m_title};
    bool anyRead = false;
    qsizetype entries = 0;
    for (const Part &part : m_parts) {
        if (!part.enabled)
            continue;
        anyRead = anyRead || part.read;
        // Rows of an earlier check say when they were read (a page read in part just now shows
        // what it read).
        if (part.problem && part.read && !part.notices.isEmpty()
            && part.problemTime - part.readTime >= 60)
            items << MenuItem::create(tr("    ⚠ %1 not read at %2: %3; shown as read at %4")
                                          .arg(nameOf(part.source), timeOf(part.problemTime),
                                               reasonForPeople(part.problem->reason),
                                               timeOf(part.readTime)));
        else if (part.problem)
            items << MenuItem::create(tr("    ⚠ %1 not read at %2: %3")
                                          .arg(nameOf(part.source), timeOf(part.problemTime),
                                               reasonForPeople(part.problem->reason)));
        else if (part.readCount > mostShown)
            items << MenuItem::create(tr("    ⚠ %1: %2 of %3 shown")
                                          .arg(nameOf(part.source))
                                          .arg(mostShown)
                                          .arg(part.readCount));
    }
    for (const Part &part : m_parts) {
        if (!part.enabled)
            continue;
        for (qsizetype i = 0; i < part.entries.size(); ++i) {
            items << part.entries[i];
            if (under && i < part.notices.size())
                items += under(part.notices[i]);
        }
        entries += part.entries.size();
    }
    items += after;
    if (entries == 0 && after.isEmpty())
        items << (anyRead ? m_none : MenuItem::create(tr("    Not read yet")));
    return items << m_separator;
}
