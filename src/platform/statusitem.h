#pragma once

#include <QString>

#include <functional>

class Menu;

// The item in the tray: an optional button that shows a title, and the attached menu.
class StatusItem final
{
public:
    explicit StatusItem(bool hasButton = true);
    StatusItem(const StatusItem &) = delete;
    StatusItem &operator=(const StatusItem &) = delete;

    bool hasButton() const { return m_hasButton; }
    // The button's title; setting it without a button does nothing.
    const QString &title() const { return m_title; }
    void setTitle(const QString &title);

    // What the item says when hovered: the title, then any further lines; the title when empty.
    QString toolTip() const { return m_toolTip.isEmpty() ? m_title : m_toolTip; }
    void setToolTip(const QString &toolTip);

    Menu *menu() const { return m_menu; }
    void setMenu(Menu *menu);

    // The renderer's hook: called after the title or the menu changed.
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

private:
    void changed();

    bool m_hasButton;
    QString m_title;
    QString m_toolTip;
    Menu *m_menu = nullptr;
    std::function<void()> m_observer;
};
