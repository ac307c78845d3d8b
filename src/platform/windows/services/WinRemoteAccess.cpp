#include "WinRemoteAccess.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

namespace {

// The connection record's device fields, which follow the entry name in the
// 412-byte layout: the device type (16 characters and the ending zero) and
// the device name (128 and the ending zero).
constexpr std::size_t kDeviceTypeOffset = connectionRecord::kEntryNameOffset + connectionRecord::kEntryNameWidth;
constexpr std::size_t kDeviceTypeWidth = 17;
constexpr std::size_t kDeviceNameOffset = kDeviceTypeOffset + kDeviceTypeWidth;
constexpr std::size_t kDeviceNameWidth = 129;
static_assert(kDeviceNameOffset + kDeviceNameWidth <= connectionRecord::kSize);

// After a hang-up the line takes a moment to close; Windows asks programs to
// wait for it before they dial again or end. The wait is bounded so that a
// service that never lets go cannot hang the program.
constexpr int kHangUpPolls = 60;
constexpr auto kHangUpPoll = std::chrono::milliseconds(50);

using DialFn = DWORD(WINAPI*)(RASDIALEXTENSIONS*, const char*, RASDIALPARAMSA*, DWORD, void*, HRASCONN*);
using EnumFn = DWORD(WINAPI*)(RASCONNA*, DWORD*, DWORD*);
using HangUpFn = DWORD(WINAPI*)(HRASCONN);
using StatusFn = DWORD(WINAPI*)(HRASCONN, RASCONNSTATUSA*);

template <typename Fn>
Fn lookUp(HMODULE library, const char* name)
{
    // GetProcAddress gives a generic function pointer; the cast goes through
    // void* to say that the type comes from the function's documentation.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The library from the system folder only, never one lying beside the program.
HMODULE loadSystemLibrary(const wchar_t* name)
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT length = GetSystemDirectoryW(folder.data(), UINT(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length);
        length = GetSystemDirectoryW(folder.data(), UINT(folder.size()));
    }
    if (length == 0 || length >= folder.size())
        return nullptr;
    folder.resize(length);
    return LoadLibraryW((folder + L"\\" + name).c_str());
}

// Copies a NUL-terminated text of at most width - 1 bytes into a record field.
void copyField(std::vector<std::uint8_t>& buffer, std::size_t at, const char* text, std::size_t textWidth,
               std::size_t fieldWidth)
{
    const std::size_t length = std::min(strnlen(text, textWidth), fieldWidth - 1);
    std::memcpy(buffer.data() + at, text, length);
}

}  // namespace

WinRemoteAccess::WinRemoteAccess()
{
    library_ = loadSystemLibrary(L"rasapi32.dll");
    if (!library_)
        return;
    const auto dial = lookUp<DialFn>(library_, "RasDialA");
    const auto enumConnections = lookUp<EnumFn>(library_, "RasEnumConnectionsA");
    const auto hangUp = lookUp<HangUpFn>(library_, "RasHangUpA");
    const auto status = lookUp<StatusFn>(library_, "RasGetConnectStatusA");
    if (!dial || !enumConnections || !hangUp)
        return;
    // Synchronous dial: no notifier, so the call returns with the outcome.
    functions_.dial = [dial](RASDIALPARAMSA* params, HRASCONN* handle) {
        return dial(nullptr, nullptr, params, 0, nullptr, handle);
    };
    functions_.enumConnections = enumConnections;
    functions_.hangUp = hangUp;
    if (status)
        functions_.connectStatus = status;
}

WinRemoteAccess::WinRemoteAccess(RasFunctions functions) : functions_(std::move(functions)) {}

WinRemoteAccess::~WinRemoteAccess()
{
    functions_ = {};
    if (library_)
        FreeLibrary(library_);
}

bool WinRemoteAccess::available() const
{
    return functions_.dial && functions_.enumConnections && functions_.hangUp;
}

std::uint32_t WinRemoteAccess::numberFor(HRASCONN handle)
{
    if (!handle)
        return 0;
    std::lock_guard lock(mutex_);
    for (const auto& [number, known] : handles_)
        if (known == handle)
            return number;
    std::uint32_t number = nextNumber_++;
    while (number == 0 || handles_.count(number))
        number = nextNumber_++;
    handles_[number] = handle;
    return number;
}

HRASCONN WinRemoteAccess::handleFor(std::uint32_t number)
{
    std::lock_guard lock(mutex_);
    const auto found = handles_.find(number);
    return found == handles_.end() ? nullptr : found->second;
}

