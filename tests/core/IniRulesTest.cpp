#include "core/profile/IniDocument.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

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

}  // namespace
