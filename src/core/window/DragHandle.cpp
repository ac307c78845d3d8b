#include "DragHandle.h"

void DragHandle::press(int button, float x, float y)
{
    if (button != int(MouseButtons::Left))
        return;
    offset_.x = x;
    offset_.y = y;
}

std::optional<Point> DragHandle::move(int buttons, float x, float y, Point windowPos) const
{
    if (buttons != int(MouseButtons::Left))
        return std::nullopt;
    const float left = float(windowPos.x) - offset_.x + x;
    const float top = float(windowPos.y) - offset_.y + y;
    return Point{left, top};
}
