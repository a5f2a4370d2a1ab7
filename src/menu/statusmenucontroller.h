#pragma once

#include "platform/menudelegate.h"
#include "platform/menuitem.h"
#include "platform/menutarget.h"
#include "platform/statusitem.h"
#include "scrapers/scraperdelegate.h"
#include "sources/scraperenvironment.h"

#include <QList>

#include <memory>

class Browser;
class ScrapersRoot;
class Settings;

// The program's centre on screen: it owns the status item, keeps the lists last received, turns
// scraper reports into the menu and the status title, and carries the menu's actions.
class StatusMenuController final : public MenuDelegate, public ScraperDelegate, public MenuTarget
{
public:
    // Makes the status item, the fixed entries and the scrapers root (which checks at once).
    StatusMenuController(ScraperEnvironment environment, Settings &settings, Browser &browser);
    ~StatusMenuController() override;

    // The menu with the default entries, and the mirror toggle among them.
    void setStatusMenu(Menu *menu) { m_statusMenu = menu; }
    void setUseDataSourceMirror(MenuItem::Ptr item)
    {
        m_useDataSourceMirrorOutlet = std::move(item);
    }
    // Counts the default entries, attaches the menu and shows the resting title.
    void awakeFromNib();

    StatusItem &statusBar() { return m_statusBar; }
    const QList<FAANotam> &faaNotamInfo() const { return m_faaNotamInfo; }
    const QList<CameronCountyRecord> &cameronCountyInfo() const { return m_cameronCountyInfo; }
    const std::shared_ptr<ScrapersRoot> &parser() const { return m_parser; }
    int statusMenuNumberOfDefaultItems() const { return m_statusMenuNumberOfDefaultItems; }
    const MenuItem::Ptr &faaNotamInfoTitleMenuItem() const { return m_faaNotamInfoTitleMenuItem; }
    const MenuItem::Ptr &cameronCountyTitleMenuItem() const { return m_cameronCountyTitleMenuItem; }
    const MenuItem::Ptr &msibMenuItem() const { return m_msibMenuItem; }
    const MenuItem::Ptr &lastChangedMenuItem() const { return m_lastChangedMenuItem; }

    // ScraperDelegate: every report but updateLastChecked is handled later on the main thread.
    void faaDetails(QList<FAANotam> notams) override;
    void cameronDetails(QList<CameronCountyRecord> records) override;
    void msib(bool spaceXHazardAreaMentioned, QString titleOfDocument) override;
    void error(WebErrors error) override;
    void updateLastChecked() override;

    // MenuDelegate
    void menuNeedsUpdate(Menu &menu) override;
    void menuDidClose(Menu &menu) override;

    // MenuTarget: openFAAAction:, openCameronCountyAction:, openMSIB:, changeUpdateTime:,
    // toggleMirrorAction:.
    void performAction(const QString &selector, MenuItem &sender) override;

private:
    void handleFaaDetails(const QList<FAANotam> &notams);
    void handleCameronDetails(const QList<CameronCountyRecord> &records);
    // Shows a newly received list if it differs from the one shown, and signals the change.
    template<typename Record>
    void show(const QList<Record> &list, QList<Record> &shown, MenuItem &sectionTitle);
    void replaceParser();
    void buildMenu();
    void setTitle(const QString &title);
    Menu &statusMenu() const;

    ScraperEnvironment m_environment;
    Settings &m_settings;
    Browser &m_browser;
    Menu *m_statusMenu = nullptr;
    MenuItem::Ptr m_useDataSourceMirrorOutlet;
    MenuItem::Ptr m_useDataSourceMirror;
    int m_statusMenuNumberOfDefaultItems = 0;
    StatusItem m_statusBar;
    MenuItem::Ptr m_faaNotamInfoTitleMenuItem;
    MenuItem::Ptr m_cameronCountyTitleMenuItem;
    MenuItem::Ptr m_msibMenuItem;
    MenuItem::Ptr m_lastChangedMenuItem;
    MenuItem::Ptr m_noneMenuItem;
    std::shared_ptr<ScrapersRoot> m_parser;
    QList<CameronCountyRecord> m_cameronCountyInfo;
    QList<FAANotam> m_faaNotamInfo;
};
