#pragma once

#include "core/form/FormDescription.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

class QMenu;
class Twips;

// The controls of a built form, by identity.
class FormControls {
public:
    QWidget* widget(std::string_view id) const;
    // The control as the widget class its kind is built as (MouseLabel for
    // labels and pictures, QPushButton, QLineEdit, QRadioButton, QListWidget,
    // QWidget or QGroupBox for frames).
    template <typename W>
    W* get(std::string_view id) const
    {
        return static_cast<W*>(widget(id));
    }
    void add(std::string_view id, QWidget* widget) { controls_.emplace_back(id, widget); }

private:
    std::vector<std::pair<std::string_view, QWidget*>> controls_;
};

// The font a description asks for, on this system.
QFont fontOf(const FontSpec& font);

// Makes every control of a form inside parent (or inside the frame a control
// names as its parent), at its twip place, in the table's order, which is
// also their stacking order; the keyboard goes through them by tab index.
// Options of one container form one group.
FormControls buildControls(const FormSpec& form, QWidget* parent, const Twips& twips);

// Gives a window the form's identity, title, size and back colour.
void applyForm(QWidget* window, const FormSpec& form, const Twips& twips);

// The style rules that give the forms' controls their colours (and a
// password box its star), to go with the window's own style sheet.
QString colourRules(std::initializer_list<const FormSpec*> forms);

// A Qt menu with the description's items and submenus; each action carries
// its item's identity as its data.
void fillMenu(QMenu& menu, const MenuSpec& spec);
