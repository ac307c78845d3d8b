#pragma once

#include <QString>

// What a platform call did: success, or failure with a reason a person can read.
struct PlatformResult {
    QString reason;  // empty on success

    bool ok() const { return reason.isEmpty(); }
    static PlatformResult success() { return {}; }
    static PlatformResult failure(QString why) { return {why.isEmpty() ? QStringLiteral("unknown") : why}; }
};
