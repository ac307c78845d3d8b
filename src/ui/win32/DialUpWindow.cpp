#include "DialUpWindow.h"

#include "core/dialup/DialUpForm.h"
#include "platform/Platform.h"

#include <commctrl.h>

DialUpWindow::DialUpWindow(Platform& platform)
    : GreyDialog(platform, dial_up_form::kForm)
    , presenter_(*this, platform.services)
{
    using namespace dial_up_form;
    for (std::string_view button : {kConnect, kDisconnect})
        SetWindowSubclass(controls_[button], buttonProc, 0, reinterpret_cast<DWORD_PTR>(this));
    presenter_.load();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

LRESULT CALLBACK DialUpWindow::buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self)
{
    auto* dialog = reinterpret_cast<DialUpWindow*>(self);
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
        if (button == dialog->controls_[dial_up_form::kConnect])
            dialog->presenter_.connectPressed();
        else
            dialog->presenter_.disconnectPressed();
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

std::string DialUpWindow::nameText() const { return controls_.text(dial_up_form::kName); }
std::string DialUpWindow::accountText() const { return controls_.text(dial_up_form::kAccount); }
std::string DialUpWindow::passwordText() const { return controls_.text(dial_up_form::kPassword); }

void DialUpWindow::setTexts(const std::string& name, const std::string& account, const std::string& password)
{
    using namespace dial_up_form;
    controls_.setText(kName, name);
    controls_.setText(kAccount, account);
    controls_.setText(kPassword, password);
}

void DialUpWindow::setStatus(const std::string& text) { controls_.setText(dial_up_form::kStatus, text); }

void DialUpWindow::close()
{
    ShowWindow(hwnd(), SW_HIDE);
    if (onClosed)
        onClosed();
}

void DialUpWindow::command(std::string_view id, int notification)
{
    using namespace dial_up_form;
    if (notification != BN_CLICKED)
        return;
    if (id == kConnect)
        presenter_.connectClicked();
    else if (id == kDisconnect)
        presenter_.disconnectClicked();
    else if (id == kCancel)
        presenter_.cancelClicked();
}
