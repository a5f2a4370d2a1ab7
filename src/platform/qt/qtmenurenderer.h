#pragma once

#include <QObject>

#include <memory>

class Menu;
class QMenu;

// Draws a menu model as a QMenu and reports the QMenu's openings and closings back to the model.
// Separators, disabled entries without action, check marks from the entry state, coloured section
// titles and two-column rows. Every entry keeps its plain title as the action's text, which is
// what a tray host that exports menus over D-Bus shows.
class QtMenuRenderer final
{
public:
    explicit QtMenuRenderer(Menu &model);
    ~QtMenuRenderer();

    QMenu *menu() const { return m_menu.get(); }
    // Rebuilds the QMenu from the model now (it is rebuilt on its own after changes).
    void rebuild();

private:
    void scheduleRebuild();

    Menu &m_model;
    std::unique_ptr<QMenu> m_menu;
    QObject m_context;
    bool m_dirty = true;
    bool m_scheduled = false;
};
