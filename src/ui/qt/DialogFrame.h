#pragma once

#include "FormControls.h"

class DragHandle;
class QRect;
class QWidget;
class Twips;
struct FormSpec;

// Puts a window in the middle of the screen.
void centreOnScreen(QWidget* window, const QRect& screen);

// The small grey dialogs: a borderless window made from its form, coloured
// as the form says, whose title and body strips drag it.
FormControls makeGreyDialog(QWidget* window, const FormSpec& form, const Twips& twips, DragHandle& drag);
