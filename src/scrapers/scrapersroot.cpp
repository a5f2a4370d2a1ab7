#include "scrapersroot.h"

#include "platform/runloop.h"
#include "platform/settings.h"
#include "sources/county/cameroncountyparse.h"
#include "sources/faa/faaparser.h"
#include "sources/msib/msib.h"
#include "sources/navwarn/navigationalwarnings.h"
#include "sources/scraperdelegate.h"
#include "sources/starbase/starbaseclosures.h"

std::shared_ptr<ScrapersRoot> ScrapersRoot::create(ScraperDelegate *delegate,
                                                   const ScraperEnvironment &environment,
                                                   Settings &settings)
{
    auto root = std::make_shared<ScrapersRoot>(delegate, environment, settings);
    root->checkRegularly();
    root->check();
    return root;
}

ScrapersRoot::ScrapersRoot(ScraperDelegate *delegate, const ScraperEnvironment &environment,
                           Settings &settings)
    : m_delegate(delegate), m_environment(environment), m_settings(settings),
      m_faa(std::make_shared<FAAParser>(environment)), m_msib(std::make_shared<MSIB>(environment)),
      m_cc(std::make_shared<CameronCountyParse>(environment)),
      m_starbase(std::make_shared<StarbaseClosures>(environment)),
      m_navwarn(std::make_shared<NavigationalWarnings>(environment))
{
    m_msib->setDelegate(delegate);
    m_cc->setDelegate(delegate);
    m_faa->setDelegate(delegate);
    m_starbase->setDelegate(delegate);
    m_navwarn->setDelegate(delegate);
}

ScrapersRoot::~ScrapersRoot()
{
    if (m_checkTimer)
        m_checkTimer->invalidate();
}

void ScrapersRoot::checkRegularly()
{
    // A period below one second (never written by the program) is taken as the default.
    const qint64 stored = m_settings.integerForKey(QStringLiteral("UpdateTimeSeconds"));
    m_period = stored >= 1 ? double(stored) : defaultPeriod;
    m_checkTimer = m_environment.runLoop.scheduleRepeating(m_period, [weak = weak_from_this()] {
        if (const auto root = weak.lock())
            root->check();
    });
}

void ScrapersRoot::check()
{
    m_msib->check();
    if (m_settings.boolForKey(QStringLiteral("UseMirror")))
        m_faa->checkFAAUsingMirror();
    else
        m_faa->checkFAA();
    m_cc->checkCameronCounty();
    m_starbase->check();
    m_navwarn->check();
    if (m_delegate)
        m_delegate->updateLastChecked();
}
