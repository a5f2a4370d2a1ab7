#pragma once

#include <QCoreApplication>

#include <QString>

#include <optional>

// Start at Login: a desktop entry in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart/plumetrack.desktop, ~/.config/autostart/ by default) whose Exec is
// the running program. Nothing else in that folder is touched.
class Autostart final
{
    Q_DECLARE_TR_FUNCTIONS(Autostart)

public:
    // `program` is the absolute path of the running program.
    explicit Autostart(QString program);

    static QString entryPath();
    bool isEnabled() const;
    // Writes the entry atomically (a temporary file renamed into place), or removes it. Returns
    // the reason when that failed.
    std::optional<QString> setEnabled(bool enabled) const;

private:
    QString m_program;
};
