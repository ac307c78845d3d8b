// The profile store held against the Windows profile functions: the same
// writes through WritePrivateProfileStringA and through the store must give
// the same file, and the store must read a file as GetPrivateProfileStringA
// does. Where they differ on purpose, the case says why.
#include "TempFolder.h"

#include "core/profile/Profile.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

using wintest::ansi;
using wintest::TempFolder;

std::string u8(std::wstring_view text) { return wintest::utf8(text); }

std::string fromAnsi(std::string_view bytes)
{
    std::wstring text(bytes.size(), L'\0');
    text.resize(size_t(MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), text.data(), int(text.size()))));
    return wintest::utf8(text);
}

// What a program of the A functions reads, with the buffer of 10,000 bytes
// that the Windows program used, as UTF-8. The text ends at the first zero
// byte, as a C string does (Wine counts a zero it puts in place of a
// character cut in half).
std::string windowsRead(const std::wstring& path, const std::string& section, const std::string& key)
{
    std::string buffer(10000, '\0');
    const DWORD length = GetPrivateProfileStringA(ansi(section).c_str(), ansi(key).c_str(), "", buffer.data(),
                                                  DWORD(buffer.size()), ansi(u8(path)).c_str());
    return fromAnsi(std::string_view(buffer.data(), std::min<size_t>(length, strlen(buffer.data()))));
}

// Blanks around names do not count, nor the case of Latin letters.
std::string nameKey(std::string name)
{
    const size_t first = name.find_first_not_of(" \t");
    const size_t last = name.find_last_not_of(" \t");
    name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return name;
}

// A case's name as a test name: its words joined by "_".
std::string caseName(const char* text)
{
    std::string name;
    for (const char* p = text; *p; ++p) {
        const bool alnum = (*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9');
        if (alnum)
            name += *p;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    return name;
}

class ChineseWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 936u) << "run under LC_ALL=zh_CN.UTF-8 (cmake/wine-run.sh)";
        ASSERT_TRUE(folder.ok());
    }

    TempFolder folder{L"ombrel-profile"};
};

struct Write {
    std::string section;
    std::string key;
    std::string value;
};

enum class Outcome {
    Identical,      // byte for byte the file that WritePrivateProfileStringA wrote
    WindowsReadsIt, // other bytes, which GetPrivateProfileStringA reads as written
    StoreReadsIt,   // other bytes, which the store reads as written (Windows cannot hold the value)
    Refused,        // the store refuses the write and leaves the file as it was
};

struct WriteCase {
    const char* name;
    std::optional<std::string> start;  // the file before the writes; none: no file
    std::vector<Write> writes;
    Outcome outcome;
    const char* why;  // for every outcome but Identical: why the store differs
};

const std::string kLineBreak = "x\r\ny=z";

