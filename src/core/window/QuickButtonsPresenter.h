#pragma once

#include "core/Result.h"

#include <functional>
#include <memory>
#include <string>

struct Services;

// The quick panel's system buttons: places and tools of the desktop, the
// home page, and powering the machine off or restarting it. None of them
// reads or writes the profile. The dial-up and lock buttons belong to the
// program as a whole and are wired elsewhere.
class QuickButtonsPresenter {
public:
    explicit QuickButtonsPresenter(Services& services);
    ~QuickButtonsPresenter();
    QuickButtonsPresenter(const QuickButtonsPresenter&) = delete;
    QuickButtonsPresenter& operator=(const QuickButtonsPresenter&) = delete;

    void computerChosen();      // 计算机
    void controlPanelChosen();  // 控制面板
    void internetChosen();      // Internet
    void recycleBinChosen();    // 回收站
    void taskManagerChosen();   // 任务管理
    void powerOffChosen();      // 快速关机
    void restartChosen();       // 重启

    // Hides the main window but keeps it loaded: its clock and the waiting
    // schedule keep running, and the tray shows it again as it was.
    std::function<void()> onHideWindow;
    // Shows the hidden window again and brings it forward.
    std::function<void()> onShowWindow;

private:
    // Tells a failed start in a notice; the program carries on.
    void report(const Result& result);
    bool confirmed(const std::string& question);

    Services& services_;
    // Cleared when the presenter goes, so that a power request answered
    // after that touches nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
