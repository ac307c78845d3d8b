#include "LockPresenters.h"

#include "core/services/Services.h"
#include "core/window/NoticeTitles.h"

#include <utility>

// The passwords pass through here only to be compared and handed on; they
// are never written to a log or shown in a message.

LockSetupPresenter::LockSetupPresenter(LockSetupView& view, Services& services)
    : view_(view)
    , services_(services)
{
}

void LockSetupPresenter::okClicked()
{
    const std::string password = view_.password();
    const std::string repeated = view_.repeatedPassword();
    if (password.empty() || repeated.empty()) {
        services_.messages.inform(kNoticeTitle, "请填写完整!");
        return;
    }
    if (password != repeated) {
        services_.messages.inform(kNoticeTitle, "两次填写的密码不相同!");
        view_.clearPasswords();
        return;
    }
    if (onLock)
        onLock(password);
    view_.close();
}

void LockSetupPresenter::cancelClicked()
{
    view_.close();
    if (onCancelled)
        onCancelled();
}

LockPresenter::LockPresenter(LockView& view, Services& services, RandomSource random)
    : view_(view)
    , services_(services)
    , random_(std::move(random))
{
}

// The pointer and the keyboard must both be held, or the lock is not put up
// at all: whatever was taken is given back and the user is told why.
bool LockPresenter::load()
{
    locked_ = false;
    unlockEnabled_ = false;
    rect_ = lockRectangle(view_.screenWidthTwips(), view_.screenHeightTwips(), view_.twipsPerPixelX(),
                          view_.twipsPerPixelY());
    Result held = view_.confinePointer(rect_);
    if (held.ok()) {
        held = view_.holdKeyboard();
        if (!held.ok())
            view_.freePointer();
    }
    if (!held.ok()) {
        services_.messages.inform(kNoticeTitle, "锁屏失败：" + held.reason);
        return false;
    }
    locked_ = true;
    view_.blockTaskManager();  // the lock holds without it
    view_.keepOnTop();
    view_.makeTranslucent(kAlpha);
    view_.showUnlockHighlighted(false);
    view_.setUnlockEnabled(false);
    view_.setTickRunning(true);
    view_.focusEntry();
    return true;
}

// The check runs as the pointer comes onto the button; a password typed
// afterwards counts once the pointer has left the button and come back.
void LockPresenter::pointerOverUnlock()
{
    view_.showUnlockHighlighted(true);
    unlockEnabled_ = view_.typedPassword() == password_;
    view_.setMessage(unlockEnabled_ ? kRight : kWrong);
    view_.setUnlockEnabled(unlockEnabled_);
}

void LockPresenter::pointerOverBackground()
{
    view_.showUnlockHighlighted(false);
}

void LockPresenter::unlockClicked()
{
    if (!unlockEnabled_ || !locked_)
        return;
    unlockEnabled_ = false;
    locked_ = false;
    password_.clear();
    view_.setTickRunning(false);
    view_.close();
    if (onUnlocked)
        onUnlocked();
    view_.freePointer();
    view_.releaseKeyboard();
}

// A tick that arrives after the unlock re-takes nothing: the grabs are
// asserted again only while the lock is up.
void LockPresenter::tick()
{
    if (!locked_)
        return;
    const double r1 = random_();
    const double r2 = random_();
    const double r3 = random_();
    view_.setBannerColour(bannerColour(r1, r2, r3));
    holdAgain();
}

void LockPresenter::windowDisturbed()
{
    if (locked_)
        holdAgain();
}

// The window back on the screen and on top first, as a window that is not
// shown cannot take a grab; then the focus and both grabs. Once the lock is
// up a grab that fails (another program holds it for the moment) does not
// end the lock: it is asked for again at the next tick, each time, until it
// holds.
void LockPresenter::holdAgain()
{
    view_.restoreWindow();
    view_.focusEntry();
    view_.confinePointer(rect_);
    view_.holdKeyboard();
}
