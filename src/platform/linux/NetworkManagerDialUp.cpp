#include "NetworkManagerDialUp.h"

NetworkManagerDialUp::NetworkManagerDialUp(const CodePage& codePage)
    : codePage_(codePage)
{
}

NetworkManagerDialUp::~NetworkManagerDialUp() = default;

std::uint32_t NetworkManagerDialUp::dial(const DialRecord&, std::uint32_t& handle)
{
    handle = 0;
    return 711;
}

std::uint32_t NetworkManagerDialUp::hangUp(std::uint32_t)
{
    return 0;
}

std::uint32_t NetworkManagerDialUp::enumConnections(std::vector<std::uint8_t>&, std::uint32_t&, std::uint32_t& count)
{
    count = 0;
    return 0;
}
