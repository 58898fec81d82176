// Settings changed in the Esc menu: applied at once, kept in the player's
// own settings file over the content folder's, and a broken player file
// costs nothing but a log line.
#include "tests/game/GameRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

std::string Tap(int frame, int key) {
    char line[64];
    std::snprintf(line, sizeof line, "%d key 0x%02X down\n%d key 0x%02X up\n", frame, key,
                  frame + 1, key);
    return line;
}

// Esc, Down to Settings, Enter; then the music one step down (Left) and,
// two rows below, the effects switched (Enter); Esc resumes.
std::string QuieterWithoutEffects() {
    return Tap(5, 0x1B) + Tap(8, 0x28) + Tap(11, 0x0D) + Tap(14, 0x25) + Tap(17, 0x28) +
           Tap(20, 0x28) + Tap(23, 0x0D) + Tap(26, 0x1B);
}

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace

TEST(MenuSettingsScenario, ChangesHoldAtOnceAndAfterARestartInThePlayersOwnFile) {
    const std::string content = "[CONFIGS]\nmusic_volume=40\nvoice_volume=90\n";
    const std::string data = DataWith({{"settings.ini", content}});
    const std::string config = MakeTempDir("config");
    // The player's file overrides the content folder's key by key.
    WriteFile(config + "/duskmaw/settings.ini", "[CONFIGS]\nvoice_volume=20\n");

    GameRun first = RunGame(QuieterWithoutEffects(), 40, data, {}, config);
    ASSERT_EQ(first.result.exitCode, 0) << first.result.output;
    EXPECT_NEAR(first.trace[4]["music"]["volume"].AsNumber(), 0.4, 1e-6);
    EXPECT_NEAR(first.trace[4]["voice_volume"].AsNumber(), 0.2, 1e-6);
    EXPECT_NEAR(first.trace[15]["music"]["volume"].AsNumber(), 0.3, 1e-6);
    EXPECT_TRUE(first.trace[15]["hit_effects"].AsBool());
    EXPECT_FALSE(first.trace[24]["hit_effects"].AsBool());
    EXPECT_FALSE(first.trace[30]["menu"]["open"].AsBool());
    EXPECT_FALSE(first.trace[30]["paused"].AsBool());

    const std::string kept = ReadFile(config + "/duskmaw/settings.ini");
    EXPECT_NE(kept.find("voice_volume=20"), std::string::npos) << kept;
    EXPECT_NE(kept.find("music_volume=30"), std::string::npos) << kept;
    EXPECT_NE(kept.find("effects=0"), std::string::npos) << kept;
    EXPECT_EQ(ReadFile(data + "/settings.ini"), content);

    GameRun second = RunGame("", 3, data, {}, config);
    EXPECT_NEAR(second.trace.back()["music"]["volume"].AsNumber(), 0.3, 1e-6);
    EXPECT_FALSE(second.trace.back()["hit_effects"].AsBool());
}

TEST(MenuSettingsScenario, AnUnusablePlayerFileGivesTheDefaultsAndOneLogLine) {
    // A folder where the file should be: nothing read, nothing written.
    const std::string blocked = MakeTempDir("config");
    std::filesystem::create_directories(blocked + "/duskmaw/settings.ini");
    GameRun folder = RunGame(QuieterWithoutEffects(), 40, "", {}, blocked);
    ASSERT_EQ(folder.result.exitCode, 0) << folder.result.output;
    EXPECT_EQ(CountOf(folder.log, "player settings"), 1) << folder.log;
    EXPECT_NEAR(folder.trace.back()["music"]["volume"].AsNumber(), 0.9, 1e-6); // still applied

    // Garbage and values out of range: the defaults, the game goes on.
    const std::string garbage = MakeTempDir("config");
    WriteFile(garbage + "/duskmaw/settings.ini",
              "\x01\xff[CONF\nmusic_volume=loud\n[CONFIGS]\neffects=7\nvoice_volume=-5\n=\n");
    GameRun junk = RunGame("", 3, "", {}, garbage);
    ASSERT_EQ(junk.result.exitCode, 0) << junk.result.output;
    EXPECT_EQ(junk.trace.back()["music"]["volume"].AsNumber(), 1.0);
    EXPECT_EQ(junk.trace.back()["voice_volume"].AsNumber(), 1.0);
    EXPECT_TRUE(junk.trace.back()["hit_effects"].AsBool());
}
