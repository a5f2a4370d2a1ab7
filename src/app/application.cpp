#include "application.h"

#include "app/defaultmenu.h"
#include "platform/clock.h"

Application::Application(Services services)
    : m_delegate(services.settings, services.environment.http, services.dialogs, services.browser,
                 services.environment.addresses, services.runningBuild, std::move(services.quit),
                 std::move(services.program))
{
    m_delegate.applicationDidFinishLaunching();
    m_controller = std::make_unique<StatusMenuController>(services.environment, services.settings,
                                                          services.browser, services.notifier);
    const DefaultMenu::Toggles toggles
        = DefaultMenu::populate(m_statusMenu, m_controller.get(), &m_delegate);
    m_controller->setStatusMenu(&m_statusMenu);
    m_controller->setUseDataSourceMirror(toggles.mirror);
    m_controller->setNotifyOnChanges(toggles.notifyOnChanges);
    m_controller->setSources(toggles.sources);
    m_delegate.setStartAtLoginItem(toggles.startAtLogin);
    m_controller->setMenuOpening([this] { m_delegate.showStartAtLogin(); });
    m_delegate.setMapScene([this, &clock = services.environment.clock] {
        return map::sceneOf(m_controller->shownNotices(), m_controller->rows(),
                            m_controller->areaProblems(), clock.now());
    });
    // An open map follows the checks.
    m_controller->addShownChanged([this] { m_delegate.updateMap(); });
    m_controller->start();
}

Application::~Application()
{
    m_statusMenu.setDelegate(nullptr);
}
