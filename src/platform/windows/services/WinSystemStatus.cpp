#include "WinSystemStatus.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>
#include <windows.h>

#include <vector>

std::optional<std::uint64_t> WinSystemStatus::millisecondsSinceBoot() const
{
    // The tick count goes on while the machine sleeps, and its 64 bits do
    // not wrap.
    return GetTickCount64();
}

int WinSystemStatus::bootMode() const
{
    const int mode = GetSystemMetrics(SM_CLEANBOOT);
    return mode >= 0 && mode <= 2 ? mode : 0;
}

std::string WinSystemStatus::localAddress() const
{
    // The adapter that the default route leaves through: the one a packet
    // to a public address would take. Only the routing table is asked;
    // nothing is sent.
    const IPAddr publicAddress = htonl(0x08080808);  // 8.8.8.8
    DWORD index = 0;
    if (GetBestInterface(publicAddress, &index) != NO_ERROR)
        return {};

    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG status = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 3 && status == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        status = GetAdaptersAddresses(
            AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER, nullptr,
            reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (status != NO_ERROR)
        return {};

    for (auto* adapter = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter; adapter = adapter->Next) {
        if (adapter->IfIndex != index)
            continue;
        for (auto* unicast = adapter->FirstUnicastAddress; unicast; unicast = unicast->Next) {
            const SOCKADDR* address = unicast->Address.lpSockaddr;
            if (!address || address->sa_family != AF_INET)
                continue;
            const auto* bytes =
                reinterpret_cast<const unsigned char*>(&reinterpret_cast<const sockaddr_in*>(address)->sin_addr);
            return std::to_string(bytes[0]) + '.' + std::to_string(bytes[1]) + '.' + std::to_string(bytes[2]) + '.' +
                   std::to_string(bytes[3]);
        }
    }
    return {};
}
