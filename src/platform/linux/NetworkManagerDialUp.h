#pragma once

#include "core/services/RemoteAccess.h"

class CodePage;

// Dial-up over NetworkManager's D-Bus API: the phonebook is its connection
// profiles, found by their id.
class NetworkManagerDialUp final : public RemoteAccess {
public:
    explicit NetworkManagerDialUp(const CodePage& codePage);
    ~NetworkManagerDialUp() override;

    std::uint32_t dial(const DialRecord& record, std::uint32_t& handle) override;
    std::uint32_t hangUp(std::uint32_t handle) override;
    std::uint32_t enumConnections(std::vector<std::uint8_t>& buffer, std::uint32_t& byteCount,
                                  std::uint32_t& count) override;

private:
    const CodePage& codePage_;
};
