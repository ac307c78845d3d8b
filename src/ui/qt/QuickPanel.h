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

private:
    QPushButton* dialUpButton_ = nullptr;
};
