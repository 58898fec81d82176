// The music chain, dialogue lines and the d_sound.xml reader, on the timed
// output with a scripted clock and random source.
#include "game/audio/SoundManager.h"
#include "content/ContentReport.h"
#include "content/DialogueSoundReader.h"
#include "tests/game/SoundManagerTestHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using sound_test::MakeManager;
using sound_test::ScriptedHost;
using sound_test::WriteToneWav;

constexpr double kFrame = 1.0 / 60;

class SoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = testing_support::MakeTempDir("music");
        m_manager = MakeManager(m_host);
    }

    std::string Tone(const std::string& name, double seconds) {
        return WriteToneWav(m_dir + "/" + name + ".wav", seconds);
    }
    // Intro 0.5 s, loops 1 s, sting 0.3 s: short enough to run many ends.
    void RegisterTracks(bool withIntro = true) {
        m_manager->RegisterMusicTrack("fightint",
                                      withIntro ? Tone("int", 0.5) : m_dir + "/missing.ogg");
        m_manager->RegisterMusicTrack("fighting", Tone("loop", 1.0));
        m_manager->RegisterMusicTrack("fightingsolo", Tone("solo", 1.0));
        m_manager->RegisterMusicTrack("slowdown", Tone("stop", 0.3));
    }
    // Runs frames as the frame function does, recording the state each
    // frame starts a track in.
    std::vector<std::string> RunFrames(int frames) {
        std::vector<std::string> started;
        for (int i = 0; i < frames; ++i) {
            bool wasPlaying = m_manager->IsMusicPlaying();
            m_manager->UpdateMusic();
            // A playing track keeps its state: the next draw waits for its end.
            if (!wasPlaying && m_manager->IsMusicPlaying()) {
                started.push_back(m_manager->GetMusicState());
            }
            m_host.now += kFrame;
        }
        return started;
    }

    testing_support::HeadlessEngine m_engine;
    EngineContentReport m_report{*m_engine.get()};
    ScriptedHost m_host;
    std::string m_dir;
    std::unique_ptr<SoundManager> m_manager;
};

TEST_F(SoundManagerTest, TheIntroPlaysAloneThenEveryTrackFollowsTheRandomDraw) {
    RegisterTracks();
    m_host.numbers = {4};
    EXPECT_EQ(m_manager->GetMusicState(), "");
    std::vector<std::string> started = RunFrames(1);
    EXPECT_EQ(started, std::vector<std::string>{"fightint"});
    // Nothing else starts while the intro plays, and nothing is drawn.
    started = RunFrames(25);
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(m_host.draws, 0u);
    EXPECT_FALSE(m_manager->IsIntroDone());

    started = RunFrames(60 * 5);
    EXPECT_TRUE(m_manager->IsIntroDone());
    ASSERT_GE(started.size(), 4u);
    for (const std::string& state : started) {
        EXPECT_EQ(state, "fightingsolo");
    }
    EXPECT_TRUE(m_host.slowMotions.empty());
}

TEST_F(SoundManagerTest, EachTrackEndDrawsOnceWithChancesThreeTwoFive) {
    // With no playable tracks every frame ends one, so frame k shows draw k.
    m_host.numbers = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::vector<std::string> states;
    for (int i = 0; i < 10; ++i) {
        m_manager->UpdateMusic();
        states.push_back(m_manager->GetMusicState());
    }
    EXPECT_EQ(states, (std::vector<std::string>{"slowdown", "slowdown", "slowdown", "fightingsolo",
                                                "fightingsolo", "fighting", "fighting", "fighting",
                                                "fighting", "fighting"}));
    // A sting that cannot play slows nothing.
    EXPECT_TRUE(m_host.slowMotions.empty());
}

TEST_F(SoundManagerTest, DrawingTwoSlowsTheGameForASecondAtEveryTrackEnd) {
    RegisterTracks();
    m_host.numbers = {2};
    std::vector<std::string> started = RunFrames(60 * 3);
    // Intro 0.5 s, then the 0.3 s sting over and over.
    ASSERT_GE(started.size(), 5u);
    EXPECT_EQ(started.front(), "fightint");
    EXPECT_EQ(m_host.slowMotions.size(), m_host.draws);
    EXPECT_GE(m_host.slowMotions.size(), started.size() - 1);
    for (const sound_test::SlowMotion& slow : m_host.slowMotions) {
        EXPECT_FLOAT_EQ(slow.factor, 2.0f);
    }
    // The first one starts where the intro ended, and lasts one second.
    EXPECT_NEAR(m_host.slowMotions.front().end, 0.5 + 1.0, 2 * kFrame);
}

