#pragma once

#include "platform/notifier.h"

#include <vector>

// Records notifications; `activate` plays the user choosing one.
class FakeNotifier final : public Notifier
{
public:
    struct Shown
    {
        QString section;
        QString summary;
        QString body;
        unsigned replacesId;
    };

    unsigned notify(const QString &section, const QString &summary, const QString &body,
                    unsigned replacesId) override
    {
        m_shown.push_back({section, summary, body, replacesId});
        return unsigned(m_shown.size());
    }
    void setActivation(Activation activation) override { m_activation = std::move(activation); }

    const std::vector<Shown> &shown() const { return m_shown; }
    void activate(const QString &section) { m_activation(section); }

private:
    std::vector<Shown> m_shown;
    Activation m_activation;
};
