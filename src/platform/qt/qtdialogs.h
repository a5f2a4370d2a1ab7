#pragma once

#include "platform/dialogs.h"

class QtDialogs final : public Dialogs
{
public:
    void activate() override;
    int runModal(const Alert &alert) override;
    void showAbout() override;
};
