#pragma once

#include "core/lock/LockPresenters.h"
#include "core/lock/LockScreenForm.h"
#include "core/window/Twips.h"

#include <QWidget>

class LockGuard;
class MouseLabel;
class QLabel;
class QLineEdit;
class QTimer;
struct Platform;

// The lock window: frameless, dark grey, over every screen, with the flashing
// banner, the password entry, the check's message and the unlock button (a
// picture at rest, another under the pointer). The controls sit in the middle
// of the main screen, inside the rectangle the pointer is kept in. It bypasses
// the window manager, which therefore can neither iconify it nor stack
// another window above it. What holds the pointer and the keyboard, and puts
// the window back when another program hides or covers it, is the platform's
// LockGuard.
class LockWindow final : public QWidget, public LockView {
    Q_OBJECT
public:
    static constexpr int kPictureWidth = lock_screen_form::kPictureWidth;  // pixels
    static constexpr int kPictureHeight = lock_screen_form::kPictureHeight;

    explicit LockWindow(Platform& platform, QWidget* parent = nullptr);

    LockPresenter& presenter() { return presenter_; }

    Result confinePointer(const PixelRect& rect) override;
    void freePointer() override;
    Result holdKeyboard() override;
    void releaseKeyboard() override;
    void keepOnTop() override;
    void restoreWindow() override;
    void makeTranslucent(int alpha) override;
    Result blockTaskManager() override;
    double screenWidthTwips() const override;
    double screenHeightTwips() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    std::string typedPassword() const override;
    void showUnlockHighlighted(bool highlighted) override;
    void setUnlockEnabled(bool enabled) override;
    void setMessage(const std::string& text) override;
    void setBannerColour(std::uint32_t rgb) override;
    void focusEntry() override;
    void setTickRunning(bool running) override;
    void close() override;

    QLabel* banner() const { return banner_; }
    QLineEdit* entry() const { return entry_; }
    QLabel* message() const { return message_; }
    MouseLabel* restPicture() const { return restPicture_; }
    MouseLabel* highlightedPicture() const { return highlightedPicture_; }
    QTimer* tickTimer() const { return tickTimer_; }
    bool unlockEnabled() const { return unlockEnabled_; }

    // The unlock button's two pictures, drawn here: a dark rounded button
    // with 解锁 in white on a magenta bar, narrow at rest, broad under the pointer.

signals:
    // Unlocked: the owner unloads the window.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    // The main screen's rectangle in the window's coordinates.
    QRect screenInWindow() const;

    Platform& platform_;
    LockGuard& guard_;
    Twips twips_;
    QLabel* banner_ = nullptr;
    QLineEdit* entry_ = nullptr;
    QLabel* message_ = nullptr;
    MouseLabel* restPicture_ = nullptr;
    MouseLabel* highlightedPicture_ = nullptr;
    QTimer* tickTimer_ = nullptr;
    bool unlockEnabled_ = false;
    LockPresenter presenter_;
};

// Whether the lock drops a key event: every key held with Ctrl, Alt or the
// Windows key (no shortcut may fire and nothing is typed with them), the
// keys the lock swallows on their own (F4, the Windows and menu keys), and
// every key that pastes (Shift+Insert, the Paste key, whatever the platform
// binds to paste).
bool lockDropsKey(const QKeyEvent& event);
