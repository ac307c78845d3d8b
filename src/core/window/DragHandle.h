#pragma once

#include <optional>

// A point of the screen or of a window, in pixels.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

// Moving a window without a caption bar by a handle inside it. The press
// stores where the handle was grabbed; each move with the left button alone
// held shifts the window so that point stays under the pointer. All handles
// of one window share one offset; the offset outlives the window.
struct DragOffset {
    float x = 0;
    float y = 0;
};

enum class MouseButtons { None = 0, Left = 1, Right = 2, Middle = 4 };

class DragHandle {
public:
    explicit DragHandle(DragOffset& offset) : offset_(offset) {}

    // `button`: the one button that went down; `buttons`: all that are held.
    void press(int button, float x, float y);
    std::optional<Point> move(int buttons, float x, float y, Point windowPos) const;

private:
    DragOffset& offset_;
};
