#pragma once

#include "core/services/RemoteAccess.h"

#include <windows.h>

#include <ras.h>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

// The remote-access functions the service calls, so that a test can stand in
// for the system's library. An empty function is one the system lacks.
struct RasFunctions {
    // RasDialA(nullptr, nullptr, params, 0, nullptr, handle): a dial that
    // returns once the connection is up or has failed.
    std::function<DWORD(RASDIALPARAMSA* params, HRASCONN* handle)> dial;
    std::function<DWORD(RASCONNA* connections, DWORD* byteCount, DWORD* count)> enumConnections;
    std::function<DWORD(HRASCONN handle)> hangUp;
    // Optional: used to wait until a connection that was hung up is gone.
    std::function<DWORD(HRASCONN handle, RASCONNSTATUSA* status)> connectStatus;
};

// The Windows remote-access service, from rasapi32.dll, which is loaded when
// the service is made: a system without it (or without one of the three
// functions the program needs) answers every call with 711, the code Windows
// itself gives when its remote-access manager cannot start.
//
// The program names connections by 32-bit numbers, while a Windows connection
// handle is as wide as a pointer (64 bits on 64-bit Windows). The service
// therefore keeps a table from small numbers (1, 2, ...) to the system's
// handles; a handle seen again gets the number it had. A number is forgotten
// once its connection has been hung up.
//
// Enumeration fills the program's 412-byte connection records (the layout of
// 32-bit Windows) from an array of the system's own RASCONNA records, whose
// size and alignment differ on 64-bit Windows.
class WinRemoteAccess final : public RemoteAccess {
public:
    // Error code of the service when rasapi32.dll or one of its functions is
    // missing.
    static constexpr std::uint32_t kServiceMissing = 711;
    // Error codes of the remote-access service.
    static constexpr std::uint32_t kBufferTooSmall = 603;  // ERROR_BUFFER_TOO_SMALL
    static constexpr std::uint32_t kInvalidSize = 632;     // ERROR_INVALID_SIZE
    static constexpr std::uint32_t kInvalidHandle = 6;     // ERROR_INVALID_HANDLE

    // Loads rasapi32.dll from the system folder.
    WinRemoteAccess();
    // Uses the given functions instead of the system's library.
    explicit WinRemoteAccess(RasFunctions functions);
    ~WinRemoteAccess() override;
    WinRemoteAccess(const WinRemoteAccess&) = delete;
    WinRemoteAccess& operator=(const WinRemoteAccess&) = delete;

    // Whether the service's functions are there.
    bool available() const;

    std::uint32_t dial(const DialRecord& record, std::uint32_t& handle) override;
    std::uint32_t hangUp(std::uint32_t handle) override;
    std::uint32_t enumConnections(std::vector<std::uint8_t>& buffer, std::uint32_t& byteCount,
                                  std::uint32_t& count) override;
    std::string dialService() const override { return "远程访问连接管理器服务（RasMan）"; }

private:
    std::uint32_t numberFor(HRASCONN handle);
    HRASCONN handleFor(std::uint32_t number);
    void forget(std::uint32_t number);
    void waitUntilGone(HRASCONN handle);

    HMODULE library_ = nullptr;
    RasFunctions functions_;
    std::mutex mutex_;  // guards the table: a dial may run on a thread of its own
    std::map<std::uint32_t, HRASCONN> handles_;
    std::uint32_t nextNumber_ = 1;
};
