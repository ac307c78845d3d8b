#include "platform/windows/WinCodePage.h"
#include "platform/windows/services/WinRemoteAccess.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>

namespace {

DialRecord sampleRecord()
{
    const WinCodePage codePage;
    const auto record = packDialRecord({"宽带连接", "", "", "user@isp", "secret", ""}, codePage);
    EXPECT_TRUE(record.has_value());
    return *record;
}

// Two connections as the system lists them, with handles far above 32 bits
// where pointers are that wide.
HRASCONN fakeHandle(std::uintptr_t low)
{
    std::uintptr_t value = low;
    if constexpr (sizeof(void*) > 4)
        value |= std::uintptr_t(0x7ff1) << 32;
    return reinterpret_cast<HRASCONN>(value);
}

RasFunctions twoConnections(int& enumCalls)
{
    RasFunctions functions;
    functions.dial = [](RASDIALPARAMSA*, HRASCONN*) -> DWORD { return 0; };
    functions.hangUp = [](HRASCONN) -> DWORD { return 0; };
    functions.enumConnections = [&enumCalls](RASCONNA* records, DWORD* bytes, DWORD* count) -> DWORD {
        ++enumCalls;
        if (records[0].dwSize != sizeof(RASCONNA))
            return WinRemoteAccess::kInvalidSize;
        *count = 2;
        if (*bytes < 2 * sizeof(RASCONNA)) {
            *bytes = 2 * sizeof(RASCONNA);
            return WinRemoteAccess::kBufferTooSmall;
        }
        records[0].hrasconn = fakeHandle(0x1234);
        std::strcpy(records[0].szEntryName, "\xbf\xed\xb4\xf8");  // 宽带 in CP936
        std::strcpy(records[0].szDeviceType, "PPPoE");
        records[1].hrasconn = fakeHandle(0x5678);
        std::memset(records[1].szEntryName, 'n', sizeof records[1].szEntryName);  // no ending zero
        return 0;
    };
    return functions;
}

}  // namespace

// The record reaches the system byte for byte, the connection's wide handle
// comes back as a small number, and the number hangs up that same handle.
TEST(WinRemoteAccess, DialPassesTheRecordAndMapsTheHandle)
{
    const DialRecord record = sampleRecord();
    DialRecord seen{};
    HRASCONN hungUp = nullptr;
    RasFunctions functions;
    functions.dial = [&](RASDIALPARAMSA* params, HRASCONN* handle) -> DWORD {
        std::memcpy(seen.data(), params, seen.size());
        *handle = fakeHandle(0xabc0);
        return 691;  // failed part-way: the handle is still written
    };
    functions.hangUp = [&](HRASCONN handle) -> DWORD {
        hungUp = handle;
        return 0;
    };
    functions.enumConnections = [](RASCONNA*, DWORD*, DWORD* count) -> DWORD {
        *count = 0;
        return 0;
    };
    WinRemoteAccess service(functions);

    std::uint32_t handle = 0;
    EXPECT_EQ(service.dial(record, handle), 691u);
    EXPECT_EQ(seen, record);
    EXPECT_EQ(readUint32(seen.data()), dialRecord::kSize);
    EXPECT_NE(handle, 0u);

    EXPECT_EQ(service.hangUp(handle), 0u);
    EXPECT_EQ(hungUp, fakeHandle(0xabc0));
    // Hung up, the number names nothing any more.
    EXPECT_EQ(service.hangUp(handle), WinRemoteAccess::kInvalidHandle);
    EXPECT_EQ(service.hangUp(0), WinRemoteAccess::kInvalidHandle);
}

// The system's records (of their own size) become the program's 412-byte
// records; a buffer with room for one is told the room needed for two.
TEST(WinRemoteAccess, EnumerationTranslatesTheSystemRecords)
{
    int enumCalls = 0;
    WinRemoteAccess service(twoConnections(enumCalls));

    std::vector<std::uint8_t> buffer = makeConnectionBuffer();
    std::uint32_t byteCount = std::uint32_t(buffer.size());
    std::uint32_t count = 0;
    ASSERT_EQ(service.enumConnections(buffer, byteCount, count), 0u);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(byteCount, 2 * connectionRecord::kSize);
    EXPECT_EQ(readUint32(buffer.data()), connectionRecord::kSize);
    EXPECT_EQ(readUint32(buffer.data() + connectionRecord::kSize), connectionRecord::kSize);
    const std::uint32_t first = connectionHandle(buffer, 0);
    const std::uint32_t second = connectionHandle(buffer, 1);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + connectionRecord::kEntryNameOffset),
                 "\xbf\xed\xb4\xf8");
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data() + 265), "PPPoE");
    // A full-width name is cut to its field and still ends with a zero.
    const std::uint8_t* secondName = buffer.data() + connectionRecord::kSize + connectionRecord::kEntryNameOffset;
    EXPECT_EQ(secondName[connectionRecord::kEntryNameWidth - 2], 'n');
    EXPECT_EQ(secondName[connectionRecord::kEntryNameWidth - 1], 0);

    // The same connections keep their numbers.
    std::vector<std::uint8_t> again = makeConnectionBuffer();
    byteCount = std::uint32_t(again.size());
    ASSERT_EQ(service.enumConnections(again, byteCount, count), 0u);
    EXPECT_EQ(connectionHandle(again, 0), first);
    EXPECT_EQ(connectionHandle(again, 1), second);

    std::vector<std::uint8_t> small = makeConnectionBuffer();
    byteCount = connectionRecord::kSize;
    EXPECT_EQ(service.enumConnections(small, byteCount, count), WinRemoteAccess::kBufferTooSmall);
    EXPECT_EQ(byteCount, 2 * connectionRecord::kSize);

    // A buffer whose first record has another size is refused, as the
    // system refuses one.
    writeUint32(small.data(), 708);
    byteCount = std::uint32_t(small.size());
    EXPECT_EQ(service.enumConnections(small, byteCount, count), WinRemoteAccess::kInvalidSize);
    EXPECT_EQ(count, 0u);
}

TEST(WinRemoteAccess, MissingLibraryGivesACodeNotACrash)
{
    WinRemoteAccess service{RasFunctions{}};
    EXPECT_FALSE(service.available());
    std::uint32_t handle = 99;
    EXPECT_EQ(service.dial(sampleRecord(), handle), WinRemoteAccess::kServiceMissing);
    EXPECT_EQ(handle, 0u);
    std::vector<std::uint8_t> buffer = makeConnectionBuffer();
    std::uint32_t byteCount = std::uint32_t(buffer.size());
    std::uint32_t count = 7;
    EXPECT_EQ(service.enumConnections(buffer, byteCount, count), WinRemoteAccess::kServiceMissing);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(service.hangUp(1), WinRemoteAccess::kServiceMissing);
}

// The system's own library, for listing only: nothing here dials.
TEST(WinRemoteAccess, SystemLibraryListsConnections)
{
    WinRemoteAccess service;
    if (!service.available())
        GTEST_SKIP() << "rasapi32.dll or its functions are missing here";
    std::vector<std::uint8_t> buffer = makeConnectionBuffer();
    std::uint32_t byteCount = std::uint32_t(buffer.size());
    std::uint32_t count = 12345;
    ASSERT_EQ(service.enumConnections(buffer, byteCount, count), 0u);
    EXPECT_LE(count, connectionRecord::kBufferRecords);
    EXPECT_EQ(byteCount, count * connectionRecord::kSize);
    std::cout << "connections listed by the system: " << count << "\n";
}
