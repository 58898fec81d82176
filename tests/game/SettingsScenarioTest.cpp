// The players' settings in "settings.ini", read back from the game's trace.
#include "tests/game/GameRun.h"

#include <gtest/gtest.h>

TEST(SettingsScenario, VolumesAndEffectsComeFromTheSettings) {
    GameRun run = RunGame("", 5,
                          DataWith({{"settings.ini", "[CONFIGS]\nmusic_volume=40\n"
                                                     "voice_volume=20\neffects=0\n"}}));
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    const JsonValue& last = run.trace.back();
    EXPECT_NEAR(last["music"]["volume"].AsNumber(), 0.4, 1e-6);
    EXPECT_FALSE(last["hit_effects"].AsBool());
}

TEST(SettingsScenario, ValuesOutOfRangeOrNotNumbersTakeTheDefaults) {
    GameRun run = RunGame("", 5,
                          DataWith({{"settings.ini", "[CONFIGS]\nmusic_volume=250\n"
                                                     "effects=maybe\nvsync=2\n"}}));
    ASSERT_EQ(run.result.exitCode, 0);
    EXPECT_EQ(run.trace.back()["music"]["volume"].AsNumber(), 1.0);
    EXPECT_TRUE(run.trace.back()["hit_effects"].AsBool());
}

TEST(SettingsScenario, WithoutHitEffectsDamageNeverTurnsTheScreenEffectsOn) {
    // A burning pit under the player's start hurts it on the first step.
    const std::pair<std::string, std::string> pit = {
        "resources/entity.xml", "<entitydata><entity name='pit' sprname='brazier' parname=''>"
                                "<triggers pl='aggdmg_50' sp='' en=''/></entity></entitydata>"};
    const std::pair<std::string, std::string> map = {
        "maps/map1.xml", "<map name='pit'><entity x='512' y='384' ent_name='pit'/></map>"};
    const std::string walk = "2 key 0x44 down\n20 key 0x44 up\n";
    auto everOn = [](const GameRun& run) {
        bool on = false;
        for (const JsonValue& record : run.trace) {
            on = on || record["effects_on"].AsBool();
        }
        return on;
    };
    GameRun shaken = RunGame(walk, 30, DataWith({pit, map}));
    GameRun calm =
        RunGame(walk, 30, DataWith({pit, map, {"settings.ini", "[CONFIGS]\neffects=0\n"}}));
    ASSERT_EQ(calm.result.exitCode, 0);
    EXPECT_TRUE(everOn(shaken));
    EXPECT_FALSE(everOn(calm));
    EXPECT_EQ(calm.trace.back()["player"]["health"].AsNumber(), 950); // hurt all the same
}

TEST(SettingsScenario, BarsAndMarkersAreOnUnlessTheSettingsTurnThemOff) {
    auto hud = [](const std::string& settings) {
        GameRun run = RunGame("", 3, DataWith({{"settings.ini", settings}}));
        EXPECT_EQ(run.result.exitCode, 0);
        return run.trace.back()["hud"];
    };
    const JsonValue shown = hud("[CONFIGS]\nenemy_bars=7\n");
    const JsonValue hidden = hud("[CONFIGS]\nhealth_bar=0\nenemy_bars=0\nenemy_markers=0\n");
    for (const char* key : {"health_bar", "enemy_bars", "enemy_markers"}) {
        EXPECT_TRUE(shown[key].AsBool()) << key;
        EXPECT_FALSE(hidden[key].AsBool()) << key;
    }
}
