#include "DueNoticePresenter.h"

#include "core/services/Services.h"
#include "core/window/NoticeTitles.h"

#include <optional>

namespace {

std::string actionName(PowerAction action)
{
    switch (action) {
    case PowerAction::PowerOff: return "关机";
    case PowerAction::Reboot: return "重启";
    case PowerAction::LogOff: return "注销";
    }
    return {};
}

std::optional<PowerAction> powerActionFor(ScheduleAction action)
{
    switch (action) {
    case ScheduleAction::PowerOff: return PowerAction::PowerOff;
    case ScheduleAction::Reboot: return PowerAction::Reboot;
    case ScheduleAction::LogOff: return PowerAction::LogOff;
    case ScheduleAction::Alarm:
    case ScheduleAction::RunProgram: break;
    }
    return std::nullopt;
}

}  // namespace

DueNoticePresenter::DueNoticePresenter(DueNoticeView& view, Services& services,
                                       std::function<ScheduleAction()> chosenAction)
    : view_(view)
    , services_(services)
    , chosenAction_(std::move(chosenAction))
{
}

void DueNoticePresenter::setColour(unsigned bgr)
{
    colour_ = bgr;
    view_.setMessageColour(bgr);
}

// The alarm rings and flashes, any other action counts down.
void DueNoticePresenter::load()
{
    setColour(kRed);
    const bool alarm = chosenAction_() == ScheduleAction::Alarm;
    view_.showAlarmButtons(alarm);
    if (alarm) {
        view_.setMessage("时间到!!!");
        view_.setCountdownRunning(false);
        view_.setFlashing(true);
    } else {
        secondsLeft_ = kCountdownSeconds;
        view_.setMessage(std::to_string(secondsLeft_));
        view_.setCountdownRunning(true);
        view_.setFlashing(false);
    }
}

void DueNoticePresenter::countdownTick()
{
    --secondsLeft_;
    view_.setMessage(std::to_string(secondsLeft_));
    if (secondsLeft_ == 0)
        executeNow();
}

// The ring shipped beside the executable, or one the user put beside the
// profile of an installed copy; without either the sound service plays the
// desktop's own alarm sound.
std::string DueNoticePresenter::ringFile() const
{
    const char separator = services_.files.separator();
    const std::string shipped = services_.appFolder.shippedFilesFolder() + separator + "Ring.wav";
    if (!services_.files.fileNameOf(shipped).empty())
        return shipped;
    const std::string besideProfile = services_.appFolder.path() + separator + "Ring.wav";
    if (!services_.files.fileNameOf(besideProfile).empty())
        return besideProfile;
    return shipped;
}

void DueNoticePresenter::flashTick()
{
    // The ring plays on its own, so the flashing keeps its pace; a missing
    // sound goes unreported.
    services_.sound.playRing(ringFile());
    setColour(colour_ == kRed ? kCyan : kRed);
}

// Runs the action chosen now, not the one chosen when the schedule fired.
// The call returns at once; a failure is told when its answer comes, also
// if the notice is gone by then.
void DueNoticePresenter::executeNow()
{
    view_.setCountdownRunning(false);
    if (const std::optional<PowerAction> action = powerActionFor(chosenAction_())) {
        MessageBoxes& messages = services_.messages;
        services_.power.request(*action, [&messages, what = actionName(*action)](const Result& result) {
            if (!result.ok())
                messages.inform(kNoticeTitle, what + "失败：" + result.reason);
        });
    }
    view_.hide();
}
