#pragma once

#include "core/services/SystemStatus.h"

// The up-time, the start mode and the local address as Windows reports them.
class WinSystemStatus final : public SystemStatus {
public:
    std::optional<std::uint64_t> millisecondsSinceBoot() const override;
    int bootMode() const override;
    std::string localAddress() const override;
};
