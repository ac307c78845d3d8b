#pragma once

#include "core/services/ShellLinks.h"

#include <cstdint>
#include <optional>
#include <string>

// Shortcut files of the Windows shell (.lnk), written through IShellLinkW and
// IPersistFile.
class WinShellLinks final : public ShellLinks {
public:
    std::string suffix() const override { return ".lnk"; }
    // Desktop is the user's desktop; StartMenu is the programs folder of the
    // user's start menu, made when it is missing.
    std::string specialFolder(SpecialFolder folder) const override;
    Result save(const std::string& file, const ShortcutFields& fields) override;

    // The hot key word of IShellLinkW for a text such as "ALT+CTRL+R":
    // modifier flags in the high byte, the virtual key in the low byte.
    // Nothing for a text it cannot read.
    static std::optional<std::uint16_t> hotkeyOf(const std::string& text);
};
