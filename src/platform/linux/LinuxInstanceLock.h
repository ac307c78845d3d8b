#pragma once

#include "platform/InstanceLock.h"

#include <QString>

// Holds an exclusive flock() on a file in the user's runtime folder for the
// life of the process. The kernel drops the lock when the process ends in
// any way, so a crash never blocks the next start.
//
// Without a runtime folder the lock lives in a folder of the user's own in
// the cache folder ($XDG_CACHE_HOME/ombrel, made 0700). The lock file must be
// the user's own in a folder no one else can change: a lock place another
// user could have made or hold is reported as a problem, never taken as
// another copy running, so no one else can stop the program from starting.
class LinuxInstanceLock final : public InstanceLock {
public:
    explicit LinuxInstanceLock(QString lockPath = defaultPath());
    ~LinuxInstanceLock() override;

    Outcome acquire() override;
    static QString defaultPath();

private:
    QString path_;
    int fd_ = -1;
};
