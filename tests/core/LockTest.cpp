#include "core/lock/LockPresenters.h"
#include "core/lock/LockRules.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <deque>
#include <utility>

namespace {

using Texts = std::vector<std::string>;
using Box = MessageBoxes::Box;

std::string describe(const PixelRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// A 3,800 x 2,800 twip box centred on the screen, each edge to the nearest
// pixel with halves to even.
TEST(LockRectangle, CentredBoxInPixels)
{
    const struct {
        double width, height, perPixelX, perPixelY, left, top;
        PixelRect expected;
    } cases[] = {
        {1280 * 15, 800 * 15, 15, 15, 0, 0, {513, 307, 767, 493}},
        {1920 * 15, 1080 * 15, 15, 15, 0, 0, {833, 447, 1087, 633}},
        {1280 * 15, 800 * 15, 15, 15, 15, 30, {514, 309, 768, 495}},  // a window off the origin
        // At 20 twips a pixel an odd pixel count puts every edge on a half.
        {1025 * 20, 769 * 20, 20, 20, 0, 0, {418, 314, 608, 454}},  // 417.5 314.5 607.5 454.5
        {1023 * 20, 767 * 20, 20, 20, 0, 0, {416, 314, 606, 454}},  // 416.5 313.5 606.5 453.5
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.expected));
        EXPECT_EQ(lockRectangle(c.width, c.height, c.perPixelX, c.perPixelY, c.left, c.top), c.expected);
    }
}

// The switching keys are swallowed going down and coming up; everything a
// password is typed with passes.
TEST(LockKeys, SwitchingKeysAreSwallowedOthersPass)
{
    constexpr std::uint32_t down = 0x100, up = 0x101, sysDown = 0x104, sysUp = 0x105, alt = kAltDownFlag;
    const struct {
        const char* name;
        std::uint32_t virtualKey;
        std::uint32_t flags;
        bool ctrl;
        bool swallowed;
    } keys[] = {
        {"Alt+Tab", 0x09, alt, false, true},
        {"Alt+Esc", 0x1B, alt, false, true},
        {"Ctrl+Esc", 0x1B, 0, true, true},
        {"Ctrl+Shift+Esc", 0x1B, 0, true, true},  // Shift is not looked at
        {"F4", 0x73, 0, false, true},
        {"Alt+F4", 0x73, alt, false, true},
        {"Ctrl+F4", 0x73, 0, true, true},
        {"LWin", 0x5B, 0, false, true},
        {"RWin", 0x5C, 0, false, true},
        {"Apps", 0x5D, 0, false, true},
        {"Tab", 0x09, 0, false, false},
        {"Ctrl+Tab", 0x09, 0, true, false},
        {"Esc", 0x1B, 0, false, false},
        {"A", 0x41, 0, false, false},
        {"Ctrl+A", 0x41, 0, true, false},
        {"Alt+A", 0x41, alt, false, false},
        {"7", 0x37, 0, false, false},
        {"Enter", 0x0D, 0, false, false},
        {"Backspace", 0x08, 0, false, false},
        {"F3", 0x72, alt, false, false},
    };
    for (const auto& k : keys) {
        for (const std::uint32_t message : {down, up, sysDown, sysUp}) {
            SCOPED_TRACE(std::string(k.name) + " message " + std::to_string(message));
            EXPECT_EQ(lockSwallowsKey(0, {message, k.virtualKey, k.flags}, k.ctrl), k.swallowed);
            // Only a hook code of 0 is examined, and only the four key messages.
            EXPECT_FALSE(lockSwallowsKey(3, {message, k.virtualKey, k.flags}, k.ctrl));
            EXPECT_FALSE(lockSwallowsKey(-1, {message, k.virtualKey, k.flags}, k.ctrl));
        }
        for (const std::uint32_t message : {0u, 0x102u, 0x103u, 0x106u, 0x200u}) {
            SCOPED_TRACE(std::string(k.name) + " message " + std::to_string(message));
            EXPECT_FALSE(lockSwallowsKey(0, {message, k.virtualKey, k.flags}, k.ctrl));
        }
    }
}

