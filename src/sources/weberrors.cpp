#include "weberrors.h"

#include "platform/httpclient.h"
#include "platform/logging.h"

std::optional<SourceProblem> problemOf(const std::optional<QByteArray> &body,
                                       const std::optional<HttpError> &error)
{
    if (!error) {
        if (body)
            return std::nullopt;
        return SourceProblem {WebErrors::notReached, QStringLiteral("no answer")};
    }
    if (error->status == 403 || error->status == 429)
        return SourceProblem {
            WebErrors::loadFailed,
            QStringLiteral("the server refused the request (%1)").arg(error->status)};
    if (error->status != 0)
        return SourceProblem {WebErrors::loadFailed,
                              QStringLiteral("the server answered %1").arg(error->status)};
    const QString why = error->reason.isEmpty() ? error->description : error->reason;
    if (error->late)
        return SourceProblem {WebErrors::notReached, QStringLiteral("no answer %1").arg(why)};
    if (error->answered)
        return SourceProblem {WebErrors::loadFailed, why};
    return SourceProblem {WebErrors::notReached, QStringLiteral("no answer (%1)").arg(why)};
}

const QLoggingCategory &categoryOf(Source source)
{
    switch (source) {
    case Source::faa:
        return lcFaa();
    case Source::county:
        return lcCounty();
    case Source::starbase:
        return lcStarbase();
    case Source::bulletin:
        return lcBulletin();
    case Source::navwarn:
        return lcNavwarn();
    }
    return lcFaa();
}
