#include "notice.h"

#include "text/stringutils.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QHash>

bool Notice::saysTheSameAs(const Notice &other) const
{
    return key == other.key && label == other.label && text == other.text && hours == other.hours
        && statusText == other.statusText && status == other.status;
}

void finishRead(QList<Notice> &notices)
{
    QHash<QString, int> seen;
    for (Notice &notice : notices) {
        for (QString *text :
             {&notice.key, &notice.label, &notice.text, &notice.hours, &notice.statusText})
            *text = plainLine(*text);
        const int times = ++seen[notice.key];
        if (times > 1)
            notice.key += QStringLiteral("-%1").arg(times);
    }
}

QString digestOf(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

QString altitudeText(const std::optional<Limit> &floor, const std::optional<Limit> &ceiling,
                     const std::function<QString(const char *)> &say)
{
    if (!ceiling)
        return {};
    const auto feet = [&say](const Limit &limit) {
        return say(QT_TRANSLATE_NOOP("Notice", "%1 feet")).arg(limit.feet);
    };
    const QString top = ceiling->reference == Limit::Reference::unlimited
        ? say(QT_TRANSLATE_NOOP("Notice", "Unlimited"))
        : feet(*ceiling);
    if (!floor)
        return top;
    QString bottom = feet(*floor);
    if (floor->reference == Limit::Reference::agl)
        bottom += QStringLiteral(" AGL");
    else if (floor->reference == Limit::Reference::msl)
        bottom += QStringLiteral(" MSL");
    return say(QT_TRANSLATE_NOOP("Notice", "%1 to %2")).arg(bottom, top);
}