// Red, green, blue from the draws in that order, each ⌊r × 255⌋.
TEST(LockBanner, ColourFromThreeDraws)
{
    const struct {
        double r1, r2, r3;
        std::uint32_t rgb;
    } cases[] = {
        {0, 0, 0, 0x000000},
        {0.999, 0.999, 0.999, 0xFEFEFE},
        {0.999, 0, 0.5, 0xFE007F},
        {0.1, 0.5, 0.9, 0x197FE5},
        {1.0, -0.5, 0, 0xFE0000},  // a source out of its range still gives a colour in 0..254
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rgb);
        EXPECT_EQ(bannerColour(c.r1, c.r2, c.r3), c.rgb);
    }
}

class FakeSetupView final : public LockSetupView {
public:
    std::string password() const override { return first; }
    std::string repeatedPassword() const override { return second; }
    void clearPasswords() override
    {
        first.clear();
        second.clear();
        steps.push_back("clear");
    }
    void close() override { steps.push_back("close"); }

    std::string first;
    std::string second;
    Texts steps;
};

struct SetupFixture {
    TempFolder folder;
    FakeServices fakes{folder.path()};
    FakeSetupView view;
    LockSetupPresenter presenter{view, fakes.services};

    SetupFixture()
    {
        presenter.onLock = [this](const std::string& password) { view.steps.push_back("lock " + password); };
        presenter.onCancelled = [this] { view.steps.push_back("main window"); };
    }
};

TEST(LockSetup, OkChecksBothEntries)
{
    const struct {
        std::string first, second;
        Texts messages;
        Texts steps;
        std::string firstAfter, secondAfter;
    } cases[] = {
        {"", "", {"请填写完整!"}, {}, "", ""},
        {"abc", "", {"请填写完整!"}, {}, "abc", ""},
        {"", "abc", {"请填写完整!"}, {}, "", "abc"},
        {" ", " ", {}, {"lock  ", "close"}, " ", " "},  // a blank is a character
        {"Secret", "secret", {"两次填写的密码不相同!"}, {"clear"}, "", ""},
        {"abc", "abc ", {"两次填写的密码不相同!"}, {"clear"}, "", ""},
        {"挂机密码", "挂机密码", {}, {"lock 挂机密码", "close"}, "挂机密码", "挂机密码"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first + "|" + c.second);
        SetupFixture f;
        f.view.first = c.first;
        f.view.second = c.second;
        f.presenter.okClicked();
        EXPECT_EQ(f.fakes.messages.texts(), c.messages);
        for (const Box& box : f.fakes.messages.shown)
            EXPECT_EQ(box, (Box{"提示", box.text}));
        EXPECT_EQ(f.view.steps, c.steps);
        EXPECT_EQ(f.view.first, c.firstAfter);
        EXPECT_EQ(f.view.second, c.secondAfter);
    }
}

TEST(LockSetup, CancelClosesThenBringsTheMainWindowBack)
{
    SetupFixture f;
    f.view.first = f.view.second = "abc";
    f.presenter.cancelClicked();
    EXPECT_EQ(f.view.steps, (Texts{"close", "main window"}));
    EXPECT_TRUE(f.fakes.messages.shown.empty());
}

