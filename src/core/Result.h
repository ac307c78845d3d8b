#pragma once

#include <string>
#include <utility>

// What an operation did: success, or failure with a reason a person can read.
struct Result {
    std::string reason;  // empty on success

    bool ok() const { return reason.empty(); }
    static Result success() { return {}; }
    static Result failure(std::string why) { return {why.empty() ? std::string("unknown") : std::move(why)}; }
};
