#include "core/launcher/AddItemPresenter.h"
#include "core/launcher/LauncherPresenter.h"
#include "core/launcher/LauncherView.h"
#include "core/window/TitleText.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

using Texts = std::vector<std::string>;

const std::string kNotepad = "/usr/bin/notepad";
const std::string kZip = "/opt/zip tools/zip";

std::string repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// The list on screen: applies what it is told to its own copy of the
// entries, so that the test sees what the user would see.
class LauncherListView final : public LauncherView {
public:
    void showEntries(const Texts& shown) override
    {
        entries = shown;
        selected.reset();
    }
    void insertEntry(std::size_t at, const std::string& entry) override
    {
        ASSERT_LE(at, entries.size());
        entries.insert(entries.begin() + std::ptrdiff_t(at), entry);
        if (selected && *selected >= at)
            ++*selected;
    }
    void removeEntry(std::size_t at) override
    {
        ASSERT_LT(at, entries.size());
        entries.erase(entries.begin() + std::ptrdiff_t(at));
        selected.reset();
    }
    void clearEntries() override
    {
        entries.clear();
        selected.reset();
    }
    void selectEntry(std::size_t at) override { selected = at; }
    std::optional<std::size_t> selectedEntry() const override { return selected; }
    void showTip(const std::string& tip) override { tips.push_back(tip); }
    std::optional<std::string> popupMenu(const MenuSpec&) override { return std::exchange(nextChoice, std::nullopt); }

    Texts entries;
    std::optional<std::size_t> selected;
    Texts tips;  // every tip shown, in order
    std::optional<std::string> nextChoice;  // what the next menu answers
};

class AddPanelView final : public AddItemView {
public:
    std::string pathText() const override { return path; }
    std::string nameText() const override { return name; }
    void setPathText(const std::string& text) override { path = text; }
    void setNameText(const std::string& text) override { name = text; }

    std::string path;
    std::string name;
};

class LauncherPresenterTest : public ::testing::Test {
protected:
    LauncherPresenterTest()
    {
        folder.writeProfile("[标题]\nCount=2\n000=● Notepad\n001=● Zip\n"
                            "[● Notepad]\nFilename=" + kNotepad + "\n[● Zip]\nFilename=" + kZip + "\n");
        fakes.files.existing = {kNotepad, kZip};
    }

    // The list as the window makes it: read from the profile at first use.
    LauncherPresenter& list()
    {
        if (!list_) {
            view = LauncherListView();
            list_ = std::make_unique<LauncherPresenter>(view, fakes.services);
            list_->onCountChanged = [this](std::size_t count) { counts.push_back(count); };
            list_->onCloseRequested = [this] { ++closeRequests; };
            list_->onEntryChosen = [this](const std::string& entry) { chosen.push_back(entry); };
            list_->load();
            addPanel_ = std::make_unique<AddItemPresenter>(addView, *list_, fakes.services);
            addPanel_->onCancelled = [this] { ++cancels; };
        }
        return *list_;
    }
    AddItemPresenter& addPanel()
    {
        list();
        return *addPanel_;
    }
    void reopen()
    {
        addPanel_.reset();
        list_.reset();
        list();
    }

    // The entries on screen, which must be the presenter's too.
    Texts entries()
    {
        EXPECT_EQ(view.entries, list().entries());
        return view.entries;
    }
    void select(const std::string& text)
    {
        list();
        const auto found = std::find(view.entries.begin(), view.entries.end(), text);
        ASSERT_NE(found, view.entries.end()) << text;
        view.selected = std::size_t(found - view.entries.begin());
    }
    void add(const std::string& path, const std::string& name)
    {
        addView.path = path;
        addView.name = name;
        addPanel().confirm();
    }
    // Notices and questions as "title|text".
    Texts messages() const
    {
        Texts texts;
        for (const auto& shown : fakes.messages.shown)
            texts.push_back(shown.title + "|" + shown.text);
        return texts;
    }
    std::string profileText() const { return coreServices().codePage->decode(folder.readBytes("Ombrel.ini")); }
    std::string value(const std::string& section, const std::string& key) const
    {
        return readProfileValue(fakes.profileAccess(), section, key, folder.profile());
    }
    // The profile's path for the file system; paths are UTF-8 text.
    std::filesystem::path profileOnDisk() const
    {
        const std::string path = folder.profile();
        return std::filesystem::path(std::u8string(path.begin(), path.end()));
    }
    void makeProfileReadOnly() const
    {
        std::filesystem::permissions(profileOnDisk(), std::filesystem::perms::owner_read,
                                     std::filesystem::perm_options::replace);
    }

