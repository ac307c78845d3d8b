#pragma once

#include "core/dialup/RasRecords.h"

#include <cstdint>
#include <string>
#include <vector>

// The system's remote-access (dial-up networking) service, in the form of
// the Windows one: a dial takes the dial parameters record, connections are
// named by handles, and an enumeration fills connection records.
class RemoteAccess {
public:
    virtual ~RemoteAccess() = default;

    // Dials the entry the record names with its user name and password, and
    // returns once the connection is up or has failed: 0 when connected,
    // otherwise an error code of the Windows service's numbering. The
    // program's windows repaint meanwhile but take no input. The handle of
    // the connection being made is written even when the dial fails part-way.
    virtual std::uint32_t dial(const DialRecord& record, std::uint32_t& handle) = 0;
    // Ends one connection; the result is the service's code.
    virtual std::uint32_t hangUp(std::uint32_t handle) = 0;
    // Fills buffer (connection records; the first one's size set by the
    // caller) with one record per active connection, and sets count. byteCount
    // is the buffer's size on the way in. 0 on success.
    virtual std::uint32_t enumConnections(std::vector<std::uint8_t>& buffer, std::uint32_t& byteCount,
                                          std::uint32_t& count) = 0;
    // The system service that dials, as the advice for a service that is
    // not running names it, such as "网络管理服务（NetworkManager）".
    virtual std::string dialService() const = 0;
};

// The application's mouse pointer: busy while the program waits.
class BusyPointer {
public:
    virtual ~BusyPointer() = default;
    virtual void setBusy(bool busy) = 0;
};
