// The sound library's contract as the game relies on it, on the timed output
// that headless runs use.
#include "platform/sound/SoundSystem.h"
#include "tests/platform/SoundTestFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using sound_test::Shipped;

class TimedSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        SoundSystemSetup setup;
        setup.output = SoundOutput::Timed;
        setup.clock = [this] { return m_now; };
        ASSERT_EQ(Sound_SystemCreate(&m_system, setup), SOUND_OK);
    }
    void TearDown() override {
        if (m_system != nullptr) {
            m_system->Release();
        }
    }

    Sound* Stream(const std::string& path) {
        Sound* sound = nullptr;
        m_system->CreateStream(path.c_str(), SOUND_DEFAULT, nullptr, &sound);
        return sound;
    }

    bool Playing(const SoundChannel& channel) {
        bool playing = true;
        channel.IsPlaying(&playing);
        return playing;
    }

    testing_support::HeadlessEngine m_engine;
    SoundSystem* m_system = nullptr;
    double m_now = 0.0;
};

TEST(SoundResultTest, EveryCodeHasItsOwnTextAndUnknownCodesSaySo) {
    EXPECT_STREQ(Sound_ErrorString(SOUND_OK), "No errors.");
    EXPECT_STREQ(Sound_ErrorString(-7), "Unknown error.");
    EXPECT_STREQ(Sound_ErrorString(SOUND_ERR_UNSUPPORTED + 1), "Unknown error.");
    std::set<std::string> texts;
    for (int code = SOUND_OK; code <= SOUND_ERR_UNSUPPORTED; ++code) {
        texts.insert(Sound_ErrorString(code));
    }
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(SOUND_ERR_UNSUPPORTED + 1));
    EXPECT_EQ(texts.count("Unknown error."), 0u);
}

TEST_F(TimedSoundTest, InitChecksItsArgumentsAndRunsOnce) {
    Sound* sound = nullptr;
    EXPECT_EQ(
        m_system->CreateStream(Shipped("sounds/int.ogg").c_str(), SOUND_DEFAULT, nullptr, &sound),
        SOUND_ERR_UNINITIALIZED);
    EXPECT_EQ(m_system->Init(0, SOUND_INIT_NORMAL, nullptr), SOUND_ERR_INVALID_PARAM);
    EXPECT_EQ(m_system->Init(100, SOUND_INIT_NORMAL, nullptr), SOUND_OK);
    EXPECT_EQ(m_system->Init(100, SOUND_INIT_NORMAL, nullptr), SOUND_ERR_INITIALIZED);
    EXPECT_STREQ(m_system->GetOutputName(), "timed");
}

TEST_F(TimedSoundTest, OggAndMp3PlayForTheirRealLengthOnTheClock) {
    ASSERT_EQ(m_system->Init(100, SOUND_INIT_NORMAL, nullptr), SOUND_OK);
    Sound* line = Stream(Shipped("sounds/voice/shrine_2.ogg"));
    Sound* menu = Stream(Shipped("sounds/mainmenu.mp3"));
    ASSERT_TRUE(line->IsUsable());
    ASSERT_TRUE(menu->IsUsable());
    EXPECT_NEAR(line->GetLength(), 2.56, 0.05);
    EXPECT_NEAR(menu->GetLength(), 38.4, 0.2);

    m_now = 10.0;
    SoundChannel lineChannel;
    SoundChannel menuChannel;
    ASSERT_EQ(m_system->PlaySound(SOUND_CHANNEL_FREE, line, false, &lineChannel), SOUND_OK);
    ASSERT_EQ(m_system->PlaySound(SOUND_CHANNEL_FREE, menu, false, &menuChannel), SOUND_OK);
    EXPECT_TRUE(Playing(lineChannel));
    m_now = 10.0 + line->GetLength() - 0.02;
    EXPECT_TRUE(Playing(lineChannel));
    m_now = 10.0 + line->GetLength() + 0.02;
    EXPECT_FALSE(Playing(lineChannel));
    EXPECT_TRUE(Playing(menuChannel));
    m_now = 10.0 + menu->GetLength() + 0.02;
    EXPECT_FALSE(Playing(menuChannel));
}

TEST_F(TimedSoundTest, AFileThatCannotBeOpenedGivesAHandleThatPlaysNothing) {
    ASSERT_EQ(m_system->Init(100, SOUND_INIT_NORMAL, nullptr), SOUND_OK);
    std::string dir = testing_support::MakeTempDir("sound");
    std::string garbage = dir + "/noise.ogg";
    testing_support::WriteFile(garbage, "this is not an ogg file");

    Sound* missing = nullptr;
    EXPECT_EQ(m_system->CreateStream((dir + "/gone.ogg").c_str(), SOUND_DEFAULT, nullptr, &missing),
              SOUND_ERR_FILE_NOT_FOUND);
    Sound* broken = nullptr;
    EXPECT_EQ(m_system->CreateStream(garbage.c_str(), SOUND_DEFAULT, nullptr, &broken),
              SOUND_ERR_FORMAT);
    for (Sound* sound : {missing, broken}) {
        ASSERT_NE(sound, nullptr);
        EXPECT_FALSE(sound->IsUsable());
        SoundChannel channel;
        EXPECT_NE(m_system->PlaySound(SOUND_CHANNEL_FREE, sound, false, &channel), SOUND_OK);
        EXPECT_FALSE(channel.IsSet());
        EXPECT_FALSE(Playing(channel));
    }
    EXPECT_NE(m_engine.ReadLog().find("gone.ogg"), std::string::npos);
}

