#include "statusmenucontroller.h"

#include "menu/launchcover.h"
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
#include "sources/launches/launches.h"
#include "text/dateformathelper.h"

#include <algorithm>
#include <stdexcept>

namespace {

const QString updateTimeSeconds = QStringLiteral("UpdateTimeSeconds");
const QString useMirror = QStringLiteral("UseMirror");
const QString notifyOnChanges = QStringLiteral("NotifyOnChanges");

} // namespace

StatusMenuController::StatusMenuController(ScraperEnvironment environment, Settings &settings,
                                           Browser &browser, Notifier &notifier)
    : m_environment(std::move(environment)), m_settings(settings), m_browser(browser),
      m_notifier(notifier), m_rows(m_environment.clock, m_environment.placeZone),
      m_launches(QStringLiteral("launches"), tr("Upcoming launches changed"),
                 MenuItem::create(tr("🗓 Upcoming Launches"), Action::openPage),
                 {Source::launches}, m_rows, this),
      m_roads(QStringLiteral("roads"), tr("Road closures changed"),
              MenuItem::create(tr("🚗 Road Closures"), Action::openPage),
              {Source::county, Source::starbase}, m_rows, this),
      m_flights(QStringLiteral("flights"), tr("Flight restrictions changed"),
                MenuItem::create(tr("✈️ Flight Restrictions"), Action::openPage), {Source::faa},
                m_rows, this),
      m_maritime(
          QStringLiteral("maritime"), tr("Maritime safety bulletin changed"),
          MenuItem::create(tr("🛳 Maritime Safety Bulletin (Latest Only)"), Action::openPage),
          {Source::bulletin, Source::navwarn}, m_rows, this),
      m_lastChangedMenuItem(MenuItem::create(QString()))
{
    // Choosing a notification opens the page of the source whose notices it named.
    m_notifier.setActivation([this](const QString &section) {
        const auto it = m_notified.find(section);
        if (it != m_notified.end())
            m_browser.open(m_environment.addresses.pageOf(it->second));
    });
    applySources();
}

StatusMenuController::~StatusMenuController()
{
    m_notifier.setActivation(nullptr);
}

void StatusMenuController::applySources()
{
    for (const auto &[source, key] : sourceKeys)
        sectionOf(source).setEnabled(source,
                                     m_settings.boolForKey(ScrapersRoot::settingOf(source)));
}

Menu &StatusMenuController::statusMenu() const
{
    if (!m_statusMenu)
        throw std::logic_error("the status menu is not connected");
    return *m_statusMenu;
}

MenuSection &StatusMenuController::sectionOf(Source source)
{
    for (MenuSection *section : sections()) {
        if (section->shows(source))
            return *section;
    }
    return m_maritime;
}

const MenuSection &StatusMenuController::sectionOf(Source source) const
{
    return const_cast<StatusMenuController *>(this)->sectionOf(source);
}

QList<Notice> StatusMenuController::shownNotices() const
{
    QList<Notice> all;
    for (const auto &[source, key] : sourceKeys)
        all += notices(source);
    return all;
}

void StatusMenuController::start()
{
    m_statusMenuNumberOfDefaultItems = statusMenu().numberOfItems();
    statusMenu().setDelegate(this);
    m_statusBar.setMenu(m_statusMenu);
    setTitle(MenuTitles::normal());
    for (MenuSection *section : sections()) {
        section->title()->setTarget(this);
        setColor(*section->title(), Color::SecondaryLabel);
    }
    // The first check sets the last-checked line before the menu is first built.
    m_parser = ScrapersRoot::create(this, m_environment, m_settings);
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
    for (const auto &changed : m_shownChanged)
        changed();
    const auto all = sections();
    const bool failed = std::any_of(
        all.begin(), all.end(), [](const MenuSection *section) { return section->hasProblem(); });
    setTitle(failed ? MenuTitles::error() : m_news ? MenuTitles::changed() : MenuTitles::normal());
    updateToolTip();
}

void StatusMenuController::updateToolTip()
{
    QList<Notice> closures;
    for (const Source source : {Source::county, Source::starbase}) {
        for (const Notice &notice : notices(source)) {
            if (notice.status == Notice::Status::scheduled)
                closures << notice;
        }
    }
    m_statusBar.setToolTip(m_rows.toolTipOf(m_statusBar.title(), closures, notices(Source::faa),
                                            notices(Source::launches),
                                            notices(Source::bulletin) + notices(Source::navwarn)));
}

void StatusMenuController::tellNews(MenuSection &section)
{
    const std::optional<MenuSection::News> news = section.takeNews();
    if (!news)
        return;
    m_news = true;
    addCheck(*section.title());
    if (!m_settings.boolForKey(notifyOnChanges))
        return;
    m_notified[section.key()] = news->source;
    m_notifier.notify(section.key(), news->summary, news->body);
}

// ---- reports ----------------------------------------------------------------------------------

void StatusMenuController::noticesRead(Source source, QList<Notice> notices)
{
    m_environment.runLoop.post([this, source, notices = std::move(notices)]() mutable {
        MenuSection &section = sectionOf(source);
        if (!section.isEnabled(source))
            return; // switched off while the check was under way
        if (section.problem(source))
            qCInfo(categoryOf(source)).noquote()
                << MenuSection::nameOf(source) + QStringLiteral(" read again");
        section.read(source, std::move(notices), m_environment.clock.now());
        buildMenu();
        tellNews(section);
        updateTitle();
    });
}

