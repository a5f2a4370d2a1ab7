#include "statusmenucontroller.h"

#include "menu/menuextensions.h"
#include "menu/menutitles.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/menu.h"
#include "platform/runloop.h"
#include "platform/settings.h"
#include "scrapers/scrapersroot.h"
#include "sources/county/cameroncountyparse.h"
#include "sources/faa/faaparser.h"
#include "sources/msib/msib.h"
#include "text/dateformathelper.h"

#include <stdexcept>

namespace {

const QString updateTimeSeconds = QStringLiteral("UpdateTimeSeconds");
const QString useMirror = QStringLiteral("UseMirror");

} // namespace

StatusMenuController::StatusMenuController(ScraperEnvironment environment, Settings &settings,
                                           Browser &browser)
    : m_environment(std::move(environment)), m_settings(settings), m_browser(browser),
      m_faaNotamInfoTitleMenuItem(MenuItem::create(QStringLiteral("✈️ Flight Restrictions"),
                                                   QStringLiteral("openFAAAction:"))),
      m_cameronCountyTitleMenuItem(MenuItem::create(QStringLiteral("🚗 Road Closures"),
                                                    QStringLiteral("openCameronCountyAction:"))),
      m_msibMenuItem(MenuItem::create(QStringLiteral("🛳 Maritime Safety Bulletin (Latest Only)"),
                                      QStringLiteral("openMSIB:"))),
      m_lastChangedMenuItem(MenuItem::create(QString())),
      m_noneMenuItem(MenuItem::create(QStringLiteral("    None")))
{
    m_parser = ScrapersRoot::create(this, m_environment, m_settings);
}

StatusMenuController::~StatusMenuController() = default;

Menu &StatusMenuController::statusMenu() const
{
    if (!m_statusMenu)
        throw std::logic_error("the status menu is not connected");
    return *m_statusMenu;
}

void StatusMenuController::awakeFromNib()
{
    m_statusMenuNumberOfDefaultItems = statusMenu().numberOfItems();
    statusMenu().setDelegate(this);
    m_statusBar.setMenu(m_statusMenu);
    setTitle(MenuTitles::normal());
    m_useDataSourceMirror = m_useDataSourceMirrorOutlet;
    for (const MenuItem::Ptr &item :
         {m_cameronCountyTitleMenuItem, m_faaNotamInfoTitleMenuItem, m_msibMenuItem}) {
        item->setTarget(this);
        setColor(*item, Color::SecondaryLabel);
    }
}

void StatusMenuController::setTitle(const QString &title)
{
    if (m_statusBar.hasButton())
        m_statusBar.setTitle(title);
}

// ---- reports ----------------------------------------------------------------------------------

void StatusMenuController::faaDetails(QList<FAANotam> notams)
{
    m_environment.runLoop.post([this, notams = std::move(notams)] { handleFaaDetails(notams); });
}

template<typename Record>
void StatusMenuController::show(const QList<Record> &list, QList<Record> &shown,
                                MenuItem &sectionTitle)
{
    const qsizetype previous = shown.size();
    if (list == shown)
        return;
    shown = list;
    buildMenu();
    // A change of a list that was shown is news; the first list after an empty one is not.
    if (previous != 0) {
        setTitle(MenuTitles::changed());
        addCheck(sectionTitle);
    }
}

void StatusMenuController::handleFaaDetails(const QList<FAANotam> &notams)
{
    show(notams, m_faaNotamInfo, *m_faaNotamInfoTitleMenuItem);
}

void StatusMenuController::cameronDetails(QList<CameronCountyRecord> records)
{
    m_environment.runLoop.post(
        [this, records = std::move(records)] { handleCameronDetails(records); });
}

void StatusMenuController::handleCameronDetails(const QList<CameronCountyRecord> &records)
{
    setTitle(MenuTitles::normal());
    show(records, m_cameronCountyInfo, *m_cameronCountyTitleMenuItem);
}

void StatusMenuController::msib(bool, QString)
{
    m_environment.runLoop.post([this] { buildMenu(); });
}

