#pragma once

#include "notices/source.h"

#include <QJsonArray>
#include <QLatin1StringView>
#include <QLoggingCategory>
#include <QString>

#include <optional>

struct HttpError;

// How a source's check went wrong. A source that answered with something that is not its content
// (an HTTP error status, a page without the list's markers, a document that does not parse) has
// failed; one that gave no answer at all (refused, no such host, timed out, TLS) was not reached.
// Both are failures of the check, never a list without notices.
enum class WebErrors {
    loadFailed,
    notReached,
};

// A failure and the reason the menu gives for it: "no answer (connection refused)", "the server
// answered 503", "the page held no list".
struct SourceProblem
{
    WebErrors kind = WebErrors::loadFailed;
    QString reason;
};

// What an HTTP answer says is wrong with it: nothing when a body arrived without an error status.
std::optional<SourceProblem> problemOf(const std::optional<QByteArray> &body,
                                       const std::optional<HttpError> &error);

// The array under `key` of a JSON feed's top-level object; none, with the reason in `problem`,
// when the body is no such object: "the server answered a web page, not the feed" for a page
// (what a firewall answers a program with), else "the feed could not be read".
std::optional<QJsonArray> feedListOf(const QByteArray &json, QLatin1StringView key,
                                     QString *problem);

// The reason as the menu shows it, in the user's language. Reasons are made in English (the log and
// `--once --json` carry them so, for people and scripts that read them); each form the program
// gives is translated here, and the parts it holds in turn ("no answer (connection refused)").
// A reason of another form stays as it is.
QString reasonForPeople(const QString &reason);

// The logging category of a source's diagnostics ("plumetrack.faa").
const QLoggingCategory &categoryOf(Source source);
