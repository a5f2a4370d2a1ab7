#pragma once

#include "platform/dialogs.h"

#include <functional>
#include <vector>

// Records the alerts shown and answers each with `answer` (the first button unless told).
class FakeDialogs final : public Dialogs
{
public:
    void activate() override { ++m_activations; }
    int runModal(const Alert &alert) override
    {
        m_alerts.push_back(alert);
        return m_answer ? m_answer(alert) : firstButton;
    }
    void showAbout() override { ++m_aboutPanels; }

    void setAnswer(std::function<int(const Alert &)> answer) { m_answer = std::move(answer); }
    const std::vector<Alert> &alerts() const { return m_alerts; }
    int activations() const { return m_activations; }
    int aboutPanels() const { return m_aboutPanels; }

private:
    std::function<int(const Alert &)> m_answer;
    std::vector<Alert> m_alerts;
    int m_activations = 0;
    int m_aboutPanels = 0;
};