void StatusMenuController::error(WebErrors)
{
    m_environment.runLoop.post([this] { setTitle(MenuTitles::error()); });
}

void StatusMenuController::updateLastChecked()
{
    const DateFormatHelper helper(DateFormatHelper::Style::Short, DateFormatHelper::Style::Short,
                                  QString(), m_environment.clock);
    const double now = m_environment.clock.now();
    QString text = helper.formatDate(now);
    if (helper.yearOf(now) == helper.thisYear())
        text = DateFormatHelper::removingYear(text, helper.thisYear());
    m_lastChangedMenuItem->setTitle(QStringLiteral("Last Checked: ") + text);
}

// ---- the menu ---------------------------------------------------------------------------------

void StatusMenuController::menuNeedsUpdate(Menu &menu)
{
    const qint64 interval = m_settings.integerForKey(updateTimeSeconds);
    for (const MenuItem::Ptr &item : menu.items()) {
        if (item->tag() >= 1)
            item->setState(item->tag() == interval ? MenuItem::On : MenuItem::Off);
    }
    if (!m_useDataSourceMirror)
        throw std::logic_error("the mirror entry is not connected");
    m_useDataSourceMirror->setState(m_settings.boolForKey(useMirror) ? MenuItem::On
                                                                     : MenuItem::Off);
}

void StatusMenuController::menuDidClose(Menu &)
{
    if (!m_statusBar.hasButton() || m_statusBar.title() != MenuTitles::changed())
        return;
    setTitle(MenuTitles::normal());
    removeCheck(*m_cameronCountyTitleMenuItem);
    removeCheck(*m_faaNotamInfoTitleMenuItem);
}

void StatusMenuController::buildMenu()
{
    Menu &menu = statusMenu();
    while (menu.numberOfItems() > m_statusMenuNumberOfDefaultItems)
        menu.removeItemAtIndex(0);

    QList<MenuItem::Ptr> items {m_cameronCountyTitleMenuItem};
    if (!m_cameronCountyInfo.isEmpty()) {
        for (const CameronCountyRecord &record : m_cameronCountyInfo)
            items += record.menuItems(this, QStringLiteral("openCameronCountyAction:"));
    } else {
        items << m_noneMenuItem;
    }
    items << MenuItem::separator() << m_faaNotamInfoTitleMenuItem;
    if (!m_faaNotamInfo.isEmpty()) {
        for (auto notam = m_faaNotamInfo.crbegin(); notam != m_faaNotamInfo.crend(); ++notam)
            items += notam->menuItems(this, QStringLiteral("openFAAAction:"), m_environment.clock);
    } else {
        items << MenuItem::create(QStringLiteral("    None"));
    }
    items << MenuItem::separator() << m_msibMenuItem;
    items += m_parser->msib()->menuItems(this, QStringLiteral("openMSIB:"));
    items << MenuItem::separator() << m_lastChangedMenuItem;

    for (qsizetype i = 0; i < items.size(); ++i)
        menu.insertItem(items[i], int(i));
}

// ---- actions ----------------------------------------------------------------------------------

void StatusMenuController::replaceParser()
{
    // The new root is running before the old one goes.
    std::shared_ptr<ScrapersRoot> next = ScrapersRoot::create(this, m_environment, m_settings);
    m_parser = std::move(next);
}

void StatusMenuController::performAction(const QString &selector, MenuItem &sender)
{
    if (selector == QLatin1String("openFAAAction:")) {
        m_browser.open(m_parser->faa()->faaLink());
    } else if (selector == QLatin1String("openCameronCountyAction:")) {
        m_browser.open(m_parser->cc()->cameronCountyLink());
    } else if (selector == QLatin1String("openMSIB:")) {
        m_browser.open(m_parser->msib()->link());
    } else if (selector == QLatin1String("changeUpdateTime:")) {
        if (sender.tag() < 1)
            return;
        m_settings.setValue(sender.tag(), updateTimeSeconds);
        replaceParser();
    } else if (selector == QLatin1String("toggleMirrorAction:")) {
        m_settings.setValue(!m_settings.boolForKey(useMirror), useMirror);
        statusMenu().update();
        replaceParser();
    }
}
