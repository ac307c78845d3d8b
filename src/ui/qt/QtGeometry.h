#pragma once

#include "core/window/PixelGeometry.h"

#include <QRect>

inline QRect toQRect(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.width(), rect.height()};
}
