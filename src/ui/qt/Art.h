#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's pictures, painted in code so that they scale to any size.
namespace art {

QIcon appIcon();                      // 16, 32, 48 and 64 pixels
QImage iconImage(int size);
QPixmap background(QSize size);       // the main window's body picture

// Colours of the main window.
inline constexpr unsigned kFrameColor = 0x1d3f6e;
inline constexpr unsigned kTitleTop = 0x3b78c4;
inline constexpr unsigned kTitleBottom = 0x23579c;


// One style sheet for the whole main window: cheaper to apply than one per
// control.
QString mainWindowStyleSheet();

}  // namespace art
