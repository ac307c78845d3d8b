#pragma once

#include "core/services/FileStore.h"

// Whole files through POSIX calls. A replace writes a temporary file beside
// the target ("<name>.XXXXXX"), checks every write and the flush to disk,
// gives it the target's permissions, renames it over the target and then
// flushes the folder, so a replace reported done survives a power cut.
//
// A file the user may write in a folder they may not (no temporary file can
// be made beside it) is written in place instead: space for the new length
// is taken first, every step is checked, and the old bytes are put back when
// a step fails.
//
// Only regular files are read or replaced: a FIFO, device, socket or folder
// under the profile's name is refused at once rather than waited on.
class PosixFileStore : public FileStore {
public:
    FileBytes read(const std::string& path) const override;
    Result replace(const std::string& path, std::string_view bytes) override;
    void removeLeftovers(const std::string& path) override;
};
