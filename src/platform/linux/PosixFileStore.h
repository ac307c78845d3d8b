#pragma once

#include "core/services/FileStore.h"

// Whole files through POSIX calls. A replace writes a temporary file beside
// the target (".<name>.ombrel-tmp-XXXXXX", made 0600), checks every write and
// the flush to disk, gives it the target's permissions (0600 for a new file),
// renames it over the target and then flushes the folder, so a replace
// reported done survives a power cut. A profile that is a symbolic link is
// written at the file the link names, which is made if it is missing.
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
    Replacement replace(const std::string& path, std::string_view bytes,
                        FileReaders readers = FileReaders::AsBefore) override;
    void removeLeftovers(const std::string& path) override;
};
