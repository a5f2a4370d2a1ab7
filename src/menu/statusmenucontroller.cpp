#include "statusmenucontroller.h"

#include "menu/menuextensions.h"
#include "menu/menutitles.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/menu.h"
#include "platform/notifier.h"
#include "platform/runloop.h"
#include "platform/settings.h"
#include "scrapers/scrapersroot.h"
#include "sources/county/cameroncountyparse.h"
#include "sources/faa/faaparser.h"
#include "sources/msib/msib.h"
#include "sources/navwarn/navigationalwarnings.h"
#include "sources/starbase/starbaseclosures.h"
#include "text/dateextractor.h"
#include "text/dateformathelper.h"

#include <algorithm>
#include <stdexcept>

namespace {

const QString updateTimeSeconds = QStringLiteral("UpdateTimeSeconds");
const QString useMirror = QStringLiteral("UseMirror");
const QString notifyOnChanges = QStringLiteral("NotifyOnChanges");

// When the first of the windows written in `texts` comes: "now, until END" while one holds the
// present moment, else its start and how far off it is; none when none is current or to come.
std::optional<QString> nextWindow(const QStringList &texts, const Clock &clock)
{
    const double now = clock.now();
    std::optional<double> currentEnd;
    std::optional<double> nextStart;
    for (const QString &text : texts) {
        const auto window = DateExtractor::firstWindow(text, clock);
        if (!window)
            continue;
        const auto [start, end] = *window;
        if (start <= now && now <= end)
            currentEnd = std::max(currentEnd.value_or(end), end);
        else if (start > now)
            nextStart = std::min(nextStart.value_or(start), start);
    }
    const DateFormatHelper helper(DateFormatHelper::Style::Medium, DateFormatHelper::Style::Short,
                                  QString(), clock);
    if (currentEnd)
        return QStringLiteral("now, until ") + helper.formatDate(*currentEnd);
    if (!nextStart)
        return std::nullopt;
    // Whole hours below two days, whole days above.
    const double ahead = *nextStart - now;
    const QString away = ahead < 2 * 86400.0 ? QStringLiteral("in %1 h").arg(qint64(ahead / 3600))
                                             : QStringLiteral("in %1 d").arg(qint64(ahead / 86400));
    return helper.formatDate(*nextStart) + QStringLiteral(" (") + away + QLatin1Char(')');
}

} // namespace

StatusMenuController::StatusMenuController(ScraperEnvironment environment, Settings &settings,
                                           Browser &browser, Notifier &notifier)
    : m_environment(std::move(environment)), m_settings(settings), m_browser(browser),
      m_notifier(notifier),
      m_faaNotamInfoTitleMenuItem(MenuItem::create(QStringLiteral("✈️ Flight Restrictions"),
                                                   QStringLiteral("openFAAAction:"))),
      m_cameronCountyTitleMenuItem(MenuItem::create(QStringLiteral("🚗 Road Closures"),
                                                    QStringLiteral("openCameronCountyAction:"))),
      m_msibMenuItem(MenuItem::create(QStringLiteral("🛳 Maritime Safety Bulletin (Latest Only)"),
                                      QStringLiteral("openMSIB:"))),
      m_lastChangedMenuItem(MenuItem::create(QString())),
      m_noneMenuItem(MenuItem::create(QStringLiteral("    None")))
{
    // Choosing a notification opens its section's page, as the section's title does.
    m_notifier.setActivation([this](const QString &section) {
        m_browser.open(section == QLatin1String("flights")     ? m_parser->faa()->faaPage()
                           : section == QLatin1String("roads") ? m_parser->cc()->cameronCountyLink()
                                                               : m_parser->msib()->link());
    });
    m_parser = ScrapersRoot::create(this, m_environment, m_settings);
}

StatusMenuController::~StatusMenuController()
{
    m_notifier.setActivation(nullptr);
}

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

void StatusMenuController::updateTitle()
{
    setTitle(!m_failed.empty() ? MenuTitles::error()
                 : m_news      ? MenuTitles::changed()
                               : MenuTitles::normal());
    updateToolTip();
}

