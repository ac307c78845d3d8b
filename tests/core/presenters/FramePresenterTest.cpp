#include "core/app/TrayHostPresenter.h"
#include "core/status/StatusText.h"
#include "core/window/MainFramePresenter.h"
#include "core/window/TitleText.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

using Texts = std::vector<std::string>;

// The frame on screen: records what it is told, and where the panels were
// last put.
class FrameView final : public MainFrameView {
public:
    void setTitleStrip(const std::string& text) override
    {
        titleStrip = text;
        ++titleStripSets;
    }
    void setWindowTitle(const std::string& text) override { windowTitle = text; }
    void setRolledUp(bool up) override { rolledUp = up; }
    void setStarLit(bool lit) override { starLit = lit; }
    std::optional<std::string> popupMenu(const MenuSpec& menu) override
    {
        ++optionsMenus;
        menusShown.push_back(std::string(menu.caption));
        return std::exchange(nextChoice, std::nullopt);
    }
    void preparePanel(Panel panel) override { steps.push_back("prepare " + std::to_string(int(panel))); }
    void placePanels(const PanelDeck& deck) override
    {
        for (int i = 0; i < PanelDeck::kPanelCount; ++i)
            tops[std::size_t(i)] = deck.top(i);
        topmost = deck.topmost();
        sliding = deck.timerEnabled();
        steps.push_back("place");
    }
    void close() override { ++closes; }

    std::string titleStrip;
    int titleStripSets = 0;
    std::string windowTitle;
    bool rolledUp = false;
    std::optional<bool> starLit;
    int optionsMenus = 0;
    Texts menusShown;
    std::optional<std::string> nextChoice;
    std::array<int, PanelDeck::kPanelCount> tops{};
    int topmost = -1;
    bool sliding = false;
    Texts steps;  // panels prepared and placed, in order
    int closes = 0;
};

class MainFramePresenterTest : public ::testing::Test {
protected:
    MainFramePresenterTest() { frame.load(); }

    // Runs the slide timer as the view would, while it runs.
    void slideToTheEnd()
    {
        for (int i = 0; i < 100 && view.sliding; ++i)
            frame.slideTick();
        ASSERT_FALSE(view.sliding);
    }
    void expectShownAlone(int panel)
    {
        for (int i = 0; i < PanelDeck::kPanelCount; ++i)
            EXPECT_EQ(view.tops[std::size_t(i)], i == panel ? 0 : PanelDeck::kHiddenTop) << "panel " << i;
    }
    void expectAllHidden() { expectShownAlone(-1); }

    TempFolder folder;
    FakeServices fakes{folder.path()};
    short panelIndex = 0;  // lives as long as the program, past any window
    FrameView view;
    MainFramePresenter frame{view, fakes.services, panelIndex};
};

TEST_F(MainFramePresenterTest, PanelsStartHiddenAndSlideInOneAtATime)
{
    EXPECT_EQ(view.steps, Texts({"place"}));
    expectAllHidden();
    EXPECT_FALSE(view.sliding);

    for (Panel panel : {Panel::AddItem, Panel::QuickButtons, Panel::Search, Panel::Timer, Panel::AddItem}) {
        const int k = int(panel);
        view.steps.clear();
        frame.showPanel(panel);
        // The panel's controls are made before it is placed and slides.
        EXPECT_EQ(view.steps, Texts({"prepare " + std::to_string(k), "place"}));
        EXPECT_TRUE(view.sliding);
        EXPECT_EQ(view.topmost, k);
        EXPECT_EQ(panelIndex, k);
        expectAllHidden();

        frame.slideTick();
        EXPECT_EQ(view.tops[std::size_t(k)], PanelDeck::kHiddenTop + PanelDeck::kStep);
        slideToTheEnd();
        expectShownAlone(k);
    }
}

