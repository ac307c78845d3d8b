#pragma once

#include "IniDocument.h"
#include "ProfileEncoding.h"
#include "core/Result.h"
#include "core/services/FileStore.h"

#include <string>


// What the profile store reads and writes through: the file system and the
// code page the file is kept in.
struct ProfileAccess {
    FileStore& files;
    const CodePage& codePage;
};

// Outcome of a profile write. A write that failed names the file and the
// reason, so the caller can tell the user once per command. A failure after
// the file took the change (a flush to disk) keeps the change: the file
// holds it, only a power cut might still undo it.
struct ProfileResult {
    std::string file;
    std::string reason;  // empty on success
    bool inFile = false;  // the failure came after the file took the change

    bool ok() const { return reason.empty(); }
    // Whether the file holds the change, for certain or not.
    bool saved() const { return ok() || inFile; }
    // The text of the notice shown for a write that did not fully succeed.
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
    ProfileEncoding encoding_ = ProfileEncoding::CodePage;
    const CodePage* codePage_;  // the document's: the system's, or UTF-8 for a Unicode file
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
    // The file is to hold a secret: commit() leaves it readable by its owner alone.
    void keepPrivate() { readers_ = FileReaders::OwnerOnly; }
    ProfileResult commit();

private:
    ProfileAccess access_;
    std::string path_;
    ProfileEncoding encoding_ = ProfileEncoding::CodePage;
    const CodePage* codePage_;
    FileReaders readers_ = FileReaders::AsBefore;
    IniDocument doc_;
    SectionBytes sectionBytes_;
    std::string refusal_;
    bool changed_ = false;
};
