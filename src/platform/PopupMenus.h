#pragma once

#include <QPoint>

class QAction;
class QMenu;

// Pops a menu up at a screen position and waits until an item is chosen or
// the menu is dismissed. The chosen item's action runs (its triggered
// signal) before popup() returns it; null when nothing was chosen.
class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    virtual QAction* popup(QMenu& menu, const QPoint& globalPos) = 0;
    virtual QPoint pointerPosition() const = 0;
};
