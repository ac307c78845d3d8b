#include "LinuxSystemStatus.h"

#include <QFile>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <time.h>

#include <limits>

namespace {

QByteArray readSmallFile(const char* path)
{
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isVirtualBridge(const QString& name)
{
    static const char* const prefixes[] = {"docker", "br-", "virbr", "veth", "vnet", "lxcbr", "lxdbr", "podman", "cni"};
    for (const char* prefix : prefixes) {
        if (name.startsWith(QLatin1String(prefix)))
            return true;
    }
    return name == QLatin1String("lo");
}

QList<InterfaceAddress> interfaceAddresses()
{
    QList<InterfaceAddress> found;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return found;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || !(entry->ifa_flags & IFF_UP)
            || (entry->ifa_flags & IFF_LOOPBACK))
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
        if (::inet_ntop(AF_INET, &address->sin_addr, text, sizeof text))
            found.append({QString::fromLocal8Bit(entry->ifa_name), QString::fromLatin1(text)});
    }
    ::freeifaddrs(list);
    return found;
}

}  // namespace

int bootModeFrom(const QByteArray& kernelCommandLine, bool rescueTargetActive)
{
    if (rescueTargetActive)
        return 1;
    for (const QByteArray& word : kernelCommandLine.simplified().split(' ')) {
        if (word == "systemd.unit=rescue.target" || word == "systemd.unit=emergency.target" || word == "rescue"
            || word == "emergency" || word == "single" || word == "-s" || word == "S" || word == "s" || word == "1")
            return 1;
    }
    return 0;
}

QString defaultRouteInterface(const QByteArray& routeTable)
{
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    constexpr unsigned kRouteUp = 0x1;
    QString best;
    long bestMetric = std::numeric_limits<long>::max();
    const QList<QByteArray> lines = routeTable.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() < 8 || fields[1] != "00000000" || fields[7] != "00000000")
            continue;
        bool ok = false;
        const unsigned flags = fields[3].toUInt(&ok, 16);
        const long metric = fields[6].toLong();
        if (ok && (flags & kRouteUp) && metric < bestMetric) {
            best = QString::fromLocal8Bit(fields[0]);
            bestMetric = metric;
        }
    }
    return best;
}

QString chooseLocalAddress(const QString& routeInterface, const QList<InterfaceAddress>& addresses)
{
    if (!routeInterface.isEmpty() && !isVirtualBridge(routeInterface)) {
        for (const InterfaceAddress& entry : addresses) {
            if (entry.interface == routeInterface)
                return entry.address;
        }
    }
    for (const InterfaceAddress& entry : addresses) {
        if (!isVirtualBridge(entry.interface) && !entry.address.startsWith(QLatin1String("127.")))
            return entry.address;
    }
    return {};
}

LinuxSystemStatus::LinuxSystemStatus()
{
    const bool rescue = QFile::exists(QStringLiteral("/run/systemd/units/invocation:rescue.target"))
        || QFile::exists(QStringLiteral("/run/systemd/units/invocation:emergency.target"));
    bootMode_ = bootModeFrom(readSmallFile("/proc/cmdline"), rescue);
}

std::optional<std::uint64_t> LinuxSystemStatus::millisecondsSinceBoot() const
{
    timespec now{};
    if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return std::nullopt;
    return std::uint64_t(now.tv_sec) * 1000 + std::uint64_t(now.tv_nsec) / 1000000;
}

std::string LinuxSystemStatus::localAddress() const
{
    return chooseLocalAddress(defaultRouteInterface(readSmallFile("/proc/net/route")), interfaceAddresses())
        .toStdString();
}
