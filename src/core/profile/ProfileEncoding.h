#pragma once

#include "core/services/CodePage.h"

#include <string>
#include <string_view>

// How a profile's text is stored. The Windows profile functions keep a file
// in the code page, unless it starts with a byte order mark (as Notepad's
// "Unicode" and "UTF-8" saves do): then they read it as UTF-8 or UTF-16 and
// write it back in that encoding, mark and all. The store does the same.
enum class ProfileEncoding { CodePage, Utf8, Utf16Le, Utf16Be };

// A file's text as the INI document holds it: the code page's bytes as they
// are, or, for a Unicode file, its text as UTF-8 without the mark.
struct ProfileText {
    ProfileEncoding encoding = ProfileEncoding::CodePage;
    std::string bytes;
};

ProfileText decodeProfileFile(std::string fileBytes);
std::string encodeProfileFile(ProfileEncoding encoding, std::string documentBytes);

// What the document's names and values are encoded in: the system's code
// page for an ANSI file, UTF-8 for a Unicode one.
const CodePage& documentCodePage(ProfileEncoding encoding, const CodePage& ansi);

// The longest prefix of a value that a reader with a buffer of limit bytes
// gives back, whole characters only.
std::string_view cutValue(ProfileEncoding encoding, std::string_view value, std::size_t limit);