void StatusMenuController::updateToolTip()
{
    QStringList closures;
    for (const CameronCountyRecord &record : m_county.shown) {
        if (!record.canceledOrEnded())
            closures << record.day + QLatin1Char(' ') + record.times;
    }
    for (const RowRecord &row : m_starbaseInfo.shown)
        closures << row.right;
    QStringList restrictions;
    for (const FAANotam &notam : m_faa.shown)
        restrictions << notam.line;
    QStringList lines {m_statusBar.title()};
    if (const auto when = nextWindow(closures, m_environment.clock))
        lines << QStringLiteral("🚗 Next closure: ") + *when;
    if (const auto when = nextWindow(restrictions, m_environment.clock))
        lines << QStringLiteral("✈️ Next restriction: ") + *when;
    m_statusBar.setToolTip(lines.join(QLatin1Char('\n')));
}

template<typename Record> QStringList StatusMenuController::texts(const QList<Record> &list) const
{
    QStringList result;
    for (const Record &record : list) {
        if constexpr (std::is_same_v<Record, FAANotam>)
            result << record.menuItems(nullptr, {}, m_environment.clock)[0]->title().simplified();
        else
            result << record.menuItems(nullptr, {})[0]->title().simplified();
    }
    return result;
}

void StatusMenuController::notifyChange(Section section, const QStringList &before,
                                        const QStringList &after)
{
    if (!m_settings.boolForKey(notifyOnChanges))
        return;
    QStringList rows;
    for (const QString &row : after) {
        if (!before.contains(row))
            rows << QStringLiteral("+ ") + row;
    }
    for (const QString &row : before) {
        if (!after.contains(row))
            rows << QStringLiteral("\u2212 ") + row;
    }
    if (rows.size() > 5) {
        const qsizetype more = rows.size() - 5;
        rows = rows.mid(0, 5) << QStringLiteral("and %1 more").arg(more);
    }
    static const std::map<Section, std::pair<const char *, const char *>> names {
        {Section::roads, {"roads", "Road closures changed"}},
        {Section::flights, {"flights", "Flight restrictions changed"}},
        {Section::maritime, {"maritime", "Maritime safety bulletin changed"}}};
    const auto &[key, summary] = names.at(section);
    unsigned &last = m_notifications[section];
    last = m_notifier.notify(QLatin1String(key), QString::fromUtf8(summary),
                             rows.join(QLatin1Char('\n')), last);
}

void StatusMenuController::succeeded(Source source)
{
    m_failed.erase(source);
}

// ---- reports ----------------------------------------------------------------------------------

template<typename Record>
void StatusMenuController::show(const QList<Record> &list, Received<Record> &info,
                                MenuItem &sectionTitle, Section section)
{
    const bool news = info.received;
    info.received = true;
    if (list == info.shown)
        return;
    const QStringList before = news ? texts(info.shown) : QStringList();
    info.shown = list;
    buildMenu();
    if (news) {
        m_news = true;
        addCheck(sectionTitle);
        notifyChange(section, before, texts(list));
    }
}

void StatusMenuController::faaDetails(QList<FAANotam> notams)
{
    m_environment.runLoop.post([this, notams = std::move(notams)] { handleFaaDetails(notams); });
}

void StatusMenuController::handleFaaDetails(const QList<FAANotam> &notams)
{
    succeeded(Source::faa);
    // The same notices with other details (an altitude that came late) are shown, without news.
    const bool sameNotices = m_faa.received && notams == m_faa.shown;
    const bool otherDetails = sameNotices
        && !std::equal(notams.begin(), notams.end(), m_faa.shown.begin(),
                       [](const FAANotam &a, const FAANotam &b) { return a.details == b.details; });
    if (otherDetails) {
        m_faa.shown = notams;
        buildMenu();
    } else {
        show(notams, m_faa, *m_faaNotamInfoTitleMenuItem, Section::flights);
    }
    updateTitle();
}

template<typename Record>
void StatusMenuController::receive(QList<Record> list, Received<Record> &info, Source source,
                                   MenuItem &sectionTitle, Section section)
{
    m_environment.runLoop.post(
        [this, list = std::move(list), &info, source, &sectionTitle, section] {
            succeeded(source);
            show(list, info, sectionTitle, section);
            updateTitle();
        });
}

void StatusMenuController::cameronDetails(QList<CameronCountyRecord> records)
{
    receive(std::move(records), m_county, Source::county, *m_cameronCountyTitleMenuItem,
            Section::roads);
}

void StatusMenuController::starbaseDetails(QList<RowRecord> rows)
{
    // The city's closures belong to the road-closure section.
    receive(std::move(rows), m_starbaseInfo, Source::starbase, *m_cameronCountyTitleMenuItem,
            Section::roads);
}

