#pragma once

#include "core/services/FileStore.h"

// Whole files through POSIX calls. A replace writes a temporary file beside
// the target ("<name>.XXXXXX"), checks every write and the flush to disk,
// gives it the target's permissions, renames it over the target and then
// flushes the folder, so a replace reported done survives a power cut.
class PosixFileStore : public FileStore {
public:
    FileBytes read(const std::string& path) const override;
    Result replace(const std::string& path, std::string_view bytes) override;
};
