#include "weberrors.h"

#include "platform/httpclient.h"
#include "platform/logging.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <utility>
#include <vector>

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
    case Source::launches:
        return lcLaunches();
    }
    return lcFaa();
}

namespace {

// Every form of reason the sources, the HTTP client and the check give; "%1" and "%2" stand for a
// part that is a reason of its own or a number. Forms without a part come first, so that "the feed
// could not be read" is not read as "the %1 could not be read".
const char *const reasonForms[] = {
    QT_TRANSLATE_NOOP("Reason", "no answer"),
    QT_TRANSLATE_NOOP("Reason", "no answer before the next check"),
    QT_TRANSLATE_NOOP("Reason", "not read yet"),
    QT_TRANSLATE_NOOP("Reason", "connection refused"),
    QT_TRANSLATE_NOOP("Reason", "host not found"),
    QT_TRANSLATE_NOOP("Reason", "timed out"),
    QT_TRANSLATE_NOOP("Reason", "TLS failure"),
    QT_TRANSLATE_NOOP("Reason", "connection closed"),
    QT_TRANSLATE_NOOP("Reason", "network unavailable"),
    QT_TRANSLATE_NOOP("Reason", "the answer was too large"),
    QT_TRANSLATE_NOOP("Reason", "a redirect was refused"),
    QT_TRANSLATE_NOOP("Reason", "the answer could not be decompressed"),
    QT_TRANSLATE_NOOP("Reason", "the page held no closures"),
    QT_TRANSLATE_NOOP("Reason", "beach closures"),
    QT_TRANSLATE_NOOP("Reason", "road delays"),
    QT_TRANSLATE_NOOP("Reason", "the page was not the notices list"),
    QT_TRANSLATE_NOOP("Reason", "the export was not recognised"),
    QT_TRANSLATE_NOOP("Reason", "the server answered a web page, not the feed"),
    QT_TRANSLATE_NOOP("Reason", "the feed could not be read"),
    QT_TRANSLATE_NOOP("Reason", "the feed's entries were not recognised"),
    QT_TRANSLATE_NOOP("Reason", "the page was empty"),
    QT_TRANSLATE_NOOP("Reason", "the page held no closure table"),
    QT_TRANSLATE_NOOP("Reason", "the closure table's rows were not recognised"),
    QT_TRANSLATE_NOOP("Reason", "the list was empty"),
    QT_TRANSLATE_NOOP("Reason", "the page held no list"),
    QT_TRANSLATE_NOOP("Reason", "the areas could not be read"),
    QT_TRANSLATE_NOOP("Reason", "no answer (%1)"),
    QT_TRANSLATE_NOOP("Reason", "no answer within %1 s"),
    QT_TRANSLATE_NOOP("Reason", "network error %1"),
    QT_TRANSLATE_NOOP("Reason", "the server refused the request (%1)"),
    QT_TRANSLATE_NOOP("Reason", "the server answered %1"),
    QT_TRANSLATE_NOOP("Reason", "the %1 could not be read"),
    QT_TRANSLATE_NOOP("Reason", "%1 and %2"),
};

} // namespace

QString reasonForPeople(const QString &reason)
{
    // Each form as a pattern of the whole reason, its parts captured.
    static const std::vector<std::pair<const char *, QRegularExpression>> patterns = [] {
        static const QRegularExpression placeholder(QStringLiteral("%[12]"));
        std::vector<std::pair<const char *, QRegularExpression>> made;
        for (const char *form : reasonForms) {
            QStringList pieces;
            for (const QString &piece : QString::fromUtf8(form).split(placeholder))
                pieces << QRegularExpression::escape(piece);
            made.emplace_back(form,
                              QRegularExpression(QRegularExpression::anchoredPattern(
                                  pieces.join(QLatin1String("(.+)")))));
        }
        return made;
    }();
    for (const auto &[form, pattern] : patterns) {
        const QRegularExpressionMatch match = pattern.match(reason);
        if (!match.hasMatch())
            continue;
        // The parts in one pass: a part's own text is never read for placeholders.
        const QString text = QCoreApplication::translate("Reason", form);
        const auto part = [&match](int n) { return reasonForPeople(match.captured(n)); };
        return match.lastCapturedIndex() == 2 ? text.arg(part(1), part(2))
            : match.lastCapturedIndex() == 1  ? text.arg(part(1))
                                              : text;
    }
    return reason;
}

std::optional<QJsonArray> feedListOf(const QByteArray &json, QLatin1StringView key,
                                     QString *problem)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QJsonValue list = document.object().value(key);
    if (error.error == QJsonParseError::NoError && document.isObject() && list.isArray())
        return list.toArray();
    if (problem)
        *problem = json.trimmed().startsWith('<')
            ? QStringLiteral("the server answered a web page, not the feed")
            : QStringLiteral("the feed could not be read");
    return std::nullopt;
}
