#pragma once

#include "core/services/ShellLinks.h"

#include <functional>

// Marks a desktop entry as trusted in GIO's file metadata, which file
// managers read before they launch an entry from the desktop. Needs the
// gvfs metadata service; fails where it is missing.
Result markTrustedWithGio(const std::string& file);

// Shortcuts as freedesktop desktop entries.
class DesktopEntryLinks final : public ShellLinks {
public:
    using TrustMarker = std::function<Result(const std::string& file)>;

    explicit DesktopEntryLinks(TrustMarker markTrusted = markTrustedWithGio);

    std::string suffix() const override;
    std::string specialFolder(SpecialFolder folder) const override;
    Result save(const std::string& file, const ShortcutFields& fields) override;

private:
    TrustMarker markTrusted_;
};
