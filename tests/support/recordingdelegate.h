#pragma once

#include "sources/scraperdelegate.h"

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
    void starbaseDetails(QList<RowRecord> rows) override
    {
        std::lock_guard lock(m_mutex);
        m_rows.push_back(std::move(rows));
        m_events << "starbaseDetails";
    }
    void navigationalWarnings(QList<RowRecord> rows) override
    {
        std::lock_guard lock(m_mutex);
        m_rows.push_back(std::move(rows));
        m_events << "navigationalWarnings";
    }
    void msib(bool mentioned, QString title) override
    {
        std::lock_guard lock(m_mutex);
        m_msib.emplace_back(mentioned, std::move(title));
        m_events << "msib";
    }
    void error(WebErrors, Source) override
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
    // The rows of the city's page and of the navigational warnings, in the order reported.
    std::vector<QList<RowRecord>> rows() const
    {
        std::lock_guard lock(m_mutex);
        return m_rows;
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
    std::vector<QList<RowRecord>> m_rows;
    std::vector<std::pair<bool, QString>> m_msib;
    QStringList m_events;
};