// Records every call in one list; the grabs answer as the test scripts them.
class FakeLockView final : public LockView {
public:
    Result confinePointer(const PixelRect& rect) override
    {
        steps.push_back("confine " + describe(rect));
        return confineResult;
    }
    void freePointer() override { steps.push_back("free pointer"); }
    Result holdKeyboard() override
    {
        steps.push_back("hold keyboard");
        return keyboardResult;
    }
    void releaseKeyboard() override { steps.push_back("release keyboard"); }
    void keepOnTop() override { steps.push_back("on top"); }
    void restoreWindow() override { steps.push_back("restore"); }
    void makeTranslucent(int alpha) override { steps.push_back("alpha " + std::to_string(alpha)); }
    Result blockTaskManager() override
    {
        steps.push_back("block task manager");
        return taskManagerResult;
    }
    double screenWidthTwips() const override { return 1280 * 15; }
    double screenHeightTwips() const override { return 800 * 15; }
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    std::string typedPassword() const override { return typed; }
    void showUnlockHighlighted(bool highlighted) override
    {
        steps.push_back(highlighted ? "highlight" : "plain");
    }
    void setUnlockEnabled(bool enabled) override { steps.push_back(enabled ? "enable" : "disable"); }
    void setMessage(const std::string& text) override { steps.push_back("message " + text); }
    void setBannerColour(std::uint32_t rgb) override { steps.push_back("colour " + std::to_string(rgb)); }
    void focusEntry() override { steps.push_back("focus"); }
    void setTickRunning(bool running) override { steps.push_back(running ? "tick on" : "tick off"); }
    void close() override { steps.push_back("close"); }

    Result confineResult;
    Result keyboardResult;
    Result taskManagerResult;
    std::string typed;
    Texts steps;
};

const Texts kLoadSteps = {"confine 513,307,767,493", "hold keyboard", "block task manager", "on top", "alpha 150",
                          "plain",  "disable", "tick on", "focus"};

struct LockFixture {
    TempFolder folder;
    FakeServices fakes{folder.path()};
    FakeLockView view;
    std::deque<double> draws;
    LockPresenter presenter{view, fakes.services, [this] {
                                const double r = draws.front();
                                draws.pop_front();
                                return r;
                            }};

    LockFixture()
    {
        presenter.onUnlocked = [this] { view.steps.push_back("main window"); };
    }
    Texts takeSteps() { return std::exchange(view.steps, {}); }
};

TEST(LockScreen, LoadTakesPointerAndKeyboardFirst)
{
    LockFixture f;
    f.view.taskManagerResult = Result::failure("held by another lock");  // the lock holds without it
    EXPECT_TRUE(f.presenter.load());
    EXPECT_EQ(f.view.steps, kLoadSteps);
    EXPECT_TRUE(f.fakes.messages.shown.empty());
}

