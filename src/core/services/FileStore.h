#pragma once

#include "core/Result.h"

#include <string>
#include <string_view>

// What reading a whole file gave.
struct FileBytes {
    bool exists = false;
    std::string bytes;
    std::string error;  // why the file could not be read; empty when it was read or is missing

    bool ok() const { return error.empty(); }
};

// Whole files, read and replaced. Paths are UTF-8.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual FileBytes read(const std::string& path) const = 0;
    // Replaces the file's bytes atomically: a temporary file beside it is
    // written, flushed to disk and renamed over it, so the file is always
    // either the old one or the new one. A read-only file is not replaced.
    virtual Result replace(const std::string& path, std::string_view bytes) = 0;
    // Removes the temporary files that replace() left beside path when the
    // program was killed in the middle of one. Only one copy of the program
    // runs, so at start-up none of them belongs to a live writer.
    virtual void removeLeftovers(const std::string& path) = 0;
};
