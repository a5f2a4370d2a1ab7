#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include "platform/dialogs.h"

class QtDialogs final : public Dialogs
{
    Q_DECLARE_TR_FUNCTIONS(QtDialogs)

public:
    QtDialogs() = default;
    QtDialogs(const QtDialogs &) = delete;
    QtDialogs &operator=(const QtDialogs &) = delete;
    ~QtDialogs() override; // closes the map window left open at quit

    void activate() override;
    int runModal(const Alert &alert) override;
    void showAbout() override;
    void showMap(const map::Scene &scene, std::function<void(const QUrl &)> open) override;
    void updateMap(const std::function<map::Scene()> &scene) override;

private:
    QPointer<QWidget> m_map;
};