const WriteCase kWriteCases[] = {
    {"a new file, built section by section",
     std::nullopt,
     {{"App1", "key1", "string1"}, {"App1", "key2", "string2"}, {"App2", "key4", "string4"}, {"App3", "key5", "string5"}},
     Outcome::Identical, ""},
    {"replaced and empty values",
     std::nullopt,
     {{"a", "k", "1"}, {"a", "e", ""}, {"b", "x", "y"}, {"a", "k", "2"}, {"a", "e", "3"}, {"a", "f", ""}, {"a", "k", "2"}},
     Outcome::Identical, ""},
    {"Chinese sections, keys and values in CP936",
     std::nullopt,
     {{"● 记事本", "标题", "宽带连接"}, {"设置", "Count", "€"}, {"● 记事本", "标题", "画图"}, {"设置", "路径", "C:\\程序\\记事本.exe"}},
     Outcome::Identical, ""},
    {"a section named in another case",
     std::nullopt,
     {{"Setup", "k", "1"}, {"SETUP", "j", "2"}, {"setup", "k", "3"}},
     Outcome::Identical, ""},
    {"a new key into a section without keys",
     "[a]\r\n[b]\r\nx=y\r\n",
     {{"a", "k", "v"}},
     Outcome::Identical, ""},
    {"the first of two sections of one name",
     "[a]\r\nk=1\r\n[a]\r\nj=2\r\n",
     {{"a", "j", "3"}, {"a", "k", "4"}},
     Outcome::Identical, ""},
    {"bytes before the first section",
     "; Ombrel\r\nfree text\r\n",
     {{"a", "k", "v"}},
     Outcome::Identical, ""},
    {"bytes before the first section without a line end",
     "; Ombrel",
     {{"a", "k", "v"}},
     Outcome::Identical, ""},
    {"an empty file",
     "",
     {{"a", "k", "v"}},
     Outcome::Identical, ""},
    {"a key named in another case over an existing key",
     std::nullopt,
     {{"a", "Key", "1"}, {"a", "KEY", "2"}},
     Outcome::Identical, ""},
    {"the same value over a key written with blanks",
     "[a]\r\nk = v\r\n",
     {{"a", "k", "v"}},
     Outcome::Identical, ""},
    {"a new key after a line opening a bracket without closing it",
     "[a\r\nk=v\r\n",
     {{"a", "j", "w"}},
     Outcome::Identical, ""},
    {"values with outer blanks",
     std::nullopt,
     {{"a", "lead", " x"}, {"a", "trail", "x "}, {"a", "both", "  x  "}},
     Outcome::WindowsReadsIt,
     "Wine drops the blanks, which a reader would drop too; the store writes the value in double quotes"},
    {"values in double quotes",
     std::nullopt,
     {{"a", "q", "\"quoted\""}, {"a", "open", "\"x"}, {"a", "close", "x\""}},
     Outcome::WindowsReadsIt,
     "a reader strips one pair of double quotes; the store adds a pair around a value that begins or ends with one"},
    {"a line break in a value",
     "[a]\r\nk=v\r\n",
     {{"a", "k", kLineBreak}},
     Outcome::Refused,
     "Wine writes the break, which ends the line and adds the key y; the store refuses the value"},
    {"a key holding an equals sign",
     "[a]\r\nk=v\r\n",
     {{"a", "x=y", "v"}},
     Outcome::Refused,
     "Wine writes x=y=v, which reads as the key x; the store refuses the name"},
    {"a character that CP936 lacks",
     std::nullopt,
     {{"a", "k", "笑\xF0\x9F\x98\x80"}},
     Outcome::StoreReadsIt,
     "Windows writes \"?\" for it; the store writes its GB18030 form"},
    {"a new key's name with blanks around it",
     "[a]\r\nk=v\r\n",
     {{"a", " sp ", "w"}},
     Outcome::WindowsReadsIt,
     "Wine drops the blanks before the name; the store writes the name as given"},
    {"a new section's name with blanks around it",
     std::nullopt,
     {{" a ", "k", "v"}, {"a", "j", "w"}},
     Outcome::WindowsReadsIt,
     "Wine writes the name without the blanks ([a]); the store writes it as given ([ a ])"},
    {"values in single quotes",
     std::nullopt,
     {{"a", "q", "'quoted'"}},
     Outcome::WindowsReadsIt,
     "a reader strips one pair of single quotes too; the store writes such a value in double quotes"},
    {"a file in UTF-16 LE",
     std::string("\xFF\xFE[\0a\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22),
     {{"a", "n", "w"}, {"a", "k", "画图"}, {"记事本", "k", "v"}},
     Outcome::Identical, ""},
    {"a file in UTF-16 BE",
     std::string("\xFE\xFF\0[\0a\0]\0\r\0\n\0k\0=\0v\0\r\0\n", 22),
     {{"a", "n", "w"}, {"a", "k", "画图"}},
     Outcome::Identical, ""},
    {"a file in UTF-8 with its mark",
     "\xEF\xBB\xBF[a]\r\nk=v\r\n",
     {{"a", "n", "w"}, {"a", "k", "画图"}, {"记事本", "k", "v"}},
     Outcome::Identical, ""},
    {"a character CP936 lacks in a Unicode file",
     "\xEF\xBB\xBF[a]\r\nk=v\r\n",
     {{"a", "k", "笑\xF0\x9F\x98\x80"}},
     Outcome::StoreReadsIt,
     "the A functions pass \"?\" for it; the store writes the character itself"},
    {"a new key after a section that ends in a blank line",
     "[a]\r\nk=v\r\n\r\n[b]\r\nx=y\r\n",
     {{"a", "n", "w"}},
     Outcome::WindowsReadsIt,
     "Wine writes the whole file anew from what it parsed and drops blank lines; the store keeps every line it does not change"},
    {"a new key in a section that ends in a comment",
     "[a]\r\nk=v\r\n;c\r\n[b]\r\nx=y\r\n",
     {{"a", "n", "w"}},
     Outcome::WindowsReadsIt,
     "Wine puts the key after the comment, the store after the section's last key"},
    {"lines of other spacing and line ends",
     "[a]\n k = v \r\n[b]\rx=y\r",
     {{"a", "n", "w"}},
     Outcome::WindowsReadsIt,
     "Wine writes every line anew as name=value with CR LF; the store keeps the lines it does not change"},
};

void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }

