#pragma once

#include <QWidget>

#include <string_view>
#include <utility>
#include <vector>

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
