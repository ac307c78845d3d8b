#pragma once

#include "GreyDialog.h"
#include "core/dialup/DialUpPresenter.h"

// The broadband dial-up dialog on Win32. The status line follows a press of
// any mouse button on 连接 or 断开; a keyboard activation runs the click alone.
class DialUpWindow final : public GreyDialog, public DialUpView {
public:
    explicit DialUpWindow(Platform& platform);

    std::string nameText() const override;
    std::string accountText() const override;
    std::string passwordText() const override;
    void setTexts(const std::string& name, const std::string& account, const std::string& password) override;
    void setStatus(const std::string& text) override;
    void close() override;

private:
    void command(std::string_view id, int notification) override;
    static LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self);
    DialUpPresenter presenter_;
};
