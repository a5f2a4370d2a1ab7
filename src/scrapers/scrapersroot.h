#pragma once

#include "sources/scraperenvironment.h"

#include <QString>

#include <memory>

class CameronCountyParse;
class FAAParser;
class Launches;
class MSIB;
class NavigationalWarnings;
class ScraperDelegate;
class StarbaseClosures;
class Settings;
class Timer;

// Owns the scrapers and the repeating check. A root checks once when it is made and then
// once every period; the period is read from "UpdateTimeSeconds" when the root is made.
class ScrapersRoot final : public std::enable_shared_from_this<ScrapersRoot>
{
public:
    static constexpr double defaultPeriod = 1200.0;
    static constexpr qint64 shortestPeriod = 300;
    static constexpr qint64 longestPeriod = 3600;

    // A running root: its timer scheduled and its first check started. A root made to replace
    // `previous` keeps its launch schedule's reader, whose requests are spaced whatever the roots.
    static std::shared_ptr<ScrapersRoot> create(ScraperDelegate *delegate,
                                                const ScraperEnvironment &environment,
                                                Settings &settings,
                                                const ScrapersRoot *previous = nullptr);
    // Stops the timer. Fetches already under way still finish and report.
    ~ScrapersRoot();

    ScraperDelegate *delegate() const { return m_delegate; }
    const std::shared_ptr<FAAParser> &faa() const { return m_faa; }
    const std::shared_ptr<MSIB> &msib() const { return m_msib; }
    const std::shared_ptr<CameronCountyParse> &cc() const { return m_cc; }
    const std::shared_ptr<StarbaseClosures> &starbase() const { return m_starbase; }
    const std::shared_ptr<NavigationalWarnings> &navwarn() const { return m_navwarn; }
    double period() const { return m_period; }
    // Starts a check of one source, whether it is switched on or not.
    void check(Source source);
    // The setting that switches a source on or off ("Sources/faa").
    static QString settingOf(Source source);

    ScrapersRoot(ScraperDelegate *delegate, const ScraperEnvironment &environment,
                 Settings &settings, std::shared_ptr<Launches> launches);

private:
    void checkRegularly();
    void check();

    ScraperDelegate *m_delegate;
    const ScraperEnvironment &m_environment;
    Settings &m_settings;
    std::shared_ptr<Timer> m_checkTimer;
    std::shared_ptr<FAAParser> m_faa;
    std::shared_ptr<MSIB> m_msib;
    std::shared_ptr<CameronCountyParse> m_cc;
    std::shared_ptr<StarbaseClosures> m_starbase;
    std::shared_ptr<NavigationalWarnings> m_navwarn;
    std::shared_ptr<Launches> m_launches;
    double m_period = defaultPeriod;
};
