#pragma once

#include "FormWindow.h"
#include "core/launcher/AddItemPresenter.h"
#include "core/launcher/LauncherView.h"
#include "core/scheduler/SchedulePresenter.h"
#include "core/search/SearchPresenter.h"
#include "core/window/QuickButtonsPresenter.h"

#include <functional>

class ItemLauncher;
class LauncherPresenter;
struct Services;

// The four panels that slide in the main window's viewport, each a child
// window built from its form.

class AddPanel final : public FormWindow, public AddItemView {
public:
    AddPanel(HWND viewport, const RECT& place, const Scale& scale, LauncherPresenter& list, Services& services);
    AddItemPresenter& presenter() { return presenter_; }

    std::string pathText() const override;
    std::string nameText() const override;
    void setPathText(const std::string& text) override;
    void setNameText(const std::string& text) override;

private:
    void command(std::string_view id, int notification) override;
    AddItemPresenter presenter_;
};

class QuickPanel final : public FormWindow {
public:
    QuickPanel(HWND viewport, const RECT& place, const Scale& scale, Services& services);
    QuickButtonsPresenter& presenter() { return presenter_; }

    std::function<void()> onDialUp;  // 宽带连接
    std::function<void()> onLock;    // 锁屏

private:
    void command(std::string_view id, int notification) override;
    QuickButtonsPresenter presenter_;
};

class SearchPanel final : public FormWindow, public SearchView {
public:
    SearchPanel(HWND viewport, const RECT& place, const Scale& scale, LauncherPresenter& list, Services& services,
                std::size_t& findStart);
    std::string query() const override;

private:
    void command(std::string_view id, int notification) override;
    static LRESULT CALLBACK queryBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    SearchPresenter presenter_;
};

class TimerPanel final : public FormWindow, public ScheduleView {
public:
    TimerPanel(HWND viewport, const RECT& place, const Scale& scale, Services& services, ItemLauncher& launcher);
    SchedulePresenter& presenter() { return presenter_; }

    std::string boxText(TimeBox box) const override;
    void setBoxText(TimeBox box, const std::string& text) override;
    void setCurrentTime(const std::string& text) override;
    void setClockBoxesEnabled(bool enabled) override;
    void setCountdownBoxEnabled(bool enabled) override;
    void setProgramBoxEnabled(bool enabled) override;
    void setProgramText(const std::string& text) override;
    void showRunning(bool running) override;
    void setMinuteTimerRunning(bool running) override;

private:
    void command(std::string_view id, int notification) override;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    static LRESULT CALLBACK timeBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);
    SchedulePresenter presenter_;
    bool settingText_ = false;
};
