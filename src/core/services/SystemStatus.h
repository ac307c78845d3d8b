#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Facts about the running system for the status area.
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
    virtual std::string localAddress() const = 0;
};
