#pragma once

#include "platform/InstanceLock.h"

#include <QString>

// Holds an exclusive flock() on a file in the user's runtime folder for the
// life of the process. The kernel drops the lock when the process ends in
// any way, so a crash never blocks the next start.
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