class ProfileWrites : public ChineseWindows, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ProfileWrites, MatchWritePrivateProfileString)
{
    const WriteCase& c = GetParam();
    const std::wstring windowsFile = folder.file(L"windows.ini");
    const std::wstring oneByOneFile = folder.file(L"one-by-one.ini");
    const std::wstring batchFile = folder.file(L"batch.ini");
    if (c.start) {
        for (const std::wstring& file : {windowsFile, oneByOneFile, batchFile})
            ASSERT_TRUE(wintest::writeBytes(file, *c.start));
    }
    ASSERT_EQ(c.outcome == Outcome::Identical, std::string(c.why).empty()) << "every difference says why";

    ProfileEdit batch(profileAccess(), u8(batchFile));
    bool refused = false;
    for (const Write& w : c.writes) {
        WritePrivateProfileStringA(ansi(w.section).c_str(), ansi(w.key).c_str(), ansi(w.value).c_str(),
                                   ansi(u8(windowsFile)).c_str());
        refused |= !writeProfileValue(profileAccess(), w.section, w.key, w.value, u8(oneByOneFile)).ok();
        batch.writeProfileValue(w.section, w.key, w.value);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ansi(u8(windowsFile)).c_str());
    const ProfileResult committed = batch.commit();

    const std::string windows = wintest::readBytes(windowsFile);
    const std::string ours = wintest::readBytes(oneByOneFile);
    // Writes made as one give what they give made one by one.
    EXPECT_EQ(wintest::readBytes(batchFile), ours);
    EXPECT_EQ(committed.ok(), !refused);

