#pragma once

#include <windows.h>

// The pictures compiled into the program as PNG resources, decoded by the
// Windows Imaging Component into bitmaps a window can draw.
namespace pictures {

// The main window's background at the given size: the picture drawn for 96
// or 192 dots per inch when it has that size, else the 192 one scaled to it.
// The caller owns the bitmap; nullptr when it cannot be made.
HBITMAP background(SIZE wanted);

// The lock's 解锁 picture, at rest or under the pointer, with its alpha
// premultiplied for AlphaBlend. The caller owns the bitmap.
HBITMAP unlockButton(bool highlighted, SIZE wanted);

// The program's icon at a size in pixels (the nearest image in the icon
// file, scaled). The caller destroys it.
HICON icon(int size);

}  // namespace pictures
