#include "application.h"

#include "app/defaultmenu.h"

Application::Application(Services services)
    : m_delegate(services.settings, services.environment.http, services.dialogs, services.browser,
                 services.environment.addresses, services.runningBuild, std::move(services.quit))
{
    m_delegate.applicationDidFinishLaunching();
    m_controller = std::make_unique<StatusMenuController>(services.environment, services.settings,
                                                          services.browser);
    MenuItem::Ptr mirror = DefaultMenu::populate(m_statusMenu, m_controller.get(), &m_delegate);
    m_controller->setStatusMenu(&m_statusMenu);
    m_controller->setUseDataSourceMirror(mirror);
    m_controller->awakeFromNib();
}

Application::~Application()
{
    m_statusMenu.setDelegate(nullptr);
}
