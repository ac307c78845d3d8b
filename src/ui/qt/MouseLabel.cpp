#include "MouseLabel.h"

#include "core/window/DragHandle.h"

#include <QMouseEvent>

void MouseLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    emit pressed(event);
}

void MouseLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event);
}

void MouseLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = leftPressed_ && !afterDoubleClick_ && rect().contains(event->position().toPoint());
    leftPressed_ = false;
    afterDoubleClick_ = false;
    if (click)
        emit clicked();
}

void MouseLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    leftPressed_ = true;
    afterDoubleClick_ = true;
    emit doubleClicked();
}

void dragWindowBy(MouseLabel* handle, QWidget* window, DragHandle& drag)
{
    QObject::connect(handle, &MouseLabel::pressed, window, [&drag](QMouseEvent* event) {
        const QPointF at = event->position();
        drag.press(pressedButton(event), float(at.x()), float(at.y()));
    });
    QObject::connect(handle, &MouseLabel::moved, window, [window, &drag](QMouseEvent* event) {
        const QPointF at = event->position();
        const Point from{double(window->pos().x()), double(window->pos().y())};
        if (auto to = drag.move(heldButtons(event), float(at.x()), float(at.y()), from))
            window->move(QPointF(to->x, to->y).toPoint());
    });
}
