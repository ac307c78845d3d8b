#pragma once

#include "DragHandle.h"
#include "core/scheduler/Schedule.h"

#include <cstddef>
#include <functional>

class AddItemPresenter;
class LauncherPresenter;
class MainFramePresenter;
class QuickButtonsPresenter;
class SchedulePresenter;
class StatusPresenter;
struct Services;

// What the main window keeps from one opening to the next: a hide destroys
// the window, a show makes it anew. The session holds it.
struct MainWindowState {
    short panelIndex = 0;  // the panel last shown
    DragOffset dragOffset;
    std::size_t findStart = 0;  // where the next find in the list begins
};

// The main window as a whole, beyond its parts.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    // Hidden but kept loaded: its clock and a waiting schedule run on.
    virtual void hideKeepingLoaded() = 0;
    // Shown again as it was, and brought forward.
    virtual void showAgain() = 0;
    virtual void setClockRunning(bool running) = 0;
    virtual void centreOnScreen() = 0;
};

// The main window's composition: its load step, its clock, and the links
// between the list, the frame, the status area and the panels, which are
// made when first needed and handed in as they are.
class MainWindowPresenter {
public:
    MainWindowPresenter(MainWindowView& view, Services& services, LauncherPresenter& list, MainFramePresenter& frame,
                        StatusPresenter& status);

    // Reads the list, fills the status area, hides the panels, starts the
    // clock and puts the window in the middle of the screen.
    void load();
    // Twice a second: the status area, the rolled-up title strip and the
    // timer panel's current time.
    void clockTick();

    void addPanelMade(AddItemPresenter& panel);
    void quickPanelMade(QuickButtonsPresenter& panel);
    void timerPanelMade(SchedulePresenter& panel);

    // 隐藏, a double-click start, or the window manager's close.
    void hideRequested();
    // Shown again as it is, when it was hidden but kept loaded.
    void bringBack() { view_.showAgain(); }
    void dialUpChosen();  // 宽带连接
    void lockChosen();    // 锁屏

    // The action the timer panel has chosen; the alarm before it is made.
    ScheduleAction scheduleAction() const;
    std::size_t listCount() const;

    // Links to the session.
    std::function<void()> onHideRequested;
    std::function<void()> onScheduleDue;
    std::function<void()> onDialUpRequested;
    std::function<void()> onLockRequested;

private:
    MainWindowView& view_;
    Services& services_;
    LauncherPresenter& list_;
    MainFramePresenter& frame_;
    StatusPresenter& status_;
    SchedulePresenter* timer_ = nullptr;
};
