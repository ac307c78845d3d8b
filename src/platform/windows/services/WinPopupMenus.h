#pragma once

#include "platform/PopupMenus.h"

#include <windows.h>

#include <string>
#include <vector>

// Popup menus of the system, built from a menu description for each popup:
// items and separators in order, submenus within, captions in UTF-16. The
// menu is tracked by TrackPopupMenu on a hidden window of this object, which
// comes to the foreground first so that a click elsewhere or Esc closes the
// menu, and is sent a WM_NULL after (the documented way for menus of a
// notification-area icon).
class WinPopupMenus final : public PopupMenus {
public:
    WinPopupMenus();
    ~WinPopupMenus() override;
    WinPopupMenus(const WinPopupMenus&) = delete;
    WinPopupMenus& operator=(const WinPopupMenus&) = delete;

    std::optional<std::string> popup(const MenuSpec& menu, PixelPoint at) override;
    PixelPoint pointerPosition() const override;

    // The menu for a description. Item i of ids (from 0) has the command
    // i + 1; the caller destroys the menu, which takes its submenus with it.
    // A submenu that contains itself, directly or further down, is left
    // empty there.
    static HMENU build(const MenuSpec& menu, std::vector<std::string>& ids);

private:
    HWND owner_ = nullptr;
};
