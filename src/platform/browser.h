#pragma once

#include <QUrl>

class Browser
{
public:
    virtual ~Browser() = default;
    // Opens the address in the user's default browser.
    virtual void open(const QUrl &url) = 0;
};
