#pragma once

#include "FormWindow.h"
#include "core/lock/LockPresenters.h"
#include "platform/LockGuard.h"

#include <functional>
#include <random>

struct Platform;

// The lock screen on Win32: a topmost layered window over the whole virtual
// screen, seen through at the presenter's alpha, with the banner, the
// password box and the two unlock pictures; the lock guard keeps the pointer
// and the keyboard.
class LockWindow final : public FormWindow, public LockView {
public:
    explicit LockWindow(Platform& platform);
    ~LockWindow() override;
    LockPresenter& presenter() { return presenter_; }

    // The unlock closed the window.
    std::function<void()> onClosed;

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

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    static LRESULT CALLBACK childProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self);
    NativeWindow native() const;
    RECT mainScreenInWindow() const;

    Platform& platform_;
    LockGuard& guard_;
    std::mt19937 random_{std::random_device{}()};
    POINT origin_{};  // the virtual screen's top left, where the window is
    Rgb bannerColour_;
    int messageTop_ = 0;
    HBITMAP pictures_[2]{};  // at rest, under the pointer
    bool highlighted_ = false;
    bool unlockEnabled_ = false;
    bool ticking_ = false;
    bool tookBackSinceTick_ = false;
    LockPresenter presenter_;
};
