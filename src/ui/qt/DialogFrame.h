#pragma once

#include "FormControls.h"
#include "core/window/PixelGeometry.h"

class DragHandle;
class QWidget;
class Twips;
struct FormSpec;

// Puts a window in the middle of the screen.
void centreOnScreen(QWidget* window, const PixelRect& screen);

// The small grey dialogs: a borderless window made from its form, coloured
// as the form says, whose title and body strips drag it.
FormControls makeGreyDialog(QWidget* window, const FormSpec& form, const Twips& twips, DragHandle& drag);
