#pragma once

#include "platform/color.h"

class MenuItem;

// Styling of a menu entry. The colour is kept as the entry's represented object, so that it can be
// shown again after a change of the plain title (which drops the attributed title).

// Shows the title in the menu bar font and `color`, and remembers the colour.
void setColor(MenuItem &item, Color color);
// Shows the title again in the remembered colour, if there is one.
void setStoredColor(MenuItem &item);
// Ends the title with exactly one " ✓".
void addCheck(MenuItem &item);
// Removes every " ✓" from the title.
void removeCheck(MenuItem &item);
