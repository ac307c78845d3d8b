#pragma once

#include <QByteArray>
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
QImage unlockPicture(bool highlighted);  // the lock's 解锁, at rest or under the pointer

// The pictures the Windows program carries as resources, drawn by the code
// above: its icon file, with 16, 20, 24, 32, 48 and 256 pixel images, and
// the background at the sizes it has at 96 and 192 dots per inch, and the
// unlock pictures.
QByteArray windowsIconFile();
QSize backgroundSize(int dpi);
QByteArray pngOf(const QImage& image);


// One style sheet for the whole main window: cheaper to apply than one per
// control.
QString mainWindowStyleSheet();

}  // namespace art
