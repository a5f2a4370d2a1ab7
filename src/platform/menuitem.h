#pragma once

#include "color.h"
#include "menutarget.h"

#include <QString>

#include <any>
#include <memory>
#include <optional>

class Menu;
class RowView;

// One entry of a menu. Entries are shared objects whose identity matters: the same entry keeps
// its title, marks and colour from one rebuild of the menu to the next.
class MenuItem final
{
public:
    using Ptr = std::shared_ptr<MenuItem>;

    enum State { Off = 0, On = 1 };

    // An entry with a title and an action (none: the entry is disabled). The key equivalent of
    // the toolkit is always empty here, so it is not modelled.
    static Ptr create(const QString &title, Action action = Action::none);
    static Ptr separator();

    MenuItem(const QString &title, Action action, bool separator);
    MenuItem(const MenuItem &) = delete;
    MenuItem &operator=(const MenuItem &) = delete;

    bool isSeparator() const { return m_separator; }

    // The plain title. Setting it drops the attributed title.
    const QString &title() const { return m_title; }
    void setTitle(const QString &title);

    // Shown in place of the plain title until the next setTitle.
    const std::optional<TextAttributes> &attributes() const { return m_attributes; }
    void setAttributedTitle(const QString &title, const TextAttributes &attributes);

    Action action() const { return m_action; }
    void setAction(Action action);
    MenuTarget *target() const { return m_target; }
    void setTarget(MenuTarget *target);
    // An entry is enabled exactly when it has an action or a submenu.
    bool isEnabled() const { return !m_separator && (m_action != Action::none || m_submenu); }
    // Sends the action to the target with this entry as sender; false when there is nothing to do.
    bool perform();

    const std::any &representedObject() const { return m_representedObject; }
    void setRepresentedObject(std::any object);

    int state() const { return m_state; }
    void setState(int state);

    int tag() const { return m_tag; }
    void setTag(int tag);

    // The two-column row shown instead of the title; the plain title stays on the entry.
    const std::shared_ptr<RowView> &view() const { return m_view; }
    void setView(std::shared_ptr<RowView> view);

    // The menu the entry stands in, if any. Maintained by Menu.
    Menu *menu() const { return m_menu; }

    // The menu that opens from the entry, if any.
    const std::shared_ptr<Menu> &submenu() const { return m_submenu; }
    void setSubmenu(std::shared_ptr<Menu> submenu);

private:
    friend class Menu;
    void changed();

    QString m_title;
    Action m_action = Action::none;
    bool m_separator = false;
    std::optional<TextAttributes> m_attributes;
    MenuTarget *m_target = nullptr;
    std::any m_representedObject;
    int m_state = Off;
    int m_tag = 0;
    std::shared_ptr<RowView> m_view;
    Menu *m_menu = nullptr;
    std::shared_ptr<Menu> m_submenu;
};
