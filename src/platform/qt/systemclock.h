#pragma once

#include "platform/clock.h"

class SystemClock final : public Clock
{
public:
    double now() const override;
};
