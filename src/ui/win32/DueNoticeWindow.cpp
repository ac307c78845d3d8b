#include "DueNoticeWindow.h"

#include "Dragging.h"
#include "core/scheduler/DueNoticeForm.h"
#include "platform/Platform.h"


namespace {

constexpr UINT_PTR kCountdownTimer = 1;
constexpr UINT_PTR kFlashTimer = 2;

}  // namespace

DueNoticeWindow::DueNoticeWindow(Platform& platform, std::function<ScheduleAction()> chosenAction)
    : presenter_(*this, platform.services, std::move(chosenAction))
{
    using namespace due_notice_form;
    createTopLevel(kForm, Scale::ofTwipsPerPixel(platform.screen.twipsPerPixelX()),
                   WS_EX_TOPMOST | WS_EX_CONTROLPARENT);
    controls_.build(kForm, hwnd(), scale_, 100);
    for (std::string_view strip : {kTitle, kBody}) {
        drawnByParent(controls_[strip]);
        dragWindowBy(controls_[strip], hwnd(), drag_);
    }
    SetWindowPos(controls_[kMessage], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    presenter_.load();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

DueNoticeWindow::~DueNoticeWindow()
{
    if (messageBrush_)
        DeleteObject(messageBrush_);
}

void DueNoticeWindow::showAlarmButtons(bool alarm)
{
    using namespace due_notice_form;
    ShowWindow(controls_[kStopRing], alarm ? SW_SHOW : SW_HIDE);
    ShowWindow(controls_[kCancel], alarm ? SW_HIDE : SW_SHOW);
    ShowWindow(controls_[kExecute], alarm ? SW_HIDE : SW_SHOW);
}

void DueNoticeWindow::setMessage(const std::string& text) { controls_.setText(due_notice_form::kMessage, text); }

void DueNoticeWindow::setMessageColour(unsigned bgr)
{
    messageColour_ = COLORREF(bgr);  // a COLORREF is BGR too
    InvalidateRect(controls_[due_notice_form::kMessage], nullptr, TRUE);
}

void DueNoticeWindow::setCountdownRunning(bool running)
{
    if (running)
        SetTimer(hwnd(), kCountdownTimer, 1000, nullptr);
    else
        KillTimer(hwnd(), kCountdownTimer);
}

void DueNoticeWindow::setFlashing(bool flashing)
{
    if (flashing)
        SetTimer(hwnd(), kFlashTimer, 500, nullptr);
    else
        KillTimer(hwnd(), kFlashTimer);
}

void DueNoticeWindow::hide() { ShowWindow(hwnd(), SW_HIDE); }

void DueNoticeWindow::command(std::string_view id, int notification)
{
    using namespace due_notice_form;
    if (notification != BN_CLICKED)
        return;
    if (id == kExecute)
        presenter_.executeNow();
    else if ((id == kStopRing || id == kCancel) && onUnload)
        onUnload();
}

LRESULT DueNoticeWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace due_notice_form;
    switch (message) {
    case WM_TIMER:
        if (wParam == kCountdownTimer)
            presenter_.countdownTick();
        else if (wParam == kFlashTimer)
            presenter_.flashTick();
        return 0;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == controls_[kMessage]) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, messageColour_);
            SetBkColor(dc, colourRef(kBodyColour));
            if (!messageBrush_)
                messageBrush_ = CreateSolidBrush(colourRef(kBodyColour));
            return LRESULT(messageBrush_);
        }
        break;
    case WM_DRAWITEM: {
        // The title strip's gradient and caption; the body in its colour
        // with a thin edge.
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.hwndItem == controls_[kTitle]) {
            paintGradient(item.hDC, item.rcItem, kTitleTop, kTitleBottom);
            paintCaption(item, kTitleText, item.rcItem, DT_CENTER);
        } else {
            paintFill(item.hDC, item.rcItem, kBodyColour);
            paintEdge(item.hDC, item.rcItem, kBodyEdge);
        }
        return TRUE;
    }
    default:
        break;
    }
    return FormWindow::handle(message, wParam, lParam);
}
