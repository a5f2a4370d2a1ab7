#pragma once

#include <QObject>

#include <memory>
#include <vector>

#include "platform/menuitem.h"

class Menu;
class QAction;
class QLabel;
class QMenu;
class QWidget;

// Draws a menu model as a QMenu and reports the QMenu's openings and closings back to the model.
// Separators, disabled entries without action, check marks from the entry state, coloured section
// titles, two-column rows and submenus (each drawn by a renderer of its own). Every entry keeps its
// plain title as the action's text, which is what a tray host that exports menus over D-Bus shows.
//
// Changes of the model update the QMenu in place: the QAction of an entry that stays in the menu
// as the same kind of entry stays (and with it its D-Bus id, so that a click landing during a
// check still finds its own entry, or none); only entries that came or changed kind get new
// actions.
class QtMenuRenderer final
{
public:
    explicit QtMenuRenderer(Menu &model);
    ~QtMenuRenderer();

    QMenu *menu() const { return m_menu.get(); }
    // Brings the QMenu up to date with the model now (it is updated on its own after changes).
    void rebuild();

private:
    enum class Kind { Separator, Plain, Row, Title, Submenu };

    // One place of the menu: its action and what shows the entry now standing there.
    struct Slot
    {
        Kind kind = Kind::Plain;
        QAction *action = nullptr;
        MenuItem::Ptr item;
        QWidget *row = nullptr;
        QLabel *left = nullptr; // a row's left label, or a title's label
        QLabel *right = nullptr;
        std::shared_ptr<QtMenuRenderer> submenu; // what draws a submenu's model
    };

    static Kind kindOf(const MenuItem &item);
    Slot makeSlot(Kind kind);
    void show(Slot &slot, const MenuItem::Ptr &item);
    void perform(QAction *action);
    void measureColumns();
    void scheduleRebuild();

    Menu &m_model;
    std::unique_ptr<QMenu> m_menu;
    QObject m_context;
    std::vector<Slot> m_slots;
    int m_leftWidth = 0;
    int m_rightWidth = 0;
    bool m_dirty = true;
    bool m_scheduled = false;
};
