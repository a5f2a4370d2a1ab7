#include "msib.h"

#include "platform/clock.h"
#include "platform/runloop.h"
#include "sources/scraperdelegate.h"
#include "text/stringutils.h"

#include <QRegularExpression>

#include <cmath>

namespace {

const QString script = QStringLiteral("document.documentElement.outerHTML.toString()");
const QString marker = QStringLiteral("SpaceX Hazard Area");

// The trimmed line on which the marker first stands; none when it is missing or stands on the
// first or the last line.
std::optional<QString> lineNamingTheMarker(const QString &html)
{
    const qsizetype found = html.indexOf(marker);
    if (found < 0)
        return std::nullopt;
    const qsizetype lineStart = html.lastIndexOf(u'\n', found);
    if (lineStart < 0)
        return std::nullopt;
    const qsizetype lineEnd = html.indexOf(u'\n', lineStart + 1);
    if (lineEnd < 0)
        return std::nullopt;
    return html.mid(lineStart, lineEnd - lineStart).trimmed();
}

} // namespace

MSIB::MSIB(ScraperEnvironment environment)
    : m_environment(std::move(environment)), m_webView(m_environment.makeWebView())
{
    m_webView->setDelegate(this);
}

MSIB::~MSIB()
{
    if (m_checkTimer)
        m_checkTimer->invalidate();
    m_webView->setDelegate(nullptr);
}

void MSIB::check()
{
    m_webView->load(link());
}

void MSIB::didFinish()
{
    if (m_environment.readBulletinOnce) {
        checkWebContent();
        return;
    }
    m_checkTimerStartTime = m_environment.clock.now();
    // At most one polling timer: a newer load's takes the place of an earlier one.
    if (m_checkTimer)
        m_checkTimer->invalidate();
    m_checkTimer
        = m_environment.runLoop.scheduleRepeating(pollingInterval, [weak = weak_from_this()] {
              if (const auto self = weak.lock())
                  self->tick();
          });
}

void MSIB::tick()
{
    checkWebContent();
    // The tick due at the time limit is the last. Timers fire a little late or, when coarse, a
    // little early, so the limit is met within half an interval.
    const double elapsed = std::abs(m_environment.clock.now() - m_checkTimerStartTime);
    if (elapsed > pollingTimeLimit - pollingInterval / 2 && m_checkTimer) {
        m_checkTimer->invalidate();
        m_checkTimer.reset();
    }
}

void MSIB::didFail(const QString &error)
{
    // An error page or a broken load: the line last read stays.
    if (m_delegate)
        m_delegate->error(WebErrors::loadFailed, Source::bulletin, error);
    m_environment.answer(Source::bulletin, false);
}

void MSIB::didFailBeforeContent(const QString &reason)
{
    if (m_delegate)
        m_delegate->error(WebErrors::notReached, Source::bulletin,
                          reason.isEmpty() ? QStringLiteral("no answer")
                                           : QStringLiteral("no answer (%1)").arg(reason));
    m_environment.answer(Source::bulletin, false);
}

void MSIB::checkWebContent()
{
    m_webView->evaluateJavaScript(
        script,
        [self = shared_from_this()](std::optional<QVariant> result, std::optional<QString>) {
            if (result && result->typeId() == QMetaType::QString)
                self->parse(result->toString());
            else
                self->m_environment.answer(Source::bulletin, false);
        });
}

void MSIB::parse(const QString &html)
{
    m_hasRead = true;
    m_spaceXHazardAreaMentioned = false;
    m_documentTitle.clear();
    QList<Notice> notices;
    if (const std::optional<QString> line = lineNamingTheMarker(html)) {
        m_spaceXHazardAreaMentioned = true;
        m_documentTitle = *line;
        // The line as a person reads it: every tag a blank, references decoded, white space
        // single.
        static const QRegularExpression tag(QStringLiteral("<[^>]*>?"));
        QString shown = *line;
        shown.replace(tag, QStringLiteral(" "));
        Notice notice;
        notice.source = Source::bulletin;
        notice.key = QStringLiteral("bulletin-") + digestOf(*line);
        notice.text = decodingCharacterReferences(shown).simplified();
        notice.page = link();
        notices << notice;
    }
    if (m_delegate)
        m_delegate->noticesRead(Source::bulletin, std::move(notices));
    m_environment.answer(Source::bulletin, true);
}