    TempFolder folder;
    FakeServices fakes{folder.path()};
    LauncherListView view;
    AddPanelView addView;
    std::vector<std::size_t> counts;  // every count the title was given
    int closeRequests = 0;
    int cancels = 0;
    Texts chosen;

private:
    std::unique_ptr<LauncherPresenter> list_;
    std::unique_ptr<AddItemPresenter> addPanel_;
};

TEST_F(LauncherPresenterTest, AddPutsTheItemInItsSortedPlaceAndRewritesTheIndex)
{
    list();
    EXPECT_EQ(counts, (std::vector<std::size_t>{2}));
    add("/usr/bin/paint", "Paint");

    EXPECT_EQ(entries(), Texts({"● Notepad", "● Paint", "● Zip"}));
    EXPECT_EQ(profileText(), "[标题]\r\nCount=3\r\n000=● Notepad\r\n001=● Paint\r\n002=● Zip\r\n"
                             "[● Notepad]\r\nFilename=" + kNotepad + "\r\n[● Zip]\r\nFilename=" + kZip + "\r\n"
                             "[● Paint]\r\nFilename=/usr/bin/paint\r\n");
    EXPECT_EQ(counts.back(), 3u);
    // The boxes are emptied and the panel stays for the next item.
    EXPECT_EQ(addView.path, "");
    EXPECT_EQ(addView.name, "");
    EXPECT_EQ(cancels, 0);
    EXPECT_TRUE(messages().empty());

    reopen();
    EXPECT_EQ(entries(), Texts({"● Notepad", "● Paint", "● Zip"}));
}

TEST_F(LauncherPresenterTest, ChineseNamesSortByPinyinAfterLatinAndSurviveAReload)
{
    add("/usr/bin/gedit", "记事本");
    add("/usr/bin/kolourpaint", "画图");
    add("/usr/bin/z", "zip");  // equal to "Zip" but for case: after it
    const Texts expected{"● Notepad", "● Zip", "● zip", "● 画图", "● 记事本"};
    EXPECT_EQ(entries(), expected);
    reopen();
    EXPECT_EQ(entries(), expected);
}

TEST_F(LauncherPresenterTest, TheLoadSortsAListThatWasWrittenOutOfOrder)
{
    folder.writeProfile("[标题]\nCount=4\n000=● 记事本\n001=● b\n002=● 画图\n003=● A\n");
    EXPECT_EQ(entries(), Texts({"● A", "● b", "● 画图", "● 记事本"}));
    EXPECT_EQ(counts, (std::vector<std::size_t>{4}));
}

TEST_F(LauncherPresenterTest, EmptyOrUnstorableInputIsRefusedAndNothingIsWritten)
{
    const struct {
        std::string path;
        std::string name;
        std::string notice;
    } cases[] = {
        {"", "x", "提示|路径不能为空！！！"},
        {"/usr/bin/x", "", "提示|名称不能为空！！！"},
        {"/usr/bin/x", "two\nlines", "提示|名称不能含有换行符！！！"},
        {"/usr/bin/x", repeated("画", 5000), "提示|名称太长，无法保存！！！"},
    };
    const std::string before = folder.readBytes("Ombrel.ini");
    for (const auto& c : cases) {
        fakes.messages.shown.clear();
        add(c.path, c.name);
        EXPECT_EQ(messages(), Texts({c.notice})) << c.notice;
        // Refused input stays in the boxes so it can be mended.
        EXPECT_EQ(addView.path, c.path);
        EXPECT_EQ(addView.name, c.name);
    }
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
    EXPECT_EQ(entries(), Texts({"● Notepad", "● Zip"}));
    EXPECT_EQ(counts.back(), 2u);
}

TEST_F(LauncherPresenterTest, BrowseFillsThePathAndTheFileNameAndACancelledDialogChangesNothing)
{
    addView.path = "kept";
    addPanel().browse();  // cancelled
    EXPECT_EQ(addView.path, "kept");

    fakes.fileDialogs.nextChoice = "/opt/odd\nname/tool";
    fakes.files.existing.push_back("/opt/odd\nname/tool");
    addPanel().browse();
    EXPECT_EQ(addView.path, "/opt/odd\nname/tool");
    EXPECT_EQ(addView.name, "tool");
    addPanel().confirm();
    EXPECT_EQ(messages(), Texts({"提示|路径不能含有换行符！！！"}));
    EXPECT_EQ(fakes.fileDialogs.shown, 2);
}

