#pragma once

#include "FormWindow.h"
#include "core/window/DragHandle.h"

#include <functional>

struct Platform;

// A grey window without a caption bar, built from its form, centred, and
// dragged by its "title" and "body" strips: the dial-up dialog and the lock
// set-up.
class GreyDialog : public FormWindow {
public:
    // The window is to go (取消, or Alt+F4).
    std::function<void()> onClosed;

    void bringForward();

protected:
    GreyDialog(Platform& platform, const FormSpec& form);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const FormSpec& form_;
    DragOffset dragOffset_;
    DragHandle drag_{dragOffset_};
    HBRUSH bodyBrush_ = nullptr;

public:
    ~GreyDialog() override;
};
