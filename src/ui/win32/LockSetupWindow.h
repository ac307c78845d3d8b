#pragma once

#include "GreyDialog.h"
#include "core/lock/LockPresenters.h"

// The lock password set-up on Win32. The passwords are cleared whenever it
// closes.
class LockSetupWindow final : public GreyDialog, public LockSetupView {
public:
    explicit LockSetupWindow(Platform& platform);
    LockSetupPresenter& presenter() { return presenter_; }

    std::string password() const override;
    std::string repeatedPassword() const override;
    void clearPasswords() override;
    void close() override;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(std::string_view id, int notification) override;
    LockSetupPresenter presenter_;
};
