#pragma once

#include "platform/ShellLinks.h"

#include <functional>

// Marks a desktop entry as trusted in GIO's file metadata, which file
// managers read before they launch an entry from the desktop. Needs the
// gvfs metadata service; fails where it is missing.
PlatformResult markTrustedWithGio(const QString& file);

// Shortcuts as freedesktop desktop entries.
class DesktopEntryLinks final : public ShellLinks {
public:
    using TrustMarker = std::function<PlatformResult(const QString& file)>;

    explicit DesktopEntryLinks(TrustMarker markTrusted = markTrustedWithGio);

    QString suffix() const override;
    QString specialFolder(SpecialFolder folder) const override;
    PlatformResult save(const QString& file, const ShortcutFields& fields) override;

private:
    TrustMarker markTrusted_;
};