void StatusMenuController::navigationalWarnings(QList<RowRecord> rows)
{
    receive(std::move(rows), m_navwarnInfo, Source::navwarn, *m_msibMenuItem, Section::maritime);
}

void StatusMenuController::msib(bool, QString)
{
    m_environment.runLoop.post([this] {
        succeeded(Source::bulletin);
        buildMenu();
        bulletinRead();
        updateTitle();
    });
}

void StatusMenuController::bulletinRead()
{
    const MSIB &watcher = *m_parser->msib();
    if (!watcher.hasRead())
        return;
    const QStringList line = watcher.spaceXHazardAreaMentioned()
        ? QStringList {watcher.menuItems(nullptr, {})[0]->title().simplified()}
        : QStringList();
    if (m_bulletinLine && *m_bulletinLine != line)
        notifyChange(Section::maritime, *m_bulletinLine, line);
    m_bulletinLine = line;
}

void StatusMenuController::error(WebErrors, Source source)
{
    m_environment.runLoop.post([this, source] {
        m_failed.insert(source);
        updateTitle();
    });
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
    updateToolTip(); // "in 5 h" stays true to within a period
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
    if (m_notifyOnChanges)
        m_notifyOnChanges->setState(m_settings.boolForKey(notifyOnChanges) ? MenuItem::On
                                                                           : MenuItem::Off);
    if (m_menuOpening)
        m_menuOpening();
}

void StatusMenuController::menuDidClose(Menu &)
{
    // The news has been seen: every mark goes, and a failure still stands.
    m_news = false;
    removeCheck(*m_cameronCountyTitleMenuItem);
    removeCheck(*m_faaNotamInfoTitleMenuItem);
    removeCheck(*m_msibMenuItem);
    updateTitle();
}

void StatusMenuController::buildMenu()
{
    Menu &menu = statusMenu();
    while (menu.numberOfItems() > m_statusMenuNumberOfDefaultItems)
        menu.removeItemAtIndex(0);

    // The county's closures, then the city's.
    QList<MenuItem::Ptr> items {m_cameronCountyTitleMenuItem};
    for (const CameronCountyRecord &record : m_county.shown)
        items += record.menuItems(this, QStringLiteral("openCameronCountyAction:"));
    for (const RowRecord &row : m_starbaseInfo.shown)
        items += row.menuItems(this, QStringLiteral("openStarbaseAction:"));
    if (m_county.shown.isEmpty() && m_starbaseInfo.shown.isEmpty())
        items << m_noneMenuItem;
    items << MenuItem::separator() << m_faaNotamInfoTitleMenuItem;
    if (!m_faa.shown.isEmpty()) {
        for (auto notam = m_faa.shown.crbegin(); notam != m_faa.shown.crend(); ++notam)
            items += notam->menuItems(this, QStringLiteral("openFAAAction:"), m_environment.clock);
    } else {
        items << MenuItem::create(QStringLiteral("    None"));
    }
    // The bulletin's line, then the launch hazard warnings.
    items << MenuItem::separator() << m_msibMenuItem;
    items += m_parser->msib()->menuItems(this, QStringLiteral("openMSIB:"));
    for (const RowRecord &row : m_navwarnInfo.shown)
        items += row.menuItems(this, QStringLiteral("openNavigationalWarningsAction:"));
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
        m_browser.open(m_parser->faa()->faaPage());
    } else if (selector == QLatin1String("openCameronCountyAction:")) {
        m_browser.open(m_parser->cc()->cameronCountyLink());
    } else if (selector == QLatin1String("openStarbaseAction:")) {
        m_browser.open(m_parser->starbase()->link());
    } else if (selector == QLatin1String("openMSIB:")) {
        m_browser.open(m_parser->msib()->link());
    } else if (selector == QLatin1String("openNavigationalWarningsAction:")) {
        m_browser.open(m_parser->navwarn()->link());
    } else if (selector == QLatin1String("changeUpdateTime:")) {
        if (sender.tag() < 1)
            return;
        m_settings.setValue(sender.tag(), updateTimeSeconds);
        replaceParser();
    } else if (selector == QLatin1String("toggleNotificationsAction:")) {
        m_settings.setValue(!m_settings.boolForKey(notifyOnChanges), notifyOnChanges);
    } else if (selector == QLatin1String("toggleMirrorAction:")) {
        m_settings.setValue(!m_settings.boolForKey(useMirror), useMirror);
        statusMenu().update();
        replaceParser();
    }
}
