#pragma once

#include <QString>

class QWidget;

// Modal message boxes. Notices have an OK button only; questions have OK
// and Cancel, Cancel being the default.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual bool confirm(QWidget* parent, const QString& title, const QString& text) = 0;
};
