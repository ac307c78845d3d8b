#pragma once

#include "core/Result.h"

#include <cstddef>
#include <string>
#include <string_view>

// What reading a whole file gave.
struct FileBytes {
    bool exists = false;
    std::string bytes;
    std::string error;  // why the file could not be read; empty when it was read or is missing

    bool ok() const { return error.empty(); }
};

// Who may read a file that replace() writes.
enum class FileReaders {
    AsBefore,   // an existing file keeps its permissions; a new one is the owner's alone
    OwnerOnly,  // the owner alone, whatever the file allowed before (it is to hold a secret)
};

// What replacing a file did. A step that fails after the new bytes took the
// file's place (flushing the folder, say) leaves the change in the file, but
// not yet sure to survive a power cut: reason is then set and inFile true.
struct Replacement {
    std::string reason;  // empty on success
    bool inFile = false;

    bool ok() const { return reason.empty(); }
};

// Temporary files are named "." + the file's name + this tag + six letters
// or digits: a name no person gives a file, so that clearing leftovers can
// never take a backup the user made beside the profile.
inline constexpr std::string_view kTemporaryTag = ".ombrel-tmp-";
inline constexpr std::size_t kTemporaryRandomLength = 6;

// Whole files, read and replaced. Paths are UTF-8.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual FileBytes read(const std::string& path) const = 0;
    // Replaces the file's bytes atomically: a temporary file beside it is
    // written, flushed to disk and renamed over it, so the file is always
    // either the old one or the new one. A read-only file is not replaced.
    virtual Replacement replace(const std::string& path, std::string_view bytes,
                                FileReaders readers = FileReaders::AsBefore) = 0;
    // Removes the temporary files that replace() left beside path when the
    // program was killed in the middle of one. Call it only while this copy
    // holds the one-copy lock: then none of them belongs to a live writer.
    virtual void removeLeftovers(const std::string& path) = 0;
};
