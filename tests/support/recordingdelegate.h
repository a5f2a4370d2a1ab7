#pragma once

#include "sources/scraperdelegate.h"

#include <QStringList>

#include <mutex>
#include <vector>

// Records every report, from any thread.
class RecordingDelegate final : public ScraperDelegate
{
public:
    void faaDetails(QList<FAANotam> notams) override { record("faaDetails", m_faa, notams); }
    void cameronDetails(QList<CameronCountyRecord> records) override
    {
        record("cameronDetails", m_county, records);
    }
    void starbaseDetails(QList<RowRecord>) override { record("starbaseDetails"); }
    void navigationalWarnings(QList<RowRecord>) override { record("navigationalWarnings"); }
    void msib(bool mentioned, QString title) override
    {
        record("msib", m_msib, std::pair {mentioned, title});
    }
    void error(WebErrors, Source) override { record("error"); }
    void updateLastChecked() override { record("updateLastChecked"); }

    std::vector<QList<FAANotam>> faa() const { return locked(m_faa); }
    std::vector<QList<CameronCountyRecord>> county() const { return locked(m_county); }
    std::vector<std::pair<bool, QString>> bulletins() const { return locked(m_msib); }
    QStringList events() const { return locked(m_events); }
    int count(const QString &event) const { return int(events().count(event)); }

private:
    template<typename T = int>
    void record(const char *event, std::vector<T> *list = nullptr, const T &value = {})
    {
        std::lock_guard lock(m_mutex);
        m_events << QString::fromLatin1(event);
        if (list)
            list->push_back(value);
    }
    template<typename T> void record(const char *event, std::vector<T> &list, const T &value)
    {
        record(event, &list, value);
    }
    template<typename T> T locked(const T &value) const
    {
        std::lock_guard lock(m_mutex);
        return value;
    }

    mutable std::mutex m_mutex;
    std::vector<QList<FAANotam>> m_faa;
    std::vector<QList<CameronCountyRecord>> m_county;
    std::vector<std::pair<bool, QString>> m_msib;
    QStringList m_events;
};
