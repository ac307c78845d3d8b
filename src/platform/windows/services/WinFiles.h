#pragma once

#include "core/services/Files.h"

// Questions about files, answered by the Windows file system through the
// wide functions. Files marked hidden are still plain files here: on Windows
// the mark only keeps them out of Explorer's default view, and a program the
// user chose or typed may well be one.
class WinFiles final : public Files {
public:
    std::string fileNameOf(const std::string& path) const override;
    char separator() const override { return '\\'; }
};
