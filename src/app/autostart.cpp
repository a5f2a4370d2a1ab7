#include "autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

// A path as an Exec argument, as freedesktop.org desktop entries write one: "%" doubled (it
// opens a field code), and the whole quoted when it holds a character the format reserves, with
// backslashes, quotes, backquotes and dollars escaped inside the quotes (and the backslashes of
// those escapes once more, as every value's backslashes are).
QString execArgument(QString path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    path.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (std::none_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); }))
        return path;
    path.replace(QLatin1Char('\\'), QStringLiteral("\\\\\\\\"));
    for (const char *c : {"\"", "`", "$"})
        path.replace(QLatin1String(c), QStringLiteral("\\\\") + QLatin1String(c));
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

Autostart::Autostart(QString program) : m_program(std::move(program)) { }

QString Autostart::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/plumetrack.desktop");
}

bool Autostart::isEnabled() const
{
    return QFileInfo::exists(entryPath());
}

std::optional<QString> Autostart::setEnabled(bool enabled) const
{
    const QString path = entryPath();
    if (!enabled) {
        QFile file(path);
        if (file.exists() && !file.remove())
            return file.errorString();
        return std::nullopt;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return tr("The folder %1 cannot be made.").arg(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(QStringLiteral("[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Plumetrack\n"
                              "Comment=Rocket-launch notices around Brownsville, Texas\n"
                              "Comment[es]=Avisos de lanzamientos de cohetes cerca de "
                              "Brownsville, Texas\n"
                              "Exec=%1\n"
                              "Icon=plumetrack\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n")
                   .arg(execArgument(m_program))
                   .toUtf8());
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}
