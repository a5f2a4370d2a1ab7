#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The maker's version information file.
struct PlumetrackInfo
{
    qint64 latestAppBuild = 0;
    QString latestAppVersionReadable;
    QString appWebsite;

    // A JSON object with the three keys (others are ignored): an integer and two texts. On failure
    // `error` says what was wrong.
    static std::optional<PlumetrackInfo> decode(const QByteArray &json, QString *error);
};
