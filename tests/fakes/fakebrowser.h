#pragma once

#include "platform/browser.h"

#include <vector>

class FakeBrowser final : public Browser
{
public:
    void open(const QUrl &url) override { m_opened.push_back(url); }
    const std::vector<QUrl> &opened() const { return m_opened; }

private:
    std::vector<QUrl> m_opened;
};
