#pragma once

#include <QLabel>
#include <QMouseEvent>

class DragHandle;

// A label that reports the mouse as a form's controls do: press and move with
// the pointer position inside it, a click (left button pressed and released
// over it, not the second click of a double-click), and a double-click.
class MouseLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool leftPressed_ = false;
    bool afterDoubleClick_ = false;
};

// Mouse buttons as numbers: 1 left, 2 right, 4 middle. The button that went
// down or up, or 0 for a move:
inline int pressedButton(const QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

// ...and all the buttons held, added up.
inline int heldButtons(const QMouseEvent* event)
{
    const Qt::MouseButtons held = event->buttons();
    return (held & Qt::LeftButton ? 1 : 0) | (held & Qt::RightButton ? 2 : 0) | (held & Qt::MiddleButton ? 4 : 0);
}

// Lets a frameless window be dragged by handle, a label on it. The handles
// of one window share its DragHandle, and so one stored offset.
void dragWindowBy(MouseLabel* handle, QWidget* window, DragHandle& drag);
