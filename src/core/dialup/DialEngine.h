#pragma once

#include <cstdint>
#include <string>

class BusyPointer;
class CodePage;
class RemoteAccess;

// Dials a phonebook entry, counts the active remote-access connections and
// hangs them all up, over the system's remote-access service.
class DialEngine {
public:
    DialEngine(RemoteAccess& service, BusyPointer& pointer, const CodePage& codePage);

    // A text that does not fit its field of the dial record: nothing is dialled.
    static constexpr std::int16_t kTextTooLong = 87;

    // 0 when connected, or when any remote-access connection is already up
    // (whichever entry it belongs to); otherwise the service's error code.
    // A failed dial is hung up, so no half-made connection stays behind.
    std::int16_t dialEntry(const std::string& entryName, const std::string& phoneNumber,
                           const std::string& callbackNumber, const std::string& userName,
                           const std::string& password, const std::string& domain);
    // The number of active remote-access connections; a failed enumeration
    // counts what the service left (0 when it wrote none).
    std::int16_t activeConnectionCount();
    // Hangs up every active remote-access connection, first record first,
    // whatever its entry. Failures are not reported.
    void hangUpAll();

private:
    RemoteAccess& service_;
    BusyPointer& pointer_;
    const CodePage& codePage_;
    std::uint32_t dialHandle_ = 0;  // the handle of the last dial, to hang it up when it failed
};
