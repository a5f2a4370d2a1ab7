#include "menu.h"

#include "menudelegate.h"

#include <stdexcept>

Menu::~Menu()
{
    for (const auto &item : m_items)
        item->m_menu = nullptr;
}

MenuItem::Ptr Menu::itemAt(int index) const
{
    if (index < 0 || index >= numberOfItems())
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}

void Menu::insertItem(const MenuItem::Ptr &item, int index)
{
    if (!item || item->m_menu)
        throw std::logic_error("menu entry already stands in a menu");
    if (index < 0 || index > numberOfItems())
        throw std::logic_error("menu position out of range");
    m_items.insert(m_items.begin() + index, item);
    item->m_menu = this;
    itemChanged();
}

void Menu::removeItemAtIndex(int index)
{
    if (index < 0 || index >= numberOfItems())
        throw std::logic_error("menu position out of range");
    m_items[static_cast<size_t>(index)]->m_menu = nullptr;
    m_items.erase(m_items.begin() + index);
    itemChanged();
}

void Menu::update()
{
    itemChanged();
}

void Menu::willOpen()
{
    if (m_open)
        didClose();
    m_open = true;
    if (m_delegate)
        m_delegate->menuNeedsUpdate(*this);
}

void Menu::didClose()
{
    if (!m_open)
        return;
    m_open = false;
    if (m_delegate)
        m_delegate->menuDidClose(*this);
}

void Menu::itemChanged()
{
    if (m_observer)
        m_observer();
}
