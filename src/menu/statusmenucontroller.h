#pragma once

#include "menu/launchcover.h"
#include "menu/menusection.h"
#include "menu/noticerows.h"
#include "platform/menudelegate.h"
#include "platform/menuitem.h"
#include "platform/menutarget.h"
#include "platform/statusitem.h"
#include "sources/scraperdelegate.h"
#include "sources/scraperenvironment.h"

#include <QCoreApplication>
#include <QList>
#include <QLoggingCategory>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class Browser;
class Notifier;
class ScrapersRoot;
class Settings;

// The program's centre on screen: it owns the status item and the sections of the menu, turns
// scraper reports into the menu and the status title, runs the check cycle and carries the menu's
// actions.
class StatusMenuController final : public MenuDelegate, public ScraperDelegate, public MenuTarget
{
    Q_DECLARE_TR_FUNCTIONS(StatusMenuController)

public:
    // Makes the status item and the sections' fixed entries; nothing is checked before start().
    StatusMenuController(ScraperEnvironment environment, Settings &settings, Browser &browser,
                         Notifier &notifier);

    // Longer than any source's check takes: the bulletin's two requests, each of them ended
    // within its 60 seconds.
    static constexpr double answerTimeLimit = 130;
    ~StatusMenuController() override;

    // The menu with the default entries, and the toggles among them.
    void setStatusMenu(Menu *menu) { m_statusMenu = menu; }
    void setUseDataSourceMirror(MenuItem::Ptr item) { m_useDataSourceMirror = std::move(item); }
    void setNotifyOnChanges(MenuItem::Ptr item) { m_notifyOnChanges = std::move(item); }
    // The "Sources" submenu, whose entries stand for their sources.
    void setSources(std::shared_ptr<Menu> sources) { m_sources = std::move(sources); }
    // Also told when the menu is about to open.
    void setMenuOpening(std::function<void()> opening) { m_menuOpening = std::move(opening); }
    // Each listener added is told whenever what the sections show may have changed (a read, a
    // failure, a source switched on or off).
    void addShownChanged(std::function<void()> changed)
    {
        m_shownChanged.push_back(std::move(changed));
    }
    // Counts the default entries, attaches the menu, shows the resting title and starts the
    // check cycle: one check at once, then one every period.
    void start();

    StatusItem &statusBar() { return m_statusBar; }
    // How the notices read in the menu.
    const NoticeRows &rows() const { return m_rows; }
    const std::shared_ptr<ScrapersRoot> &parser() const { return m_parser; }
    int statusMenuNumberOfDefaultItems() const { return m_statusMenuNumberOfDefaultItems; }
    const MenuItem::Ptr &faaNotamInfoTitleMenuItem() const { return m_flights.title(); }
    const MenuItem::Ptr &cameronCountyTitleMenuItem() const { return m_roads.title(); }
    const MenuItem::Ptr &msibMenuItem() const { return m_maritime.title(); }
    const MenuItem::Ptr &lastChangedMenuItem() const { return m_lastChangedMenuItem; }

    // The notices of the source's last read; none while it is switched off.
    const QList<Notice> &notices(Source source) const { return sectionOf(source).notices(source); }
    // Every source's notices, in the order of the sources.
    QList<Notice> shownNotices() const;
    // Each launch shown with the notices that cover its window.
    QList<launchcover::Covered> coveredLaunches() const;
    // The spans where notices of two kinds meet with no launch shown, the first five to come.
    QList<launchcover::Span> possibleActivity() const;
    // The source has been read at its latest check.
    bool isRead(Source source) const;
    // The source has been read at some check of this run.
    bool wasRead(Source source) const { return sectionOf(source).wasRead(source); }
    // The source is switched on.
    bool isEnabled(Source source) const { return sectionOf(source).isEnabled(source); }
    // Why the source's latest check read nothing; none when it was read or is switched off.
    std::optional<SourceProblem> problem(Source source) const;
    // The check has ended: every source still waited for was not reached, for `reason`.
    void checkEnded(const QString &reason);

    // ScraperDelegate: every report but updateLastChecked is handled later on the main thread.
    void noticesRead(Source source, QList<Notice> notices) override;
    void error(WebErrors error, Source source, const QString &reason) override;
    void updateLastChecked() override;
    void areasRead(Source source, const std::optional<QString> &problem) override;
    // The sources whose shapes could not be read at their latest check, and why.
    const std::map<Source, QString> &areaProblems() const { return m_areaProblems; }

    // MenuDelegate
    void menuNeedsUpdate(Menu &menu) override;
    void menuDidClose(Menu &menu) override;

    // MenuTarget: the pages, the check period, the toggles.
    void performAction(Action action, MenuItem &sender) override;

private:
    // The sections in the menu's order: upcoming launches, road closures, flight restrictions,
    // maritime notices.
    std::array<MenuSection *, 4> sections()
    {
        return {&m_launches, &m_roads, &m_flights, &m_maritime};
    }
    std::array<const MenuSection *, 4> sections() const
    {
        return {&m_launches, &m_roads, &m_flights, &m_maritime};
    }
    // The launch section's entries: each launch with the notices that cover its window, then the
    // spans where notices of two kinds meet with no launch listed.
    QList<MenuItem::Ptr> launchItems(const std::function<QString(double)> &timeOf) const;
    // The notices of every source but the launch schedule.
    QList<Notice> othersThanLaunches() const;
    MenuSection &sectionOf(Source source);
    const MenuSection &sectionOf(Source source) const;
    // The section tells what changed, if all its sources have answered: the title and the
    // section's mark say so, and one notification names the notices that came and went.
    void tellNews(MenuSection &section);
    // The title, then when the next closure and the next restriction come.
    void updateToolTip();
    void replaceParser();
    // A check of `source` read nothing; said in the log when the source was read before.
    void failed(Source source, const SourceProblem &problem);
    // Switches each source on or off as the settings say.
    void applySources();
    void toggleSource(MenuItem &sender);
    void buildMenu();
    // "🚀👎" while the latest check of some source read nothing, else "🚀✓" while there is news,
    // else "🚀".
    void updateTitle();
    void setTitle(const QString &title);
    Menu &statusMenu() const;

    ScraperEnvironment m_environment;
    Settings &m_settings;
    Browser &m_browser;
    Notifier &m_notifier;
    NoticeRows m_rows;
    Menu *m_statusMenu = nullptr;
    MenuItem::Ptr m_useDataSourceMirror;
    MenuItem::Ptr m_notifyOnChanges;
    std::shared_ptr<Menu> m_sources;
    std::function<void()> m_menuOpening;
    std::vector<std::function<void()>> m_shownChanged;
    int m_statusMenuNumberOfDefaultItems = 0;
    StatusItem m_statusBar;
    MenuSection m_launches;
    MenuSection m_roads;
    MenuSection m_flights;
    MenuSection m_maritime;
    MenuItem::Ptr m_lastChangedMenuItem;
    std::shared_ptr<ScrapersRoot> m_parser;
    bool m_news = false;
    // The source whose notices the last notification of each section named.
    std::map<QString, Source> m_notified;
    // When the latest check began.
    std::optional<double> m_checkStarted;
    std::map<Source, QString> m_areaProblems;
};