TEST_F(TimedSoundTest, UnsetAndReusedChannelsReadAsNotPlaying) {
    ASSERT_EQ(m_system->Init(1, SOUND_INIT_NORMAL, nullptr), SOUND_OK);
    SoundChannel unset;
    bool playing = true;
    EXPECT_EQ(unset.IsPlaying(&playing), SOUND_ERR_INVALID_HANDLE);
    EXPECT_FALSE(playing);

    Sound* line = Stream(Shipped("sounds/voice/shrine_2.ogg"));
    SoundChannel first;
    ASSERT_EQ(m_system->PlaySound(SOUND_CHANNEL_FREE, line, false, &first), SOUND_OK);
    // The only channel is busy until the line ends.
    SoundChannel refused;
    EXPECT_EQ(m_system->PlaySound(SOUND_CHANNEL_FREE, line, false, &refused),
              SOUND_ERR_CHANNEL_ALLOC);
    EXPECT_FALSE(refused.IsSet());

    m_now = 100.0;
    SoundChannel second;
    ASSERT_EQ(m_system->PlaySound(SOUND_CHANNEL_FREE, line, false, &second), SOUND_OK);
    EXPECT_TRUE(Playing(second));
    // The old handle must not report the new play on its channel.
    EXPECT_EQ(first.IsPlaying(&playing), SOUND_ERR_INVALID_HANDLE);
    EXPECT_FALSE(playing);

    EXPECT_EQ(second.Stop(), SOUND_OK);
    EXPECT_FALSE(Playing(second));
}

TEST_F(TimedSoundTest, AVolumeBelongsToOnePlay) {
    ASSERT_EQ(m_system->Init(1, SOUND_INIT_NORMAL, nullptr), SOUND_OK);
    Sound* line = Stream(Shipped("sounds/voice/shrine_2.ogg"));
    SoundChannel first;
    ASSERT_EQ(m_system->PlaySound(SOUND_CHANNEL_FREE, line, false, &first), SOUND_OK);
    float volume = 0;
    EXPECT_EQ(first.SetVolume(0.25f), SOUND_OK);
    first.GetVolume(&volume);
    EXPECT_EQ(volume, 0.25f);
    m_now = 100.0;
    SoundChannel second;
    ASSERT_EQ(m_system->PlaySound(SOUND_CHANNEL_FREE, line, false, &second), SOUND_OK);
    second.GetVolume(&volume);
    EXPECT_EQ(volume, 1.0f);
    EXPECT_EQ(first.SetVolume(0.5f), SOUND_ERR_INVALID_HANDLE);
    SoundChannel unset;
    EXPECT_EQ(unset.GetVolume(&volume), SOUND_ERR_INVALID_HANDLE);
}

TEST_F(TimedSoundTest, AChannelOutlivingItsSystemReadsAsNotPlaying) {
    ASSERT_EQ(m_system->Init(4, SOUND_INIT_NORMAL, nullptr), SOUND_OK);
    SoundChannel channel;
    ASSERT_EQ(
        m_system->PlaySound(SOUND_CHANNEL_FREE, Stream(Shipped("sounds/int.ogg")), false, &channel),
        SOUND_OK);
    m_system->Release();
    m_system = nullptr;
    EXPECT_FALSE(Playing(channel));
}

// A voice line started in frame 4 of a headless run of 0.25 s frames: the
// last frame it is heard in. A fast output plays four times as fast, as a
// device on its own clock may.
int LastFrameHeard(EngineOptions options, bool fastOutput = false) {
    options.dt = 0.25;
    options.frames = 40;
    testing_support::HeadlessEngine engine(options);
    SoundSystemSetup setup;
    if (fastOutput) {
        setup.output = SoundOutput::Timed;
        setup.clock = [&] { return 4.0 * engine->Timer_GetTime(); };
    }
    SoundSystem* system = nullptr;
    EXPECT_EQ(Sound_SystemCreate(&system, setup), SOUND_OK);
    EXPECT_EQ(system->Init(100, SOUND_INIT_NORMAL, nullptr), SOUND_OK);
    EXPECT_STREQ(system->GetOutputName(), "timed");
    Sound* line = nullptr;
    system->CreateStream(Shipped("sounds/voice/shrine_2.ogg").c_str(), SOUND_DEFAULT, nullptr,
                         &line);
    SoundChannel channel;
    int lastPlayingFrame = -1;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        if (engine->System_GetFrame() == 4) {
            system->PlaySound(SOUND_CHANNEL_FREE, line, false, &channel);
        }
        bool playing = false;
        channel.IsPlaying(&playing);
        lastPlayingFrame = playing ? engine->System_GetFrame() : lastPlayingFrame;
        system->Update();
        return false;
    });
    engine->System_Start();
    system->Release();
    return lastPlayingFrame;
}

TEST(SoundHeadlessTest, HeadlessRunsTimeSoundsOnTheEnginesSimulatedClock) {
    // 2.56 s at 0.25 s a frame: started in frame 4, heard through frame 14.
    EXPECT_EQ(LastFrameHeard({}), 14);
}

TEST(SoundHeadlessTest, AReplayHearsSoundsEndWhenTheRecordedRunDidWhateverItsOutput) {
    EngineOptions record;
    record.recordFile = testing_support::MakeTempDir("sound-replay") + "/run.rec";
    const int recorded = LastFrameHeard(record, true);
    EXPECT_LT(recorded, 8); // 2.56 s of sound over in under a second of game time
    EngineOptions replay;
    replay.replayFile = record.recordFile;
    EXPECT_EQ(LastFrameHeard(replay), recorded);
}

} // namespace
