#pragma once

#include "core/services/AppFolder.h"

// The folder of the running executable, or, for an installed copy whose
// folder cannot be written and holds no profile, $XDG_CONFIG_HOME/ombrel.
class LinuxAppFolder final : public AppFolder {
public:
    LinuxAppFolder();
    std::string path() const override { return path_; }
    std::string shippedFilesFolder() const override { return shippedFiles_; }

private:
    std::string path_;
    std::string shippedFiles_;
};