TEST_F(MainFramePresenterTest, TheStarLightsUpAndOpensTheOptionsOrHidesThePanels)
{
    frame.pointerOverStar();
    EXPECT_EQ(view.starLit, true);
    frame.pointerOverBackground();
    EXPECT_EQ(view.starLit, false);

    view.nextChoice = "timer";
    frame.starPressed(1);
    EXPECT_EQ(view.menusShown, Texts{"选项"});
    EXPECT_NE(std::find(view.steps.begin(), view.steps.end(), "prepare 3"), view.steps.end());

    frame.showPanel(Panel::Timer);
    slideToTheEnd();
    frame.starPressed(4);  // the middle button does nothing
    expectShownAlone(3);
    EXPECT_EQ(view.optionsMenus, 1);

    frame.starPressed(2);
    expectAllHidden();
    EXPECT_FALSE(view.sliding);
    EXPECT_EQ(view.optionsMenus, 1);
}

TEST_F(MainFramePresenterTest, TheAddPanelIsPutAwayWithoutASlide)
{
    frame.showPanel(Panel::AddItem);
    slideToTheEnd();
    frame.putAwayAddPanel();
    expectAllHidden();
    EXPECT_FALSE(view.sliding);

    // During a slide the timer goes on and brings the panel down again.
    frame.showPanel(Panel::AddItem);
    frame.slideTick();
    frame.putAwayAddPanel();
    expectAllHidden();
    EXPECT_TRUE(view.sliding);
}

TEST_F(MainFramePresenterTest, ADoubleClickOnTheTitleRollsTheWindowUpAndBack)
{
    frame.showItemCount(3);
    EXPECT_EQ(view.titleStrip, titleText(3));
    EXPECT_EQ(view.windowTitle, titleText(3));

    frame.titleStripDoubleClicked();
    EXPECT_TRUE(frame.rolledUp());
    EXPECT_TRUE(view.rolledUp);
    // Rolled up, the strip shows the clock.
    EXPECT_EQ(view.titleStrip, dateLine(fakes.clock.now()));
    EXPECT_EQ(view.windowTitle, titleText(3));

    fakes.clock.time.sinceMidnight += std::chrono::seconds(1);
    frame.clockTick(fakes.clock.now());
    EXPECT_EQ(view.titleStrip, "2026年12月6日 星期日 €16:49:54");

    frame.titleStripDoubleClicked();
    EXPECT_FALSE(frame.rolledUp());
    EXPECT_FALSE(view.rolledUp);
    EXPECT_EQ(view.titleStrip, titleText(3));
    const int sets = view.titleStripSets;
    frame.clockTick(fakes.clock.now());
    EXPECT_EQ(view.titleStrip, titleText(3));
    EXPECT_EQ(view.titleStripSets, sets);
}

TEST_F(MainFramePresenterTest, TheRolledDownTitleCountsTheItemsAsTheyAreNow)
{
    frame.showItemCount(3);
    frame.titleStripDoubleClicked();
    frame.showItemCount(4);
    frame.titleStripDoubleClicked();
    EXPECT_EQ(view.titleStrip, titleText(4));
}

