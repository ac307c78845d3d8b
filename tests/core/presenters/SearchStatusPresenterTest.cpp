#include "core/launcher/LauncherPresenter.h"
#include "core/launcher/LauncherView.h"
#include "core/search/SearchPresenter.h"
#include "core/status/StatusPresenter.h"
#include "core/window/TitleText.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Texts = std::vector<std::string>;

// The status lines, with how often each was set.
class StatusLines final : public StatusView {
public:
    void setDateLine(const std::string& text) override
    {
        date = text;
        ++dateSets;
    }
    void setAddress(const std::string& text) override { address = text; }
    void setUpTime(const std::string& text) override
    {
        upTime = text;
        ++upTimeSets;
    }

    std::string date;
    std::string address;
    std::string upTime;
    int dateSets = 0;
    int upTimeSets = 0;
};

class StatusPresenterTest : public ::testing::Test {
protected:
    TempFolder folder;
    FakeServices fakes{folder.path()};
    StatusLines lines;
    StatusPresenter status{lines, fakes.services};
};

TEST_F(StatusPresenterTest, TheLoadShowsDateAndAddressAndLeavesTheUpTimeToTheFirstTick)
{
    status.load(fakes.clock.now());
    EXPECT_EQ(lines.date, " 2026年12月6日 星期日 €16:49:53");
    EXPECT_EQ(lines.address, "IP地址:192.168.1.23");
    EXPECT_EQ(lines.upTime, "");

    status.tick(fakes.clock.now());
    EXPECT_EQ(lines.upTime, "系统正常模式已运行00:00:05");
}

TEST_F(StatusPresenterTest, EachTickRenewsTheClockAndTheUpTime)
{
    status.load(fakes.clock.now());
    fakes.clock.time = LocalTime::at(2026, 12, 12, 9, 5, 7);
    fakes.system.upTime = 36'000'000;
    fakes.system.mode = 2;
    status.tick(fakes.clock.now());
    EXPECT_EQ(lines.date, " 2026年12月12日 星期六 €09:05:07");
    EXPECT_EQ(lines.upTime, "系统网络安全模式已运行10:00:00");

    // A system that cannot tell its up-time leaves the last text standing.
    fakes.system.upTime.reset();
    fakes.clock.time.sinceMidnight += std::chrono::seconds(1);
    status.tick(fakes.clock.now());
    EXPECT_EQ(lines.upTime, "系统网络安全模式已运行10:00:00");
    EXPECT_EQ(lines.date, " 2026年12月12日 星期六 €09:05:08");
}

TEST_F(StatusPresenterTest, OnlyALineThatChangedGoesToTheView)
{
    status.load(fakes.clock.now());
    status.tick(fakes.clock.now());
    const int dateSets = lines.dateSets;
    const int upTimeSets = lines.upTimeSets;

    // Twice a second: every other tick finds the same second.
    status.tick(fakes.clock.now());
    EXPECT_EQ(lines.dateSets, dateSets);
    EXPECT_EQ(lines.upTimeSets, upTimeSets);

    fakes.clock.time.sinceMidnight += std::chrono::seconds(1);
    status.tick(fakes.clock.now());
    EXPECT_EQ(lines.dateSets, dateSets + 1);
    EXPECT_EQ(lines.upTimeSets, upTimeSets);  // the up-time did not move

    fakes.system.upTime = 6000;
    status.tick(fakes.clock.now());
    EXPECT_EQ(lines.dateSets, dateSets + 1);
    EXPECT_EQ(lines.upTimeSets, upTimeSets + 1);
    EXPECT_EQ(lines.upTime, "系统正常模式已运行00:00:06");
}

