#pragma once

#include "LauncherList.h"
#include "StatusArea.h"
#include "WindowFrame.h"
#include "core/scheduler/Schedule.h"
#include "core/window/Twips.h"

#include <QWidget>

#include <memory>
#include <optional>

class AddPanel;
class QuickPanel;
class SearchPanel;
class TimerPanel;
struct Platform;

// What the main window keeps from one opening to the next: a hide destroys
// the window, a show makes it anew. Its owner holds it.
struct MainWindowState {
    short panelIndex = 0;  // the panel last shown
    DragOffset dragOffset;
    short findStart = 0;   // where the next find in the list begins
};

// The main window: its frame, the launcher list, the status area and the
// slide-in panels, and the few links between them. Making it loads the list
// from the profile.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Platform& platform, MainWindowState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    WindowFrame& frame() { return frame_; }
    LauncherList& launcherList() { return list_; }
    StatusArea& statusArea() { return status_; }
    // The panels' controls, made when first needed (at the latest when the
    // panel slides in).
    AddPanel& addPanel();
    QuickPanel& quickPanel();
    SearchPanel& searchPanel();
    TimerPanel& timerPanel();
    bool hasTimerPanel() const { return timerPanel_ != nullptr; }

    // The action the timer panel has chosen; the alarm before it is made.
    ScheduleAction scheduleAction() const;
    // The clock, twice a second: the status area, the rolled-up title strip
    // and the timer panel's current time.
    void clockTick();
    QTimer* clockTimer() const { return clockTimer_; }

signals:
    // 隐藏, or the window manager closed the window (Alt+F4): the owner
    // destroys the window.
    void hideRequested();
    // The schedule is due with an action that the notice carries out.
    void scheduleDue();
    // 宽带连接 on the quick panel: the dial-up dialog, which outlives the window.
    void dialUpRequested();
    // 锁屏 on the quick panel: the lock password set-up; the window is unloaded.
    void lockRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void makePanel(Panel panel);
    void load();

    Platform& platform_;
    MainWindowState& state_;
    Twips twips_;
    // The list comes first: it is first in the keyboard order and takes the
    // focus when the window opens.
    LauncherList list_;
    WindowFrame frame_;
    StatusArea status_;
    std::unique_ptr<AddPanel> addPanel_;
    std::unique_ptr<QuickPanel> quickPanel_;
    std::unique_ptr<SearchPanel> searchPanel_;
    std::unique_ptr<TimerPanel> timerPanel_;
    ItemLauncher launcher_;
    QTimer* clockTimer_ = nullptr;
};
