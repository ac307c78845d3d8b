#pragma once

#include "LauncherList.h"
#include "StatusArea.h"
#include "WindowFrame.h"
#include "core/scheduler/Schedule.h"
#include "core/window/MainWindowPresenter.h"
#include "core/window/Twips.h"

#include <QWidget>

#include <memory>
#include <optional>

class AddPanel;
class QuickPanel;
class SearchPanel;
class TimerPanel;
struct Platform;

// The main window: its frame, the launcher list, the status area and the
// slide-in panels, and the few links between them. Making it loads the list
// from the profile.
class MainWindow : public QWidget, public MainWindowView {
    Q_OBJECT
public:
    MainWindow(Platform& platform, MainWindowState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowPresenter& presenter() { return presenter_; }
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

    ScheduleAction scheduleAction() const { return presenter_.scheduleAction(); }
    void clockTick() { presenter_.clockTick(); }

    void hideKeepingLoaded() override;
    void showAgain() override;
    void setClockRunning(bool running) override;
    void centreOnScreen() override;
    QTimer* clockTimer() const { return clockTimer_; }

signals:
    // 隐藏, or the window manager closed the window (Alt+F4), as the
    // presenter is told.
    void hideRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void makePanel(Panel panel);

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
    MainWindowPresenter presenter_;
};