TEST_F(MainFramePresenterTest, AClickOnTheTitleRefreshesTheDesktop)
{
    frame.titleStripClicked();
    EXPECT_EQ(fakes.desktop.refreshes, 1);
    frame.titleStripClicked();
    EXPECT_EQ(fakes.desktop.refreshes, 2);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(MainFramePresenterTest, HideClosesTheWindowAndANewOneStartsHiddenAtTheSamePanel)
{
    frame.showPanel(Panel::Timer);
    frame.hideChosen();
    EXPECT_EQ(view.closes, 1);
    EXPECT_EQ(fakes.process.exits, 0);

    FrameView nextView;
    MainFramePresenter next{nextView, fakes.services, panelIndex};
    next.load();
    EXPECT_EQ(nextView.tops[3], PanelDeck::kHiddenTop);
    EXPECT_FALSE(nextView.sliding);
    EXPECT_EQ(panelIndex, 3);
}

TEST_F(MainFramePresenterTest, ExitEndsTheProcessAtOnce)
{
    frame.exitChosen();
    EXPECT_EQ(fakes.process.exits, 1);
    EXPECT_EQ(view.closes, 0);
}

// The tray host's side of the screen: the main window, whose list holds
// `loadedCount` items once it is shown, and the tray icon.
class TrayScreen final : public TrayHostView {
public:
    void showMainWindow() override
    {
        steps.push_back("show");
        count = loadedCount;
    }
    std::size_t listCount() const override { return count; }
    Result installTrayIcon(const std::string& tip) override
    {
        steps.push_back("install " + tip);
        return installResult;
    }
    std::optional<std::string> popupMenu(const MenuSpec& menu) override
    {
        steps.push_back("menu " + std::string(menu.caption));
        return std::exchange(nextChoice, std::nullopt);
    }
    void report(const std::string& problem) override { steps.push_back("report " + problem); }

    std::size_t loadedCount = 2;
    std::size_t count = 0;  // no window yet
    std::optional<std::string> nextChoice;
    Result installResult;
    Texts steps;
};

class TrayHostPresenterTest : public ::testing::Test {
protected:
    TempFolder folder;
    FakeServices fakes{folder.path()};
    TrayScreen screen;
    TrayHostPresenter host{screen, fakes.services};
};

TEST_F(TrayHostPresenterTest, StartShowsTheMainWindowThenInstallsTheIconWithTheCountAsLoaded)
{
    host.start();
    EXPECT_EQ(screen.steps, Texts({"show", "install " + titleText(2)}));
}

// A save cut short by a kill leaves its temporary file beside the profile;
// the next start clears such files and nothing else, and only as the sole
// copy: without the one-copy lock, the file may be another copy's save.
TEST_F(TrayHostPresenterTest, StartClearsWhatAnInterruptedSaveLeftBehind)
{
    folder.writeProfile("[标题]\nCount=0\n");
    folder.writeBytes("Ombrel.ini.bak", "kept");
    for (const bool soleCopy : {false, true}) {
        folder.writeBytes(".Ombrel.ini.ombrel-tmp-a1b2c3", "half a profile");
        host.start(soleCopy);
        EXPECT_EQ(folder.entries().size(), soleCopy ? 2u : 3u);
    }
    EXPECT_EQ(folder.entries(), Texts({"Ombrel.ini", "Ombrel.ini.bak"}));
}

TEST_F(TrayHostPresenterTest, TheTipKeepsTheCountFromStart)
{
    host.start();
    screen.count = 3;
    host.trayEvent(TrayEvent::Show);
    EXPECT_EQ(screen.steps, Texts({"show", "install " + titleText(2), "show"}));
}

TEST_F(TrayHostPresenterTest, AFailedInstallIsReportedAndTheWindowStays)
{
    screen.installResult = Result::failure("no tray");
    host.start();
    EXPECT_EQ(screen.steps, Texts({"show", "install " + titleText(2), "report tray icon: no tray"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(fakes.process.exits, 0);
}

TEST_F(TrayHostPresenterTest, TrayEventsAndTheTrayMenu)
{
    const struct {
        TrayEvent event;
        std::optional<std::string> choice;
        Texts steps;
        int exits;
    } events[] = {
        {TrayEvent::Show, std::nullopt, {"show"}, 0},
        {TrayEvent::MenuRequest, std::nullopt, {"menu 菜单"}, 0},
        {TrayEvent::MenuRequest, "show", {"menu 菜单", "show"}, 0},
        {TrayEvent::MenuRequest, "exit", {"menu 菜单"}, 1},
        {TrayEvent::Other, "show", {}, 0},
    };
    for (const auto& e : events) {
        screen.steps.clear();
        screen.nextChoice = e.choice;
        fakes.process.exits = 0;
        host.trayEvent(e.event);
        EXPECT_EQ(screen.steps, e.steps) << int(e.event);
        EXPECT_EQ(fakes.process.exits, e.exits);
    }
}

}  // namespace
