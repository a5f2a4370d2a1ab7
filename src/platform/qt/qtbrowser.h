#pragma once

#include "platform/browser.h"

class QtBrowser final : public Browser
{
public:
    void open(const QUrl &url) override;
};
