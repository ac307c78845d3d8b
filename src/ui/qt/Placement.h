#pragma once

#include "core/window/Twips.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Puts a control at its design place, given in twips.
void placeByTwips(QWidget* widget, const Twips& twips, int left, int top, int width, int height);

// Makes the controls of a panel at their twip figures, in the 9-point
// interface font. A control without a given width takes the width of its
// text; without a given height, the height of a button.
class Placer {
public:
    Placer(QWidget* parent, const Twips& twips) : parent_(parent), twips_(twips) {}

    template <typename W>
    W* add(W* widget, const char* name, int left, int top, int width = 0, int height = 375)
    {
        addWidget(widget, name, left, top, width, height);
        return widget;
    }
    QLabel* label(const char* name, const QString& caption, int left, int top);
    QPushButton* button(const char* name, const QString& caption, int left, int top, int width);
    QLineEdit* text(const char* name, int left, int top, int width, int height = 375);
    QRadioButton* option(const char* name, const QString& caption, int left, int top);
    Placer inside(QWidget* child) const { return Placer(child, twips_); }

private:
    void addWidget(QWidget* widget, const char* name, int left, int top, int width, int height);

    QWidget* parent_;
    const Twips& twips_;
};
