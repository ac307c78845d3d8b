#include "core/dialup/DialEngine.h"
#include "core/dialup/DialUpPresenter.h"
#include "core/dialup/RasRecords.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

const CodePage& codePage()
{
    return *coreServices().codePage;
}

std::string field(const DialRecord& record, dialRecord::Field f)
{
    return std::string(record.begin() + std::ptrdiff_t(f.offset), record.begin() + std::ptrdiff_t(f.offset + f.width));
}

// Each text lands at its offset in the code page, zero-padded to its
// field's end; the size leads the record.
TEST(DialRecord, TextsLieAtTheirOffsetsInTheCodePage)
{
    const auto record = packDialRecord({"宽带连接", "1", "2", "user@163", "密码", "D"}, codePage());
    ASSERT_TRUE(record);
    EXPECT_EQ(readUint32(record->data()), 1052u);
    const struct {
        dialRecord::Field field;
        std::string bytes;
    } fields[] = {
        {dialRecord::kEntryName, hex("BFEDB4F8C1ACBDD3")}, {dialRecord::kPhoneNumber, "1"},
        {dialRecord::kCallbackNumber, "2"},                 {dialRecord::kUserName, "user@163"},
        {dialRecord::kPassword, hex("C3DCC2EB")},           {dialRecord::kDomain, "D"},
    };
    std::size_t end = 4;
    for (const auto& f : fields) {
        SCOPED_TRACE(f.bytes);
        EXPECT_EQ(f.field.offset, end);  // the fields follow each other without a gap
        EXPECT_EQ(field(*record, f.field), f.bytes + std::string(f.field.width - f.bytes.size(), '\0'));
        end = f.field.offset + f.field.width;
    }
    EXPECT_EQ(end, 1049u);
    EXPECT_EQ(std::string(record->begin() + 1049, record->end()), std::string(3, '\0'));
    EXPECT_EQ(unpackDialRecord(*record, codePage()).password, "密码");
}

