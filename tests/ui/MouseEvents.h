#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Mouse events delivered straight to a widget, as the window system would.
namespace mouse {

inline void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void press(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, at, b, b);
}

inline void release(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonRelease, at, b, Qt::NoButton);
}

inline void move(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::NoButton)
{
    send(w, QEvent::MouseMove, at, Qt::NoButton, held);
}

inline void click(QWidget* w, QPoint at)
{
    press(w, at);
    release(w, at);
}

inline void doubleClick(QWidget* w, QPoint at)
{
    click(w, at);
    send(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    release(w, at);
}

}  // namespace mouse
