#pragma once

#include <QString>

#include <unicode/timezone.h>

// The zone a name stands for (a zone identifier, or "CST" for US Central time), made once per
// name and thread, as ICU reads its resources to make one; none for a name of no zone. The zone
// lives as long as the thread: a formatter that adopts it takes a clone.
const icu::TimeZone *zoneNamed(const QString &name);
