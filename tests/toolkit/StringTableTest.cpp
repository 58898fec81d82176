#include "toolkit/StringTable.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class StringTableTest : public ::testing::Test {
protected:
    std::string Write(const std::string& body) {
        std::string path = engine.Dir() + "/table" + std::to_string(count++) + ".txt";
        testing_support::WriteFile(path, body);
        return path;
    }
    std::string Text(const StringTable& table, const char* name) {
        const char* text = table.GetString(name);
        return text ? text : "<none>";
    }
    bool Logged(const std::string& path) {
        return engine.ReadLog().find("String table " + path + " has incorrect format.") !=
               std::string::npos;
    }
    testing_support::HeadlessEngine engine;
    int count = 0;
};

TEST_F(StringTableTest, ReadsEntriesWithEscapesCommentsAndJoinedLines) {
    StringTable table(Write("[STRINGTABLE]\n"
                            "; a comment = \"not an entry\"\n"
                            "font = \"book_fnt\"\n"
                            "page1=\"First\\nSecond \\\"quoted\\\" back\\\\slash \\q\"\n"
                            "page2 =  \"A text that   \n"
                            "\t   goes on\r\n"
                            "   here\"\n"
                            "page3=\"Break\\n\n    kept\"\n")
                          .c_str());
    EXPECT_EQ(Text(table, "font"), "book_fnt");
    EXPECT_EQ(Text(table, "page1"), "First\nSecond \"quoted\" back\\slash q");
    EXPECT_EQ(Text(table, "page2"), "A text that goes on here");
    EXPECT_EQ(Text(table, "page3"), "Break\n kept");
    EXPECT_EQ(Text(table, "a"), "<none>");
    EXPECT_EQ(Text(table, "Font"), "<none>");
}

TEST_F(StringTableTest, TheLastDefinitionWins) {
    StringTable table(Write("[STRINGTABLE]\nname=\"old\"\nother=\"x\"\nname=\"new\"\n").c_str());
    EXPECT_EQ(Text(table, "name"), "new");
    EXPECT_EQ(Text(table, "other"), "x");
}

TEST_F(StringTableTest, EmptyAndMissingTablesAreSilent) {
    StringTable onlyMagic(Write("[STRINGTABLE]").c_str());
    StringTable missing((engine.Dir() + "/absent.txt").c_str());
    StringTable nameAtEnd(Write("[STRINGTABLE]\nlonely").c_str());
    EXPECT_EQ(Text(onlyMagic, "x"), "<none>");
    EXPECT_EQ(Text(missing, "x"), "<none>");
    EXPECT_EQ(Text(nameAtEnd, "lonely"), "<none>");
    EXPECT_EQ(engine.ReadLog().find("String table"), std::string::npos);
}

TEST_F(StringTableTest, FormatErrorsAreLoggedAndKeepWhatWasRead) {
    std::string wrongMagic = Write("[STRINGTABLES]\na=\"b\"\n");
    StringTable bad(wrongMagic.c_str());
    EXPECT_EQ(Text(bad, "a"), "<none>");
    EXPECT_TRUE(Logged(wrongMagic));

    std::string noQuote = Write("[STRINGTABLE]\na=\"kept\"\nb = unquoted\nc=\"lost\"\n");
    StringTable partial(noQuote.c_str());
    EXPECT_EQ(Text(partial, "a"), "kept");
    EXPECT_EQ(Text(partial, "c"), "<none>");
    EXPECT_TRUE(Logged(noQuote));

    std::string noEquals = Write("[STRINGTABLE]\na \"text\"\n");
    StringTable missingEquals(noEquals.c_str());
    EXPECT_TRUE(Logged(noEquals));
}

TEST_F(StringTableTest, LongNamesAndTextsAreCutAndOpenTextsEndAtTheFileEnd) {
    std::string longName(100, 'n');
    std::string longText(10000, 't');
    StringTable table(Write("[STRINGTABLE]\n" + longName + "=\"short\"\nlong=\"" + longText +
                            "\"\nopen=\"runs to the end\\")
                          .c_str());
    EXPECT_EQ(Text(table, longName.substr(0, 63).c_str()), "short");
    EXPECT_EQ(Text(table, "long").size(), 8191u);
    EXPECT_EQ(Text(table, "open"), "runs to the end");
}

TEST_F(StringTableTest, BinaryJunkEndsTheTableWithTheFormatMessageKeepingWhatCameBefore) {
    std::string junk = "[STRINGTABLE]\ngood=\"kept\"\n";
    for (int i = 0; i < 4096; ++i) {
        junk.push_back(static_cast<char>((i * 37 + 11) & 0xFF));
    }
    const std::string path = Write(junk);
    StringTable table(path.c_str());
    EXPECT_EQ(Text(table, "good"), "kept");
    EXPECT_TRUE(Logged(path));
}

} // namespace
