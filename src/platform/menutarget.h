#pragma once

#include <QString>

class MenuItem;

// The receiver of a menu entry's action. An action is a selector: the name of a message such as
// "openFAAAction:", which the target dispatches itself.
class MenuTarget
{
public:
    virtual ~MenuTarget() = default;
    virtual void performAction(const QString &selector, MenuItem &sender) = 0;
};