// A text must leave room for its ending zero after conversion: 256 bytes of
// a 257-byte field fit, 257 do not; a two-byte character counts two.
TEST(DialRecord, TextThatDoesNotFitIsRefusedNeverCut)
{
    const struct {
        DialParams params;
        bool fits;
    } cases[] = {
        {{std::string(256, 'a'), "", "", "", "", ""}, true},
        {{std::string(257, 'a'), "", "", "", "", ""}, false},
        {{"", "", "", "", std::string(128, 'p') + "密", "", }, true},
        {{"", "", "", "", std::string(255, 'p') + "密", ""}, false},
        {{"", "", "", "", "", std::string(15, 'd')}, true},
        {{"", "", "", "", "", std::string(16, 'd')}, false},
        {{"", std::string(129, '1'), "", "", "", ""}, false},
        {{"", "", "", std::string("a\0b", 3), "", ""}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(packDialRecord(c.params, codePage()).has_value(), c.fits);
}

TEST(ConnectionRecords, TheBufferHoldsTwoHundredFiftySixRecordsOfFourHundredTwelveBytes)
{
    std::vector<std::uint8_t> buffer = makeConnectionBuffer();
    EXPECT_EQ(buffer.size(), 105'472u);
    EXPECT_EQ(recordSizeOf(buffer), 412u);
    writeConnection(buffer, 2, 0xA1B2C3D4, std::string(300, 'n'));
    EXPECT_EQ(connectionHandle(buffer, 2), 0xA1B2C3D4u);
    EXPECT_EQ(buffer[2 * 412 + 4], 0xD4);  // little-endian
    EXPECT_EQ(buffer[2 * 412 + 8 + 256], 0);  // the name is cut to its field, zero-ended
    EXPECT_EQ(buffer[3 * 412], 0);
}

class DialEngineTest : public ::testing::Test {
protected:
    TempFolder folder;
    FakeServices fakes{folder.path()};
    DialEngine engine{fakes.remoteAccess, fakes.busyPointer, codePage()};
};

TEST_F(DialEngineTest, AnyActiveConnectionShortCutsTheDial)
{
    fakes.remoteAccess.active = {{7, "其他连接"}};
    EXPECT_EQ(engine.dialEntry("宽带连接", "", "", "u", "p", ""), 0);
    EXPECT_TRUE(fakes.remoteAccess.dials.empty());
    EXPECT_TRUE(fakes.busyPointer.changes.empty());
    EXPECT_EQ(fakes.remoteAccess.enumeratedRecordSize, 412u);
    EXPECT_EQ(fakes.remoteAccess.enumeratedByteCount, 105'472u);
}

TEST_F(DialEngineTest, AFailedDialReturnsTheCodeAndHangsUpItsHalfMadeConnection)
{
    fakes.remoteAccess.dialCode = 691;
    fakes.remoteAccess.nextHandle = 42;
    EXPECT_EQ(engine.dialEntry("宽带连接", "", "", "u", "", ""), 691);
    ASSERT_EQ(fakes.remoteAccess.dials.size(), 1u);
    EXPECT_EQ(unpackDialRecord(fakes.remoteAccess.dials[0], codePage()).entryName, "宽带连接");
    EXPECT_EQ(unpackDialRecord(fakes.remoteAccess.dials[0], codePage()).password, "");
    EXPECT_EQ(fakes.remoteAccess.hungUp, std::vector<std::uint32_t>{42});
    EXPECT_EQ(fakes.busyPointer.changes, (std::vector<bool>{true, false}));

    fakes.remoteAccess.dialCode = 0;
    EXPECT_EQ(engine.dialEntry("宽带连接", "", "", "u", "p", ""), 0);
    EXPECT_EQ(fakes.remoteAccess.hungUp.size(), 1u);
    EXPECT_EQ(engine.activeConnectionCount(), 1);

    // Text too long for its field: refused before anything is dialled.
    fakes.remoteAccess.active.clear();
    EXPECT_EQ(engine.dialEntry(std::string(300, 'x'), "", "", "u", "p", ""), DialEngine::kTextTooLong);
    EXPECT_EQ(fakes.remoteAccess.dials.size(), 2u);
}

TEST_F(DialEngineTest, HangUpAllEndsEveryConnectionFirstRecordFirst)
{
    engine.hangUpAll();
    EXPECT_TRUE(fakes.remoteAccess.hungUp.empty());
    fakes.remoteAccess.active = {{3, "a"}, {9, "b"}, {5, "c"}};
    fakes.remoteAccess.enumCode = 603;  // a failed enumeration hangs up nothing
    engine.hangUpAll();
    EXPECT_TRUE(fakes.remoteAccess.hungUp.empty());
    EXPECT_EQ(engine.activeConnectionCount(), 0);
    fakes.remoteAccess.enumCode = 0;
    engine.hangUpAll();
    EXPECT_EQ(fakes.remoteAccess.hungUp, (std::vector<std::uint32_t>{3, 9, 5}));
}

struct FakeDialUpView final : DialUpView {
    std::string nameText() const override { return name; }
    std::string accountText() const override { return account; }
    std::string passwordText() const override { return password; }
    void setTexts(const std::string& n, const std::string& a, const std::string& p) override
    {
        name = n;
        account = a;
        password = p;
    }
    void setStatus(const std::string& text) override { status = text; }
    void close() override { ++closes; }

    std::string name, account, password, status = "(none)";
    int closes = 0;
};

class DialUpPresenterTest : public ::testing::Test {
protected:
    DialUpPresenterTest()
    {
        folder.writeProfile("[宽带连接]\nName=宽带连接\nUsername=user@163\nPassword=secret\n");
        dialog.load();
    }
    std::string profile() const { return codePage().decode(folder.readBytes("Ombrel.ini")); }
    const MessageBoxes::Box& lastBox() const { return fakes.messages.shown.back(); }

    TempFolder folder;
    FakeServices fakes{folder.path()};
    FakeDialUpView view;
    DialUpPresenter dialog{view, fakes.services};
};

TEST_F(DialUpPresenterTest, TheDialogLoadsTheSavedTextsAndAGoodDialClosesIt)
{
    EXPECT_EQ(view.name, "宽带连接");
    EXPECT_EQ(view.account, "user@163");
    EXPECT_EQ(view.password, "secret");
    EXPECT_EQ(view.status, "");

    dialog.connectPressed();
    EXPECT_EQ(view.status, "正在连接 宽带连接...");
    view.password = "新密码";
    dialog.connectClicked();
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"宽带连接连接成功"});
    EXPECT_EQ(lastBox().title, "连接提示");
    EXPECT_EQ(lastBox().icon, MessageBoxes::Icon::None);
    EXPECT_EQ(view.status, "");
    EXPECT_EQ(view.closes, 1);
    EXPECT_EQ(unpackDialRecord(fakes.remoteAccess.dials.at(0), codePage()).password, "新密码");
    EXPECT_EQ(profile(), "[宽带连接]\r\nName=宽带连接\r\nUsername=user@163\r\nPassword=新密码\r\n");
}

// The texts are saved before the checks; only the first empty one is told.
TEST_F(DialUpPresenterTest, EmptyEntriesAreSavedThenToldInOrder)
{
    const struct {
        std::string name, account, password, notice;
    } cases[] = {
        {"", "", "", "连接名不能为空"},
        {" ", "", "", "宽带帐号不能为空"},
        {" ", " ", "", "宽带密码不能为空"},
    };
    for (const auto& c : cases) {
        view.setTexts(c.name, c.account, c.password);
        dialog.connectPressed();
        dialog.connectClicked();
        EXPECT_EQ(fakes.messages.texts().back(), c.notice);
        EXPECT_EQ(view.status, "");
        const std::string file = folder.profile();
        EXPECT_EQ(readProfileValue(fakes.profileAccess(), "宽带连接", "Name", file), c.name);
        EXPECT_EQ(readProfileValue(fakes.profileAccess(), "宽带连接", "Username", file), c.account);
        EXPECT_EQ(readProfileValue(fakes.profileAccess(), "宽带连接", "Password", file), c.password);
    }
    EXPECT_EQ(fakes.messages.shown.size(), 3u);
    EXPECT_TRUE(fakes.remoteAccess.dials.empty());
    EXPECT_EQ(view.closes, 0);
}

// A saved password makes the profile the user's alone; a save without one
// leaves the file's permissions be. A save that reached the file but may not
// survive a power cut is told as saved, and the dial goes on.
TEST_F(DialUpPresenterTest, ASavedPasswordKeepsTheProfilePrivateAndAnUnsureSaveStillDials)
{
    view.setTexts("宽带连接", "user@163", "");
    dialog.connectClicked();
    view.setTexts("宽带连接", "user@163", "secret");  // as stored: the file is still made private
    dialog.connectClicked();
    EXPECT_EQ(fakes.fileStore.readersAsked, (std::vector{FileReaders::AsBefore, FileReaders::OwnerOnly}));

    fakes.messages.shown.clear();
    fakes.fileStore.failAfterWrite = "读写磁盘出错";
    view.password = "新密码";
    dialog.connectClicked();
    ASSERT_EQ(fakes.messages.texts().size(), 2u);
    EXPECT_EQ(fakes.messages.texts()[0].rfind("设置已保存到文件 " + folder.profile() + "，但", 0), 0u);
    EXPECT_EQ(fakes.messages.texts()[1], "宽带连接连接成功");
    EXPECT_NE(profile().find("Password=新密码"), std::string::npos);
}

TEST_F(DialUpPresenterTest, AFailedDialTellsTheCodeWhatItMeansAndStaysOpen)
{
    const struct {
        std::uint32_t code;
        std::string message;
    } cases[] = {
        {691, "宽带连接连接失败\r\n错误原因:  691\r\n宽带帐号或密码不正确，请检查后重新输入。"},
        {623, "宽带连接连接失败\r\n错误原因:  623\r\n找不到这个连接名称，请先在系统的网络设置中建立同名的宽带连接。"},
        {797, "宽带连接连接失败\r\n错误原因:  797"},
    };
    for (const auto& c : cases) {
        fakes.remoteAccess.dialCode = c.code;
        dialog.connectClicked();
        EXPECT_EQ(fakes.messages.texts().back(), c.message);
        EXPECT_EQ(view.status, "宽带连接连接失败");
    }
    EXPECT_EQ(view.closes, 0);
    EXPECT_TRUE(fakes.remoteAccess.active.empty());
}

// A line break cannot be stored: the profile's own notice, and no dial.
TEST_F(DialUpPresenterTest, TextsTheProfileCannotHoldAreToldAndNothingIsDialled)
{
    const std::string before = folder.readBytes("Ombrel.ini");
    view.password = "pass\nword";
    dialog.connectClicked();
    EXPECT_EQ(lastBox().title, "提示");
    EXPECT_NE(lastBox().text.find("换行"), std::string::npos);
    EXPECT_EQ(lastBox().text.find("pass"), std::string::npos);  // the password is never shown
    EXPECT_TRUE(fakes.remoteAccess.dials.empty());
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
}

TEST_F(DialUpPresenterTest, DisconnectHangsUpEverythingAndCancelSavesNothing)
{
    const std::string before = folder.readBytes("Ombrel.ini");
    view.name = "改过的名字";
    dialog.cancelClicked();
    EXPECT_EQ(view.closes, 1);
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);

    fakes.remoteAccess.active = {{4, "x"}, {6, "y"}};
    dialog.disconnectPressed();
    EXPECT_EQ(view.status, "正在断开 改过的名字...");
    dialog.disconnectClicked();
    EXPECT_EQ(fakes.remoteAccess.hungUp, (std::vector<std::uint32_t>{4, 6}));
    EXPECT_EQ(fakes.messages.texts().back(), "改过的名字已断开");
    EXPECT_EQ(view.closes, 2);
    dialog.disconnectClicked();  // nothing connected: told all the same
    EXPECT_EQ(fakes.messages.texts().back(), "改过的名字已断开");
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
}

}  // namespace
