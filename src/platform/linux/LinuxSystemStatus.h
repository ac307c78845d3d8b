#pragma once

#include "core/services/SystemStatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The boot mode from the kernel command line and whether systemd's rescue or
// emergency target is active: either counts as safe mode (1); Linux has no
// safe mode with networking.
int bootModeFrom(const QByteArray& kernelCommandLine, bool rescueTargetActive);

// The interface of the default IPv4 route in /proc/net/route (the lowest
// metric wins); empty when there is none.
QString defaultRouteInterface(const QByteArray& routeTable);

struct InterfaceAddress {
    QString interface;
    QString address;  // IPv4, dotted
};

// The address to show: the one on the default route's interface, else the
// first on an ordinary interface. Loopback and the virtual bridges of
// containers and virtual machines never count.
QString chooseLocalAddress(const QString& routeInterface, const QList<InterfaceAddress>& addresses);

class LinuxSystemStatus final : public SystemStatus {
public:
    LinuxSystemStatus();
    // The boot-time clock counts suspended time, as the system's own tick
    // count does, and does not wrap.
    std::optional<std::uint64_t> millisecondsSinceBoot() const override;
    // Read once: the boot mode does not change while the program runs.
    int bootMode() const override { return bootMode_; }
    std::string localAddress() const override;

private:
    int bootMode_ = 0;
};
