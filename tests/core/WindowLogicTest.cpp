#include "core/window/DragHandle.h"
#include "core/window/PanelDeck.h"
#include "core/window/ProfileLocation.h"
#include "core/window/TitleText.h"
#include "core/window/Twips.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

namespace {

TEST(TitleText, NamesTheProductAndCountsTheItems)
{
    EXPECT_EQ(titleText(12), "ゑVelkinゑ桌面菜单  (共12项）");
    EXPECT_EQ(titleText(0), "ゑVelkinゑ桌面菜单  (共0项）");
    const CodePage& codePage = *coreServices().codePage;
    EXPECT_EQ(trayTipText(12, codePage), titleText(12));
    EXPECT_LE(codePage.encode(trayTipText(32767, codePage)).size(), 63u);
}

TEST(Twips, MapsToPixelsRoundingHalvesToEven)
{
    const Twips at96 = Twips::forDpi(96);
    EXPECT_EQ(at96.perPixel(), 15);
    EXPECT_EQ(at96.toPixels(4575), 305);
    EXPECT_EQ(at96.toPixels(6630), 442);
    EXPECT_EQ(at96.toPixels(-2000), -133);

    const Twips at120 = Twips::forDpi(120);
    EXPECT_EQ(at120.toPixels(4575), 381);  // 381.25
    EXPECT_EQ(at120.toPixels(6630), 552);  // 552.5, the even neighbour
    EXPECT_EQ(at120.toPixels(6642), 554);  // 553.5
    EXPECT_EQ(Twips(10).toPixels(-25), -2);
    EXPECT_EQ(Twips(10).toPixels(-35), -4);
}

class PanelDeckTest : public ::testing::Test {
protected:
    short panelIndex = 0;
    PanelDeck deck{panelIndex};

    int ticksUntilStopped()
    {
        int ticks = 0;
        while (deck.timerEnabled() && ticks < 1000) {
            deck.tick();
            ++ticks;
        }
        return ticks;
    }
};

TEST_F(PanelDeckTest, APanelSlidesInByEightyTwipsAndStopsAtZero)
{
    EXPECT_FALSE(deck.timerEnabled());
    deck.showPanel(2);
    EXPECT_EQ(panelIndex, 2);
    EXPECT_EQ(deck.topmost(), 2);
    deck.tick();
    EXPECT_EQ(deck.top(2), -1920);
    EXPECT_EQ(ticksUntilStopped(), 25);  // 24 more steps, then the tick that stops
    EXPECT_EQ(deck.top(2), 0);
    for (int other : {0, 1, 3})
        EXPECT_EQ(deck.top(other), PanelDeck::kHiddenTop);
}

TEST_F(PanelDeckTest, OpeningAPanelAgainOrAnotherSendsEverythingBackFirst)
{
    deck.showPanel(1);
    ticksUntilStopped();
    deck.showPanel(1);
    EXPECT_EQ(deck.top(1), PanelDeck::kHiddenTop);
    deck.tick();
    deck.tick();
    deck.showPanel(3);
    EXPECT_EQ(deck.top(1), PanelDeck::kHiddenTop);
    EXPECT_EQ(deck.top(3), PanelDeck::kHiddenTop);
    EXPECT_EQ(ticksUntilStopped(), 26);
    EXPECT_EQ(deck.top(3), 0);
}

TEST_F(PanelDeckTest, HidingAllDuringASlideLetsThePanelComeDownAgain)
{
    deck.showPanel(0);
    for (int i = 0; i < 10; ++i)
        deck.tick();
    deck.hideAllPanels();
    EXPECT_TRUE(deck.timerEnabled());
    EXPECT_EQ(deck.top(0), PanelDeck::kHiddenTop);
    EXPECT_EQ(ticksUntilStopped(), 26);
    EXPECT_EQ(deck.top(0), 0);

    deck.hideAllPanels();
    EXPECT_FALSE(deck.timerEnabled());
    EXPECT_EQ(deck.top(0), PanelDeck::kHiddenTop);
}

TEST_F(PanelDeckTest, HidingOnePanelAtOnceLeavesTheTimerAlone)
{
    deck.showPanel(0);
    ticksUntilStopped();
    deck.hidePanelAtOnce(0);
    EXPECT_EQ(deck.top(0), PanelDeck::kHiddenTop);
    EXPECT_FALSE(deck.timerEnabled());
}

TEST_F(PanelDeckTest, ThePanelIndexOutlivesTheDeck)
{
    deck.showPanel(3);
    PanelDeck next(panelIndex);
    EXPECT_EQ(next.panelIndex(), 3);
    EXPECT_EQ(next.top(3), PanelDeck::kHiddenTop);
    EXPECT_FALSE(next.timerEnabled());
}

TEST(DragHandle, TheGrabbedPointStaysUnderThePointer)
{
    DragOffset offset;
    DragHandle title(offset);
    DragHandle background(offset);

    title.press(1, 10, 5);
    EXPECT_EQ(title.move(1, 30, 25, Point{100, 100}), (Point{120, 120}));
    // Both handles share the offset; a press on either replaces it.
    EXPECT_EQ(background.move(1, 10, 5, Point{200, 50}), (Point{200, 50}));
    background.press(1, 40, 60);
    EXPECT_EQ(title.move(1, 40, 61, Point{0, 0}), (Point{0, 1}));
    EXPECT_EQ(offset.x, 40);
    EXPECT_EQ(offset.y, 60);
}

TEST(DragHandle, OnlyTheLeftButtonAloneDrags)
{
    DragOffset offset;
    DragHandle handle(offset);
    handle.press(1, 10, 10);
    handle.press(2, 99, 99);  // a right press keeps the stored offset
    EXPECT_EQ(offset.x, 10);
    EXPECT_FALSE(handle.move(1 | 2, 50, 50, Point{0, 0}));
    EXPECT_FALSE(handle.move(2, 50, 50, Point{0, 0}));
    EXPECT_FALSE(handle.move(0, 50, 50, Point{0, 0}));
    // No bounds: the window may go off the screen.
    EXPECT_EQ(handle.move(1, -500, 10, Point{0, 0}), (Point{-510, 0}));
}

TEST(ProfileLocation, TheProfileBesideTheExecutableAlwaysWins)
{
    ProfileFolderFacts facts{"/usr/bin", false, false, "/home/u/.config/ombrel"};
    EXPECT_EQ(chooseProfileFolder(facts), "/home/u/.config/ombrel");
    facts.profileBesideExecutable = true;
    EXPECT_EQ(chooseProfileFolder(facts), "/usr/bin");
    facts = {"/home/u/apps/ombrel", false, true, "/home/u/.config/ombrel"};
    EXPECT_EQ(chooseProfileFolder(facts), "/home/u/apps/ombrel");
}

}  // namespace