void WinRemoteAccess::forget(std::uint32_t number)
{
    std::lock_guard lock(mutex_);
    handles_.erase(number);
}

std::uint32_t WinRemoteAccess::dial(const DialRecord& record, std::uint32_t& handle)
{
    handle = 0;
    if (!available())
        return kServiceMissing;
    // The record's bytes unchanged, in storage aligned as the system's
    // structure wants; its size field (1,052) tells the service which layout
    // it reads, so nothing past the record is looked at.
    static_assert(sizeof(RASDIALPARAMSA) >= dialRecord::kSize);
    RASDIALPARAMSA params;
    std::memset(&params, 0, sizeof params);
    std::memcpy(&params, record.data(), record.size());
    HRASCONN connection = nullptr;
    const DWORD code = functions_.dial(&params, &connection);
    // The password stays in memory no longer than needed.
    SecureZeroMemory(&params, sizeof params);
    handle = numberFor(connection);
    return code;
}

std::uint32_t WinRemoteAccess::hangUp(std::uint32_t handle)
{
    if (!available())
        return kServiceMissing;
    HRASCONN connection = handleFor(handle);
    if (!connection)
        return kInvalidHandle;
    const DWORD code = functions_.hangUp(connection);
    if (code == 0)
        waitUntilGone(connection);
    if (code == 0 || code == kInvalidHandle)
        forget(handle);
    return code;
}

// Polls the connection's state until the service no longer knows the handle
// or reports it disconnected. A service that answers without filling in the
// state (Wine's does) leaves the "disconnected" that is put there beforehand,
// which ends the wait at once.
void WinRemoteAccess::waitUntilGone(HRASCONN handle)
{
    if (!functions_.connectStatus)
        return;
    for (int poll = 0; poll < kHangUpPolls; ++poll) {
        RASCONNSTATUSA status;
        std::memset(&status, 0, sizeof status);
        status.dwSize = sizeof status;
        status.rasconnstate = RASCS_Disconnected;
        if (functions_.connectStatus(handle, &status) != 0 || status.rasconnstate == RASCS_Disconnected)
            return;
        std::this_thread::sleep_for(kHangUpPoll);
    }
}

std::uint32_t WinRemoteAccess::enumConnections(std::vector<std::uint8_t>& buffer, std::uint32_t& byteCount,
                                               std::uint32_t& count)
{
    using namespace connectionRecord;
    count = 0;
    if (!available())
        return kServiceMissing;
    if (buffer.size() < 4 || recordSizeOf(buffer) != kSize)
        return kInvalidSize;

    // As many of the system's records as the caller's buffer has room for
    // in its own layout; the byte count never goes past the buffer.
    const std::size_t room = std::min<std::size_t>(byteCount, buffer.size()) / kSize;
    std::vector<RASCONNA> system(std::max<std::size_t>(room, 1));
    for (RASCONNA& record : system) {
        std::memset(&record, 0, sizeof record);
        record.dwSize = sizeof(RASCONNA);
    }
    DWORD systemBytes = DWORD(room * sizeof(RASCONNA));
    DWORD systemCount = 0;
    const DWORD code = functions_.enumConnections(system.data(), &systemBytes, &systemCount);

    if (code == kBufferTooSmall) {
        // The room needed, told in the program's records.
        const std::size_t needed = (std::size_t(systemBytes) + sizeof(RASCONNA) - 1) / sizeof(RASCONNA);
        byteCount = std::uint32_t(std::max<std::size_t>(needed, systemCount) * kSize);
        count = systemCount;
        return code;
    }
    if (code != 0)
        return code;

    const std::size_t records = std::min<std::size_t>(systemCount, room);
    for (std::size_t i = 0; i < records; ++i) {
        const RASCONNA& from = system[i];
        const std::size_t nameLength = strnlen(from.szEntryName, sizeof from.szEntryName);
        writeConnection(buffer, i, numberFor(from.hrasconn), std::string(from.szEntryName, nameLength));
        const std::size_t at = i * kSize;
        copyField(buffer, at + kDeviceTypeOffset, from.szDeviceType, sizeof from.szDeviceType, kDeviceTypeWidth);
        copyField(buffer, at + kDeviceNameOffset, from.szDeviceName, sizeof from.szDeviceName, kDeviceNameWidth);
    }
    count = std::uint32_t(records);
    byteCount = std::uint32_t(records * kSize);
    return 0;
}
