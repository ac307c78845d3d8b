#pragma once

#include "FormWindow.h"
#include "Panels.h"
#include "core/launcher/ItemLauncher.h"
#include "core/launcher/LauncherPresenter.h"
#include "core/status/StatusPresenter.h"
#include "core/window/DragHandle.h"
#include "core/window/MainFramePresenter.h"
#include "core/window/MainWindowPresenter.h"

#include <array>
#include <memory>

struct Platform;

// The panels' viewport: a child window that clips the panels sliding in it
// and shows the status lines beneath them.
class Viewport final : public FormWindow {
public:
    Viewport(HWND parent, const RECT& place);
    Controls& lines() { return controls_; }
};

// The main window on Win32: a popup without a caption bar, built from the
// frame's and the list's forms, with the viewport, the status lines and the
// panels, each panel made the first time it slides in.
class MainWindow final : public FormWindow,
                         public MainWindowView,
                         public MainFrameView,
                         public LauncherView,
                         public StatusView {
public:
    MainWindow(Platform& platform, MainWindowState& state);
    ~MainWindow() override;

    MainWindowPresenter& presenter() { return presenter_; }

    // MainWindowView
    void hideKeepingLoaded() override;
    void showAgain() override;
    void setClockRunning(bool running) override;
    void centreOnScreen() override;
    // MainFrameView
    void setTitleStrip(const std::string& text) override;
    void setWindowTitle(const std::string& text) override;
    void setRolledUp(bool rolledUp) override;
    void setStarLit(bool lit) override;
    std::optional<std::string> popupMenu(const MenuSpec& menu) override;  // also the list's
    void preparePanel(Panel panel) override;
    void placePanels(const PanelDeck& deck) override;
    void close() override;
    // LauncherView
    void showEntries(const std::vector<std::string>& entries) override;
    void insertEntry(std::size_t at, const std::string& entry) override;
    void removeEntry(std::size_t at) override;
    void clearEntries() override;
    void selectEntry(std::size_t at) override;
    std::optional<std::size_t> selectedEntry() const override;
    void showTip(const std::string& tip) override;
    // StatusView
    void setDateLine(const std::string& text) override;
    void setAddress(const std::string& text) override;
    void setUpTime(const std::string& text) override;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(std::string_view id, int notification) override;
    void paintPicture(const DRAWITEMSTRUCT& item);
    void makeBackground();
    // Mouse messages of the title strip, the background, the star and the list.
    static LRESULT CALLBACK handleProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self);
    LRESULT handleMouse(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    RECT panelPlace(int top) const;
    // Lays the window out again for a new DPI in the rectangle Windows gives.
    void changeDpi(int dpi, const RECT& suggested);
    void drawEntry(const DRAWITEMSTRUCT& item);
    void fitEntryHeight();

    Platform& platform_;
    MainWindowState& state_;
    DragHandle drag_;
    Controls listControls_;
    std::unique_ptr<Viewport> viewport_;
    ItemLauncher launcher_;
    LauncherPresenter list_;
    MainFramePresenter frame_;
    StatusPresenter status_;
    MainWindowPresenter presenter_;
    std::unique_ptr<AddPanel> addPanel_;
    std::unique_ptr<QuickPanel> quickPanel_;
    std::unique_ptr<SearchPanel> searchPanel_;
    std::unique_ptr<TimerPanel> timerPanel_;
    std::array<HWND, PanelDeck::kPanelCount> panels_{};
    std::array<FormWindow*, PanelDeck::kPanelCount> panelWindows_{};
    std::array<int, PanelDeck::kPanelCount> panelTops_{};  // twips, as last placed
    HWND tip_ = nullptr;  // the tooltip over the list
    std::optional<std::size_t> entryUnderPointer_;
    bool starLit_ = false;
    HBITMAP background_ = nullptr;
};
