#include "core/window/QuickButtonsPresenter.h"
#include "core/window/TitleText.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Box = MessageBoxes::Box;
using Texts = std::vector<std::string>;

class QuickButtonsTest : public ::testing::Test {
protected:
    QuickButtonsTest()
    {
        folder.writeProfile("[Main]\nCount=0\n");
        quick.onHideWindow = [this] {
            // The window is out of sight before the system is asked.
            steps.push_back(fakes.power.requests.empty() ? "hide" : "hide after the request");
        };
        quick.onShowWindow = [this] { steps.push_back("show"); };
    }

    static Box question(const std::string& text)
    {
        return {applicationTitle(), text, MessageBoxes::Icon::Exclamation, MessageBoxes::Buttons::OkCancel, 1};
    }

    TempFolder folder;
    FakeServices fakes{folder.path()};
    QuickButtonsPresenter quick{fakes.services};
    Texts steps;
};

// Each button of the panel that opens something, and what it asks for.
struct Opening {
    const char* button;
    void (QuickButtonsPresenter::*chosen)();
    std::optional<DesktopApps::Place> place;
    std::optional<DesktopApps::Tool> tool;
    const char* url;  // nullptr when no address goes to the browser
};

const Opening openings[] = {
    {"计算机", &QuickButtonsPresenter::computerChosen, DesktopApps::Place::Computer, {}, nullptr},
    {"控制面板", &QuickButtonsPresenter::controlPanelChosen, {}, DesktopApps::Tool::Settings, nullptr},
    {"Internet", &QuickButtonsPresenter::internetChosen, {}, {}, "http://www.baidu.com"},
    {"回收站", &QuickButtonsPresenter::recycleBinChosen, DesktopApps::Place::Trash, {}, nullptr},
    {"任务管理", &QuickButtonsPresenter::taskManagerChosen, {}, DesktopApps::Tool::SystemMonitor, nullptr},
};

TEST_F(QuickButtonsTest, EachButtonOpensItsPlaceOrToolAndAFailureIsToldWithoutEndingAnything)
{
    const std::string profile = folder.readBytes("Ombrel.ini");
    for (const Opening& o : openings) {
        SCOPED_TRACE(o.button);
        for (const bool fails : {false, true}) {
            fakes.desktopApps = {};
            fakes.shell.urls.clear();
            fakes.messages.shown.clear();
            const Result answer = fails ? Result::failure("找不到 x.desktop") : Result::success();
            fakes.desktopApps.nextResult = answer;
            fakes.shell.nextResult = answer;

            (quick.*o.chosen)();

            using Places = std::vector<DesktopApps::Place>;
            using Tools = std::vector<DesktopApps::Tool>;
            EXPECT_EQ(fakes.desktopApps.places, o.place ? Places{*o.place} : Places{});
            EXPECT_EQ(fakes.desktopApps.tools, o.tool ? Tools{*o.tool} : Tools{});
            EXPECT_EQ(fakes.shell.urls, o.url ? Texts{o.url} : Texts{});
            const std::vector<Box> told = fails ? std::vector<Box>{{"提示", "找不到 x.desktop"}} : std::vector<Box>{};
            EXPECT_EQ(fakes.messages.shown, told);
        }
    }
    EXPECT_TRUE(fakes.power.requests.empty());
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(fakes.process.exits, 0);
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), profile);
    EXPECT_EQ(folder.entries(), Texts({"Ombrel.ini"}));
}

// Cancel is the default button of both questions: Enter at once, or closing
// the box, changes nothing.
TEST_F(QuickButtonsTest, APowerQuestionAnsweredCancelDoesNothing)
{
    fakes.messages.nextAnswer = false;
    quick.powerOffChosen();
    quick.restartChosen();
    EXPECT_EQ(fakes.messages.shown, std::vector<Box>({question("确定关机吗？"), question("确定重启吗？")}));
    EXPECT_TRUE(fakes.power.requests.empty());
    EXPECT_TRUE(steps.empty());
}

TEST_F(QuickButtonsTest, PowerActionsConfirmedReachTheSystemAndAFailureIsTold)
{
    struct Row {
        const char* what;
        void (QuickButtonsPresenter::*chosen)();
        const char* question;
        PowerAction action;
        Result answer;
        Texts steps;  // what the main window went through
        std::vector<Box> told;
    };
    const Row rows[] = {
        {"power-off", &QuickButtonsPresenter::powerOffChosen, "确定关机吗？", PowerAction::PowerOff,
         Result::success(), {"hide"}, {}},
        {"power-off refused", &QuickButtonsPresenter::powerOffChosen, "确定关机吗？", PowerAction::PowerOff,
         Result::failure("Access denied"), {"hide", "show"}, {{"提示", "关机失败：Access denied"}}},
        {"restart", &QuickButtonsPresenter::restartChosen, "确定重启吗？", PowerAction::Reboot, Result::success(),
         {}, {}},
        {"restart refused", &QuickButtonsPresenter::restartChosen, "确定重启吗？", PowerAction::Reboot,
         Result::failure("Access denied"), {}, {{"提示", "重启失败：Access denied"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fakes.messages.shown.clear();
        fakes.messages.nextAnswer = true;
        fakes.power.requests.clear();
        fakes.power.nextResult = row.answer;
        steps.clear();

        (quick.*row.chosen)();

        std::vector<Box> shown = {question(row.question)};
        shown.insert(shown.end(), row.told.begin(), row.told.end());
        EXPECT_EQ(fakes.messages.shown, shown);
        EXPECT_EQ(fakes.power.requests, std::vector<PowerAction>({row.action}));
        EXPECT_EQ(steps, row.steps);
    }
}

}  // namespace