void StatusMenuController::error(WebErrors kind, Source source, const QString &reason)
{
    m_environment.runLoop.post([this, kind, source, reason] {
        failed(source, SourceProblem {kind, reason});
        buildMenu();
        tellNews(sectionOf(source));
        updateTitle();
    });
}

void StatusMenuController::areasRead(Source source, const std::optional<QString> &problem)
{
    m_environment.runLoop.post([this, source, problem] {
        if (problem)
            m_areaProblems[source] = *problem;
        else
            m_areaProblems.erase(source);
    });
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

void StatusMenuController::checkEnded(const QString &reason)
{
    for (MenuSection *section : sections()) {
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
    bool dropped = false;
    for (MenuSection *section : sections()) {
        section->checkStarted();
        dropped = section->dropOver(now) || dropped;
    }
    if (dropped) {
        buildMenu();
        updateTitle();
    }
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
    const auto mark = [](const MenuItem::Ptr &item, bool on) {
        if (item)
            item->setState(on ? MenuItem::On : MenuItem::Off);
    };
    mark(m_useDataSourceMirror, m_settings.boolForKey(useMirror));
    mark(m_notifyOnChanges, m_settings.boolForKey(notifyOnChanges));
    if (m_sources) {
        for (const MenuItem::Ptr &item : m_sources->items()) {
            if (const auto *source = std::any_cast<Source>(&item->representedObject()))
                mark(item, isEnabled(*source));
        }
    }
    if (m_menuOpening)
        m_menuOpening();
}

void StatusMenuController::menuDidClose(Menu &)
{
    // The news has been seen: every mark goes, and a failure still stands.
    m_news = false;
    for (MenuSection *section : sections())
        removeCheck(*section->title());
    updateTitle();
}

void StatusMenuController::buildMenu()
{
    if (!m_statusMenu)
        return; // not started yet: start() builds it
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
    for (const MenuSection *section : sections()) {
        if (section->isShown())
            items += section == &m_launches ? launchItems(timeOf) : section->items(timeOf);
    }
    items << m_lastChangedMenuItem;

    for (qsizetype i = 0; i < items.size(); ++i)
        menu.insertItem(items[i], int(i));
}

QList<Notice> StatusMenuController::othersThanLaunches() const
{
    QList<Notice> others;
    for (const auto &[source, key] : sourceKeys) {
        if (source != Source::launches)
            others += notices(source);
    }
    return others;
}

QList<launchcover::Covered> StatusMenuController::coveredLaunches() const
{
    return launchcover::coveredLaunches(notices(Source::launches), othersThanLaunches());
}

QList<launchcover::Span> StatusMenuController::possibleActivity() const
{
    if (!isEnabled(Source::launches))
        return {};
    return launchcover::possibleActivity(notices(Source::launches), othersThanLaunches(),
                                         m_environment.clock.now())
        .mid(0, Launches::mostShown);
}

QList<MenuItem::Ptr>
StatusMenuController::launchItems(const std::function<QString(double)> &timeOf) const
{
    const QList<launchcover::Covered> covered = coveredLaunches();
    const auto coveredLine = [&](const Notice &launch) {
        const auto it = std::find_if(covered.begin(), covered.end(),
                                     [&](const auto &c) { return c.launch.key == launch.key; });
        return QList<MenuItem::Ptr> {
            m_rows.coveredLineOf(it == covered.end() ? QList<Notice>() : it->notices)};
    };
    QList<MenuItem::Ptr> possible;
    for (const launchcover::Span &span : possibleActivity()) {
        possible << NoticeRows::possibleActivityRowOf(span.start, span.end)
                 << m_rows.coveredLineOf(span.notices);
    }
    return m_launches.items(timeOf, coveredLine, possible);
}

// ---- actions ----------------------------------------------------------------------------------

void StatusMenuController::replaceParser()
{
    // The new root is running before the old one goes.
    std::shared_ptr<ScrapersRoot> next
        = ScrapersRoot::create(this, m_environment, m_settings, m_parser.get());
    m_parser = std::move(next);
}

void StatusMenuController::toggleSource(MenuItem &sender)
{
    const auto *source = std::any_cast<Source>(&sender.representedObject());
    if (!source)
        return;
    // Off, a source's notices and failure go at once; on, it is checked at once.
    const bool on = !isEnabled(*source);
    m_settings.setValue(on, ScrapersRoot::settingOf(*source));
    sectionOf(*source).setEnabled(*source, on);
    sender.setState(on ? MenuItem::On : MenuItem::Off);
    if (on)
        m_parser->check(*source);
    buildMenu();
    updateTitle();
}

void StatusMenuController::performAction(Action action, MenuItem &sender)
{
    switch (action) {
    case Action::openPage:
        // A notice's entry stands for its page; a section's title opens its first source's.
        if (const auto *page = std::any_cast<QUrl>(&sender.representedObject())) {
            m_browser.open(*page);
            return;
        }
        for (const MenuSection *section : sections()) {
            if (section->title().get() == &sender)
                m_browser.open(m_environment.addresses.pageOf(section->firstSource()));
        }
        return;
    case Action::changeUpdateTime:
        if (sender.tag() < 1)
            return;
        m_settings.setValue(sender.tag(), updateTimeSeconds);
        replaceParser();
        return;
    case Action::toggleNotifications:
        m_settings.setValue(!m_settings.boolForKey(notifyOnChanges), notifyOnChanges);
        return;
    case Action::toggleSource:
        toggleSource(sender);
        return;
    case Action::toggleMirror:
        m_settings.setValue(!m_settings.boolForKey(useMirror), useMirror);
        statusMenu().update();
        replaceParser();
        return;
    default:
        return;
    }
}
