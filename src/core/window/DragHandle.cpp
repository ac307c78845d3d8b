#include "DragHandle.h"

void DragHandle::press(int button, float x, float y)
{
    if (button != int(MouseButtons::Left))
        return;
    offset_.DragX = x;
    offset_.DragY = y;
}

std::optional<Point> DragHandle::move(int buttons, float x, float y, Point windowPos) const
{
    if (buttons != int(MouseButtons::Left))
        return std::nullopt;
    const float left = float(windowPos.x) - offset_.DragX + x;
    const float top = float(windowPos.y) - offset_.DragY + y;
    return Point{left, top};
}
