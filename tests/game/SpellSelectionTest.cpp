// Element keys into the selection flags and the spell they select, through
// the headless engine's scripted keys.
#include "game/actors/SpellSelection.h"
#include "game/actors/SpellManager.h"
#include "game/core/GameClock.h"
#include "platform/registry/Registry.h"
#include "tests/game/SpellTestSupport.h"

#include <gtest/gtest.h>

using spell_test::Spell;
using spell_test::SpellText;

namespace {

struct Selection {
    int index;
    bool fire, ice, earth, wind, it;
};

SpellText Combining(const std::string& combine) {
    SpellText spell;
    spell.combine = combine;
    return spell;
}

// Frames of 0.05 s: selection, then the clock, as the frame function does.
std::vector<Selection> RunSelection(const std::string& script, int frames) {
    Registry::Current().Reset();
    const std::string dir = testing_support::MakeTempDir("select");
    EngineOptions options;
    options.headless = true;
    options.dt = 0.05;
    options.frames = frames;
    options.inputFile = dir + "/input.txt";
    testing_support::WriteFile(options.inputFile, script);
    testing_support::HeadlessEngine engine(options);
    DefinitionDatabase spells;
    // 0 can never be chosen; fire+ice twice, the first wins.
    spell_test::LoadSpells(spells, Spell(Combining("f='1' it='2.9'")) + Spell(Combining("f='1'")) +
                                       Spell(Combining("i='1'")) + Spell(Combining("f='1' i='1'")) +
                                       Spell(Combining("f='2' i='2'")) +
                                       Spell(Combining("f='1' it='1'")) + "<spell type='x'/>" +
                                       Spell(Combining("e='1'")));
    TheSpellManager().UseDefinitions(&spells);
    GameClock& clock = TheGameClock();
    std::vector<Selection> out;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        const int index = SelectSpell();
        out.push_back({index, clock.fire, clock.ice, clock.earth, clock.wind, clock.it});
        clock.Update();
        return false;
    });
    engine->System_Start();
    Registry::Current().Reset();
    return out;
}

} // namespace

TEST(SpellSelection, KeysWithinATenthOfASecondCombineAndLaterOnesStartAfresh) {
    // 1 alone, 2 one frame (0.05 s) after it, and 2 again 0.2 s after a later 1.
    auto frames = RunSelection("2 key 0x31 down\n3 key 0x31 up\n3 key 0x32 down\n"
                               "4 key 0x32 up\n20 key 0x31 down\n21 key 0x31 up\n"
                               "24 key 0x32 down\n25 key 0x32 up\n",
                               30);
    EXPECT_EQ(frames[1].index, -1);
    EXPECT_TRUE(frames[2].fire);
    EXPECT_EQ(frames[2].index, 1); // not 0, whose it is 2
    EXPECT_TRUE(frames[3].fire && frames[3].ice);
    EXPECT_EQ(frames[3].index, 3);
    EXPECT_EQ(frames[10].index, 3); // the selection stays after the keys go
    EXPECT_TRUE(frames[20].fire);
    EXPECT_FALSE(frames[20].ice);
    EXPECT_FALSE(frames[24].fire); // 0.2 s after the 1
    EXPECT_TRUE(frames[24].ice);
    EXPECT_EQ(frames[24].index, 2);
}

TEST(SpellSelection, QAddsTheItFlagAndFiveClearsInTheSameFrame) {
    auto frames = RunSelection("2 key 0x31 down\n2 key 0x51 down\n4 key 0x51 up\n"
                               "6 key 0x35 down\n7 key 0x35 up\n7 key 0x31 up\n"
                               "10 key 0x33 down\n11 key 0x33 up\n",
                               14);
    EXPECT_TRUE(frames[2].fire && frames[2].it);
    EXPECT_EQ(frames[2].index, 5);
    // 1 still held, 5 pressed: nothing is left selected in that frame.
    EXPECT_FALSE(frames[6].fire || frames[6].it);
    EXPECT_EQ(frames[6].index, -1);
    // The skipped record before it does not renumber earth.
    EXPECT_EQ(frames[10].index, 7);
}
