#pragma once

#include "core/services/AppFolder.h"

// The folder of the executable: on Windows the profile always lives beside it.
class WinAppFolder final : public AppFolder {
public:
    WinAppFolder();
    std::string path() const override { return folder_; }
    std::string shippedFilesFolder() const override { return folder_; }

private:
    std::string folder_;
};
