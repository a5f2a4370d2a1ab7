#include "statusmenucontroller.h"

#include "menu/menuextensions.h"
#include "menu/menutitles.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/logging.h"
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
#include <map>
#include <stdexcept>

namespace {

const QString updateTimeSeconds = QStringLiteral("UpdateTimeSeconds");
const QString useMirror = QStringLiteral("UseMirror");
const QString notifyOnChanges = QStringLiteral("NotifyOnChanges");

// When the first of the windows written in `texts` (times without a zone in `zone`) comes: "now,
// until END" while one holds the present moment, else the earliest start and how far off it is;
// none when none is current or to come.
std::optional<QString> nextWindow(const QStringList &texts, const Clock &clock, const QString &zone)
{
    const double now = clock.now();
    std::optional<double> currentEnd;
    std::optional<double> nextStart;
    for (const QString &text : texts) {
        const auto window = DateExtractor::firstWindow(text, clock, zone);
        if (!window)
            continue;
        const double start = window->start;
        const double end = window->end;
        if (start <= now && now <= end)
            currentEnd = std::max(currentEnd.value_or(end), end);
        else if (start > now)
            nextStart = std::min(nextStart.value_or(start), start);
    }
    const DateFormatHelper helper(DateFormatHelper::Style::Medium, DateFormatHelper::Style::Short,
                                  QString(), clock);
    if (currentEnd)
        return StatusMenuController::tr("now, until %1").arg(helper.formatDate(*currentEnd));
    if (!nextStart)
        return std::nullopt;
    // Whole minutes below an hour, whole hours below two days, whole days above.
    const double ahead = *nextStart - now;
    const QString away = ahead < 3600.0
        ? StatusMenuController::tr("in %1 min").arg(qint64(ahead / 60))
        : ahead < 2 * 86400.0 ? StatusMenuController::tr("in %1 h").arg(qint64(ahead / 3600))
                              : StatusMenuController::tr("in %1 d").arg(qint64(ahead / 86400));
    return helper.formatDate(*nextStart) + QStringLiteral(" (") + away + QLatin1Char(')');
}

} // namespace

StatusMenuController::StatusMenuController(ScraperEnvironment environment, Settings &settings,
                                           Browser &browser, Notifier &notifier)
    : m_environment(std::move(environment)), m_settings(settings), m_browser(browser),
      m_notifier(notifier),
      m_roads(QStringLiteral("roads"),
              MenuItem::create(tr("🚗 Road Closures"), QStringLiteral("openCameronCountyAction:")),
              {Source::county, Source::starbase}),
      m_flights(
          QStringLiteral("flights"),
          MenuItem::create(tr("✈️ Flight Restrictions"), QStringLiteral("openFAAAction:")),
          {Source::faa}),
      m_maritime(QStringLiteral("maritime"),
                 MenuItem::create(tr("🛳 Maritime Safety Bulletin (Latest Only)"),
                                  QStringLiteral("openMSIB:")),
                 {Source::bulletin, Source::navwarn}),
      m_lastChangedMenuItem(MenuItem::create(QString()))
{
    // Choosing a notification opens the page of the source whose rows it named.
    m_notifier.setActivation([this](const QString &section) {
        const auto it = m_notified.find(section);
        if (it != m_notified.end())
            m_browser.open(pageOf(it->second));
    });
    applySources();
    m_parser = ScrapersRoot::create(this, m_environment, m_settings);
}

void StatusMenuController::applySources()
{
    for (const auto &[source, key] : sourceKeys)
        sectionOf(source).setEnabled(source,
                                     m_settings.boolForKey(ScrapersRoot::settingOf(source)));
}

