#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Facts about the running system for the status display.
class SystemStatus {
public:
    virtual ~SystemStatus() = default;
    // Milliseconds since the system started, time spent suspended included;
    // nothing when the system cannot tell.
    virtual std::optional<std::uint64_t> millisecondsSinceBoot() const = 0;
    // 0 for a normal start, 1 for safe mode, 2 for safe mode with networking.
    virtual int bootMode() const = 0;
    // The machine's address in the local network, IPv4 dotted form; empty
    // when it has none.
    virtual QString localAddress() const = 0;
};
