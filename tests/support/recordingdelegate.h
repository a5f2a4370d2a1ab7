#pragma once

#include "scrapers/scraperdelegate.h"

#include <QStringList>

#include <mutex>
#include <vector>

// Records every report, from any thread.
class RecordingDelegate final : public ScraperDelegate
{
public:
    void faaDetails(QList<FAANotam> notams) override
    {
        std::lock_guard lock(m_mutex);
        m_faa.push_back(std::move(notams));
        m_events << "faaDetails";
    }
    void cameronDetails(QList<CameronCountyRecord> records) override
    {
        std::lock_guard lock(m_mutex);
        m_county.push_back(std::move(records));
        m_events << "cameronDetails";
    }
    void msib(bool mentioned, QString title) override
    {
        std::lock_guard lock(m_mutex);
        m_msib.emplace_back(mentioned, std::move(title));
        m_events << "msib";
    }
    void error(WebErrors) override
    {
        std::lock_guard lock(m_mutex);
        m_events << "error";
    }
    void updateLastChecked() override
    {
        std::lock_guard lock(m_mutex);
        m_events << "updateLastChecked";
    }

    std::vector<QList<FAANotam>> faa() const
    {
        std::lock_guard lock(m_mutex);
        return m_faa;
    }
    std::vector<QList<CameronCountyRecord>> county() const
    {
        std::lock_guard lock(m_mutex);
        return m_county;
    }
    std::vector<std::pair<bool, QString>> bulletins() const
    {
        std::lock_guard lock(m_mutex);
        return m_msib;
    }
    QStringList events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    int count(const QString &event) const { return int(events().count(event)); }

private:
    mutable std::mutex m_mutex;
    std::vector<QList<FAANotam>> m_faa;
    std::vector<QList<CameronCountyRecord>> m_county;
    std::vector<std::pair<bool, QString>> m_msib;
    QStringList m_events;
};
