#pragma once

class QFrame;
class QPushButton;
class Twips;

// The quick system buttons, three rows of three.
class QuickPanel {
public:
    QuickPanel(QFrame* frame, const Twips& twips);

    // 宽带连接: opens the dial-up dialog.
    QPushButton* dialUpButton() const { return dialUpButton_; }
    // 锁屏: opens the lock password set-up.
    QPushButton* lockButton() const { return lockButton_; }

private:
    QPushButton* dialUpButton_ = nullptr;
    QPushButton* lockButton_ = nullptr;
};