std::optional<Source> StatusMenuController::sourceOf(const MenuItem &item)
{
    const QString *key = std::any_cast<QString>(&item.representedObject());
    for (const auto &[source, name] : sourceKeys) {
        if (key && *key == QLatin1String(name))
            return source;
    }
    return std::nullopt;
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

MenuSection &StatusMenuController::sectionOf(Source source)
{
    return m_roads.shows(source) ? m_roads : m_flights.shows(source) ? m_flights : m_maritime;
}

const MenuSection &StatusMenuController::sectionOf(Source source) const
{
    return const_cast<StatusMenuController *>(this)->sectionOf(source);
}

QUrl StatusMenuController::pageOf(Source source) const
{
    switch (source) {
    case Source::faa:
        return m_parser->faa()->faaPage();
    case Source::county:
        return m_parser->cc()->cameronCountyLink();
    case Source::starbase:
        return m_parser->starbase()->link();
    case Source::bulletin:
        return m_parser->msib()->link();
    case Source::navwarn:
        return m_parser->navwarn()->link();
    }
    return {};
}

void StatusMenuController::awakeFromNib()
{
    m_statusMenuNumberOfDefaultItems = statusMenu().numberOfItems();
    statusMenu().setDelegate(this);
    m_statusBar.setMenu(m_statusMenu);
    setTitle(MenuTitles::normal());
    m_useDataSourceMirror = m_useDataSourceMirrorOutlet;
    for (MenuSection *section : {&m_roads, &m_flights, &m_maritime}) {
        section->title()->setTarget(this);
        setColor(*section->title(), Color::SecondaryLabel);
    }
    buildMenu();
}

void StatusMenuController::setTitle(const QString &title)
{
    if (m_statusBar.hasButton())
        m_statusBar.setTitle(title);
}

bool StatusMenuController::isRead(Source source) const
{
    const MenuSection &section = sectionOf(source);
    return section.wasRead(source) && !section.problem(source);
}

std::optional<SourceProblem> StatusMenuController::problem(Source source) const
{
    const MenuSection &section = sectionOf(source);
    if (!section.isEnabled(source))
        return std::nullopt;
    if (const auto &problem = section.problem(source))
        return problem;
    if (!section.wasRead(source))
        return SourceProblem {WebErrors::notReached, QStringLiteral("not read yet")};
    return std::nullopt;
}

void StatusMenuController::updateTitle()
{
    if (m_shownChanged)
        m_shownChanged();
    const bool failed = m_roads.hasProblem() || m_flights.hasProblem() || m_maritime.hasProblem();
    setTitle(failed ? MenuTitles::error() : m_news ? MenuTitles::changed() : MenuTitles::normal());
    updateToolTip();
}

void StatusMenuController::updateToolTip()
{
    QStringList closures;
    for (const CameronCountyRecord &record : m_county) {
        if (!record.canceledOrEnded())
            closures << record.day + QLatin1Char(' ') + record.times;
    }
    for (const RowRecord &row : m_starbase)
        closures << row.right;
    QStringList restrictions;
    for (const FAANotam &notam : m_faa)
        restrictions << notam.line;
    QStringList lines {m_statusBar.title()};
    const QString &zone = m_environment.placeZone;
    if (const auto when = nextWindow(closures, m_environment.clock, zone))
        lines << tr("🚗 Next closure: %1").arg(*when);
    if (const auto when = nextWindow(restrictions, m_environment.clock, zone))
        lines << tr("✈️ Next restriction: %1").arg(*when);
    m_statusBar.setToolTip(lines.join(QLatin1Char('\n')));
}

void StatusMenuController::notifyChange(const MenuSection &section, const MenuSection::News &news)
{
    if (!m_settings.boolForKey(notifyOnChanges))
        return;
    QStringList rows = news.lines;
    if (rows.size() > 5) {
        const qsizetype more = rows.size() - 5;
        rows = rows.mid(0, 5) << tr("and %n more", nullptr, int(more));
    }
    static const std::map<QString, const char *> summaries {
        {QStringLiteral("roads"), QT_TR_NOOP("Road closures changed")},
        {QStringLiteral("flights"), QT_TR_NOOP("Flight restrictions changed")},
        {QStringLiteral("maritime"), QT_TR_NOOP("Maritime safety bulletin changed")}};
    m_notified[section.key()] = news.source;
    m_notifier.notify(section.key(), tr(summaries.at(section.key())), rows.join(QLatin1Char('\n')));
}

void StatusMenuController::tellNews(MenuSection &section)
{
    const std::optional<MenuSection::News> news = section.takeNews();
    if (!news)
        return;
    m_news = true;
    addCheck(*section.title());
    notifyChange(section, *news);
}

// ---- reports ----------------------------------------------------------------------------------

void StatusMenuController::received(Source source, std::function<void()> keep,
                                    std::function<QList<MenuItem::Ptr>()> entries, QStringList keys)
{
    m_environment.runLoop.post([this, source, keep = std::move(keep), entries = std::move(entries),
                                keys = std::move(keys)] {
        MenuSection &section = sectionOf(source);
        if (!section.isEnabled(source))
            return; // switched off while the check was under way
        keep();
        if (section.problem(source))
            qCInfo(categoryOf(source)).noquote()
                << MenuSection::nameOf(source) + QStringLiteral(" read again");
        QList<MenuItem::Ptr> shown = entries();
        // The rows are the entries one can choose (a bulletin's "None" is none).
        QList<MenuSection::Row> rows;
        for (const MenuItem::Ptr &entry : shown) {
            if (!entry->isEnabled())
                continue;
            const QString text = entry->title().simplified();
            rows << MenuSection::Row {keys.value(rows.size(), text), text};
        }
        section.read(source, std::move(shown), std::move(rows));
        buildMenu();
        tellNews(section);
        updateTitle();
    });
}

void StatusMenuController::faaDetails(QList<FAANotam> notams)
{
    // The latest comes first. A notice with another detail address (the mirror's list page against
    // the live feed) or another altitude is the same notice: its line is what tells it apart.
    QStringList keys;
    for (auto notam = notams.crbegin(); notam != notams.crend(); ++notam)
        keys << notam->line;
    received(
        Source::faa, [this, notams] { m_faa = notams; },
        [this, notams] {
            QList<MenuItem::Ptr> items;
            for (auto notam = notams.crbegin(); notam != notams.crend(); ++notam)
                items += notam->menuItems(this, QStringLiteral("openFAAAction:"),
                                          m_environment.clock);
            return items;
        },
        std::move(keys));
}

void StatusMenuController::cameronDetails(QList<CameronCountyRecord> records)
{
    received(
        Source::county, [this, records] { m_county = records; },
        [this, records] {
            QList<MenuItem::Ptr> items;
            for (const CameronCountyRecord &record : records)
                items += record.menuItems(this, QStringLiteral("openCameronCountyAction:"));
            return items;
        });
}

void StatusMenuController::starbaseDetails(QList<RowRecord> rows)
{
    receiveRows(Source::starbase, std::move(rows), m_starbase,
                QStringLiteral("openStarbaseAction:"));
}

void StatusMenuController::navigationalWarnings(QList<RowRecord> rows)
{
    receiveRows(Source::navwarn, std::move(rows), m_navwarn,
                QStringLiteral("openNavigationalWarningsAction:"));
}

void StatusMenuController::receiveRows(Source source, QList<RowRecord> list, QList<RowRecord> &kept,
                                       const QString &action)
{
    received(
        source, [&kept, list] { kept = list; },
        [this, list, action] {
            QList<MenuItem::Ptr> items;
            for (const RowRecord &row : list)
                items += row.menuItems(this, action);
            return items;
        });
}

void StatusMenuController::msib(bool, QString)
{
    // The watcher reports twice a read (first without a line): its state after the read counts.
    received(
        Source::bulletin, [] {},
        [this] { return m_parser->msib()->menuItems(this, QStringLiteral("openMSIB:")); });
}

void StatusMenuController::error(WebErrors kind, Source source, const QString &reason)
{
    m_environment.runLoop.post([this, kind, source, reason] {
        MenuSection &section = sectionOf(source);
        failed(source, SourceProblem {kind, reason});
        buildMenu();
        tellNews(section);
        updateTitle();
    });
}

const QLoggingCategory &StatusMenuController::categoryOf(Source source)
{
    switch (source) {
    case Source::faa:
        return lcFaa();
    case Source::county:
        return lcCounty();
    case Source::starbase:
        return lcStarbase();
    case Source::bulletin:
        return lcBulletin();
    case Source::navwarn:
        return lcNavwarn();
    }
    return lcFaa();
}

void StatusMenuController::failed(Source source, const SourceProblem &problem)
{
    MenuSection &section = sectionOf(source);
    // The log says when a source stops being read, not at every check it stays so.
    if (section.isEnabled(source) && !section.problem(source))
        qCWarning(categoryOf(source)).noquote()
            << MenuSection::nameOf(source) + QStringLiteral(" not read: ") + problem.reason;
    section.failed(source, problem, m_environment.clock.now());
}

void StatusMenuController::forget(Source source)
{
    switch (source) {
    case Source::faa:
        m_faa.clear();
        break;
    case Source::county:
        m_county.clear();
        break;
    case Source::starbase:
        m_starbase.clear();
        break;
    case Source::navwarn:
        m_navwarn.clear();
        break;
    case Source::bulletin:
        break; // the watcher keeps its own line
    }
}

void StatusMenuController::checkEnded(const QString &reason)
{
    for (MenuSection *section : {&m_roads, &m_flights, &m_maritime}) {
        for (const Source source : section->pending())
            failed(source, SourceProblem {WebErrors::notReached, reason});
        tellNews(*section);
    }
    buildMenu();
    updateTitle();
}

void StatusMenuController::updateLastChecked()
{
    // A source that has not answered a check begun longer ago than any request or read of a page
    // may take never will; one asked again sooner (the period changed) may still answer.
    const double now = m_environment.clock.now();
    if (m_checkStarted && now - *m_checkStarted >= answerTimeLimit)
        checkEnded(QStringLiteral("no answer before the next check"));
    m_checkStarted = now;
    for (MenuSection *section : {&m_roads, &m_flights, &m_maritime})
        section->checkStarted();
    const DateFormatHelper helper(DateFormatHelper::Style::Short, DateFormatHelper::Style::Short,
                                  QString(), m_environment.clock);
    QString text = helper.formatDate(now);
    if (helper.yearOf(now) == helper.thisYear())
        text = DateFormatHelper::removingYear(text, helper.thisYear());
    m_lastChangedMenuItem->setTitle(tr("Last Checked: %1").arg(text));
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
    if (m_sources) {
        for (const MenuItem::Ptr &item : m_sources->items()) {
            if (const std::optional<Source> source = sourceOf(*item))
                item->setState(isEnabled(*source) ? MenuItem::On : MenuItem::Off);
        }
    }
    if (m_menuOpening)
        m_menuOpening();
}

void StatusMenuController::menuDidClose(Menu &)
{
    // The news has been seen: every mark goes, and a failure still stands.
    m_news = false;
    for (MenuSection *section : {&m_roads, &m_flights, &m_maritime})
        removeCheck(*section->title());
    updateTitle();
}

void StatusMenuController::buildMenu()
{
    if (!m_statusMenu)
        return; // not woken yet: awakeFromNib builds it
    Menu &menu = statusMenu();
    while (menu.numberOfItems() > m_statusMenuNumberOfDefaultItems)
        menu.removeItemAtIndex(0);

    // Road closures (the county's, then the city's), flight restrictions, then the bulletin's line
    // and the launch hazard warnings.
    const auto timeOf = [this](double instant) {
        return DateFormatHelper(DateFormatHelper::Style::None, DateFormatHelper::Style::Short,
                                QString(), m_environment.clock)
            .formatDate(instant);
    };
    QList<MenuItem::Ptr> items;
    for (const MenuSection *section : {&m_roads, &m_flights, &m_maritime}) {
        if (section->isShown())
            items += section->items(timeOf);
    }
    items << m_lastChangedMenuItem;

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
    static const std::pair<const char *, Source> pages[] {
        {"openFAAAction:", Source::faa},
        {"openCameronCountyAction:", Source::county},
        {"openStarbaseAction:", Source::starbase},
        {"openMSIB:", Source::bulletin},
        {"openNavigationalWarningsAction:", Source::navwarn}};
    for (const auto &[action, source] : pages) {
        if (selector == QLatin1String(action)) {
            m_browser.open(pageOf(source));
            return;
        }
    }
    if (selector == QLatin1String("changeUpdateTime:")) {
        if (sender.tag() < 1)
            return;
        m_settings.setValue(sender.tag(), updateTimeSeconds);
        replaceParser();
    } else if (selector == QLatin1String("toggleNotificationsAction:")) {
        m_settings.setValue(!m_settings.boolForKey(notifyOnChanges), notifyOnChanges);
    } else if (selector == QLatin1String("toggleSourceAction:")) {
        const std::optional<Source> source = sourceOf(sender);
        if (!source)
            return;
        // Off, a source's rows and failure go at once; on, it is checked at once.
        const bool on = !isEnabled(*source);
        m_settings.setValue(on, ScrapersRoot::settingOf(*source));
        sectionOf(*source).setEnabled(*source, on);
        if (!on)
            forget(*source);
        sender.setState(on ? MenuItem::On : MenuItem::Off);
        if (on)
            m_parser->check(*source);
        buildMenu();
        updateTitle();
    } else if (selector == QLatin1String("toggleMirrorAction:")) {
        m_settings.setValue(!m_settings.boolForKey(useMirror), useMirror);
        statusMenu().update();
        replaceParser();
    }
}
