#pragma once

#include <QLabel>

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
