#include "menuitem.h"

#include "menu.h"
#include "rowview.h"

#include <utility>

MenuItem::Ptr MenuItem::create(const QString &title, Action action)
{
    return std::make_shared<MenuItem>(title, action, false);
}

MenuItem::Ptr MenuItem::separator()
{
    return std::make_shared<MenuItem>(QString(), Action::none, true);
}

MenuItem::MenuItem(const QString &title, Action action, bool separator)
    : m_title(title), m_action(action), m_separator(separator)
{ }

void MenuItem::setTitle(const QString &title)
{
    m_title = title;
    m_attributes.reset();
    changed();
}

void MenuItem::setAttributedTitle(const QString &title, const TextAttributes &attributes)
{
    m_title = title;
    m_attributes = attributes;
    changed();
}

void MenuItem::setAction(Action action)
{
    m_action = action;
    changed();
}

void MenuItem::setTarget(MenuTarget *target)
{
    m_target = target;
}

bool MenuItem::perform()
{
    if (!isEnabled() || !m_target)
        return false;
    m_target->performAction(m_action, *this);
    return true;
}

void MenuItem::setRepresentedObject(std::any object)
{
    m_representedObject = std::move(object);
}

void MenuItem::setState(int state)
{
    if (m_state == state)
        return;
    m_state = state;
    changed();
}

void MenuItem::setTag(int tag)
{
    m_tag = tag;
}

void MenuItem::setView(std::shared_ptr<RowView> view)
{
    m_view = std::move(view);
    changed();
}

void MenuItem::setSubmenu(std::shared_ptr<Menu> submenu)
{
    m_submenu = std::move(submenu);
    changed();
}

void MenuItem::changed()
{
    if (m_menu)
        m_menu->itemChanged();
}
