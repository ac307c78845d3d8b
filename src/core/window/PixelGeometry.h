#pragma once

// Places on the screen, in pixels.

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A rectangle in screen pixels; right and bottom are the first pixels outside.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};
