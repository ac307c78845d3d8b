#pragma once

#include "core/services/FileStore.h"

// Whole files through the wide Windows file functions, so that paths in any
// script work whatever the ANSI code page. A new file takes the access its
// folder passes on, as every file made there does.
class WinFileStore final : public FileStore {
public:
    FileBytes read(const std::string& path) const override;
    Replacement replace(const std::string& path, std::string_view bytes,
                        FileReaders readers = FileReaders::AsBefore) override;
    // Removes ".<name>.ombrel-tmp-xxxxxx" files beside path, six letters a-z
    // or digits as replace() names its temporary files; nothing else.
    void removeLeftovers(const std::string& path) override;
};
