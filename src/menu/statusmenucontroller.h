#pragma once

#include "platform/menudelegate.h"
#include "platform/menuitem.h"
#include "platform/menutarget.h"
#include "platform/statusitem.h"
#include "sources/scraperdelegate.h"
#include "sources/scraperenvironment.h"

#include <QList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

class Browser;
class Notifier;
class ScrapersRoot;
class Settings;

// The program's centre on screen: it owns the status item, keeps the lists last received, turns
// scraper reports into the menu and the status title, and carries the menu's actions.
class StatusMenuController final : public MenuDelegate, public ScraperDelegate, public MenuTarget
{
public:
    // Makes the status item, the fixed entries and the scrapers root (which checks at once).
    StatusMenuController(ScraperEnvironment environment, Settings &settings, Browser &browser,
                         Notifier &notifier);
    ~StatusMenuController() override;

    // The menu with the default entries, and the mirror toggle among them.
    void setStatusMenu(Menu *menu) { m_statusMenu = menu; }
    void setUseDataSourceMirror(MenuItem::Ptr item)
    {
        m_useDataSourceMirrorOutlet = std::move(item);
    }
    void setNotifyOnChanges(MenuItem::Ptr item) { m_notifyOnChanges = std::move(item); }
    // Also told when the menu is about to open.
    void setMenuOpening(std::function<void()> opening) { m_menuOpening = std::move(opening); }
    // Counts the default entries, attaches the menu and shows the resting title.
    void awakeFromNib();

    StatusItem &statusBar() { return m_statusBar; }
    const QList<FAANotam> &faaNotamInfo() const { return m_faa.shown; }
    const QList<CameronCountyRecord> &cameronCountyInfo() const { return m_county.shown; }
    const QList<RowRecord> &starbaseInfo() const { return m_starbaseInfo.shown; }
    const QList<RowRecord> &navigationalWarningsInfo() const { return m_navwarnInfo.shown; }
    const std::shared_ptr<ScrapersRoot> &parser() const { return m_parser; }
    int statusMenuNumberOfDefaultItems() const { return m_statusMenuNumberOfDefaultItems; }
    const MenuItem::Ptr &faaNotamInfoTitleMenuItem() const { return m_faaNotamInfoTitleMenuItem; }
    const MenuItem::Ptr &cameronCountyTitleMenuItem() const { return m_cameronCountyTitleMenuItem; }
    const MenuItem::Ptr &msibMenuItem() const { return m_msibMenuItem; }
    const MenuItem::Ptr &lastChangedMenuItem() const { return m_lastChangedMenuItem; }

    // ScraperDelegate: every report but updateLastChecked is handled later on the main thread.
    void faaDetails(QList<FAANotam> notams) override;
    void cameronDetails(QList<CameronCountyRecord> records) override;
    void starbaseDetails(QList<RowRecord> rows) override;
    void navigationalWarnings(QList<RowRecord> rows) override;
    void msib(bool spaceXHazardAreaMentioned, QString titleOfDocument) override;
    void error(WebErrors error, Source source) override;
    void updateLastChecked() override;

    // MenuDelegate
    void menuNeedsUpdate(Menu &menu) override;
    void menuDidClose(Menu &menu) override;

    // MenuTarget: openFAAAction:, openCameronCountyAction:, openStarbaseAction:, openMSIB:,
    // openNavigationalWarningsAction:, changeUpdateTime:, toggleNotificationsAction:,
    // toggleMirrorAction:.
    void performAction(const QString &selector, MenuItem &sender) override;

private:
    // A list as last received, and whether one was received at all in this run.
    template<typename Record> struct Received
    {
        QList<Record> shown;
        bool received = false;
    };

    // The three sections, as notifications name them.
    enum class Section { roads, flights, maritime };

    void handleFaaDetails(const QList<FAANotam> &notams);
    // Shows a newly received list if it differs from the one shown. A change is news when the
    // section has received a list before in this run: the title says so, the section is marked
    // and a notification tells the rows that came and went.
    template<typename Record>
    void show(const QList<Record> &list, Received<Record> &info, MenuItem &sectionTitle,
              Section section);
    // Shows a list from `source` later, on the main thread.
    template<typename Record>
    void receive(QList<Record> list, Received<Record> &info, Source source, MenuItem &sectionTitle,
                 Section section);
    // The menu texts of a list's entries.
    template<typename Record> QStringList texts(const QList<Record> &list) const;
    // One notification for the section, in the place of its last one, unless switched off.
    void notifyChange(Section section, const QStringList &before, const QStringList &after);
    // A finished read of the bulletin page that changed its line is news for the maritime section.
    void bulletinRead();
    // The title, then when the next closure and the next restriction come.
    void updateToolTip();
    // The source answered with content: a failure it had reported is over.
    void succeeded(Source source);
    void replaceParser();
    void buildMenu();
    // "🚀👎" while the latest check of some source failed, else "🚀✓" while there is news, else "🚀".
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
    std::function<void()> m_menuOpening;
    int m_statusMenuNumberOfDefaultItems = 0;
    StatusItem m_statusBar;
    MenuItem::Ptr m_faaNotamInfoTitleMenuItem;
    MenuItem::Ptr m_cameronCountyTitleMenuItem;
    MenuItem::Ptr m_msibMenuItem;
    MenuItem::Ptr m_lastChangedMenuItem;
    MenuItem::Ptr m_noneMenuItem;
    std::shared_ptr<ScrapersRoot> m_parser;
    Received<CameronCountyRecord> m_county;
    Received<RowRecord> m_starbaseInfo;
    Received<FAANotam> m_faa;
    Received<RowRecord> m_navwarnInfo;
    std::set<Source> m_failed;
    bool m_news = false;
    std::optional<QStringList> m_bulletinLine; // after the first finished read
    std::map<Section, unsigned> m_notifications; // the last notification of each section
};
