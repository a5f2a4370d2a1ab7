#pragma once

#include "menu/menusection.h"
#include "platform/menudelegate.h"
#include "platform/menuitem.h"
#include "platform/menutarget.h"
#include "platform/statusitem.h"
#include "sources/scraperdelegate.h"
#include "sources/scraperenvironment.h"

#include <QCoreApplication>
#include <QList>
#include <QLoggingCategory>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class Browser;
class Notifier;
class ScrapersRoot;
class Settings;

// The program's centre on screen: it owns the status item, keeps the lists last received, turns
// scraper reports into the menu and the status title, and carries the menu's actions.
class StatusMenuController final : public MenuDelegate, public ScraperDelegate, public MenuTarget
{
    Q_DECLARE_TR_FUNCTIONS(StatusMenuController)

public:
    // Makes the status item, the fixed entries and the scrapers root (which checks at once).
    StatusMenuController(ScraperEnvironment environment, Settings &settings, Browser &browser,
                         Notifier &notifier);

    // Longer than any source's check takes: a request's time-out, or the bulletin's minute of
    // reading its page.
    static constexpr double answerTimeLimit = 90;
    ~StatusMenuController() override;

    // The menu with the default entries, and the mirror toggle among them.
    void setStatusMenu(Menu *menu) { m_statusMenu = menu; }
    void setUseDataSourceMirror(MenuItem::Ptr item)
    {
        m_useDataSourceMirrorOutlet = std::move(item);
    }
    void setNotifyOnChanges(MenuItem::Ptr item) { m_notifyOnChanges = std::move(item); }
    // The "Sources" submenu, whose entries name their source's key.
    void setSources(std::shared_ptr<Menu> sources) { m_sources = std::move(sources); }
    // Also told when the menu is about to open.
    void setMenuOpening(std::function<void()> opening) { m_menuOpening = std::move(opening); }
    // Also told whenever what the sections show may have changed (a read, a failure, a source
    // switched on or off).
    void setShownChanged(std::function<void()> changed) { m_shownChanged = std::move(changed); }
    // Counts the default entries, attaches the menu and shows the resting title.
    void awakeFromNib();

    StatusItem &statusBar() { return m_statusBar; }
    const QList<FAANotam> &faaNotamInfo() const { return m_faa; }
    const QList<CameronCountyRecord> &cameronCountyInfo() const { return m_county; }
    const QList<RowRecord> &starbaseInfo() const { return m_starbase; }
    const QList<RowRecord> &navigationalWarningsInfo() const { return m_navwarn; }
    const std::shared_ptr<ScrapersRoot> &parser() const { return m_parser; }
    int statusMenuNumberOfDefaultItems() const { return m_statusMenuNumberOfDefaultItems; }
    const MenuItem::Ptr &faaNotamInfoTitleMenuItem() const { return m_flights.title(); }
    const MenuItem::Ptr &cameronCountyTitleMenuItem() const { return m_roads.title(); }
    const MenuItem::Ptr &msibMenuItem() const { return m_maritime.title(); }
    const MenuItem::Ptr &lastChangedMenuItem() const { return m_lastChangedMenuItem; }

    // The page that a source's entries open.
    QUrl pageOf(Source source) const;
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
    void faaDetails(QList<FAANotam> notams) override;
    void cameronDetails(QList<CameronCountyRecord> records) override;
    void starbaseDetails(QList<RowRecord> rows) override;
    void navigationalWarnings(QList<RowRecord> rows) override;
    void msib(bool spaceXHazardAreaMentioned, QString titleOfDocument) override;
    void error(WebErrors error, Source source, const QString &reason) override;
    void updateLastChecked() override;

    // MenuDelegate
    void menuNeedsUpdate(Menu &menu) override;
    void menuDidClose(Menu &menu) override;

    // MenuTarget: openFAAAction:, openCameronCountyAction:, openStarbaseAction:, openMSIB:,
    // openNavigationalWarningsAction:, changeUpdateTime:, toggleNotificationsAction:,
    // toggleMirrorAction:, toggleSourceAction: (the sender names its source's key).
    void performAction(const QString &selector, MenuItem &sender) override;

private:
    MenuSection &sectionOf(Source source);
    const MenuSection &sectionOf(Source source) const;
    // The source whose key an entry of the "Sources" submenu names.
    static std::optional<Source> sourceOf(const MenuItem &item);
    // A read of `source` reaches its section later, on the main thread: the list is kept, the
    // section shows its entries, and the section tells its news once all its sources answered.
    // A row is an entry one can choose, named by its key (by its text where `keys` has none).
    void received(Source source, std::function<void()> keep,
                  std::function<QList<MenuItem::Ptr>()> entries, QStringList keys = {});
    // The section tells what changed, if all its sources have answered: the title and the
    // section's mark say so, and one notification names the rows that came and went.
    void tellNews(MenuSection &section);
    void notifyChange(const MenuSection &section, const MenuSection::News &news);
    // A read of the city's rows or the warnings.
    void receiveRows(Source source, QList<RowRecord> list, QList<RowRecord> &kept,
                     const QString &action);
    // The title, then when the next closure and the next restriction come.
    void updateToolTip();
    void replaceParser();
    // A check of `source` read nothing; said in the log when the source was read before.
    void failed(Source source, const SourceProblem &problem);
    static const QLoggingCategory &categoryOf(Source source);
    // A source switched off leaves nothing behind: the tooltip, the counts and the calendar forget
    // its rows.
    void forget(Source source);
    // Switches each source on or off as the settings say.
    void applySources();
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
    Menu *m_statusMenu = nullptr;
    MenuItem::Ptr m_useDataSourceMirrorOutlet;
    MenuItem::Ptr m_useDataSourceMirror;
    MenuItem::Ptr m_notifyOnChanges;
    std::shared_ptr<Menu> m_sources;
    std::function<void()> m_menuOpening;
    std::function<void()> m_shownChanged;
    int m_statusMenuNumberOfDefaultItems = 0;
    StatusItem m_statusBar;
    MenuSection m_roads;
    MenuSection m_flights;
    MenuSection m_maritime;
    MenuItem::Ptr m_lastChangedMenuItem;
    std::shared_ptr<ScrapersRoot> m_parser;
    // The lists as last read.
    QList<CameronCountyRecord> m_county;
    QList<RowRecord> m_starbase;
    QList<FAANotam> m_faa;
    QList<RowRecord> m_navwarn;
    bool m_news = false;
    // The source whose rows the last notification of each section named.
    std::map<QString, Source> m_notified;
    // When the latest check began.
    std::optional<double> m_checkStarted;
};
