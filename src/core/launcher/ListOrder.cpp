#include "ListOrder.h"

#include "core/services/Collation.h"

#include <algorithm>
#include <numeric>

std::size_t ListOrder::insertPosition(const std::vector<std::string>& sorted, const std::string& entry) const
{
    const auto at = std::upper_bound(sorted.cbegin(), sorted.cend(), entry, [this](const std::string& a, const std::string& b) {
        return collation_.compare(a, b) < 0;
    });
    return std::size_t(at - sorted.cbegin());
}

void ListOrder::sort(std::vector<std::string>& entries) const
{
    // Sort keys make each comparison a byte compare: a large list loads fast.
    // A stable sort keeps equal entries in the order they came, which is
    // where inserting them one by one would have put them.
    const std::vector<std::string> keys = collation_.sortKeys(entries);
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return keys[a] < keys[b];  // std::string compares bytes as unsigned
    });
    std::vector<std::string> sorted;
    sorted.reserve(entries.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}