// The launcher list the search panel finds in.
class FoundInListView final : public LauncherView {
public:
    void showEntries(const Texts& shown) override { entries = shown; }
    void insertEntry(std::size_t at, const std::string& entry) override
    {
        entries.insert(entries.begin() + std::ptrdiff_t(at), entry);
    }
    void removeEntry(std::size_t at) override { entries.erase(entries.begin() + std::ptrdiff_t(at)); }
    void clearEntries() override { entries.clear(); }
    void selectEntry(std::size_t at) override { selected = at; }
    std::optional<std::size_t> selectedEntry() const override { return selected; }
    void showTip(const std::string&) override {}
    std::optional<std::string> popupMenu(const MenuSpec&) override { return std::nullopt; }

    std::string selectedText() const { return selected ? entries.at(*selected) : std::string("(none)"); }

    Texts entries;
    std::optional<std::size_t> selected;
};

class SearchBox final : public SearchView {
public:
    std::string query() const override { return text; }
    std::string text;
};

// One window: the list and the search panel over it.
struct SearchWindow {
    SearchWindow(Services& services, std::size_t& findStart)
        : list(listView, services)
        , search(box, list, services, findStart)
    {
        list.load();
    }
    FoundInListView listView;
    SearchBox box;
    LauncherPresenter list;
    SearchPresenter search;
};

class SearchPresenterTest : public ::testing::Test {
protected:
    SearchPresenterTest() { folder.writeProfile("[标题]\nCount=3\n000=● QQ\n001=● QQ音乐\n002=● 记事本\n"); }

    SearchWindow& window()
    {
        if (!window_)
            window_ = std::make_unique<SearchWindow>(fakes.services, findStart);
        return *window_;
    }
    // The window is hidden and made anew.
    void reopen()
    {
        window_.reset();
        window();
    }
    Texts messages() const
    {
        Texts texts;
        for (const auto& shown : fakes.messages.shown)
            texts.push_back(shown.title + "|" + shown.text);
        return texts;
    }

    TempFolder folder;
    FakeServices fakes{folder.path()};
    std::size_t findStart = 0;  // lives as long as the program, past any window

private:
    std::unique_ptr<SearchWindow> window_;
};

TEST_F(SearchPresenterTest, SearchOpensTheUrlOfTheChosenEngineAndRefusesOnlyAnEmptyQuery)
{
    window().search.search();
    EXPECT_EQ(messages(), Texts({applicationTitle() + "|请输入要搜索的内容！"}));
    EXPECT_TRUE(fakes.shell.urls.empty());

    window().box.text = "   ";
    window().search.search();
    window().search.chooseCategory(SearchCategory::Questions);
    window().box.text = "中文 a&b#c%";
    window().search.search();
    window().search.chooseEngine(SearchEngine::Google);
    window().search.search();
    EXPECT_EQ(fakes.shell.urls,
              Texts({"http://www.baidu.com/s?wd=   ",
                     "http://zhidao.baidu.com/q?word= 中文 a&b#c%&fr=search&ct=17&pn=0&tn=ikaslist&rn=30",
                     "http://www.google.cn/search?hl=zh-CN&q=中文 a&b#c%"}));
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(SearchPresenterTest, ABrowserThatCannotStartGoesUntold)
{
    fakes.shell.nextResult = Result::failure("no browser");
    window().box.text = "QQ";
    window().search.search();
    EXPECT_EQ(fakes.shell.urls.size(), 1u);
    EXPECT_TRUE(messages().empty());
}

TEST_F(SearchPresenterTest, FindStepsThroughTheListAndRemembersWhereAcrossAHide)
{
    window().box.text = "QQ";
    window().search.findInList();
    EXPECT_EQ(window().listView.selectedText(), "● QQ");

    reopen();  // hidden and shown again: the place is kept
    window().box.text = "QQ";
    window().search.findInList();
    EXPECT_EQ(window().listView.selectedText(), "● QQ音乐");
    EXPECT_EQ(findStart, 2u);

    window().search.findInList();
    EXPECT_EQ(messages(), Texts({"提示|查找完毕!"}));
    EXPECT_EQ(window().listView.selectedText(), "● QQ音乐");  // the selection stays
    EXPECT_EQ(findStart, 0u);

    window().search.findInList();
    EXPECT_EQ(window().listView.selectedText(), "● QQ");
}

}  // namespace