    if (c.outcome == Outcome::Identical) {
        EXPECT_FALSE(refused);
        EXPECT_EQ(ours, windows);
        return;
    }
    // The difference recorded in the case is still there.
    EXPECT_NE(ours, windows) << c.why;
    if (c.outcome == Outcome::Refused) {
        EXPECT_TRUE(refused);
        EXPECT_EQ(ours, c.start.value_or("<missing>"));
        return;
    }
    EXPECT_FALSE(refused);
    // Every key holds the last value written to it, read by the store and,
    // where Windows can hold the value, by Windows.
    std::map<std::pair<std::string, std::string>, const Write*> last;
    for (const Write& w : c.writes)
        last[{nameKey(w.section), nameKey(w.key)}] = &w;
    for (const auto& [name, w] : last) {
        EXPECT_EQ(readProfileValue(profileAccess(), w->section, w->key, u8(oneByOneFile)), w->value) << w->key;
        if (c.outcome == Outcome::WindowsReadsIt) {
            EXPECT_EQ(windowsRead(oneByOneFile, w->section, w->key), w->value) << w->key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrites, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return caseName(info.param.name); });

struct ReadCase {
    const char* name;
    std::string bytes;
    std::string section;
    std::string key;
    std::string value;  // what the store reads
    const char* why;    // empty: GetPrivateProfileStringA reads the same; else why it does not
};

const std::string kLong(10005, 'x');
const std::string kLongChinese = [] {
    std::string s;
    for (int i = 0; i < 5001; ++i)
        s += "\xBA\xBA";  // 汉
    return s;
}();
const std::string kLongChineseRead = [] {
    std::string s;
    for (int i = 0; i < 4999; ++i)
        s += "汉";
    return s;
}();

const ReadCase kReadCases[] = {
    {"lines ending in CR alone", "[a]\rk=v\rj=w\r", "a", "j", "w", ""},
    {"lines ending in LF alone", "[a]\nk=v\n", "a", "k", "v", ""},
    {"blanks around the equals sign", "[a]\r\n  k  =  v  \r\n", "a", "k", "v", ""},
    {"tabs and ^Z around a value", "[a]\r\nk=\tv\x1a\t\r\n", "a", "k", "v", ""},
    {"a value in double quotes", "[a]\r\nk=\"v\"\r\n", "a", "k", "v", ""},
    {"blanks outside and inside quotes", "[a]\r\nk= \" v \" \r\n", "a", "k", " v ", ""},
    {"quotes around an empty value", "[a]\r\nk=\"\"\r\n", "a", "k", "", ""},
    {"an opening quote alone", "[a]\r\nk=\"v\r\n", "a", "k", "\"v", ""},
    {"quotes inside a value", "[a]\r\nk=a\"b\"c\r\n", "a", "k", "a\"b\"c", ""},
    {"an equals sign in the value", "[a]\r\nk=v=w\r\n", "a", "k", "v=w", ""},
    {"an empty value", "[a]\r\nk=\r\n", "a", "k", "", ""},
    {"a key of two sections of one name", "[a]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n", "a", "k", "1", ""},
    {"a key only in the second section of one name", "[a]\r\nk=1\r\n[a]\r\nj=3\r\n", "a", "j", "", ""},
    {"a key twice in a section", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "1", ""},
    {"no line end at the end", "[a]\r\nk=v", "a", "k", "v", ""},
    {"a line without an equals sign", "[a]\r\nk\r\n", "a", "k", "", ""},
    {"blanks inside the brackets", "[ a ]\r\nk=v\r\n", "a", "k", "v", ""},
    {"blanks before the brackets", "  [a]  \r\nk=v\r\n", "a", "k", "v", ""},
    {"text after the closing bracket", "[a]x\r\nk=v\r\n", "a", "k", "v", ""},
    {"a closing bracket in the name", "[a]]\r\nk=v\r\n", "a]", "k", "v", ""},
    {"names in other case", "[SeTuP]\r\nCoUnT=3\r\n", "setup", "COUNT", "3", ""},
    {"Chinese names and value", "[\xC9\xE8\xD6\xC3]\r\n\xB1\xEA\xCC\xE2=\xBB\xAD\xCD\xBC\r\n", "设置", "标题", "画图", ""},
    {"a key before any section", "k=v\r\n[a]\r\n", "a", "k", "", ""},
    {"an empty file", "", "a", "k", "", ""},
    {"a value longer than the buffer", "[a]\r\nk=" + kLong + "\r\n", "a", "k", kLong.substr(0, 9999), ""},
    {"an opening bracket without a closing one", "[a\r\nk=v\r\n", "a", "k", "", ""},
    {"an unclosed bracket after a section", "[a]\r\n[b\r\nk=v\r\n", "a", "k", "v", ""},
    {"a value in single quotes", "[a]\r\nk='v'\r\n", "a", "k", "v", ""},
    {"a Chinese value longer than the buffer", "[a]\r\nk=" + kLongChinese + "\r\n", "a", "k", kLongChineseRead, ""},
    {"a zero byte in a value", std::string("[a]\r\nk=a\0b\r\n", 12), "a", "k", "a", ""},
    {"an empty section name",
     "[]\r\nk=v\r\n", "", "k", "v",
     "Wine gives nothing for an empty section name; the store finds the section []"},
    {"a UTF-8 byte order mark", "\xEF\xBB\xBF[a]\r\nk=\xE7\x94\xBB\xE5\x9B\xBE\r\n", "a", "k", "画图", ""},
    {"a UTF-16 LE byte order mark",
     std::string("\xFF\xFE[\0a\0]\0\r\0\n\0k\0=\0\x3B\x75\xFE\x56\r\0\n\0", 22), "a", "k", "画图", ""},
    {"a UTF-16 BE byte order mark",
     std::string("\xFE\xFF\0[\0a\0]\0\r\0\n\0k\0=\x75\x3B\x56\xFE\0\r\0\n", 22), "a", "k", "画图", ""},
    {"a four-byte GB18030 character",
     "[a]\r\nk=\x94\x39\xFC\x36\r\n", "a", "k", "\xF0\x9F\x98\x80",
     "CP936 has no four-byte characters; the store reads them as GB18030, as it writes them"},
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class ProfileReads : public ChineseWindows, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileReads, MatchGetPrivateProfileString)
{
    const ReadCase& c = GetParam();
    const std::wstring file = folder.file(L"Ombrel.ini");
    ASSERT_TRUE(wintest::writeBytes(file, c.bytes));

    const std::string ours = readProfileValue(profileAccess(), c.section, c.key, u8(file));
    const std::string windows = windowsRead(file, c.section, c.key);

    EXPECT_EQ(ours, c.value);
    EXPECT_EQ(ProfileSnapshot(profileAccess(), u8(file)).readProfileValue(c.section, c.key), ours);
    if (std::string(c.why).empty()) {
        EXPECT_EQ(windows, ours);
    } else {
        EXPECT_NE(windows, ours) << c.why;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReads, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return caseName(info.param.name); });

}  // namespace
