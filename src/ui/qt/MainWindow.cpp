#include "MainWindow.h"

#include "AddPanel.h"
#include "Art.h"
#include "DialogFrame.h"
#include "FormBuilder.h"
#include "QuickPanel.h"
#include "SearchPanel.h"
#include "TimerPanel.h"
#include "core/launcher/LauncherForm.h"
#include "core/scheduler/TimerPanelForm.h"
#include "core/status/StatusAreaForm.h"
#include "core/window/MainFrameForm.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

MainWindow::MainWindow(Platform& platform, MainWindowState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , platform_(platform)
    , state_(state)
    , twips_(platform.screen.twipsPerPixelX())
    , list_(this, twips_, platform.services, platform.menus)
    , frame_(this, twips_, platform.services, platform.menus, state.panelIndex, state.dragOffset)
    , status_(frame_.viewport(), twips_, platform.services)
    , launcher_(platform.services)
{
    applyForm(this, main_frame_form::kForm, twips_);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(art::kFrameColor));
    setPalette(palette);
    setAutoFillBackground(true);
    setStyleSheet(art::mainWindowStyleSheet()
                  + colourRules({&launcher_form::kForm, &add_panel_form::kForm, &status_area_form::kForm,
                                 &timer_panel_form::kForm}));

    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(500);

    // The links between the window's parts.
    LauncherPresenter& list = list_.presenter();
    MainFramePresenter& frame = frame_.presenter();
    list.onCountChanged = [&frame](std::size_t count) { frame.showItemCount(count); };
    list.onCloseRequested = [&frame] { frame.hideChosen(); };
    list.onAddRequested = [&frame] { frame.showPanel(Panel::AddItem); };
    list.onEntryChosen = [this](const std::string& entry) {
        if (timerPanel_)
            timerPanel_->presenter().itemChosen(entry);
    };
    connect(&frame_, &WindowFrame::panelNeeded, this, &MainWindow::makePanel);
    connect(&frame_, &WindowFrame::closeRequested, this, &MainWindow::hideRequested);
    connect(clockTimer_, &QTimer::timeout, this, &MainWindow::clockTick);

    load();
}

MainWindow::~MainWindow() = default;

// The load step, run each time the window is made.
void MainWindow::load()
{
    list_.presenter().load();
    status_.presenter().load(platform_.services.clock.now());
    frame_.presenter().load();
    clockTimer_->start();

    centreOnScreen(this, platform_.screen.geometry());
}

void MainWindow::clockTick()
{
    const LocalTime now = platform_.services.clock.now();
    frame_.presenter().clockTick(now);
    status_.presenter().tick(now);
    if (timerPanel_)
        timerPanel_->presenter().showTime(now);
}

ScheduleAction MainWindow::scheduleAction() const
{
    return timerPanel_ ? timerPanel_->presenter().action() : ScheduleAction::Alarm;
}

void MainWindow::makePanel(Panel panel)
{
    switch (panel) {
    case Panel::AddItem: addPanel(); break;
    case Panel::QuickButtons: quickPanel(); break;
    case Panel::Search: searchPanel(); break;
    case Panel::Timer: timerPanel(); break;
    }
}

AddPanel& MainWindow::addPanel()
{
    if (!addPanel_) {
        addPanel_ = std::make_unique<AddPanel>(frame_.panelFrame(Panel::AddItem), twips_, list_.presenter(),
                                               platform_.services);
        addPanel_->presenter().onCancelled = [this] { frame_.presenter().putAwayAddPanel(); };
    }
    return *addPanel_;
}

QuickPanel& MainWindow::quickPanel()
{
    if (!quickPanel_) {
        quickPanel_ =
            std::make_unique<QuickPanel>(frame_.panelFrame(Panel::QuickButtons), twips_, platform_.services);
        // A power-off hides the window but keeps it loaded, so the clock and
        // the schedule run on and the tray shows it again as it was.
        quickPanel_->presenter().onHideWindow = [this] { hide(); };
        quickPanel_->presenter().onShowWindow = [this] {
            show();
            raise();
            activateWindow();
        };
        connect(quickPanel_->dialUpButton(), &QPushButton::clicked, this, &MainWindow::dialUpRequested);
        connect(quickPanel_->lockButton(), &QPushButton::clicked, this, &MainWindow::lockRequested);
    }
    return *quickPanel_;
}

SearchPanel& MainWindow::searchPanel()
{
    if (!searchPanel_) {
        searchPanel_ = std::make_unique<SearchPanel>(frame_.panelFrame(Panel::Search), twips_, list_.presenter(),
                                                     platform_.services, state_.findStart);
    }
    return *searchPanel_;
}

TimerPanel& MainWindow::timerPanel()
{
    if (!timerPanel_) {
        timerPanel_ = std::make_unique<TimerPanel>(frame_.panelFrame(Panel::Timer), twips_, platform_.services,
                                                   launcher_);
        timerPanel_->presenter().onDue = [this] { emit scheduleDue(); };
    }
    return *timerPanel_;
}

// A close from the window manager unloads the window, as 隐藏 does, so the
// tray can make it anew.
void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    frame_.presenter().hideChosen();
}
