// The scripted tour of the shipped map (tools/demo/tour.input), played
// headless: every mechanic of the game happens on the way, read back from
// the trace. When the map or the balance changes, tools/demo/make-tour grows
// the script again.
#include "tests/game/GameRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

namespace {

struct Tour {
    std::string script;
    int frames = 0;
    std::map<std::string, int> regions; // name -> frame reached
};

Tour ReadTour() {
    Tour tour;
    tour.script =
        testing_support::ReadFile(testing_support::SourceDir() + "/tools/demo/tour.input");
    std::istringstream lines(tour.script);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string hash, what, name;
        words >> hash >> what;
        if (hash != "#") {
            continue;
        }
        if (what == "frames") {
            words >> tour.frames;
        } else if (what == "region") {
            int frame = 0;
            words >> name >> frame;
            tour.regions[name] = frame;
        }
    }
    return tour;
}

class TourScenario : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_tour = new Tour(ReadTour());
        s_run = new GameRun(RunGame(s_tour->script, s_tour->frames, "", {"--seed", "1"}));
    }
    static void TearDownTestSuite() {
        delete s_run;
        delete s_tour;
    }
    static Tour* s_tour;
    static GameRun* s_run;
};

Tour* TourScenario::s_tour = nullptr;
GameRun* TourScenario::s_run = nullptr;

TEST_F(TourScenario, TheWholeTourIsPlayedAndThePlayerComesThroughIt) {
    ASSERT_GT(s_tour->frames, 0) << "tour.input names no frame count";
    ASSERT_EQ(s_run->result.exitCode, 0) << s_run->result.output;
    ASSERT_EQ(s_run->trace.size(), static_cast<std::size_t>(s_tour->frames));
    for (const JsonValue& frame : s_run->trace) {
        ASSERT_GT(frame["player"]["health"].AsNumber(), 0)
            << "died at " << frame["frame"].AsNumber();
    }
    EXPECT_EQ(s_run->log.find("skipped"), std::string::npos) << s_run->log;
}

TEST_F(TourScenario, EveryRegionIsReachedAndEveryActionWordTakesEffect) {
    const std::set<std::string> kRegions = {"glade",   "wanderer",  "shrines",
                                            "library", "fire-path", "altar"};
    std::set<std::string> reached;
    for (const auto& [name, frame] : s_tour->regions) {
        reached.insert(name);
    }
    EXPECT_EQ(reached, kRegions);

    std::set<std::string> words, commands;
    for (const JsonValue& frame : s_run->trace) {
        for (const JsonValue& action : frame["actions"].AsArray()) {
            const std::string& command = action.AsString();
            commands.insert(command);
            words.insert(command.substr(0, command.find('_')));
        }
    }
    EXPECT_EQ(words, (std::set<std::string>{"addgroup", "addhealth", "aggdmg", "dialogue",
                                            "openbook", "powerup"}));
    for (const char* command :
         {"dialogue_statue", "dialogue_wanderer", "dialogue_shrine", "dialogue_shrine_fire",
          "dialogue_shrine_ice", "dialogue_shrine_earth", "dialogue_shrine_wind",
          "dialogue_lectern_primer", "dialogue_lectern_bestiary", "dialogue_altar", "addgroup_30",
          "aggdmg_150", "powerup_health", "openbook_chronicle"}) {
        EXPECT_TRUE(commands.count(command)) << command;
    }
}

// The player starts inside the Warden's reach: the tour's first step starts
// the lesson, and the ways on pass outside the ring, so it is heard once.
// The lecterns' books are taken into the pack, not opened on the spot.
TEST_F(TourScenario, TheWardenSpeaksAtTheFirstStepOnceAndTheLecternsGiveTheirBooks) {
    std::vector<int> lessons;
    std::set<std::string> carried;
    for (const JsonValue& frame : s_run->trace) {
        for (const JsonValue& action : frame["actions"].AsArray()) {
            if (action.AsString() == "dialogue_statue") {
                lessons.push_back(static_cast<int>(frame["frame"].AsNumber()));
            }
        }
        for (const JsonValue& item : frame["inventory"]["items"].AsArray()) {
            carried.insert(item["name"].AsString());
        }
    }
    ASSERT_EQ(lessons.size(), 1u);
    EXPECT_LE(lessons[0], s_tour->regions["glade"] + 10); // its first step
    EXPECT_TRUE(carried.count("Scroll") && carried.count("Bestiary"));
}

TEST_F(TourScenario, BooksAreTurnedChoicesEndDialoguesAndItemsAreUsed) {
    std::set<std::string> turned; // books seen past their first spread
    bool choiceEnded = false;
    int branch = -1;
    std::set<std::string> used;
    std::map<std::string, int> previous;
    for (const JsonValue& frame : s_run->trace) {
        if (frame["book"]["open"].AsBool() && frame["book"]["page"].AsNumber() > 0) {
            turned.insert(frame["book"]["name"].AsString());
        }
        // A dialogue that ended while playing the lines of a choice.
        const JsonValue& dialogue = frame["dialogue"];
        if (dialogue["main"].AsNumber() == -1 && branch >= 0) {
            choiceEnded = true;
        }
        branch = static_cast<int>(dialogue["branch"].AsNumber());
        std::map<std::string, int> now;
        for (const JsonValue& item : frame["inventory"]["items"].AsArray()) {
            ++now[item["name"].AsString()];
        }
        for (const auto& [name, count] : previous) {
            if (now[name] < count && frame["inventory"]["open"].AsBool()) {
                used.insert(name);
            }
        }
        previous = now;
    }
    EXPECT_EQ(turned, (std::set<std::string>{"primer", "bestiary", "chronicle"}));
    EXPECT_TRUE(choiceEnded);
    for (const char* item : {"Bread", "Mana Potion", "Health Potion"}) {
        EXPECT_TRUE(used.count(item)) << item;
    }
}

TEST_F(TourScenario, EnemiesOfEveryKindDieEverySpellKindIsCastAndTheScreenAnswers) {
    const JsonValue& last = s_run->trace.back();
    for (const char* kind : {"aggrevators", "minions", "mages", "fireballs"}) {
        EXPECT_GT(last["kills"][kind].AsNumber(), 0) << kind;
    }
    std::set<int> spellKinds;
    std::set<std::string> tracks;
    bool slow = false, effects = false, altarWave = false;
    for (const JsonValue& frame : s_run->trace) {
        for (const JsonValue& spell : frame["spells"].AsArray()) {
            spellKinds.insert(static_cast<int>(spell["kind"].AsNumber()));
        }
        tracks.insert(frame["music"]["state"].AsString());
        slow = slow || frame["slow"].AsNumber() > 1;
        effects = effects || frame["effects_on"].AsBool();
        // The first wave has spawned all it had by a minute and a bit.
        for (const JsonValue& group : frame["groups"].AsArray()) {
            altarWave = altarWave ||
                        (frame["frame"].AsNumber() > 4000 && group["remaining"].AsNumber() >= 25);
        }
    }
    EXPECT_EQ(spellKinds, (std::set<int>{0, 1, 2}));
    EXPECT_GE(tracks.size(), 2u); // the intro, then another track
    EXPECT_TRUE(slow);
    EXPECT_TRUE(effects);
    EXPECT_TRUE(altarWave);
}

} // namespace
