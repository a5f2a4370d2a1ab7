#include "zones.h"

#include <map>
#include <memory>

const icu::TimeZone *zoneNamed(const QString &name)
{
    thread_local std::map<QString, std::unique_ptr<icu::TimeZone>> zones;
    auto [it, made] = zones.try_emplace(name);
    if (made) {
        const QString id = name == QLatin1String("CST") ? QStringLiteral("America/Chicago") : name;
        it->second.reset(
            icu::TimeZone::createTimeZone(icu::UnicodeString(id.utf16(), int32_t(id.size()))));
        if (it->second && *it->second == icu::TimeZone::getUnknown())
            it->second.reset();
    }
    return it->second.get();
}
