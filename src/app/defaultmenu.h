#pragma once

#include "platform/menuitem.h"

class Menu;
class MenuTarget;

// The menu's default entries, below what the program generates: the refresh intervals, the
// mirror toggle, the update check, About and Quit.
struct DefaultMenu
{
    // Fills `menu`; the refresh and mirror entries go to `controller`, the rest to `application`.
    // Returns the mirror toggle.
    static MenuItem::Ptr populate(Menu &menu, MenuTarget *controller, MenuTarget *application);
};
