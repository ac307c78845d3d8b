#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CodePage;

// The two records of the remote-access service, byte for byte as the
// Windows service lays them out (little-endian, text in the ANSI code page,
// NUL-terminated within fixed fields).

// The dial parameters record, 1,052 bytes.
namespace dialRecord {
inline constexpr std::size_t kSize = 1052;
struct Field {
    std::size_t offset;
    std::size_t width;  // the ending zero included
};
inline constexpr Field kEntryName{4, 257};
inline constexpr Field kPhoneNumber{261, 129};
inline constexpr Field kCallbackNumber{390, 129};
inline constexpr Field kUserName{519, 257};
inline constexpr Field kPassword{776, 257};
inline constexpr Field kDomain{1033, 16};
}  // namespace dialRecord

using DialRecord = std::array<std::uint8_t, dialRecord::kSize>;

// What a dial asks for, as UTF-8 text.
struct DialParams {
    std::string entryName;
    std::string phoneNumber;
    std::string callbackNumber;
    std::string userName;
    std::string password;
    std::string domain;
};

// The record for params: zero-filled, the size set, each text converted to
// the code page. Nothing when a text does not fit its field after
// conversion: it is never cut, and nothing may run past a field.
std::optional<DialRecord> packDialRecord(const DialParams& params, const CodePage& codePage);
// The texts back from a record, as a service that reads it sees them.
DialParams unpackDialRecord(const DialRecord& record, const CodePage& codePage);

// The connection record, 412 bytes; an enumeration buffer holds 256 of them.
namespace connectionRecord {
inline constexpr std::size_t kSize = 412;
inline constexpr std::size_t kBufferRecords = 256;
inline constexpr std::size_t kHandleOffset = 4;
inline constexpr std::size_t kEntryNameOffset = 8;
inline constexpr std::size_t kEntryNameWidth = 257;
}  // namespace connectionRecord

// A zero-filled enumeration buffer whose first record carries its size.
std::vector<std::uint8_t> makeConnectionBuffer();
std::uint32_t recordSizeOf(const std::vector<std::uint8_t>& buffer);
std::uint32_t connectionHandle(const std::vector<std::uint8_t>& buffer, std::size_t index);
// What a service writes for one connection: its size, handle and entry name
// (cut to the field, as the service does for a name it holds).
void writeConnection(std::vector<std::uint8_t>& buffer, std::size_t index, std::uint32_t handle,
                     const std::string& entryNameBytes);

std::uint32_t readUint32(const std::uint8_t* bytes);
void writeUint32(std::uint8_t* bytes, std::uint32_t value);
