#include "core/app/SessionPresenter.h"
#include "core/launcher/LauncherPresenter.h"
#include "core/lock/LockPresenters.h"
#include "core/status/StatusPresenter.h"
#include "core/window/MainFramePresenter.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Steps = std::vector<std::string>;

// Views that show nothing: the session's tests look at which windows live.
struct QuietList final : LauncherView {
    void showEntries(const std::vector<std::string>&) override {}
    void insertEntry(std::size_t, const std::string&) override {}
    void removeEntry(std::size_t) override {}
    void clearEntries() override {}
    void selectEntry(std::size_t) override {}
    std::optional<std::size_t> selectedEntry() const override { return std::nullopt; }
    void showTip(const std::string&) override {}
    std::optional<std::string> popupMenu(const MenuSpec&) override { return std::nullopt; }
};
struct QuietFrame final : MainFrameView {
    void setTitleStrip(const std::string&) override {}
    void setWindowTitle(const std::string&) override {}
    void setRolledUp(bool) override {}
    void setStarLit(bool) override {}
    std::optional<std::string> popupMenu(const MenuSpec&) override { return std::nullopt; }
    void preparePanel(Panel) override {}
    void placePanels(const PanelDeck&) override {}
    void close() override {}
};
struct QuietStatus final : StatusView {
    void setDateLine(const std::string&) override {}
    void setAddress(const std::string&) override {}
    void setUpTime(const std::string&) override {}
};
struct QuietSetup final : LockSetupView {
    std::string password() const override { return "pw"; }
    std::string repeatedPassword() const override { return "pw"; }
    void clearPasswords() override {}
    void close() override { closed(); }
    std::function<void()> closed;
};
struct QuietLock final : LockView {
    Result confinePointer(const PixelRect&) override { return refusal.empty() ? Result{} : Result::failure(refusal); }
    void freePointer() override {}
    Result holdKeyboard() override { return {}; }
    void releaseKeyboard() override {}
    void keepOnTop() override {}
    void restoreWindow() override {}
    void makeTranslucent(int) override {}
    Result blockTaskManager() override { return {}; }
    double screenWidthTwips() const override { return 19200; }
    double screenHeightTwips() const override { return 12000; }
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    std::string typedPassword() const override { return typed; }
    void showUnlockHighlighted(bool) override {}
    void setUnlockEnabled(bool) override {}
    void setMessage(const std::string&) override {}
    void setBannerColour(std::uint32_t) override {}
    void focusEntry() override {}
    void setTickRunning(bool) override {}
    void close() override { closed(); }
    std::function<void()> closed;
    std::string refusal;
    std::string typed;
};

// A main window made of the real presenters over quiet views.
struct Window final : MainWindowView {
    explicit Window(Services& services) : services(services) {}
    void hideKeepingLoaded() override {}
    void showAgain() override { ++shownAgain; }
    void setClockRunning(bool) override {}
    void centreOnScreen() override {}

    Services& services;
    QuietList listView;
    QuietFrame frameView;
    QuietStatus statusView;
    short panelIndex = 0;
    LauncherPresenter list{listView, services};
    MainFramePresenter frame{frameView, services, panelIndex};
    StatusPresenter status{statusView, services};
    MainWindowPresenter presenter{*this, services, list, frame, status};
    int shownAgain = 0;
};

// Records which window is made and destroyed, in order.
class Screens final : public SessionView {
public:
    explicit Screens(Services& services) : services_(services) {}

    MainWindowPresenter& makeMainWindow(MainWindowState&) override
    {
        steps.push_back("make main");
        window = std::make_unique<Window>(services_);
        window->presenter.load();
        return window->presenter;
    }
    void destroyMainWindow() override { steps.push_back("destroy main"); }
    void makeDueNotice(std::function<ScheduleAction()> action) override
    {
        steps.push_back("make notice");
        noticeAction = std::move(action);
    }
    void destroyDueNotice() override { steps.push_back("destroy notice"); }
    void makeDialUp() override { steps.push_back("make dial-up"); }
    void bringDialUpForward() override { steps.push_back("dial-up forward"); }
    void destroyDialUp() override { steps.push_back("destroy dial-up"); }
    LockSetupPresenter& makeLockSetup() override
    {
        steps.push_back("make set-up");
        setup = std::make_unique<LockSetupPresenter>(setupView, services_);
        return *setup;
    }
    void destroyLockSetup() override { steps.push_back("destroy set-up"); }
    LockPresenter& makeLock() override
    {
        steps.push_back("make lock");
        lock = std::make_unique<LockPresenter>(lockView, services_, [] { return 0.5; });
        return *lock;
    }
    void destroyLock() override { steps.push_back("destroy lock"); }

