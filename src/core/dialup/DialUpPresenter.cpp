#include "DialUpPresenter.h"

#include "DialErrors.h"
#include "core/profile/Profile.h"
#include "core/services/Services.h"
#include "core/window/NoticeTitles.h"

DialUpPresenter::DialUpPresenter(DialUpView& view, Services& services)
    : view_(view)
    , services_(services)
    , engine_(services.remoteAccess, services.busyPointer, services.codePage)
{
}

void DialUpPresenter::load()
{
    const ProfileSnapshot profile({services_.fileStore, services_.codePage}, profilePath(services_.appFolder.path()));
    view_.setTexts(profile.readProfileValue(kSection, "Name"), profile.readProfileValue(kSection, "Username"),
                   profile.readProfileValue(kSection, "Password"));
    view_.setStatus({});
}

void DialUpPresenter::connectPressed()
{
    view_.setStatus("正在连接 " + view_.nameText() + "...");
}

void DialUpPresenter::disconnectPressed()
{
    view_.setStatus("正在断开 " + view_.nameText() + "...");
}

// The texts are saved before any check, so a failed dial keeps what was
// typed. Texts the profile cannot hold (a line break, say) are told with the
// profile's own notice, and nothing is dialled.
bool DialUpPresenter::save(const std::string& name, const std::string& account, const std::string& password)
{
    ProfileEdit edit({services_.fileStore, services_.codePage}, profilePath(services_.appFolder.path()));
    edit.writeProfileValue(kSection, "Name", name);
    edit.writeProfileValue(kSection, "Username", account);
    edit.writeProfileValue(kSection, "Password", password);
    // The password is kept in plain text, so no one but the user may read it.
    if (!password.empty())
        edit.keepPrivate();
    const ProfileResult saved = edit.commit();
    if (!saved.ok())
        services_.messages.inform(kNoticeTitle, saved.message());
    return saved.saved();
}

void DialUpPresenter::connectClicked()
{
    const std::string name = view_.nameText();
    const std::string account = view_.accountText();
    const std::string password = view_.passwordText();
    if (!save(name, account, password)) {
        view_.setStatus({});
        return;
    }
    for (const auto& [text, notice] : {std::pair{&name, "连接名不能为空"}, std::pair{&account, "宽带帐号不能为空"},
                                       std::pair{&password, "宽带密码不能为空"}}) {
        if (text->empty()) {
            services_.messages.inform(kDialNoticeTitle, notice);
            view_.setStatus({});
            return;
        }
    }
    const int code = engine_.dialEntry(name, {}, {}, account, password, {});
    if (code == 0) {
        services_.messages.inform(kDialNoticeTitle, name + "连接成功");
        view_.setStatus({});
        view_.close();
        return;
    }
    std::string message = name + "连接失败\r\n错误原因:  " + std::to_string(code);
    if (const std::string advice = dialErrorAdvice(code, services_.remoteAccess.dialService()); !advice.empty())
        message += "\r\n" + advice;
    services_.messages.inform(kDialNoticeTitle, message);
    view_.setStatus(name + "连接失败");
}

void DialUpPresenter::disconnectClicked()
{
    const std::string name = view_.nameText();
    engine_.hangUpAll();
    services_.messages.inform(kDialNoticeTitle, name + "已断开");
    view_.close();
}

void DialUpPresenter::cancelClicked()
{
    view_.close();
}