TEST_F(LauncherPresenterTest, CancelEmptiesTheBoxesAndPutsThePanelAway)
{
    addView.path = "/usr/bin/gedit";
    addView.name = "gedit";
    addPanel().cancel();
    EXPECT_EQ(addView.path, "");
    EXPECT_EQ(addView.name, "");
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(entries(), Texts({"● Notepad", "● Zip"}));
}

TEST_F(LauncherPresenterTest, NamesWithIniSyntaxBlanksAndCharactersOutsideGbkRoundTrip)
{
    const std::string name = " [a]=b;c#\"d\" 😀 ";
    const std::string path = " /tmp/x [y]=z;#\"😀\" ";
    fakes.files.existing.push_back(path);
    add(path, name);
    reopen();
    select("● " + name);
    list().startSelected();
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    EXPECT_EQ(fakes.links.saved[0].fields.target, path);
    EXPECT_EQ(fakes.links.saved[0].fields.name, name);
}

TEST_F(LauncherPresenterTest, DeleteAsksAndRewritesTheIndexButKeepsTheItemSection)
{
    list().deleteSelected();
    EXPECT_EQ(messages(), Texts({"提示|请选择要删除的项目!"}));

    select("● Zip");
    fakes.messages.nextAnswer = false;
    const std::string before = folder.readBytes("Ombrel.ini");
    list().deleteSelected();
    EXPECT_EQ(messages().back(), applicationTitle() + "|确定删除吗？");
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
    EXPECT_EQ(entries(), Texts({"● Notepad", "● Zip"}));

    fakes.messages.nextAnswer = true;
    list().deleteSelected();
    EXPECT_EQ(messages().back(), applicationTitle() + "|确定删除吗？");
    EXPECT_EQ(entries(), Texts({"● Notepad"}));
    // The old last key and the item's section stay.
    EXPECT_EQ(profileText(), "[标题]\r\nCount=1\r\n000=● Notepad\r\n001=● Zip\r\n"
                             "[● Notepad]\r\nFilename=" + kNotepad + "\r\n[● Zip]\r\nFilename=" + kZip + "\r\n");
    EXPECT_EQ(counts.back(), 1u);

    // A notice has OK alone and no icon; the question has the exclamation
    // icon, OK and Cancel, Cancel being the default.
    using Box = MessageBoxes;
    EXPECT_EQ(fakes.messages.shown.front().icon, Box::Icon::None);
    EXPECT_EQ(fakes.messages.shown.front().buttons, Box::Buttons::Ok);
    EXPECT_EQ(fakes.messages.shown.back().icon, Box::Icon::Exclamation);
    EXPECT_EQ(fakes.messages.shown.back().buttons, Box::Buttons::OkCancel);
    EXPECT_EQ(fakes.messages.shown.back().defaultButton, 1);
}

TEST_F(LauncherPresenterTest, AnEmptyEntryCannotBeDeletedAloneButAClearRemovesIt)
{
    folder.writeProfile("[标题]\nCount=2\n000=● a\n");
    ASSERT_EQ(entries(), Texts({"", "● a"}));
    view.selected = 0;
    list().deleteSelected();
    EXPECT_EQ(messages(), Texts({"提示|请选择要删除的项目!"}));

    fakes.messages.nextAnswer = true;
    list().clearAll();
    EXPECT_EQ(messages().back(), applicationTitle() + "|确定全部删除吗？");
    EXPECT_EQ(entries(), Texts());
    EXPECT_EQ(value("标题", "Count"), "0");
    EXPECT_EQ(value("标题", "000"), "● a");
    EXPECT_EQ(counts.back(), 0u);
}

TEST_F(LauncherPresenterTest, AClearThatIsNotConfirmedKeepsEverything)
{
    const std::string before = folder.readBytes("Ombrel.ini");
    fakes.messages.nextAnswer = false;
    list().clearAll();
    EXPECT_EQ(messages(), Texts({applicationTitle() + "|确定全部删除吗？"}));
    EXPECT_EQ(entries(), Texts({"● Notepad", "● Zip"}));
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
}

