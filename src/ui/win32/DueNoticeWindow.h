#pragma once

#include "FormWindow.h"
#include "core/scheduler/DueNoticePresenter.h"
#include "core/window/DragHandle.h"

#include <functional>

struct Platform;

// The due-time notice on Win32: a grey popup built from its form, dragged
// by its title and body strips.
class DueNoticeWindow final : public FormWindow, public DueNoticeView {
public:
    DueNoticeWindow(Platform& platform, std::function<ScheduleAction()> chosenAction);
    ~DueNoticeWindow() override;

    // 停止响铃 or 取消: the notice is to be unloaded.
    std::function<void()> onUnload;

    void showAlarmButtons(bool alarm) override;
    void setMessage(const std::string& text) override;
    void setMessageColour(unsigned bgr) override;
    void setCountdownRunning(bool running) override;
    void setFlashing(bool flashing) override;
    void hide() override;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(std::string_view id, int notification) override;

    DragOffset dragOffset_;
    DragHandle drag_{dragOffset_};
    COLORREF messageColour_ = RGB(255, 0, 0);
    HBRUSH messageBrush_ = nullptr;
    DueNoticePresenter presenter_;
};