TEST_F(SoundManagerTest, AMissingIntroEndsAtOnceAndTheChainStartsInTheSecondFrame) {
    RegisterTracks(false);
    m_host.numbers = {7};
    std::vector<std::string> started = RunFrames(1);
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(m_manager->IsIntroDone());
    EXPECT_EQ(m_manager->GetMusicState(), "fighting");
    started = RunFrames(1);
    EXPECT_EQ(started, std::vector<std::string>{"fighting"});
}

TEST_F(SoundManagerTest, ADialogueLinePlaysForItsLengthAndUnknownNamesPlayNothing) {
    m_manager->RegisterDialogueSound("hello", Tone("hello", 0.8));
    EXPECT_FALSE(m_manager->IsDialoguePlaying());
    m_host.now = 3.0;
    m_manager->PlayDialogueSound("hello");
    EXPECT_TRUE(m_manager->IsDialoguePlaying());
    m_host.now = 3.75;
    EXPECT_TRUE(m_manager->IsDialoguePlaying());
    m_host.now = 3.85;
    EXPECT_FALSE(m_manager->IsDialoguePlaying());

    m_manager->PlayDialogueSound("hello");
    EXPECT_TRUE(m_manager->IsDialoguePlaying());
    // A line without a sound ends at once rather than on the last line's channel.
    m_manager->PlayDialogueSound("Hello");
    EXPECT_FALSE(m_manager->IsDialoguePlaying());
}

TEST_F(SoundManagerTest, TheReaderKeepsTheLaterOfTwoSoundsWithOneNameAndAddsTheTracks) {
    std::string file = m_dir + "/d_sound.xml";
    testing_support::WriteFile(file, "<dialogue_sounds>\n"
                                     "  <sound name=\"hello\" path=\"" +
                                         Tone("short", 0.2) +
                                         "\"/>\n"
                                         "  <sound name=\"nameless\"/>\n"
                                         "  <sound name=\"hello\" path=\"" +
                                         Tone("long", 1.0) +
                                         "\"/>\n"
                                         "</dialogue_sounds>\n");
    ASSERT_TRUE(ReadDialogueSoundFile(file, *m_manager, m_report));
    EXPECT_FALSE(m_manager->HasDialogueSound("nameless"));
    m_manager->PlayDialogueSound("hello");
    m_host.now = 0.5;
    EXPECT_TRUE(m_manager->IsDialoguePlaying());
    for (const char* state : {"fightint", "fighting", "fightingsolo", "slowdown", "outrolose",
                              "outrowin", "mainmenu"}) {
        EXPECT_TRUE(m_manager->HasMusicTrack(state)) << state;
    }
}

TEST_F(SoundManagerTest, AnUnreadableSoundListShowsTheLoadErrorAndRegistersNothing) {
    std::string file = m_dir + "/absent.xml";
    EXPECT_FALSE(ReadDialogueSoundFile(file, *m_manager, m_report));
    EXPECT_NE(
        m_engine.ReadLog().find("The parser cannot load the XML document, located at: " + file),
        std::string::npos);
    EXPECT_FALSE(m_manager->HasMusicTrack("fightint"));
    EXPECT_FALSE(m_manager->HasMusicTrack("mainmenu"));
}

class FailingOutput : public SoundBackend {
public:
    SoundResult Open(int, std::string* error) override {
        *error = "test";
        return SOUND_ERR_OUTPUT_INIT;
    }
    std::unique_ptr<Sound> Load(const char*, SoundResult* result) override {
        *result = SOUND_ERR_UNSUPPORTED;
        return nullptr;
    }
    SoundResult Play(int, Sound&, ChannelGrant*) override { return SOUND_ERR_UNSUPPORTED; }
    SoundResult IsPlaying(const ChannelGrant&, bool*) override { return SOUND_ERR_UNSUPPORTED; }
    SoundResult Stop(const ChannelGrant&) override { return SOUND_ERR_UNSUPPORTED; }
    SoundResult SetVolume(const ChannelGrant&, float) override { return SOUND_ERR_UNSUPPORTED; }
    SoundResult GetVolume(const ChannelGrant&, float*) override { return SOUND_ERR_UNSUPPORTED; }
    SoundResult SetPaused(const ChannelGrant&, bool) override { return SOUND_ERR_UNSUPPORTED; }
    void StopAll() override {}
    void Update() override {}
    void Close() override {}
    const char* Name() const override { return "failing"; }
};

TEST(SoundManagerDeathTest, ASoundSystemThatCannotStartEndsTheProcessWithItsMessage) {
    testing_support::HeadlessEngine engine;
    SoundSystemSetup setup;
    setup.backend = std::make_shared<FailingOutput>();
    EXPECT_EXIT(SoundManager manager(setup), ::testing::ExitedWithCode(255), "");
    EXPECT_NE(
        engine.ReadLog().find("Sound error! (4) The audio output device could not be opened."),
        std::string::npos);
}

} // namespace
