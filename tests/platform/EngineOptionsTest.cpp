#include "platform/engine/EngineOptions.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

OptionsParseResult Parse(std::vector<const char*> args, EngineOptions& options) {
    args.insert(args.begin(), "duskmaw");
    return ParseEngineOptions(static_cast<int>(args.size()), args.data(), options);
}

} // namespace

TEST(EngineOptions, FilesNamedRelativelyStayWhereTheCommandWasGiven) {
    std::string dir = testing_support::MakeTempDir("options");
    testing_support::WriteFile(dir + "/tour.input", "3 key 0x57 down\n");
    std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
    EngineOptions options;
    OptionsParseResult result =
        Parse({"--headless", "--input", "tour.input", "--trace", "out/trace.jsonl", "--screenshot",
               "5:shot.png", "--frames", "10", "--dt", "0.5"},
              options);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(options.inputFile, dir + "/tour.input");
    EXPECT_EQ(options.traceFile, dir + "/out/trace.jsonl");
    ASSERT_EQ(options.screenshots.size(), 1u);
    EXPECT_EQ(options.screenshots[0].frame, 5);
    EXPECT_EQ(options.screenshots[0].file, dir + "/shot.png");
    EXPECT_TRUE(options.noDialogs); // implied by --headless
    EXPECT_EQ(options.frames, 10);
    EXPECT_DOUBLE_EQ(options.dt, 0.5);
}

TEST(EngineOptions, StartIsTwoFiniteNumbers) {
    EngineOptions options;
    OptionsParseResult result =
        Parse({"--headless", "--start", "-12.5,300", "--map", "m.xml"}, options);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(options.hasStart);
    EXPECT_EQ(options.startX, -12.5f);
    EXPECT_EQ(options.startY, 300.0f);
    EXPECT_NE(options.mapFile.find("m.xml"), std::string::npos);
    EngineOptions none;
    ASSERT_TRUE(Parse({"--headless"}, none).ok);
    EXPECT_FALSE(none.hasStart);
    for (const char* bad : {"", "12", "12,", ",5", "1,2,3", "a,b", "1e99,0", "nan,1", "5 ,6"}) {
        EngineOptions refused;
        result = Parse({"--start", bad}, refused);
        EXPECT_FALSE(result.ok) << bad;
        EXPECT_FALSE(refused.hasStart) << bad;
        EXPECT_NE(result.error.find("--start"), std::string::npos) << bad;
    }
    EngineOptions missing;
    EXPECT_FALSE(Parse({"--start"}, missing).ok);
}

TEST(EngineOptions, MistakesAreRefusedWithAReason) {
    std::string dir = testing_support::MakeTempDir("options-bad");
    testing_support::WriteFile(dir + "/bad.input", "0 quit\n1 key 0x57 sideways\n");
    const std::vector<std::vector<const char*>> bad = {
        {"--frames"}, {"--frames", "-3"}, {"--dt", "0"}, {"--screenshot", "x.png"},
        {"--fly"},    {"--seed", "abc"},
    };
    for (const auto& args : bad) {
        EngineOptions options;
        EXPECT_FALSE(Parse(args, options).ok) << args[0];
    }
    std::string script = dir + "/bad.input";
    EngineOptions options;
    OptionsParseResult result = Parse({"--input", script.c_str()}, options);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("line 2"), std::string::npos) << result.error;
    EngineOptions both;
    EXPECT_FALSE(Parse({"--input", script.c_str(), "--replay", script.c_str()}, both).ok);
}

TEST(EngineOptions, ARecordingStartsItsOwnRunUnlessTheCommandLineSaysOtherwise) {
    std::string dir = testing_support::MakeTempDir("options-replay");
    const std::string map = dir + "/arena.xml";
    testing_support::WriteFile(map, "<map/>");
    const std::string rec = dir + "/run.rec";
    testing_support::WriteFile(rec,
                               "#! format 2\n#! seed 77\n#! map " + map +
                                   "\n#! start 10,-20.5\n#! peaceful 1\n0 dt 0.02\n#! frames 3\n");
    EngineOptions taken;
    ASSERT_TRUE(Parse({"--replay", rec.c_str()}, taken).ok);
    EXPECT_EQ(taken.seed, 77);
    EXPECT_TRUE(taken.peaceful) << "a peaceful run replays peacefully";
    EXPECT_EQ(taken.mapFile, map);
    EXPECT_TRUE(taken.hasStart);
    EXPECT_FLOAT_EQ(taken.startY, -20.5f);
    EXPECT_TRUE(taken.replayNotes.empty());
    EngineOptions overridden;
    ASSERT_TRUE(Parse({"--replay", rec.c_str(), "--seed", "5"}, overridden).ok);
    EXPECT_EQ(overridden.seed, 5);
    ASSERT_EQ(overridden.replayNotes.size(), 1u);
    EXPECT_NE(overridden.replayNotes[0].find("--seed 5"), std::string::npos);

    // Another format, a map that is not here: refused with the reason.
    testing_support::WriteFile(rec, "#! format 3\n0 dt 0.02\n");
    EngineOptions other;
    OptionsParseResult result = Parse({"--replay", rec.c_str()}, other);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("format 3"), std::string::npos) << result.error;
    testing_support::WriteFile(rec, "#! format 2\n#! map " + dir + "/gone.xml\n0 dt 0.02\n");
    result = Parse({"--replay", rec.c_str()}, other);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("gone.xml does not exist"), std::string::npos) << result.error;
}
