#include "scrapersroot.h"

#include <algorithm>

#include "platform/runloop.h"
#include "platform/settings.h"
#include "sources/county/cameroncountyparse.h"
#include "sources/faa/faaparser.h"
#include "sources/launches/launches.h"
#include "sources/msib/msib.h"
#include "sources/navwarn/navigationalwarnings.h"
#include "sources/scraperdelegate.h"
#include "sources/starbase/starbaseclosures.h"

std::shared_ptr<ScrapersRoot> ScrapersRoot::create(ScraperDelegate *delegate,
                                                   const ScraperEnvironment &environment,
                                                   Settings &settings, const ScrapersRoot *previous)
{
    auto root = std::make_shared<ScrapersRoot>(delegate, environment, settings,
                                               previous ? previous->m_launches
                                                        : std::make_shared<Launches>(environment));
    root->checkRegularly();
    root->check();
    return root;
}

ScrapersRoot::ScrapersRoot(ScraperDelegate *delegate, const ScraperEnvironment &environment,
                           Settings &settings, std::shared_ptr<Launches> launches)
    : m_delegate(delegate), m_environment(environment), m_settings(settings),
      m_faa(std::make_shared<FAAParser>(environment)), m_msib(std::make_shared<MSIB>(environment)),
      m_cc(std::make_shared<CameronCountyParse>(environment)),
      m_starbase(std::make_shared<StarbaseClosures>(environment)),
      m_navwarn(std::make_shared<NavigationalWarnings>(environment)),
      m_launches(std::move(launches))
{
    m_msib->setDelegate(delegate);
    m_cc->setDelegate(delegate);
    m_faa->setDelegate(delegate);
    m_starbase->setDelegate(delegate);
    m_navwarn->setDelegate(delegate);
    m_launches->setDelegate(delegate);
}

ScrapersRoot::~ScrapersRoot()
{
    if (m_checkTimer)
        m_checkTimer->invalidate();
}

void ScrapersRoot::checkRegularly()
{
    // A period below one second (never written by the program) is taken as the default; any
    // other stays within the menu's choices, five minutes to an hour.
    const qint64 stored = m_settings.integerForKey(QStringLiteral("UpdateTimeSeconds"));
    m_period = stored >= 1 ? double(std::clamp<qint64>(stored, shortestPeriod, longestPeriod))
                           : defaultPeriod;
    m_checkTimer = m_environment.runLoop.scheduleRepeating(m_period, [weak = weak_from_this()] {
        if (const auto root = weak.lock())
            root->check();
    });
}

QString ScrapersRoot::settingOf(Source source)
{
    return QStringLiteral("Sources/") + keyOf(source);
}

void ScrapersRoot::check(Source source)
{
    switch (source) {
    case Source::bulletin:
        m_msib->check();
        break;
    case Source::faa:
        m_faa->checkAreas();
        if (m_settings.boolForKey(QStringLiteral("UseMirror")))
            m_faa->checkFAAUsingMirror();
        else
            m_faa->checkFAA();
        break;
    case Source::county:
        m_cc->checkCameronCounty();
        break;
    case Source::starbase:
        m_starbase->check();
        break;
    case Source::navwarn:
        m_navwarn->check();
        break;
    case Source::launches:
        m_launches->check();
        break;
    }
}

void ScrapersRoot::check()
{
    // The bulletin's page first: it takes longest.
    for (const Source source : {Source::bulletin, Source::faa, Source::county, Source::starbase,
                                Source::navwarn, Source::launches}) {
        if (m_settings.boolForKey(settingOf(source)))
            check(source);
    }
    if (m_delegate)
        m_delegate->updateLastChecked();
}
