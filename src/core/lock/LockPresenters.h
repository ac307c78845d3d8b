#pragma once

#include "LockRules.h"

#include "core/Result.h"

#include <functional>
#include <string>

struct Services;

// The lock password set-up window.
class LockSetupView {
public:
    virtual ~LockSetupView() = default;
    virtual std::string password() const = 0;
    virtual std::string repeatedPassword() const = 0;
    virtual void clearPasswords() = 0;
    virtual void close() = 0;
};

// The set-up: two equal, non-empty passwords start the lock; 取消 brings the
// main window back.
class LockSetupPresenter {
public:
    LockSetupPresenter(LockSetupView& view, Services& services);

    void okClicked();
    void cancelClicked();

    // Links set by the owner: lock with this password; show the main window.
    std::function<void(const std::string& password)> onLock;
    std::function<void()> onCancelled;

private:
    LockSetupView& view_;
    Services& services_;
};

// The lock window, and what the window system does to make it hold.
class LockView {
public:
    virtual ~LockView() = default;
    // The window system's part; each says why it failed.
    virtual Result confinePointer(const PixelRect& rect) = 0;
    virtual void freePointer() = 0;
    virtual Result holdKeyboard() = 0;
    virtual void releaseKeyboard() = 0;
    virtual void keepOnTop() = 0;
    // The window shown again if another program hid it, and raised above
    // every other window.
    virtual void restoreWindow() = 0;
    virtual void makeTranslucent(int alpha) = 0;
    virtual Result blockTaskManager() = 0;
    // Pixels and twips of the screen the window covers.
    virtual double screenWidthTwips() const = 0;
    virtual double screenHeightTwips() const = 0;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    // The controls.
    virtual std::string typedPassword() const = 0;
    virtual void showUnlockHighlighted(bool highlighted) = 0;  // the second picture in place of the first
    virtual void setUnlockEnabled(bool enabled) = 0;
    virtual void setMessage(const std::string& text) = 0;
    virtual void setBannerColour(std::uint32_t rgb) = 0;
    virtual void focusEntry() = 0;
    virtual void setTickRunning(bool running) = 0;
    virtual void close() = 0;
};

// A source of numbers in [0, 1), which tests can set.
using RandomSource = std::function<double()>;

class LockPresenter {
public:
    LockPresenter(LockView& view, Services& services, RandomSource random);

    static constexpr int kAlpha = 150;
    static constexpr const char* kRight = "密码正确！点击解锁即可。";
    static constexpr const char* kWrong = "密码错误！请正确输入您的密码。";

    // Confines the pointer and holds the keyboard; false, after telling the
    // user "锁屏失败：<reason>", when the lock cannot hold (then nothing is
    // left confined or held).
    bool load();
    void setPassword(const std::string& password) { password_ = password; }
    void pointerOverUnlock();
    void pointerOverBackground();
    void unlockClicked();
    // Every 300 ms: a new banner colour, then the hold put back (holdAgain).
    void tick();
    // Another program has hidden or covered the window: the hold is put back
    // at once, not at the next tick.
    void windowDisturbed();

    std::function<void()> onUnlocked;  // the owner shows the main window

private:
    void holdAgain();

    LockView& view_;
    Services& services_;
    RandomSource random_;
    std::string password_;
    PixelRect rect_;             // where load() confined the pointer; each tick confines it there again
    bool locked_ = false;        // from a successful load() until the unlock
    bool unlockEnabled_ = false;
};