TEST_F(LauncherPresenterTest, ClearOnAnEmptyListAsksNothingAndWritesNothing)
{
    std::filesystem::remove(profileOnDisk());
    list().clearAll();
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(std::filesystem::exists(profileOnDisk()));
    EXPECT_EQ(counts.back(), 0u);
}

TEST_F(LauncherPresenterTest, AFailedSaveIsToldOnceWithTheFileAndTheListKeepsWhatTheFileHolds)
{
    list();
    makeProfileReadOnly();
    const std::string before = folder.readBytes("Ombrel.ini");
    add("/usr/bin/paint", "Paint");
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].title, "提示");
    EXPECT_NE(fakes.messages.shown[0].text.find(folder.profile()), std::string::npos);
    EXPECT_NE(fakes.messages.shown[0].text.find("只读"), std::string::npos);

    select("● Zip");
    fakes.messages.nextAnswer = true;
    list().deleteSelected();
    list().clearAll();
    // A notice after each command, and the two questions.
    EXPECT_EQ(fakes.messages.shown.size(), 5u);
    EXPECT_EQ(entries(), Texts({"● Notepad", "● Zip"}));
    EXPECT_EQ(counts.back(), 2u);
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
    // The add panel keeps what was typed, to try again.
    EXPECT_EQ(addView.name, "Paint");
}

