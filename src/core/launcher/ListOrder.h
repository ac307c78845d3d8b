#pragma once

#include <cstddef>
#include <string>
#include <vector>

class Collation;

// The order of the launcher list, as a Chinese list box sorts (the
// collation's order), with equal entries kept in the order they came.
class ListOrder {
public:
    explicit ListOrder(const Collation& collation) : collation_(collation) {}

    // Where a new entry goes in a sorted list: after every entry that does
    // not sort after it.
    std::size_t insertPosition(const std::vector<std::string>& sorted, const std::string& entry) const;
    // Sorts entries as if each had been inserted in turn.
    void sort(std::vector<std::string>& entries) const;

private:
    const Collation& collation_;
};
