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
    , presenter_(*this, platform.services, list_.presenter(), frame_.presenter(), status_.presenter())
{
    applyForm(this, main_frame_form::kForm, twips_);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(main_frame_form::kFrameColour));
    setPalette(palette);
    setAutoFillBackground(true);
    setStyleSheet(art::mainWindowStyleSheet()
                  + colourRules({&launcher_form::kForm, &add_panel_form::kForm, &status_area_form::kForm,
                                 &timer_panel_form::kForm}));

    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(500);
    connect(&frame_, &WindowFrame::panelNeeded, this, &MainWindow::makePanel);
    connect(&frame_, &WindowFrame::closeRequested, this, [this] {
        emit hideRequested();
        presenter_.hideRequested();
    });
    connect(clockTimer_, &QTimer::timeout, this, [this] { presenter_.clockTick(); });

    presenter_.load();
}

MainWindow::~MainWindow() = default;

void MainWindow::hideKeepingLoaded()
{
    hide();
}

void MainWindow::showAgain()
{
    if (isMinimized())
        showNormal();
    else if (!isVisible())
        show();
    raise();
    activateWindow();
}

void MainWindow::setClockRunning(bool running)
{
    if (running)
        clockTimer_->start();
    else
        clockTimer_->stop();
}

void MainWindow::centreOnScreen()
{
    ::centreOnScreen(this, platform_.screen.geometry());
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
        presenter_.addPanelMade(addPanel_->presenter());
    }
    return *addPanel_;
}

QuickPanel& MainWindow::quickPanel()
{
    if (!quickPanel_) {
        quickPanel_ =
            std::make_unique<QuickPanel>(frame_.panelFrame(Panel::QuickButtons), twips_, platform_.services);
        presenter_.quickPanelMade(quickPanel_->presenter());
        connect(quickPanel_->dialUpButton(), &QPushButton::clicked, this, [this] { presenter_.dialUpChosen(); });
        connect(quickPanel_->lockButton(), &QPushButton::clicked, this, [this] { presenter_.lockChosen(); });
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
        presenter_.timerPanelMade(timerPanel_->presenter());
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
