#pragma once

#include <string>
#include <string_view>

// The system's ANSI code page, in which the profile is stored: CP936 (GBK
// with 0x80 as the euro sign) on the Chinese systems the program serves.
// Characters that CP936 cannot hold take their GB18030 form instead of "?";
// GB18030 agrees with CP936 on every CP936 character, so files stay
// interchangeable with those the Windows profile functions write. The few
// two-byte codes that GB18030 gives to characters CP936 lacks (FE 9F for
// U+4DAE, say) are read as GB18030 reads them, and the private-use
// characters CP936 reads there take their GB18030 four-byte form, so every
// character comes back from the file as it was written.
class CodePage {
public:
    virtual ~CodePage() = default;
    // UTF-8 text to the file's bytes.
    virtual std::string encode(std::string_view utf8) const = 0;
    // The file's bytes to UTF-8. Bytes that form no character become U+FFFD.
    virtual std::string decode(std::string_view bytes) const = 0;
};
