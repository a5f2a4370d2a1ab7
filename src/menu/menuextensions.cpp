#include "menuextensions.h"

#include "menutitles.h"
#include "platform/menuitem.h"

void setColor(MenuItem &item, Color color)
{
    item.setAttributedTitle(item.title(), TextAttributes {Font::MenuBar, color});
    item.setRepresentedObject(color);
}

void setStoredColor(MenuItem &item)
{
    if (const auto *color = std::any_cast<Color>(&item.representedObject()))
        setColor(item, *color);
}

namespace {

QString withoutCheck(const MenuItem &item)
{
    QString title = item.title();
    return title.remove(MenuTitles::spaceAndCheckMark());
}

} // namespace

void addCheck(MenuItem &item)
{
    item.setTitle(withoutCheck(item) + MenuTitles::spaceAndCheckMark());
    setStoredColor(item);
}

void removeCheck(MenuItem &item)
{
    item.setTitle(withoutCheck(item));
    setStoredColor(item);
}
