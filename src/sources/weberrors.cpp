#include "weberrors.h"

#include "platform/httpclient.h"

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
    if (error->answered)
        return SourceProblem {WebErrors::loadFailed, why};
    return SourceProblem {WebErrors::notReached, QStringLiteral("no answer (%1)").arg(why)};
}
