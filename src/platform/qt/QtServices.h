#pragma once

#include "core/services/MessageBoxes.h"
#include "core/services/RemoteAccess.h"
#include "platform/PopupMenus.h"
#include "platform/Screen.h"

// Services that Qt provides alike on every system it runs on.

class QtMessageBoxes final : public MessageBoxes {
public:
    // Each box is shown over the application's active window, or on its own
    // when none of the program's windows is active.
    bool show(const Box& box) override;
};

class QtPopupMenus final : public PopupMenus {
public:
    std::optional<std::string> popup(const MenuSpec& menu, PixelPoint at) override;
    PixelPoint pointerPosition() const override;
};

class QtBusyPointer final : public BusyPointer {
public:
    void setBusy(bool busy) override;

private:
    bool busy_ = false;
};

class QtScreen final : public Screen {
public:
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    PixelRect geometry() const override;
};
