#include "core/profile/IniDocument.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// The largest single allocation made while a test watches, to see that
// reading a file takes memory in proportion to what it holds. Counted in the
// plain Linux build only: the MinGW program crashes at start-up with a
// replaced global operator new, and the sanitizers bring their own.
#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
#define OMBREL_COUNTS_ALLOCATIONS 1
#endif
namespace {
std::atomic<bool> watchingAllocations{false};
std::atomic<std::size_t> largestAllocation{0};
}  // namespace

#ifdef OMBREL_COUNTS_ALLOCATIONS
void* operator new(std::size_t size)
{
    if (watchingAllocations.load(std::memory_order_relaxed)) {
        std::size_t largest = largestAllocation.load(std::memory_order_relaxed);
        while (size > largest && !largestAllocation.compare_exchange_weak(largest, size))
            ;
    }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

// Not inlined: GCC would take free() after an inlined "new" for a mismatch.
[[gnu::noinline]] void operator delete(void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#endif

namespace {

IniDocument fromNothing()
{
    return IniDocument::parse({});
}

std::string valueOf(const std::string& file, const std::string& section, const std::string& key)
{
    return IniDocument::parse(file).value(section, key).value_or("<missing>");
}

TEST(IniRules, BuildsAFileFromNothingAsTheWindowsProfileFunctionsDo)
{
    IniDocument doc = fromNothing();
    doc.setValue("App1", "key1", "string1");
    doc.setValue("App1", "key2", "string2");
    doc.setValue("App2", "key4", "string4");
    doc.setValue("App3", "key5", "string5");
    EXPECT_EQ(doc.serialize(),
              "[App1]\r\nkey1=string1\r\nkey2=string2\r\n[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n");
}

TEST(IniRules, ReplacesInPlaceAndAppendsAfterTheLastKeyOfTheSection)
{
    IniDocument doc = IniDocument::parse(
        "; kept\r\n[a]\r\nx=1\r\ny=2\r\n\r\n; note\r\n[b]\r\nz=3\r\n");
    doc.setValue("a", "x", "10");
    doc.setValue("A", "new", "n");
    doc.setValue("b", "k", "");
    EXPECT_EQ(doc.serialize(),
              "; kept\r\n[a]\r\nx=10\r\ny=2\r\nnew=n\r\n\r\n; note\r\n[b]\r\nz=3\r\nk=\r\n");
}

TEST(IniRules, KeepsEveryUntouchedByteIncludingForeignLineEnds)
{
    const std::string original = "top line\n[s]\nk = v \r\nother=1\rlast=2";
    IniDocument doc = IniDocument::parse(original);
    EXPECT_EQ(doc.serialize(), original);
    doc.setValue("s", "added", "x");
    // The last line had no line end; it gets one before the new key.
    EXPECT_EQ(doc.serialize(), "top line\n[s]\nk = v \r\nother=1\rlast=2\r\nadded=x\r\n");
    doc.setValue("new", "k", "v");
    EXPECT_TRUE(doc.serialize().ends_with("added=x\r\n[new]\r\nk=v\r\n"));
}

TEST(IniRules, ReadsLinesEndedByCrAloneAndBlanksAroundTheEqualsSign)
{
    EXPECT_EQ(valueOf("[s]\rk=v\rj=w\r", "s", "j"), "w");
    EXPECT_EQ(valueOf("[s]\n  key  =  spaced value \t\n", "s", "key"), "spaced value");
    EXPECT_EQ(valueOf("  [s]  \r\nk=v\r\n", "s", "k"), "v");
    // A "[" without a "]" after it opens no section: the line is an ordinary one.
    EXPECT_EQ(valueOf("[s\r\nk=v\r\n", "s", "k"), "<missing>");
    EXPECT_EQ(valueOf("[s]\r\n[t\r\nk=v\r\n", "s", "k"), "v");
    // A value ends at a zero byte, as the C string a reader gets does.
    EXPECT_EQ(valueOf(std::string("[s]\r\nk=a\0b\r\n", 12), "s", "k"), "a");
}

TEST(IniRules, MatchesLatinLettersWithoutRegardToCaseButNeverTheSecondByteOfAChineseCharacter)
{
    EXPECT_EQ(valueOf("[Title]\r\nCOUNT=3\r\n", "tITLE", "count"), "3");
    // B0 41 and B0 61 are two different characters whose second bytes
    // happen to be "A" and "a".
    const std::string upper = hex("B041");
    const std::string lower = hex("B061");
    const std::string file = "[" + upper + "]\r\nk=upper\r\n[" + lower + "]\r\nk=lower\r\n";
    EXPECT_EQ(valueOf(file, upper, "k"), "upper");
    EXPECT_EQ(valueOf(file, lower, "k"), "lower");
}

TEST(IniRules, MissingFileSectionOrKeyReadsAsNothing)
{
    EXPECT_FALSE(fromNothing().value("s", "k"));
    EXPECT_FALSE(IniDocument::parse("[s]\r\nk=v\r\n").value("t", "k"));
    EXPECT_FALSE(IniDocument::parse("[s]\r\nk=v\r\n").value("s", "j"));
    // A line without "=" is not a key, and keys before any section belong to none.
    EXPECT_FALSE(IniDocument::parse("k=v\r\n[s]\r\nj\r\n").value("s", "j"));
}

TEST(IniRules, TheFirstSectionAndKeyOfANameWin)
{
    const std::string file = "[s]\r\nk=first\r\nk=second\r\n[S]\r\nk=third\r\nj=only\r\n";
    EXPECT_EQ(valueOf(file, "s", "k"), "first");
    EXPECT_EQ(valueOf(file, "s", "j"), "<missing>");
    IniDocument doc = IniDocument::parse(file);
    doc.setValue("s", "k", "new");
    EXPECT_EQ(doc.serialize(), "[s]\r\nk=new\r\nk=second\r\n[S]\r\nk=third\r\nj=only\r\n");
}

TEST(IniRules, AReplacedKeyKeepsItsNameAndALineThatReadsTheSameIsLeftAlone)
{
    IniDocument doc = IniDocument::parse("[a]\r\n Key = v \r\n");
    doc.setValue("a", "KEY", "v");
    EXPECT_EQ(doc.serialize(), "[a]\r\n Key = v \r\n");
    doc.setValue("a", "KEY", "w");
    EXPECT_EQ(doc.serialize(), "[a]\r\nKey=w\r\n");
}

TEST(IniRules, ValuesThatAReaderWouldChangeAreWrittenInQuotes)
{
    const std::string values[] = {" lead", "trail ", "\tboth\t", "\"quoted\"", "\"open", "close\"", "\"",
                                 "'single'", "'open", "a \"middle\" b", "plain", ""};
    for (const std::string& value : values) {
        IniDocument doc = fromNothing();
        doc.setValue("s", "k", value);
        EXPECT_EQ(valueOf(doc.serialize(), "s", "k"), value) << value;
    }
    EXPECT_EQ(IniDocument::storedForm(" x "), "\" x \"");
    EXPECT_EQ(IniDocument::storedForm("a \"b\" c"), "a \"b\" c");
    EXPECT_EQ(IniDocument::storedForm("'x'"), "\"'x'\"");
    // A file edited by hand with quotes reads as the Windows functions read it.
    EXPECT_EQ(valueOf("[s]\r\nname2=\"val2\"\r\n", "s", "name2"), "val2");
    EXPECT_EQ(valueOf("[s]\r\nname2='val2'\r\n", "s", "name2"), "val2");
}

TEST(IniRules, SectionNamesWithBracketsEqualsAndCommentSignsRoundTrip)
{
    const std::string names[] = {"a[b]c", "x]", "[y", "k=v", ";semi", "#hash", "] [", "● a=b;c#d"};
    for (const std::string& name : names) {
        IniDocument doc = fromNothing();
        doc.setValue(name, "Filename", name);
        doc.setValue("other", "k", "v");
        EXPECT_EQ(valueOf(doc.serialize(), name, "Filename"), name) << name;
    }
}

// The writer refuses a name that the reader would not find again, by the
// reader's own rules: the rule and the reader must agree.
TEST(IniRules, KeysThatWouldReadAsSomethingElseAreRefused)
{
    const struct {
        std::string key;
        bool readsBack;
    } cases[] = {
        {"Filename", true},
        {" padded ", true},       // blanks around a name do not count when it is matched
        {"a\x1A", true},
        {"a[b]", true},
        {"]", true},
        {";note", true},
        {hex("B1EACCE2"), true},  // 标题
        {hex("B05B"), true},      // a character whose second byte is "["
        {"\x1A[a", false},        // Ctrl-Z is a blank to the reader: the line opens a section
        {" [a", false},
        {"\t[a", false},
        {"[a", false},
        {"a=b", false},           // the key would end at the first "="
        {"", false},
        {"   ", false},
        {"\x1A", false},
        {"\v\f", false},
        {"a\rb", false},
        {"a\nb", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IniDocument::keyReadsBack(c.key), c.readsBack) << '"' << c.key << '"';
        if (!c.readsBack)
            continue;
        // Whatever value follows, even one ending in "]", the key is found again.
        for (const std::string value : {"v", "x]", "[y]"}) {
            IniDocument doc = fromNothing();
            doc.setValue("s", c.key, value);
            doc.setValue("s", "after", "1");
            const std::string file = doc.serialize();
            EXPECT_EQ(valueOf(file, "s", c.key), value) << '"' << c.key << '"';
            EXPECT_EQ(valueOf(file, "s", "after"), "1") << '"' << c.key << '"';
        }
    }
    // What a refused key would have done: its line reads as a section.
    IniDocument doc = fromNothing();
    doc.setValue("s", "\x1A[a", "b]");
    doc.setValue("s", "later", "1");
    EXPECT_EQ(valueOf(doc.serialize(), "s", "later"), "<missing>");
}

TEST(IniRules, SectionsAreRefusedOnlyWhenTheyCannotBeFoundAgain)
{
    const struct {
        std::string section;
        bool readsBack;
    } cases[] = {
        {"标题", true},
        {"", true},         // "[]" is a section whose name is empty
        {"   ", true},
        {"\x1A", true},
        {"x]", true},       // the name ends at the last "]" of the line
        {"]", true},
        {"[", true},
        {"a]b]", true},
        {" [a] ", true},
        {"a\rb", false},
        {"a\nb", false},
        {"\r", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IniDocument::sectionReadsBack(c.section), c.readsBack) << '"' << c.section << '"';
        if (!c.readsBack)
            continue;
        IniDocument doc = IniDocument::parse("[other]\r\nk=first\r\n");
        doc.setValue(c.section, "k", "v");
        doc.setValue("later", "k", "w");
        const std::string file = doc.serialize();
        EXPECT_EQ(valueOf(file, c.section, "k"), "v") << '"' << c.section << '"';
        EXPECT_EQ(valueOf(file, "other", "k"), "first") << '"' << c.section << '"';
        EXPECT_EQ(valueOf(file, "later", "k"), "w") << '"' << c.section << '"';
    }
}

TEST(IniRules, ValuesAreRefusedOnlyForAZeroByteOrALineBreak)
{
    EXPECT_TRUE(IniDocument::valueReadsBack(""));
    EXPECT_TRUE(IniDocument::valueReadsBack(" \"quoted\" \x1A"));
    EXPECT_FALSE(IniDocument::valueReadsBack(std::string("a\0b", 3)));
    EXPECT_FALSE(IniDocument::valueReadsBack("a\r"));
    EXPECT_FALSE(IniDocument::valueReadsBack("\nb"));
}

// A file of nothing but "[" bytes (one long line, and no section) must not
// make the reader set aside room for a section per byte.
TEST(IniRules, ALongLineOfBracketsTakesMemoryForWhatItHolds)
{
    const std::string file(20u << 20, '[');
    largestAllocation = 0;
    watchingAllocations = true;
    IniDocument doc = IniDocument::parse(file);
    const auto found = doc.value("[", "k");
    watchingAllocations = false;
    EXPECT_FALSE(found);
#ifdef OMBREL_COUNTS_ALLOCATIONS
    // The copy of the file's bytes is the one large block.
    EXPECT_LE(largestAllocation.load(), file.size() + 64);
#endif
    EXPECT_EQ(doc.serialize(), file);
}

}  // namespace
