#pragma once

#include "FormControls.h"
#include "core/form/FormDescription.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <initializer_list>

class Twips;

// The font a description asks for, on this system.
QFont fontOf(const FontSpec& font);

// Makes every control of a form inside parent (or inside the frame a control
// names as its parent), at its twip place, in the table's order, which is
// also their stacking order; the keyboard goes through them by tab index.
// Options of one container form one group.
FormControls buildControls(const FormSpec& form, QWidget* parent, const Twips& twips);

// A colour as a style sheet writes it.
QString cssColour(Rgb colour);

// Gives a window the form's identity, title, size and back colour.
void applyForm(QWidget* window, const FormSpec& form, const Twips& twips);

// The style rules that give the forms' controls their colours (and a
// password box its star), to go with the window's own style sheet.
QString colourRules(std::initializer_list<const FormSpec*> forms);
