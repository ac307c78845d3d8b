#pragma once

#include "core/services/CodePage.h"

#include <memory>

// CP936 by ICU's "windows-936-2000" table (0x80 is the euro sign, as in
// Windows), with GB18030 for the characters CP936 lacks; the two-byte codes
// GB18030 gives to some of those are read as GB18030 reads them, and the
// private-use characters CP936 reads there take four bytes. The table is built
// into the program from ICU's own at build time; ICU's converters are opened
// only for a text the table cannot take (a GB18030 form, or malformed
// bytes), so most profiles never load them. Not for use from several
// threads at once.
class IcuCodePage : public CodePage {
public:
    IcuCodePage();
    ~IcuCodePage() override;

    std::string encode(std::string_view utf8) const override;
    std::string decode(std::string_view bytes) const override;

    // ICU's converters alone, for checking the built-in table against them.
    std::string encodeWithIcu(std::string_view utf8) const;
    std::string decodeWithIcu(std::string_view bytes) const;

private:
    struct Converters;
    Converters& converters() const;
    mutable std::unique_ptr<Converters> converters_;
};
