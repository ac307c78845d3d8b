#pragma once

#include "core/window/QuickButtonsPresenter.h"

class QFrame;
class QPushButton;
class Twips;
struct Services;

// The quick system buttons, three rows of three.
class QuickPanel {
public:
    QuickPanel(QFrame* frame, const Twips& twips, Services& services);

    // 宽带连接: opens the dial-up dialog.
    QPushButton* dialUpButton() const { return dialUpButton_; }
    // 锁屏: opens the lock password set-up.
    QPushButton* lockButton() const { return lockButton_; }
    // The other seven buttons' logic; its owner links the window to it.
    QuickButtonsPresenter& presenter() { return presenter_; }

private:
    QuickButtonsPresenter presenter_;
    QPushButton* dialUpButton_ = nullptr;
    QPushButton* lockButton_ = nullptr;
};
