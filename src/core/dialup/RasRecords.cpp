#include "RasRecords.h"

#include "core/services/CodePage.h"

#include <algorithm>
#include <cstring>

std::uint32_t readUint32(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16
           | std::uint32_t(bytes[3]) << 24;
}

void writeUint32(std::uint8_t* bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = std::uint8_t(value >> (8 * i));
}

namespace {

bool putText(DialRecord& record, dialRecord::Field field, const std::string& text, const CodePage& codePage)
{
    const std::string bytes = codePage.encode(text);
    // A zero byte would end the text early on the service's side.
    if (bytes.size() >= field.width || bytes.find('\0') != std::string::npos)
        return false;
    std::memcpy(record.data() + field.offset, bytes.data(), bytes.size());
    return true;
}

std::string getText(const DialRecord& record, dialRecord::Field field, const CodePage& codePage)
{
    const auto start = record.begin() + std::ptrdiff_t(field.offset);
    const auto end = std::find(start, start + std::ptrdiff_t(field.width), std::uint8_t(0));
    return codePage.decode(std::string(start, end));
}

}  // namespace

std::optional<DialRecord> packDialRecord(const DialParams& params, const CodePage& codePage)
{
    using namespace dialRecord;
    DialRecord record{};
    writeUint32(record.data(), std::uint32_t(kSize));
    const bool fits = putText(record, kEntryName, params.entryName, codePage)
                      && putText(record, kPhoneNumber, params.phoneNumber, codePage)
                      && putText(record, kCallbackNumber, params.callbackNumber, codePage)
                      && putText(record, kUserName, params.userName, codePage)
                      && putText(record, kPassword, params.password, codePage)
                      && putText(record, kDomain, params.domain, codePage);
    if (!fits) {
        std::fill(record.begin(), record.end(), 0);  // no password left behind
        return std::nullopt;
    }
    return record;
}

DialParams unpackDialRecord(const DialRecord& record, const CodePage& codePage)
{
    using namespace dialRecord;
    return {getText(record, kEntryName, codePage), getText(record, kPhoneNumber, codePage),
            getText(record, kCallbackNumber, codePage), getText(record, kUserName, codePage),
            getText(record, kPassword, codePage),  getText(record, kDomain, codePage)};
}

std::vector<std::uint8_t> makeConnectionBuffer()
{
    std::vector<std::uint8_t> buffer(connectionRecord::kSize * connectionRecord::kBufferRecords, 0);
    writeUint32(buffer.data(), std::uint32_t(connectionRecord::kSize));
    return buffer;
}

std::uint32_t recordSizeOf(const std::vector<std::uint8_t>& buffer)
{
    return buffer.size() < 4 ? 0 : readUint32(buffer.data());
}

std::uint32_t connectionHandle(const std::vector<std::uint8_t>& buffer, std::size_t index)
{
    const std::size_t at = index * connectionRecord::kSize + connectionRecord::kHandleOffset;
    return at + 4 <= buffer.size() ? readUint32(buffer.data() + at) : 0;
}

void writeConnection(std::vector<std::uint8_t>& buffer, std::size_t index, std::uint32_t handle,
                     const std::string& entryNameBytes)
{
    using namespace connectionRecord;
    const std::size_t at = index * kSize;
    if (at + kSize > buffer.size())
        return;
    std::fill(buffer.begin() + std::ptrdiff_t(at), buffer.begin() + std::ptrdiff_t(at + kSize), 0);
    writeUint32(buffer.data() + at, std::uint32_t(kSize));
    writeUint32(buffer.data() + at + kHandleOffset, handle);
    const std::size_t length = std::min(entryNameBytes.size(), kEntryNameWidth - 1);
    std::memcpy(buffer.data() + at + kEntryNameOffset, entryNameBytes.data(), length);
}
