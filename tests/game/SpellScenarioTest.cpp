// Casting in the real game, headless: keys and a right click, read back from
// the trace.
#include "tests/game/GameRun.h"
#include "tests/game/SpellTestSupport.h"

#include <gtest/gtest.h>

using spell_test::Spell;
using spell_test::SpellText;

TEST(SpellScenario, ABoltAndAnAreaCastFromThePlayerCostTheirOrbs) {
    SpellText bolt;
    bolt.effect = "special='0' no='1' dur='1' speed='300' sprname='sp_fire'";
    SpellText quake;
    quake.type = "S_AREA";
    quake.size = "w='200' h='200'";
    quake.effect = "special='1' no='0' dur='2' speed='0' sprname='Earthquake'";
    quake.combine = "e='3' it='1'";
    const std::string data =
        DataWith({{"resources/spells.xml", "<spells>" + Spell(bolt) + Spell(quake) + "</spells>"}});
    // The pointer right of the player (at 512, 384), so it faces 0 degrees.
    GameRun run = RunGame("1 mouse 800 384\n"
                          "5 key 0x31 down\n12 key 0x02 down\n13 key 0x02 up\n14 key 0x31 up\n"
                          "30 key 0x51 down\n30 key 0x33 down\n32 key 0x33 up\n32 key 0x51 up\n"
                          "36 key 0x02 down\n37 key 0x02 up\n",
                          130, data);
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;

    const JsonValue& before = Frame(run, 11);
    EXPECT_EQ(before["spell_index"].AsNumber(), 0);
    EXPECT_EQ(before["orbs"][0].AsNumber(), 30);
    EXPECT_EQ(before["spells"].size(), 0u);

    const JsonValue& cast = Frame(run, 12);
    EXPECT_EQ(cast["orbs"][0].AsNumber(), 29);
    ASSERT_EQ(cast["spells"].size(), 1u);
    EXPECT_EQ(cast["spells"][0]["kind"].AsNumber(), 0);
    EXPECT_EQ(cast["spells"][0]["angle"].AsNumber(), 0);
    EXPECT_NEAR(cast["spells"][0]["x"].AsNumber(), 517, 0.01); // its first step
    EXPECT_NEAR(cast["spells"][0]["y"].AsNumber(), 384, 0.01);
    // One cast per press, not per held frame.
    EXPECT_EQ(Frame(run, 13)["orbs"][0].AsNumber(), 29);
    EXPECT_NEAR(Frame(run, 20)["spells"][0]["x"].AsNumber(), 557, 0.05);

    EXPECT_EQ(Frame(run, 33)["spell_index"].AsNumber(), 1);
    const JsonValue& quaked = Frame(run, 36);
    EXPECT_EQ(quaked["orbs"][2].AsNumber(), 7);
    ASSERT_EQ(quaked["spells"].size(), 2u);
    EXPECT_EQ(quaked["spells"][1]["kind"].AsNumber(), 2);
    EXPECT_EQ(quaked["spells"][1]["x"].AsNumber(), 512);
    // The bolt's second is up first; the quake ends with its effect.
    EXPECT_EQ(Frame(run, 80)["spells"].size(), 1u);
    EXPECT_EQ(Frame(run, 129)["spells"].size(), 0u);
}
