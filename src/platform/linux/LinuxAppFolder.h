#pragma once

#include "platform/AppFolder.h"

// The folder of the running executable, or, for an installed copy whose
// folder cannot be written and holds no profile, $XDG_CONFIG_HOME/ombrel.
class LinuxAppFolder final : public AppFolder {
public:
    LinuxAppFolder();
    QString path() const override { return path_; }

private:
    QString path_;
};
