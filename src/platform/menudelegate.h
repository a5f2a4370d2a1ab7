#pragma once

class Menu;

class MenuDelegate
{
public:
    virtual ~MenuDelegate() = default;
    // The menu is about to open.
    virtual void menuNeedsUpdate(Menu &menu) = 0;
    // The menu has closed.
    virtual void menuDidClose(Menu &menu) = 0;
};
