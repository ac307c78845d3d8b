#include "Panels.h"

#include "core/launcher/LauncherForm.h"
#include "core/scheduler/TimerPanelForm.h"
#include "core/search/SearchPanelForm.h"
#include "core/window/MainFrameForm.h"
#include "core/window/QuickPanelForm.h"
#include "platform/windows/WideText.h"

#include <commctrl.h>

namespace {

constexpr int kFirstControl = 100;
constexpr UINT_PTR kMinuteTimer = 1;

bool checked(HWND option)
{
    return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

AddPanel::AddPanel(HWND viewport, const RECT& place, const Scale& scale, LauncherPresenter& list, Services& services)
    : presenter_(*this, list, services)
{
    createChild(viewport, place, main_frame_form::kPanelColour, main_frame_form::kPaneEdge);
    scale_ = scale;
    controls_.build(add_panel_form::kForm, hwnd(), scale, kFirstControl);
}

std::string AddPanel::pathText() const { return controls_.text(add_panel_form::kPath); }
std::string AddPanel::nameText() const { return controls_.text(add_panel_form::kName); }
void AddPanel::setPathText(const std::string& text) { controls_.setText(add_panel_form::kPath, text); }
void AddPanel::setNameText(const std::string& text) { controls_.setText(add_panel_form::kName, text); }

void AddPanel::command(std::string_view id, int notification)
{
    if (notification != BN_CLICKED)
        return;
    if (id == add_panel_form::kBrowse)
        presenter_.browse();
    else if (id == add_panel_form::kCancel)
        presenter_.cancel();
    else if (id == add_panel_form::kConfirm)
        presenter_.confirm();
}

QuickPanel::QuickPanel(HWND viewport, const RECT& place, const Scale& scale, Services& services)
    : presenter_(services)
{
    createChild(viewport, place, main_frame_form::kPanelColour, main_frame_form::kPaneEdge);
    scale_ = scale;
    controls_.build(quick_panel_form::kForm, hwnd(), scale, kFirstControl);
}

void QuickPanel::command(std::string_view id, int notification)
{
    using namespace quick_panel_form;
    if (notification != BN_CLICKED)
        return;
    if (id == kComputer)
        presenter_.computerChosen();
    else if (id == kControlPanel)
        presenter_.controlPanelChosen();
    else if (id == kInternet)
        presenter_.internetChosen();
    else if (id == kRecycleBin)
        presenter_.recycleBinChosen();
    else if (id == kTaskManager)
        presenter_.taskManagerChosen();
    else if (id == kPowerOff)
        presenter_.powerOffChosen();
    else if (id == kRestart)
        presenter_.restartChosen();
    else if (id == kDialUp && onDialUp)
        onDialUp();
    else if (id == kLock && onLock)
        onLock();
}

SearchPanel::SearchPanel(HWND viewport, const RECT& place, const Scale& scale, LauncherPresenter& list,
                         Services& services, std::size_t& findStart)
    : presenter_(*this, list, services, findStart)
{
    createChild(viewport, place, main_frame_form::kPanelColour, main_frame_form::kPaneEdge);
    scale_ = scale;
    controls_.build(search_panel_form::kForm, hwnd(), scale, kFirstControl);
    // A double-click in the query box finds in the list; Enter searches.
    SetWindowSubclass(controls_[search_panel_form::kQuery], queryBoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

std::string SearchPanel::query() const { return controls_.text(search_panel_form::kQuery); }

void SearchPanel::command(std::string_view id, int notification)
{
    using namespace search_panel_form;
    if (notification != BN_CLICKED)
        return;
    if (id == kSearch) {
        presenter_.search();
        return;
    }
    for (int i = 0; i < 3; ++i)
        if (id == kEngineOptions[i])
            presenter_.chooseEngine(SearchEngine(i));
    for (int i = 0; i < 6; ++i)
        if (id == kCategoryOptions[i])
            presenter_.chooseCategory(SearchCategory(i));
}

LRESULT CALLBACK SearchPanel::queryBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self)
{
    auto* panel = reinterpret_cast<SearchPanel*>(self);
    if (message == WM_LBUTTONDBLCLK) {
        const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        panel->presenter_.findInList();
        return result;
    }
    // Enter searches: the box asks for it, or the dialog manager takes it
    // first as the window's default button.
    if (message == WM_GETDLGCODE) {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const LRESULT code = DefSubclassProc(box, message, wParam, lParam);
        return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? code | DLGC_WANTALLKEYS : code;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        panel->presenter_.search();
        return 0;
    }
    if (message == WM_CHAR && wParam == L'\r')
        return 0;
    return DefSubclassProc(box, message, wParam, lParam);
}

TimerPanel::TimerPanel(HWND viewport, const RECT& place, const Scale& scale, Services& services,
                       ItemLauncher& launcher)
    : presenter_(*this, services, launcher)
{
    using namespace timer_panel_form;
    createChild(viewport, place, main_frame_form::kPanelColour, main_frame_form::kPaneEdge);
    scale_ = scale;
    controls_.build(kForm, hwnd(), scale, kFirstControl);
    // Digits only, by every way in: keys are tested by the presenter's rule,
    // a paste is refused, the input method is off (by the form).
    for (std::string_view box : kTimeBoxes)
        SetWindowSubclass(controls_[box], timeBoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
    presenter_.load();
}

LRESULT CALLBACK TimerPanel::timeBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_PASTE)
        return 0;
    // An input method's characters come as WM_IME_CHAR before they become
    // WM_CHAR; both are tested.
    if (message == WM_CHAR || message == WM_IME_CHAR) {
        const wchar_t c = wchar_t(wParam);
        const BoxKey key = c == L'\t' ? BoxKey::Tab : BoxKey::Other;
        const std::string text = c == L'\b' ? std::string("\b") : wintext::toUtf8(std::wstring(1, c));
        if (!SchedulePresenter::keepsKey(key, text))
            return 0;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

namespace {

std::string_view boxId(TimeBox box)
{
    return timer_panel_form::kTimeBoxes[std::size_t(box)];
}

}  // namespace

std::string TimerPanel::boxText(TimeBox box) const { return controls_.text(boxId(box)); }

void TimerPanel::setBoxText(TimeBox box, const std::string& text)
{
    settingText_ = true;
    controls_.setText(boxId(box), text);
    settingText_ = false;
}

void TimerPanel::setCurrentTime(const std::string& text)
{
    controls_.setText(timer_panel_form::kCurrentTime, text);
    controls_.fitToText(timer_panel_form::kCurrentTime, scale_);
}

void TimerPanel::setClockBoxesEnabled(bool enabled)
{
    EnableWindow(controls_[timer_panel_form::kHour], enabled);
    EnableWindow(controls_[timer_panel_form::kMinute], enabled);
}

void TimerPanel::setCountdownBoxEnabled(bool enabled) { EnableWindow(controls_[timer_panel_form::kMinutes], enabled); }
void TimerPanel::setProgramBoxEnabled(bool enabled) { EnableWindow(controls_[timer_panel_form::kProgram], enabled); }
void TimerPanel::setProgramText(const std::string& text)
{
    settingText_ = true;
    controls_.setText(timer_panel_form::kProgram, text);
    settingText_ = false;
}

void TimerPanel::showRunning(bool running)
{
    using namespace timer_panel_form;
    controls_.setText(kStart, running ? kStopCaption : kStartCaption);
    for (std::string_view option : kModeOptions)
        EnableWindow(controls_[option], !running);
    for (std::string_view option : kActionOptions)
        EnableWindow(controls_[option], !running);
    for (std::string_view box : kTimeBoxes)
        SendMessageW(controls_[box], EM_SETREADONLY, running, 0);
    SendMessageW(controls_[kProgram], EM_SETREADONLY, running, 0);
}

// A coarse timer may come early; the minute is asked of the system's timer,
// which Windows keeps to its own resolution.
void TimerPanel::setMinuteTimerRunning(bool running)
{
    if (running)
        SetTimer(hwnd(), kMinuteTimer, 60'000, nullptr);
    else
        KillTimer(hwnd(), kMinuteTimer);
}

LRESULT TimerPanel::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kMinuteTimer) {
        presenter_.minuteTick();
        return 0;
    }
    return FormWindow::handle(message, wParam, lParam);
}

void TimerPanel::command(std::string_view id, int notification)
{
    using namespace timer_panel_form;
    if (notification == EN_CHANGE && !settingText_) {
        for (TimeBox box : {TimeBox::Hour, TimeBox::Minute})
            if (id == boxId(box))
                presenter_.boxEdited(box, boxText(box));
        if (id == kProgram)
            presenter_.programEdited(controls_.text(kProgram));
        return;
    }
    if (notification != BN_CLICKED)
        return;
    if (id == kStart) {
        presenter_.startOrStop();
        return;
    }
    for (std::size_t i = 0; i < std::size(kModeOptions); ++i)
        if (id == kModeOptions[i] && checked(controls_[id]))
            presenter_.chooseMode(ScheduleMode(i));
    for (std::size_t i = 0; i < std::size(kActionOptions); ++i)
        if (id == kActionOptions[i] && checked(controls_[id]))
            presenter_.chooseAction(ScheduleAction(i));
}