    Steps steps;
    std::unique_ptr<Window> window;
    std::function<ScheduleAction()> noticeAction;
    QuietSetup setupView;
    QuietLock lockView;
    std::unique_ptr<LockSetupPresenter> setup;
    std::unique_ptr<LockPresenter> lock;

private:
    Services& services_;
};

class SessionPresenterTest : public ::testing::Test {
protected:
    Steps after(const std::function<void()>& act)
    {
        screens.steps.clear();
        act();
        return screens.steps;
    }

    TempFolder folder;
    FakeServices fakes{folder.path()};
    Screens screens{fakes.services};
    SessionPresenter session{screens};
};

// The windows tell the session they closed, as the front ends' windows do.
void closingTells(Screens& screens, SessionPresenter& session)
{
    screens.setupView.closed = [&session] { session.lockSetupClosed(); };
    screens.lockView.closed = [&session] { session.lockClosed(); };
}

TEST_F(SessionPresenterTest, WhichWindowLivesWhen)
{
    // Shown from nothing, the main window is made; shown again while loaded,
    // it is brought back as it is; hidden, it is destroyed.
    EXPECT_EQ(after([&] { session.showMainWindow(); }), Steps({"make main"}));
    EXPECT_EQ(after([&] { session.showMainWindow(); }), Steps());
    EXPECT_EQ(screens.window->shownAgain, 1);
    EXPECT_EQ(after([&] { screens.window->presenter.hideRequested(); }), Steps({"destroy main"}));
    EXPECT_EQ(session.listCount(), 0u);

    // The notice is made afresh at each firing and outlives the main window;
    // without a window it rings the alarm.
    EXPECT_EQ(after([&] { session.scheduleDue(); }), Steps({"make notice"}));
    EXPECT_EQ(after([&] { session.scheduleDue(); }), Steps({"destroy notice", "make notice"}));
    EXPECT_EQ(screens.noticeAction(), ScheduleAction::Alarm);
    EXPECT_EQ(after([&] { session.dueNoticeClosed(); session.dueNoticeClosed(); }), Steps({"destroy notice"}));

    // There is one dial-up dialog; a second request brings it forward.
    EXPECT_EQ(after([&] { session.dialUpRequested(); }), Steps({"make dial-up", "dial-up forward"}));
    EXPECT_EQ(after([&] { session.dialUpRequested(); }), Steps({"dial-up forward"}));
    EXPECT_EQ(after([&] { session.showMainWindow(); session.hideMainWindow(); }),
              Steps({"make main", "destroy main"}));
    EXPECT_EQ(after([&] { session.dialUpClosed(); }), Steps({"destroy dial-up"}));
}

TEST_F(SessionPresenterTest, TheMainWindowComesBackAfterTheLock)
{
    const struct {
        const char* name;
        std::function<void(Screens&)> act;  // after the set-up is up
        Steps steps;
    } cases[] = {
        {"cancel", [](Screens& s) { s.setup->cancelClicked(); }, {"destroy set-up", "make main"}},
        {"a lock that cannot hold",
         [](Screens& s) {
             s.lockView.refusal = "grabbed";
             s.setup->okClicked();
         },
         {"destroy set-up", "make lock", "destroy lock", "make main"}},
        {"unlock",
         [](Screens& s) {
             s.setup->okClicked();
             s.lockView.typed = "pw";
             s.lock->pointerOverUnlock();
             s.lock->unlockClicked();
         },
         {"destroy set-up", "make lock", "destroy lock", "make main"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        screens.lockView.refusal.clear();
        screens.lockView.typed.clear();
        closingTells(screens, session);
        session.showMainWindow();
        // The set-up unloads the main window.
        EXPECT_EQ(after([&] { screens.window->presenter.lockChosen(); }), Steps({"make set-up", "destroy main"}));
        EXPECT_EQ(after([&] { c.act(screens); }), c.steps);
        EXPECT_TRUE(session.hasMainWindow());
        session.hideMainWindow();
    }
}

}  // namespace
