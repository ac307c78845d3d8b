#pragma once

#include <QRect>

// Facts about the screen the program's windows open on.
class Screen {
public:
    virtual ~Screen() = default;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    virtual QRect geometry() const = 0;
};
