#include "MainFramePresenter.h"

#include "OptionsMenu.h"

#include "TitleText.h"
#include "core/services/Services.h"
#include "core/status/StatusText.h"

MainFramePresenter::MainFramePresenter(MainFrameView& view, Services& services, short& panelIndex)
    : view_(view)
    , services_(services)
    , deck_(panelIndex)
{
}

void MainFramePresenter::load()
{
    hideAllPanels();
}

void MainFramePresenter::placePanels()
{
    view_.placePanels(deck_);
}

void MainFramePresenter::showPanel(Panel panel)
{
    view_.preparePanel(panel);
    deck_.showPanel(int(panel));
    placePanels();
}

void MainFramePresenter::hideAllPanels()
{
    deck_.hideAllPanels();
    placePanels();
}

void MainFramePresenter::putAwayAddPanel()
{
    deck_.hidePanelAtOnce(int(Panel::AddItem));
    placePanels();
}

void MainFramePresenter::slideTick()
{
    deck_.tick();
    placePanels();
}

void MainFramePresenter::showItemCount(std::size_t count)
{
    itemCount_ = count;
    const std::string title = titleText(count);
    view_.setTitleStrip(title);
    view_.setWindowTitle(title);
}

// Rolled up, the title strip shows the clock.
void MainFramePresenter::clockTick(const LocalTime& now)
{
    if (rolledUp_)
        view_.setTitleStrip(dateLine(now));
}

void MainFramePresenter::titleStripClicked()
{
    // Nothing is shown when there is no desktop window to refresh.
    services_.desktop.refresh();
}

void MainFramePresenter::titleStripDoubleClicked()
{
    rolledUp_ = !rolledUp_;
    view_.setRolledUp(rolledUp_);
    view_.setTitleStrip(rolledUp_ ? dateLine(services_.clock.now()) : titleText(itemCount_));
}

void MainFramePresenter::pointerOverBackground()
{
    view_.setStarLit(false);
}

void MainFramePresenter::pointerOverStar()
{
    view_.setStarLit(true);
}

void MainFramePresenter::starPressed(int button)
{
    if (button == 1)
        optionChosen(view_.popupMenu(options_menu::kMenu));
    else if (button == 2)
        hideAllPanels();
}

void MainFramePresenter::optionChosen(const std::optional<std::string>& item)
{
    if (item == options_menu::kQuickButtons)
        showPanel(Panel::QuickButtons);
    else if (item == options_menu::kTimer)
        showPanel(Panel::Timer);
    else if (item == options_menu::kSearch)
        showPanel(Panel::Search);
}

void MainFramePresenter::hideChosen()
{
    view_.close();
}

void MainFramePresenter::exitChosen()
{
    services_.process.exitNow();
}
