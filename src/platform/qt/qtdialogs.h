#pragma once

#include <QCoreApplication>

#include "platform/dialogs.h"

class QtDialogs final : public Dialogs
{
    Q_DECLARE_TR_FUNCTIONS(QtDialogs)

public:
    void activate() override;
    int runModal(const Alert &alert) override;
    void showAbout() override;
};
