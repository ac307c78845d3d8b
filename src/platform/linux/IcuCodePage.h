#pragma once

#include "core/services/CodePage.h"

#include <memory>

// CP936 through ICU's "windows-936-2000" table (0x80 is the euro sign, as in
// Windows), with GB18030 for the characters CP936 lacks. The ICU converters
// are opened the first time a text needs them, so an all-ASCII profile never
// loads their tables. Not for use from several threads at once.
class IcuCodePage : public CodePage {
public:
    IcuCodePage();
    ~IcuCodePage() override;

    std::string encode(std::string_view utf8) const override;
    std::string decode(std::string_view bytes) const override;

private:
    struct Converters;
    Converters& converters() const;
    mutable std::unique_ptr<Converters> converters_;
};
