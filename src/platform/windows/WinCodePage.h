#pragma once

#include "core/services/CodePage.h"

// The Chinese ANSI code page through the Windows conversion functions: CP936
// for every character it holds, GB18030 (code page 54936) for the others.
class WinCodePage final : public CodePage {
public:
    std::string encode(std::string_view utf8) const override;
    std::string decode(std::string_view bytes) const override;
};