TEST_F(LauncherPresenterTest, StartWritesTheLaunchShortcutAndHandsItToTheShell)
{
    list().startSelected();
    EXPECT_EQ(messages(), Texts({"提示|请选择要启动的项目!"}));

    select("● Zip");
    list().startSelected();
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    const auto& saved = fakes.links.saved[0];
    EXPECT_EQ(saved.file, folder.path() + "/Ombrel.desktop");
    EXPECT_EQ(saved.fields.target, kZip);
    EXPECT_EQ(saved.fields.workingDirectory, "/opt/zip tools/");
    EXPECT_EQ(saved.fields.hotkey, "ALT+CTRL+R");
    EXPECT_EQ(saved.fields.name, "Zip");
    EXPECT_EQ(fakes.shell.opened, Texts({saved.file}));
    EXPECT_EQ(closeRequests, 0);  // the start button leaves the window open
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(LauncherPresenterTest, ADoubleClickClosesTheWindowOnlyWhenTheStartGotThrough)
{
    list().startSelectedAndClose();
    EXPECT_EQ(messages(), Texts({"提示|请选择要启动的项目!"}));
    EXPECT_EQ(closeRequests, 0);
    fakes.messages.shown.clear();

    view.selected = 0;
    fakes.shell.nextResult = Result::failure("no handler");
    list().startSelectedAndClose();
    EXPECT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_EQ(closeRequests, 0);
    EXPECT_TRUE(messages().empty());  // a failed start ends quietly

    fakes.shell.nextResult = Result::success();
    fakes.links.nextResult = Result::failure("disk full");
    list().startSelectedAndClose();
    EXPECT_EQ(fakes.shell.opened.size(), 1u);  // no shortcut, nothing to open
    EXPECT_EQ(closeRequests, 0);
    EXPECT_TRUE(messages().empty());

    fakes.links.nextResult = Result::success();
    fakes.files.existing = {kZip};
    list().startSelectedAndClose();
    EXPECT_EQ(messages(), Texts({"提示|设置有误，启动失败！！！"}));
    EXPECT_EQ(closeRequests, 0);
    EXPECT_EQ(fakes.links.saved.size(), 1u);  // the shortcut keeps the previous target

    fakes.files.existing.push_back(kNotepad);
    list().startSelectedAndClose();
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(fakes.shell.opened.size(), 2u);
}

TEST_F(LauncherPresenterTest, FileFolderOpensTheTargetsFolderOrSaysWhy)
{
    list().openSelectedFolder();
    select("● Zip");
    list().openSelectedFolder();
    EXPECT_EQ(fakes.shell.folders, Texts({"/opt/zip tools/"}));

    fakes.shell.nextResult = Result::failure("没有文件管理器");
    list().openSelectedFolder();
    fakes.files.existing.clear();
    list().openSelectedFolder();
    EXPECT_EQ(messages(), Texts({"提示|请选择打开目录的项目!", "提示|无法打开文件目录：没有文件管理器",
                                 "提示|此文件已不存在!"}));
    EXPECT_EQ(fakes.shell.folders.size(), 2u);
}

TEST_F(LauncherPresenterTest, ShortcutsArePlacedUnderTheItemsNameInTheChosenFolder)
{
    list().placeShortcut(Place::Desktop);
    EXPECT_EQ(messages(), Texts({"提示|请选择要创建的项目!"}));

    add("/usr/bin/gedit", "● 记事本");
    fakes.files.existing.push_back("/usr/bin/gedit");
    select("● ● 记事本");
    for (Place place : {Place::Desktop, Place::StartMenu, Place::QuickLaunch})
        list().placeShortcut(place);
    ASSERT_EQ(fakes.links.saved.size(), 3u);
    EXPECT_EQ(fakes.links.saved[0].file, "/home/u/桌面/记事本.desktop");
    EXPECT_EQ(fakes.links.saved[1].file, "/home/u/.local/share/applications/记事本.desktop");
    // A start menu outside the Windows layout is the quick-launch folder too.
    EXPECT_EQ(fakes.links.saved[2].file, fakes.links.saved[1].file);
    EXPECT_EQ(fakes.links.saved[0].fields.name, "记事本");
    EXPECT_EQ(fakes.links.saved[0].fields.target, "/usr/bin/gedit");
    EXPECT_EQ(fakes.links.saved[0].fields.workingDirectory, "/usr/bin/");
    EXPECT_EQ(fakes.links.saved[0].fields.hotkey, "");

    fakes.links.nextResult = Result::failure("disk full");
    list().placeShortcut(Place::Desktop);
    fakes.files.existing.clear();
    list().placeShortcut(Place::Desktop);
    EXPECT_EQ(messages().size(), 2u);  // the failed save says nothing
    EXPECT_EQ(messages().back(), "提示|此文件已不存在，创建失败！！！");
}

// The shortcut's file is named after the item: a name that would put it
// outside the chosen folder (an autostart entry, say) writes nothing.
TEST_F(LauncherPresenterTest, AShortcutNeverLeavesItsFolder)
{
    fakes.files.existing.push_back("/usr/bin/gedit");
    for (const char* name : {"../../.config/autostart/x", "a/b", "..", ".", ".hidden"}) {
        SCOPED_TRACE(name);
        add("/usr/bin/gedit", name);
        select("● " + std::string(name));
        list().placeShortcut(Place::Desktop);
    }
    EXPECT_TRUE(fakes.links.saved.empty());
    add("/usr/bin/gedit", "a.b");
    select("● a.b");
    list().placeShortcut(Place::Desktop);
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    EXPECT_EQ(fakes.links.saved[0].file, "/home/u/桌面/a.b.desktop");
}

TEST_F(LauncherPresenterTest, ThePointerShowsThePathOfTheEntryUnderIt)
{
    list().pointerOver(1);
    EXPECT_EQ(view.tips, Texts({"路径:" + kZip}));
    list().pointerOver(1);  // moves within the same entry
    EXPECT_EQ(view.tips.size(), 1u);

    list().pointerOver(std::nullopt);  // below the last entry
    EXPECT_EQ(view.tips.back(), "");
    list().pointerOver(7);
    EXPECT_EQ(view.tips.back(), "");

    list().pointerOver(1);
    add("/usr/bin/paint", "Paint");  // moves Zip down under the pointer
    list().pointerOver(1);
    EXPECT_EQ(view.tips.back(), "路径:/usr/bin/paint");
}

TEST_F(LauncherPresenterTest, AChosenEntryIsNamedToTheRestOfTheWindow)
{
    list().entryChosen();  // nothing selected
    select("● Zip");
    list().entryChosen();
    EXPECT_EQ(chosen, Texts({"● Zip"}));

    folder.writeProfile("[标题]\nCount=2\n000=● a\n");
    reopen();
    view.selected = 0;  // the empty entry names the empty program, so the
    list().entryChosen();  // one chosen before is not kept
    EXPECT_EQ(chosen, Texts({"● Zip", ""}));
    EXPECT_TRUE(messages().empty());
}

// A profile whose reads fail part way (the first `failures` of them, or all):
// the store gives what it read before the error. Writes go to the real
// file, so that a wrongful save shows.
class BrokenReads final : public FileStore {
public:
    FileBytes read(const std::string& path) const override
    {
        FileBytes got = coreServices().files->read(path);
        if (failures == 0)
            return got;
        if (failures > 0)
            --failures;
        return {true, got.bytes.substr(0, got.bytes.size() / 2), "输入/输出错误"};
    }
    Replacement replace(const std::string& path, std::string_view bytes, FileReaders readers) override
    {
        return coreServices().files->replace(path, bytes, readers);
    }
    void removeLeftovers(const std::string&) override {}

    mutable int failures = -1;
};

TEST_F(LauncherPresenterTest, AProfileThatCannotBeReadIsToldOnceAndNeverOverwritten)
{
    BrokenReads store;
    const Services& f = fakes.services;
    Services services{f.appFolder, f.desktop, f.messages, f.process, f.files, f.fileDialogs, f.shell, f.links,
                      f.clock, f.system, f.power, f.sound, f.codePage, f.collation, store, f.remoteAccess,
                      f.busyPointer, f.desktopApps};
    const std::string before = folder.readBytes("Ombrel.ini");

    LauncherPresenter broken(view, services);
    broken.onCountChanged = [this](std::size_t count) { counts.push_back(count); };
    broken.load();
    EXPECT_EQ(messages(), Texts({"提示|无法读取设置文件 " + folder.profile() + "\n原因：输入/输出错误"}));
    EXPECT_EQ(view.entries, Texts());
    EXPECT_EQ(counts, (std::vector<std::size_t>{0}));

    // The empty list is not saved over the file by the next command.
    AddItemPresenter panel(addView, broken, services);
    addView.path = "/usr/bin/paint";
    addView.name = "Paint";
    panel.confirm();
    view.selected = 0;
    fakes.messages.nextAnswer = true;
    broken.clearAll();
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
    EXPECT_EQ(view.entries, Texts());
    ASSERT_GE(fakes.messages.shown.size(), 2u);
    EXPECT_NE(fakes.messages.shown[1].text.find("输入/输出错误"), std::string::npos);
}

// A read that fails at load and then succeeds (a network folder back, a disk
// awake): the next edit works on the list the file holds, never on the empty
// one shown, and is refused while the file still cannot be read.
TEST_F(LauncherPresenterTest, AnEditAfterAFailedLoadWorksOnTheListReadAgain)
{
    const struct {
        const char* name;
        int failures;  // reads that fail: the load's, then the edit's
        std::function<void(LauncherPresenter&, AddItemPresenter&)> edit;
        Texts shown;
        const char* indexAfter;  // "" when the file must be as it was
    } cases[] = {
        {"add", 1, [](LauncherPresenter&, AddItemPresenter& panel) { panel.confirm(); },
         {"● Notepad", "● Paint", "● Zip"}, "Count=3"},
        {"add while still unreadable", 2, [](LauncherPresenter&, AddItemPresenter& panel) { panel.confirm(); }, {}, ""},
        {"delete, nothing chosen in the list read again", 1, [](LauncherPresenter& p, AddItemPresenter&) { p.deleteSelected(); },
         {"● Notepad", "● Zip"}, ""},
        {"clear", 1, [](LauncherPresenter& p, AddItemPresenter&) { p.clearAll(); }, {}, "Count=0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.writeProfile("[标题]\nCount=2\n000=● Notepad\n001=● Zip\n");
        const std::string before = folder.readBytes("Ombrel.ini");
        BrokenReads store;
        store.failures = c.failures;
        const Services& f = fakes.services;
        Services services{f.appFolder, f.desktop, f.messages, f.process, f.files, f.fileDialogs, f.shell, f.links,
                          f.clock, f.system, f.power, f.sound, f.codePage, f.collation, store, f.remoteAccess,
                          f.busyPointer, f.desktopApps};
        LauncherPresenter broken(view, services);
        AddItemPresenter panel(addView, broken, services);
        broken.load();
        view.selected = 0;  // a row of the empty list, as the view last knew it
        addView.path = "/usr/bin/paint";
        addView.name = "Paint";
        fakes.messages.nextAnswer = true;
        c.edit(broken, panel);
        EXPECT_EQ(view.entries, c.shown);
        EXPECT_EQ(broken.entries(), c.shown);
        const std::string after = folder.readBytes("Ombrel.ini");
        if (*c.indexAfter)
            EXPECT_NE(after.find(c.indexAfter), std::string::npos) << after;
        else
            EXPECT_EQ(after, before);
        fakes.messages.shown.clear();
    }
}

}  // namespace
