#include "DialEngine.h"

#include "RasRecords.h"
#include "core/services/RemoteAccess.h"

#include <algorithm>

DialEngine::DialEngine(RemoteAccess& service, BusyPointer& pointer, const CodePage& codePage)
    : service_(service)
    , pointer_(pointer)
    , codePage_(codePage)
{
}

std::int16_t DialEngine::dialEntry(const std::string& entryName, const std::string& phoneNumber,
                                   const std::string& callbackNumber, const std::string& userName,
                                   const std::string& password, const std::string& domain)
{
    if (activeConnectionCount() > 0)
        return 0;
    const std::optional<DialRecord> record =
        packDialRecord({entryName, phoneNumber, callbackNumber, userName, password, domain}, codePage_);
    if (!record)
        return kTextTooLong;

    pointer_.setBusy(true);
    dialHandle_ = 0;
    const std::uint32_t code = service_.dial(*record, dialHandle_);
    pointer_.setBusy(false);
    if (code != 0)
        service_.hangUp(dialHandle_);
    return std::int16_t(code);
}

std::int16_t DialEngine::activeConnectionCount()
{
    std::vector<std::uint8_t> buffer = makeConnectionBuffer();
    std::uint32_t byteCount = recordSizeOf(buffer) * std::uint32_t(connectionRecord::kBufferRecords);
    std::uint32_t count = 0;
    service_.enumConnections(buffer, byteCount, count);
    return std::int16_t(count);
}

void DialEngine::hangUpAll()
{
    std::vector<std::uint8_t> buffer = makeConnectionBuffer();
    std::uint32_t byteCount = recordSizeOf(buffer) * std::uint32_t(connectionRecord::kBufferRecords);
    std::uint32_t count = 0;
    if (service_.enumConnections(buffer, byteCount, count) != 0)
        return;
    const std::size_t records = std::min<std::size_t>(count, connectionRecord::kBufferRecords);
    for (std::size_t i = 0; i < records; ++i)
        service_.hangUp(connectionHandle(buffer, i));
}
