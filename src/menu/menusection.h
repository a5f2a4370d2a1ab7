#pragma once

#include "notices/notice.h"
#include "platform/menuitem.h"
#include "sources/weberrors.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class NoticeRows;

// One section of the menu: its title entry and the sources whose notices it shows (road closures:
// the county, then the city; maritime: the bulletin, then the warnings). It keeps each source's
// notices of its last read, their entries and the state of its latest check, says what it shows,
// and tells the news of a check once every source it waits for has answered.
class MenuSection final
{
    Q_DECLARE_TR_FUNCTIONS(MenuSection)

public:
    // What changed in the section since it last told: the section's summary, one line for each
    // notice that came ("+ ") or went ("− ") and both for one whose words changed (five lines,
    // then how many more), and the source of the first change, whose page the notification
    // opens.
    struct News
    {
        QString summary;
        QString body;
        Source source;
    };

    // `rows` renders the notices, as entries sent to `target`; `summary` says that the section
    // changed.
    MenuSection(QString key, QString summary, MenuItem::Ptr title, std::vector<Source> sources,
                const NoticeRows &rows, MenuTarget *target);

    // "roads", "flights", "maritime": how notifications name the section.
    const QString &key() const { return m_key; }
    const MenuItem::Ptr &title() const { return m_title; }
    // The source whose page the title opens.
    Source firstSource() const { return m_parts.front().source; }
    bool shows(Source source) const { return find(source) != nullptr; }

    // A source switched off is neither waited for nor shown; a section whose sources are all off
    // is not shown at all.
    void setEnabled(Source source, bool enabled);
    bool isEnabled(Source source) const;
    bool isShown() const;

    // A check starts: every source switched on is waited for.
    void checkStarted();
    // The sources still waited for, in the section's order.
    std::vector<Source> pending() const;

    // No source shows more notices than this at once: a page that lists thousands is cut short.
    static constexpr qsizetype mostShown = 200;

    // A read of `source` at `when`: its notices, shown in their order, the first 200 of them.
    void read(Source source, QList<Notice> notices, double when);
    // The notices kept from a read that are over by `now` are no longer shown; false when there
    // were none.
    bool dropOver(double now);
    // A check of `source` that read nothing: its notices of the last read stay.
    void failed(Source source, SourceProblem problem, double when);

    // The source has been read at least once in this run.
    bool wasRead(Source source) const;
    // The failure of the source's latest check, if it failed.
    const std::optional<SourceProblem> &problem(Source source) const;
    // Some source switched on failed at its latest check.
    bool hasProblem() const;
    // The notices of the source's last read; none while it is switched off.
    const QList<Notice> &notices(Source source) const;

    // Once no source is waited for: the notices that came and went since the section last told,
    // against those each source showed when it was last told (a source's first read is no news),
    // matched by key. Empty when nothing changed or some source is still waited for.
    std::optional<News> takeNews();

    // The section's entries: its title, a line for each source whose latest check failed or was
    // cut short ("    ⚠ City of Starbase: 200 of 4000 shown"),
    // ("    ⚠ FAA not read at 9:20 AM: no answer (connection refused)", and when it shows what an
    // earlier check read, "; shown as read at 8:40 AM"), then the sources' entries;
    // "    None" when a read found none, "    Not read yet" when no source has been read; then a
    // separator. The title, "None" and the separator are the same entries every time.
    // `timeOf` writes the time of a failure. `under` gives entries to follow each notice's entry,
    // `after` entries to follow them all (in place of "None" when there are some).
    QList<MenuItem::Ptr> items(const std::function<QString(double)> &timeOf,
                               const std::function<QList<MenuItem::Ptr>(const Notice &)> &under
                               = nullptr,
                               const QList<MenuItem::Ptr> &after = {}) const;

    // The name of a source in the section's state line.
    static QString nameOf(Source source);

private:
    struct Part
    {
        Source source;
        bool enabled = true;
        bool pending = false;
        bool read = false;
        std::optional<SourceProblem> problem = {};
        double problemTime = 0;
        double readTime = 0;
        qsizetype readCount = 0; // the notices of the last read, shown or not
        QList<Notice> notices = {};
        QList<MenuItem::Ptr> entries = {};
        std::optional<QList<Notice>> told = {}; // the notices when the section last told
    };

    Part *find(Source source);
    const Part *find(Source source) const;
    // The part shows `notices`: entries that show what they showed stay the same entries.
    void show(Part &part, QList<Notice> notices);

    QString m_key;
    QString m_summary;
    MenuItem::Ptr m_title;
    const NoticeRows &m_rows;
    MenuTarget *m_target;
    MenuItem::Ptr m_none;
    MenuItem::Ptr m_separator = MenuItem::separator();
    std::vector<Part> m_parts;
    // The sources read with other notices since the section last told, in the order they came.
    std::vector<Source> m_changed;
};
