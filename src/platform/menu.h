#pragma once

#include "menuitem.h"

#include <functional>
#include <vector>

class MenuDelegate;

// An ordered list of entries, the model a renderer draws. The program's logic works on this model
// only; a renderer observes it and reports openings and closings back.
class Menu final
{
public:
    Menu() = default;
    ~Menu();
    Menu(const Menu &) = delete;
    Menu &operator=(const Menu &) = delete;

    int numberOfItems() const { return static_cast<int>(m_items.size()); }
    const std::vector<MenuItem::Ptr> &items() const { return m_items; }
    MenuItem::Ptr itemAt(int index) const;

    // Positions shift on insert and remove. An entry stands in one menu at most: inserting one
    // that is already in a menu, or at a position out of range, throws std::logic_error.
    void insertItem(const MenuItem::Ptr &item, int index);
    void addItem(const MenuItem::Ptr &item) { insertItem(item, numberOfItems()); }
    void removeItemAtIndex(int index);

    // Asks the renderer to refresh what it shows.
    void update();

    MenuDelegate *delegate() const { return m_delegate; }
    void setDelegate(MenuDelegate *delegate) { m_delegate = delegate; }

    // Called by the renderer. An opening that follows an opening without a close counts as a
    // close first: some tray hosts never report the close.
    void willOpen();
    void didClose();
    bool isOpen() const { return m_open; }

    // The renderer's hook: called after every change of the list or of one of its entries.
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

private:
    friend class MenuItem;
    void itemChanged();

    std::vector<MenuItem::Ptr> m_items;
    MenuDelegate *m_delegate = nullptr;
    std::function<void()> m_observer;
    bool m_open = false;
};
