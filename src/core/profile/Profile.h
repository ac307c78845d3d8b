#pragma once

#include "IniDocument.h"
#include "core/Result.h"

#include <string>

class CodePage;
class FileStore;

// What the profile store reads and writes through: the file system and the
// code page the file is kept in.
struct ProfileAccess {
    FileStore& files;
    const CodePage& codePage;
};

// Outcome of a profile write. A write that failed names the file and the
// reason, so the caller can tell the user once per command.
struct ProfileResult {
    std::string file;
    std::string reason;  // empty on success

    bool ok() const { return reason.empty(); }
    // The text of the notice shown for a failed write.
    std::string message() const;
};

// The profile path inside an application folder.
std::string profilePath(const std::string& folder);

// Reads one value; the empty text when the file, section or key is missing.
// Values longer than 9,999 bytes come back cut to that length.
std::string readProfileValue(const ProfileAccess& access, const std::string& section, const std::string& key,
                   const std::string& path);

// Stores one value, replacing the file atomically.
ProfileResult writeProfileValue(const ProfileAccess& access, const std::string& section, const std::string& key,
                       const std::string& value, const std::string& path);

// A section name in the file's encoding, remembered for the next call:
// commands address one section many times in a row.
class SectionBytes {
public:
    const std::string& operator()(const CodePage& codePage, const std::string& section);

private:
    std::string text_;
    std::string bytes_;
    bool valid_ = false;
};

// The file read and parsed once, for commands that read many values. A file
// that could not be read whole reads as empty, and readError() says why, so
// that the caller can tell the user rather than show nothing.
class ProfileSnapshot {
public:
    ProfileSnapshot(const ProfileAccess& access, const std::string& path);
    std::string readProfileValue(const std::string& section, const std::string& key) const;
    // Why the file could not be read; empty when it was read or is missing.
    const std::string& readError() const { return readError_; }

private:
    const CodePage& codePage_;
    std::string readError_;
    IniDocument doc_;
    mutable SectionBytes sectionBytes_;
};

// Several writes made as one: the file is read once, the writes are applied
// in order, and commit() replaces the file once. The result is byte for byte
// what the same writes made one by one would give. If any write is refused,
// commit() writes nothing; so does a file that could not be read whole, which
// a write would otherwise replace by the part that was read.
class ProfileEdit {
public:
    ProfileEdit(const ProfileAccess& access, std::string path);

    void writeProfileValue(const std::string& section, const std::string& key, const std::string& value);
    ProfileResult commit();

private:
    ProfileAccess access_;
    std::string path_;
    IniDocument doc_;
    SectionBytes sectionBytes_;
    std::string refusal_;
    bool changed_ = false;
};
