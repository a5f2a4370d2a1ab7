#include "oncerun.h"

#include "menu/statusmenucontroller.h"
#include "platform/menu.h"
#include "platform/rowview.h"
#include "platform/runloop.h"
#include "platform/statusitem.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTimeZone>

#include <algorithm>

namespace {

// The items above the default entries.
std::vector<MenuItem::Ptr> generated(const Menu &menu, int defaultItems)
{
    const int count = std::max(0, menu.numberOfItems() - defaultItems);
    return std::vector<MenuItem::Ptr>(menu.items().begin(), menu.items().begin() + count);
}

// A JSON string, escaped.
QString quoted(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray {text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// The notices in full, for scripts: their keys, texts, windows and status.
QJsonArray jsonOf(const QList<Notice> &notices)
{
    QJsonArray array;
    for (const Notice &notice : notices) {
        QJsonArray windows;
        for (const Window &window : notice.windows) {
            QJsonObject object {{"start", isoOf(window.start)}, {"allDay", !window.hasTime}};
            if (window.end)
                object.insert("end", isoOf(*window.end));
            windows << object;
        }
        array << QJsonObject {{"key", notice.key},
                              {"source", QString(keyOf(notice.source))},
                              {"label", notice.label},
                              {"text", notice.text},
                              {"status", QString::fromLatin1(Notice::statusKeyOf(notice.status))},
                              {"windows", windows}};
    }
    return array;
}

QJsonArray keysOf(const QList<Notice> &notices)
{
    QJsonArray keys;
    for (const Notice &notice : notices)
        keys << notice.key;
    return keys;
}

// The launches with the notices that cover them, and the spans of possible launch activity.
QJsonArray jsonOf(const QList<launchcover::Covered> &launches)
{
    QJsonArray array;
    for (const auto &[launch, notices] : launches) {
        const LaunchTime time = launch.launch.value_or(LaunchTime {});
        const auto instant = [](const std::optional<double> &at) {
            return at ? QJsonValue(isoOf(*at)) : QJsonValue();
        };
        array << QJsonObject {{"id", time.id},
                              {"name", launch.label},
                              {"net", isoOf(time.net)},
                              {"window_start", instant(time.windowStart)},
                              {"window_end", instant(time.windowEnd)},
                              {"status", launch.statusText},
                              {"notices", keysOf(notices)}};
    }
    return array;
}

QJsonArray jsonOf(const QList<launchcover::Span> &spans)
{
    QJsonArray array;
    for (const launchcover::Span &span : spans)
        array << QJsonObject {{"start", isoOf(span.start)},
                              {"end", isoOf(span.end)},
                              {"notices", keysOf(span.notices)}};
    return array;
}

QString compact(const QJsonArray &array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

} // namespace

OnceRun::OnceRun(RunLoop &runLoop, double timeoutSeconds, std::function<void()> finished)
    : m_runLoop(runLoop), m_timeoutSeconds(timeoutSeconds), m_finished(std::move(finished))
{ }

OnceRun::~OnceRun()
{
    if (m_timeout)
        m_timeout->invalidate();
}

std::function<void(Source, bool)> OnceRun::hook()
{
    // Answers come after the delegate has been told; handling them on the main thread after the
    // delegate's own work there means the menu is up to date when the last one is counted.
    return [this](Source source, bool withContent) {
        m_runLoop.post([this, source, withContent] { answered(source, withContent); });
    };
}

void OnceRun::start()
{
    m_timeout = m_runLoop.scheduleRepeating(m_timeoutSeconds, [this] { finish(); });
    if (std::none_of(m_status.begin(), m_status.end(),
                     [](Status s) { return s == Status::noAnswer; }))
        m_runLoop.post([this] { finish(); }); // every source is switched off
}

void OnceRun::answered(Source source, bool withContent)
{
    Status &status = m_status[size_t(source)];
    if (status != Status::noAnswer)
        return;
    status = withContent ? Status::ok : Status::failed;
    if (std::none_of(m_status.begin(), m_status.end(),
                     [](Status s) { return s == Status::noAnswer; }))
        finish();
}

void OnceRun::finish()
{
    if (m_done)
        return;
    m_done = true;
    if (m_timeout)
        m_timeout->invalidate();
    if (m_finished)
        m_finished();
}

int OnceRun::exitStatus() const
{
    for (const auto &[source, name] : sourceKeys) {
        if (status(source) != Status::off
            && (m_problems ? bool(m_problems(source)) : status(source) != Status::ok))
            return 1;
    }
    return 0;
}

QString OnceRun::text(const StatusItem &item, const Menu &menu, int defaultItems)
{
    QStringList lines {item.title()};
    for (const MenuItem::Ptr &entry : generated(menu, defaultItems))
        lines << (entry->isSeparator() ? QString() : entry->title());
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString OnceRun::json(const StatusItem &item, const Menu &menu, int defaultItems,
                      const QList<Notice> &notices, const QList<launchcover::Covered> &launches,
                      const QList<launchcover::Span> &possible) const
{
    QStringList entries;
    for (const MenuItem::Ptr &entry : generated(menu, defaultItems)) {
        if (entry->isSeparator()) {
            entries << QStringLiteral("{\"separator\": true}");
            continue;
        }
        QString object
            = QStringLiteral("{\"title\": %1, \"enabled\": %2")
                  .arg(quoted(entry->title()),
                       entry->isEnabled() ? QStringLiteral("true") : QStringLiteral("false"));
        if (const auto &view = entry->view())
            object += QStringLiteral(", \"columns\": [%1, %2]")
                          .arg(quoted(view->leftText()), quoted(view->rightText()));
        entries << object + QLatin1Char('}');
    }
    QStringList sources;
    QStringList problems;
    for (const auto &[source, name] : sourceKeys) {
        const bool off = status(source) == Status::off;
        const std::optional<QString> problem
            = m_problems && !off ? m_problems(source) : std::nullopt;
        sources << QStringLiteral("\"%1\": %2")
                       .arg(QLatin1String(name),
                            quoted(off           ? QStringLiteral("off")
                                       : problem ? QStringLiteral("failed")
                                                 : QStringLiteral("ok")));
        if (problem)
            problems << QStringLiteral("\"%1\": %2").arg(QLatin1String(name), quoted(*problem));
    }
    return QStringLiteral("{\"status\": %1, \"menu\": [%2], \"sources\": {%3}, \"problems\": {%4}, "
                          "\"notices\": %5, \"launches\": %6, \"possible\": %7}\n")
        .arg(quoted(item.title()), entries.join(QStringLiteral(", ")),
             sources.join(QStringLiteral(", ")), problems.join(QStringLiteral(", ")),
             compact(jsonOf(notices)), compact(jsonOf(launches)), compact(jsonOf(possible)));
}

QString OnceRun::waybar(const StatusItem &item, const Menu &menu, int defaultItems) const
{
    QStringList tooltip = item.toolTip().split(QLatin1Char('\n')).mid(1);
    tooltip += text(item, menu, defaultItems).trimmed().split(QLatin1Char('\n')).mid(1);
    const QString state = exitStatus() == 0 ? QStringLiteral("ok") : QStringLiteral("failed");
    return QStringLiteral("{\"text\": %1, \"tooltip\": %2, \"class\": %3, \"alt\": %3}\n")
        .arg(quoted(item.title()), quoted(tooltip.join(QLatin1Char('\n'))), quoted(state));
}

QString OnceRun::i3blocks(const StatusItem &item, const StatusMenuController &controller) const
{
    // A count of sources switched off is left out; one of a source not read is unknown. Canceled
    // closures are no closures.
    QStringList counts;
    const auto count
        = [&](std::initializer_list<Source> sources, const char *one, const char *many) {
              qsizetype n = 0;
              bool shown = false;
              bool known = true;
              for (const Source source : sources) {
                  if (!controller.isEnabled(source))
                      continue;
                  shown = true;
                  known = known && controller.isRead(source);
                  const QList<Notice> &notices = controller.notices(source);
                  n += std::count_if(notices.begin(), notices.end(), [](const Notice &notice) {
                      return notice.status == Notice::Status::scheduled;
                  });
              }
              if (shown)
                  counts << QCoreApplication::translate("OnceRun", known && n == 1 ? one : many)
                                .arg(known ? QString::number(n) : QStringLiteral("?"));
          };
    count({Source::county, Source::starbase}, QT_TRANSLATE_NOOP("OnceRun", "%1 closure"),
          QT_TRANSLATE_NOOP("OnceRun", "%1 closures"));
    count({Source::faa}, QT_TRANSLATE_NOOP("OnceRun", "%1 TFR"),
          QT_TRANSLATE_NOOP("OnceRun", "%1 TFRs"));
    const bool allOff = std::none_of(sourceKeys.begin(), sourceKeys.end(), [&](const auto &pair) {
        return controller.isEnabled(pair.first);
    });
    if (allOff)
        counts << QCoreApplication::translate("OnceRun", "all sources off");
    return (counts.isEmpty()
                ? item.title()
                : item.title() + QLatin1Char(' ') + counts.join(QStringLiteral(" \u00b7 ")))
        + QLatin1Char('\n') + item.title() + QLatin1Char('\n')
        + (exitStatus() == 0 ? QString() : QStringLiteral("#FF5555")) + QLatin1Char('\n');
}
