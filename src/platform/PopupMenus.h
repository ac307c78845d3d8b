#pragma once

#include "core/form/FormDescription.h"
#include "core/window/PixelGeometry.h"

#include <optional>
#include <string>

// Pops a menu up at a screen position and waits until an item is chosen or
// the menu is dismissed.
class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    // The identity of the item chosen (of a submenu's too); nothing when the
    // menu was dismissed.
    virtual std::optional<std::string> popup(const MenuSpec& menu, PixelPoint at) = 0;
    virtual PixelPoint pointerPosition() const = 0;
};
