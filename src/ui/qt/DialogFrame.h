#pragma once

#include <QString>

class DragHandle;
class QRect;
class QWidget;
class Twips;

// Puts a window in the middle of the screen.
void centreOnScreen(QWidget* window, const QRect& screen);

// The frame of the small grey dialogs: a borderless window of a fixed size
// in twips, with a light title strip (its caption centred) and a body strip
// beneath everything else, both dragging the window.
void makeGreyDialogFrame(QWidget* window, const Twips& twips, int widthTwips, int heightTwips,
                                 const QString& title, DragHandle& drag);
