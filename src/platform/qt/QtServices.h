#pragma once

#include "platform/MessageBoxes.h"
#include "platform/PopupMenus.h"
#include "platform/Screen.h"

// Services that Qt provides alike on every system it runs on.

class QtMessageBoxes final : public MessageBoxes {
public:
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    bool confirm(QWidget* parent, const QString& title, const QString& text) override;
};

class QtPopupMenus final : public PopupMenus {
public:
    QAction* popup(QMenu& menu, const QPoint& globalPos) override;
    QPoint pointerPosition() const override;
};

class QtScreen final : public Screen {
public:
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    QRect geometry() const override;
};
