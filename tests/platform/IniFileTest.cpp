#include "platform/engine/IniFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using testing_support::WriteFile;

TEST(IniFile, ReadsWithTheUsualRules) {
    std::string dir = testing_support::MakeTempDir("ini");
    WriteFile(dir + "/settings.ini", "; game settings\r\n"
                                     "[Other]\n"
                                     "w=1\n"
                                     "[configs]  ; any case\n"
                                     "  W =  1280   \n"
                                     "h=720;comment\n"
                                     "speed = 2.5\n"
                                     "fps = fast\n"
                                     "testmode=\n"
                                     "big=99999999999\n");
    IniFile ini;
    ini.SetPath(dir + "/settings.ini");
    EXPECT_EQ(ini.GetInt("CONFIGS", "w", 1024), 1280);
    EXPECT_EQ(ini.GetInt("CONFIGS", "h", 768), 720);
    EXPECT_FLOAT_EQ(ini.GetFloat("CONFIGS", "speed", 150.0f), 2.5f);
    EXPECT_EQ(ini.GetInt("CONFIGS", "fps", 0), 0);      // unparsable
    EXPECT_EQ(ini.GetInt("CONFIGS", "testmode", 7), 7); // empty
    EXPECT_EQ(ini.GetInt("CONFIGS", "big", 3), 3);      // out of range
    EXPECT_EQ(ini.GetInt("CONFIGS", "missing", 5), 5);
    EXPECT_EQ(ini.GetInt("Absent", "w", 5), 5);
    EXPECT_FLOAT_EQ(ini.GetFloat("CONFIGS", "w", 0.0f), 1280.0f);
}

TEST(IniFile, MissingFileGivesDefaultsAndSetKeepsTheRest) {
    std::string dir = testing_support::MakeTempDir("ini2");
    IniFile ini;
    ini.SetPath(dir + "/none.ini");
    EXPECT_EQ(ini.GetInt("CONFIGS", "w", 1024), 1024);

    WriteFile(dir + "/s.ini", "[CONFIGS]\nw=800 ; keep me\nh=600\n[Next]\nx=1\n");
    ini.SetPath(dir + "/s.ini");
    ASSERT_TRUE(ini.Set("configs", "W", "640"));
    ASSERT_TRUE(ini.Set("CONFIGS", "fps", "60"));
    ASSERT_TRUE(ini.Set("New", "k", "v"));
    EXPECT_EQ(ini.GetInt("CONFIGS", "w", 0), 640);
    EXPECT_EQ(ini.GetInt("CONFIGS", "h", 0), 600);
    EXPECT_EQ(ini.GetInt("CONFIGS", "fps", 0), 60);
    EXPECT_EQ(ini.GetInt("Next", "x", 0), 1);
    EXPECT_EQ(ini.Get("New", "k").value_or(""), "v");
}
