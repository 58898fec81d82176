// The game's --start X,Y: taken out of the command line before the shared
// options read it, refused unless it is two finite numbers.
#include "game/core/StartOption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Args {
    explicit Args(std::vector<std::string> words) : text(std::move(words)) {
        for (std::string& w : text) {
            argv.push_back(w.data());
        }
        argv.push_back(nullptr);
    }
    int argc() const { return static_cast<int>(text.size()); }
    std::vector<std::string> text;
    std::vector<char*> argv;
};

TEST(StartOption, IsTakenOutAndTheOtherArgumentsKeepTheirOrder) {
    Args args({"duskmaw", "--headless", "--start", "-12.5,300", "--map", "m.xml"});
    int argc = args.argc();
    StartPosition start;
    std::string error;
    ASSERT_TRUE(TakeStartOption(argc, args.argv.data(), start, error)) << error;
    ASSERT_EQ(argc, 4);
    EXPECT_STREQ(args.argv[1], "--headless");
    EXPECT_STREQ(args.argv[2], "--map");
    EXPECT_STREQ(args.argv[3], "m.xml");
    EXPECT_EQ(args.argv[4], nullptr);
    EXPECT_TRUE(start.set);
    EXPECT_EQ(start.x, -12.5f);
    EXPECT_EQ(start.y, 300.0f);
}

TEST(StartOption, AnythingButTwoFiniteNumbersIsRefused) {
    for (const char* bad : {"", "12", "12,", ",5", "1,2,3", "a,b", "1e99,0", "nan,1", "5 ,6"}) {
        StartPosition start;
        EXPECT_FALSE(ParseStartPosition(bad, start)) << bad;
        EXPECT_FALSE(start.set) << bad;
    }
    Args missing({"duskmaw", "--start"});
    int argc = missing.argc();
    StartPosition start;
    std::string error;
    EXPECT_FALSE(TakeStartOption(argc, missing.argv.data(), start, error));
    EXPECT_NE(error.find("--start"), std::string::npos);
}

} // namespace
