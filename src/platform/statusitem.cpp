#include "statusitem.h"

StatusItem::StatusItem(bool hasButton) : m_hasButton(hasButton) { }

void StatusItem::setTitle(const QString &title)
{
    if (!m_hasButton || m_title == title)
        return;
    m_title = title;
    changed();
}

void StatusItem::setToolTip(const QString &toolTip)
{
    if (m_toolTip == toolTip)
        return;
    m_toolTip = toolTip;
    changed();
}

void StatusItem::setMenu(Menu *menu)
{
    m_menu = menu;
    changed();
}

void StatusItem::changed()
{
    if (m_observer)
        m_observer();
}