// A lock that cannot hold gives back what it took and says why; the owner
// then shows the main window again.
TEST(LockScreen, LoadThatCannotHoldGivesEverythingBack)
{
    const struct {
        Result pointer, keyboard;
        Texts steps;
        std::string message;
    } cases[] = {
        {Result::failure("no pointer"), Result::success(), {"confine 513,307,767,493"}, "锁屏失败：no pointer"},
        {Result::success(),
         Result::failure("keyboard grabbed elsewhere"),
         {"confine 513,307,767,493", "hold keyboard", "free pointer"},
         "锁屏失败：keyboard grabbed elsewhere"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        LockFixture f;
        f.view.confineResult = c.pointer;
        f.view.keyboardResult = c.keyboard;
        f.presenter.setPassword("pw");
        EXPECT_FALSE(f.presenter.load());
        EXPECT_EQ(f.view.steps, c.steps);
        EXPECT_EQ(f.fakes.messages.shown, (std::vector<Box>{{"提示", c.message}}));
        // Nothing of the lock runs afterwards.
        f.view.typed = "pw";
        f.presenter.pointerOverUnlock();
        f.takeSteps();
        f.presenter.unlockClicked();
        f.presenter.tick();
        EXPECT_EQ(f.view.steps, Texts{});
    }
}

// A wrong check keeps the button disabled; the right password counts only
// after the pointer has left the button and come back.
TEST(LockScreen, WrongThenRightPasswordThenUnlock)
{
    LockFixture f;
    ASSERT_TRUE(f.presenter.load());
    f.presenter.setPassword("挂机 Pw");
    f.takeSteps();

    f.view.typed = "挂机 pw";
    f.presenter.pointerOverUnlock();
    EXPECT_EQ(f.takeSteps(), (Texts{"highlight", "message 密码错误！请正确输入您的密码。", "disable"}));
    f.presenter.unlockClicked();
    EXPECT_EQ(f.takeSteps(), Texts{});

    f.view.typed = "挂机 Pw ";
    f.presenter.pointerOverBackground();
    f.presenter.pointerOverUnlock();
    EXPECT_EQ(f.takeSteps(), (Texts{"plain", "highlight", "message 密码错误！请正确输入您的密码。", "disable"}));

    f.view.typed = "挂机 Pw";
    f.presenter.unlockClicked();  // typed, but not checked yet
    EXPECT_EQ(f.takeSteps(), Texts{});
    f.presenter.pointerOverBackground();
    EXPECT_EQ(f.takeSteps(), Texts{"plain"});  // the message stays
    f.presenter.pointerOverUnlock();
    EXPECT_EQ(f.takeSteps(), (Texts{"highlight", "message 密码正确！点击解锁即可。", "enable"}));

    f.presenter.unlockClicked();
    EXPECT_EQ(f.takeSteps(), (Texts{"tick off", "close", "main window", "free pointer", "release keyboard"}));
    f.presenter.unlockClicked();  // a second click finds the lock gone
    f.presenter.tick();           // and so does a late tick
    EXPECT_EQ(f.view.steps, Texts{});
    EXPECT_TRUE(f.fakes.messages.shown.empty());
}

// A second lock in the same run, with a new window and presenter or the same
// ones, goes exactly as the first.
TEST(LockScreen, SecondLockWorksTheSame)
{
    LockFixture f;
    for (const char* password : {"first", "second"}) {
        SCOPED_TRACE(password);
        ASSERT_TRUE(f.presenter.load());
        f.presenter.setPassword(password);
        EXPECT_EQ(f.takeSteps(), kLoadSteps);
        f.view.typed = password;
        f.presenter.pointerOverUnlock();
        f.presenter.unlockClicked();
        EXPECT_EQ(f.takeSteps(), (Texts{"highlight", "message 密码正确！点击解锁即可。", "enable", "tick off", "close",
                                        "main window", "free pointer", "release keyboard"}));
    }
    LockPresenter next{f.view, f.fakes.services, [] { return 0.0; }};
    ASSERT_TRUE(next.load());
    EXPECT_EQ(f.takeSteps(), kLoadSteps);
}

// Each tick: a colour from three draws in order, the window restored first
// (an unmapped window takes no grab), the focus back, both grabs again over
// the same rectangle. Grabs that fail leave the lock up and are asked for
// again; a hide or cover between ticks puts the hold back at once.
TEST(LockScreen, TickRestoresTheWindowAndRetriesFailedGrabs)
{
    LockFixture f;
    ASSERT_TRUE(f.presenter.load());
    f.presenter.setPassword("pw");
    f.takeSteps();
    f.draws = {0.1, 0.5, 0.9, 0.999, 0, 0.5};
    f.view.confineResult = Result::failure("no pointer");
    f.view.keyboardResult = Result::failure("no keyboard");
    f.presenter.tick();
    f.presenter.windowDisturbed();
    f.view.confineResult = f.view.keyboardResult = Result::success();
    f.presenter.tick();
    const Texts hold = {"restore", "focus", "confine 513,307,767,493", "hold keyboard"};
    Texts expected{"colour " + std::to_string(0x197FE5)};
    for (const Texts& part : {hold, hold, Texts{"colour " + std::to_string(0xFE007F)}, hold})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(f.takeSteps(), expected);
    EXPECT_TRUE(f.draws.empty());
    EXPECT_TRUE(f.fakes.messages.shown.empty());

    f.view.typed = "pw";  // still locked: the right password still unlocks
    f.presenter.pointerOverUnlock();
    f.presenter.unlockClicked();
    EXPECT_EQ(f.takeSteps(), (Texts{"highlight", "message 密码正确！点击解锁即可。", "enable", "tick off", "close",
                                    "main window", "free pointer", "release keyboard"}));
    f.presenter.windowDisturbed();  // the window's own hide at the unlock
    EXPECT_EQ(f.view.steps, Texts{});
}

}  // namespace
