#pragma once

#include <QString>

// The fixed texts of the status title and of a section's check mark.
struct MenuTitles
{
    static QString normal() { return QStringLiteral("🚀"); }
    static QString changed() { return QStringLiteral("🚀✓"); }
    static QString error() { return QStringLiteral("🚀👎"); }
    static QString spaceAndCheckMark() { return QStringLiteral(" ✓"); }
};
