#include "plumetrackinfo.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>

namespace {

std::optional<qint64> integerValue(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    // Within the range where a JSON number is an exact 64-bit integer.
    if (std::trunc(number) != number || std::abs(number) > 9007199254740992.0)
        return std::nullopt;
    return value.toInteger();
}

} // namespace

std::optional<PlumetrackInfo> PlumetrackInfo::decode(const QByteArray &json, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(QStringLiteral("The data couldn’t be read because it isn’t in the correct "
                                   "format (%1 at offset %2).")
                        .arg(parseError.errorString())
                        .arg(parseError.offset));
    if (!document.isObject())
        return fail(QStringLiteral("The data couldn’t be read because it isn’t a JSON object."));
    const QJsonObject object = document.object();

    PlumetrackInfo info;
    const QJsonValue build = object.value(QStringLiteral("latestAppBuild"));
    if (build.isUndefined())
        return fail(QStringLiteral("The data couldn’t be read because the key "
                                   "“latestAppBuild” is missing."));
    const std::optional<qint64> number = integerValue(build);
    if (!number)
        return fail(QStringLiteral("The data couldn’t be read because “latestAppBuild” is not "
                                   "an integer."));
    info.latestAppBuild = *number;
    for (const auto &[key, field] :
         {std::pair {QStringLiteral("latestAppVersionReadable"), &info.latestAppVersionReadable},
          std::pair {QStringLiteral("appWebsite"), &info.appWebsite}}) {
        const QJsonValue value = object.value(key);
        if (value.isUndefined())
            return fail(QStringLiteral("The data couldn’t be read because the key “%1” is "
                                       "missing.")
                            .arg(key));
        if (!value.isString())
            return fail(
                QStringLiteral("The data couldn’t be read because “%1” is not a text.").arg(key));
        *field = value.toString();
    }
    return info;
}
