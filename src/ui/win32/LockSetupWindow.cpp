#include "LockSetupWindow.h"

#include "core/lock/LockSetupForm.h"
#include "platform/Platform.h"

LockSetupWindow::LockSetupWindow(Platform& platform)
    : GreyDialog(platform, lock_setup_form::kForm)
    , presenter_(*this, platform.services)
{
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(controls_[lock_setup_form::kCancel]);
}

std::string LockSetupWindow::password() const { return controls_.text(lock_setup_form::kPassword); }
std::string LockSetupWindow::repeatedPassword() const { return controls_.text(lock_setup_form::kRepeat); }

void LockSetupWindow::clearPasswords()
{
    controls_.setText(lock_setup_form::kPassword, "");
    controls_.setText(lock_setup_form::kRepeat, "");
}

void LockSetupWindow::close()
{
    ShowWindow(hwnd(), SW_HIDE);
    clearPasswords();
    if (onClosed)
        onClosed();
}

// Closed by Alt+F4: neither locks nor brings the main window back; the tray
// icon does that.
LRESULT LockSetupWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        clearPasswords();
    return GreyDialog::handle(message, wParam, lParam);
}

void LockSetupWindow::command(std::string_view id, int notification)
{
    using namespace lock_setup_form;
    if (notification != BN_CLICKED)
        return;
    if (id == kOk)
        presenter_.okClicked();
    else if (id == kCancel)
        presenter_.cancelClicked();
}
