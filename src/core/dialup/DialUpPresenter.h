#pragma once

#include "DialEngine.h"

#include <string>

struct Services;

// The dial-up dialog's controls.
class DialUpView {
public:
    virtual ~DialUpView() = default;
    virtual std::string nameText() const = 0;
    virtual std::string accountText() const = 0;
    virtual std::string passwordText() const = 0;
    virtual void setTexts(const std::string& name, const std::string& account, const std::string& password) = 0;
    virtual void setStatus(const std::string& text) = 0;
    virtual void close() = 0;
};

// The broadband dial-up dialog: shows the saved connection name, account and
// password, saves them and dials, or hangs up. Its notices are titled
// "连接提示".
class DialUpPresenter {
public:
    DialUpPresenter(DialUpView& view, Services& services);

    static constexpr const char* kSection = "宽带连接";
    static constexpr const char* kDialNoticeTitle = "连接提示";

    void load();
    // A mouse button went down on 连接 or 断开 (not a keyboard activation).
    void connectPressed();
    void disconnectPressed();
    // Saves the three texts, checks them and dials.
    void connectClicked();
    // Hangs up every remote-access connection and closes.
    void disconnectClicked();
    void cancelClicked();

private:
    bool save(const std::string& name, const std::string& account, const std::string& password);

    DialUpView& view_;
    Services& services_;
    DialEngine engine_;
};
