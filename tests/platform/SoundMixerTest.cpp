// Smoke tests of the SDL2_mixer output on SDL's dummy audio driver: real
// decoding and mixing, no hardware.
#include "platform/sound/SoundSystem.h"
#include "tests/platform/SoundTestFiles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using sound_test::Shipped;

class MixerSoundTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override {
        if (m_system != nullptr) {
            m_system->Release();
        }
        unsetenv("SDL_AUDIODRIVER");
    }

    void Open() {
        SoundSystemSetup setup;
        setup.output = SoundOutput::Device;
        ASSERT_EQ(Sound_SystemCreate(&m_system, setup), SOUND_OK);
        ASSERT_EQ(m_system->Init(100, SOUND_INIT_NORMAL, nullptr), SOUND_OK);
    }

    SoundChannel Play(const std::string& path) {
        Sound* sound = nullptr;
        m_system->CreateStream(path.c_str(), SOUND_DEFAULT, nullptr, &sound);
        SoundChannel channel;
        EXPECT_EQ(m_system->PlaySound(SOUND_CHANNEL_FREE, sound, false, &channel), SOUND_OK)
            << path;
        return channel;
    }

    static bool Playing(const SoundChannel& channel) {
        bool playing = false;
        channel.IsPlaying(&playing);
        return playing;
    }

    testing_support::HeadlessEngine m_engine;
    SoundSystem* m_system = nullptr;
};

TEST_F(MixerSoundTest, ATrackALineAndAnMp3PlayTogether) {
    Open();
    EXPECT_STREQ(m_system->GetOutputName(), "device");
    SoundChannel track = Play(Shipped("sounds/loop1x.ogg"));
    SoundChannel line = Play(Shipped("sounds/voice/statue_3.ogg"));
    // The streamed slot is taken, so the second long file is decoded instead.
    SoundChannel menu = Play(Shipped("sounds/mainmenu.mp3"));
    m_system->Update();
    EXPECT_TRUE(Playing(track));
    EXPECT_TRUE(Playing(line));
    EXPECT_TRUE(Playing(menu));

    EXPECT_EQ(track.Stop(), SOUND_OK);
    EXPECT_FALSE(Playing(track));
    EXPECT_TRUE(Playing(line));
}

TEST_F(MixerSoundTest, AShortSoundEndsAndItsChannelSaysSo) {
    Open();
    std::string dir = testing_support::MakeTempDir("mixer");
    SoundChannel blip = Play(sound_test::WriteToneWav(dir + "/blip.wav", 0.05));
    EXPECT_TRUE(Playing(blip));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (Playing(blip) && std::chrono::steady_clock::now() < deadline) {
        m_system->Update();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(Playing(blip));
}

TEST_F(MixerSoundTest, WithoutAUsableDeviceTheSystemPlaysSilentlyAndLogsIt) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Open();
    EXPECT_STREQ(m_system->GetOutputName(), "silent");
    EXPECT_NE(m_engine.ReadLog().find("no audio device"), std::string::npos);
    SoundChannel line = Play(Shipped("sounds/voice/statue_3.ogg"));
    EXPECT_TRUE(Playing(line));
}

} // namespace

TEST_F(MixerSoundTest, VolumesAreHeldToTheirRangeAndEveryPlayStartsFull) {
    Open();
    SoundChannel track = Play(Shipped("sounds/loop1x.ogg"));
    SoundChannel line = Play(Shipped("sounds/voice/statue_3.ogg"));
    float volume = 0;
    ASSERT_EQ(track.SetVolume(0.5f), SOUND_OK);
    ASSERT_EQ(line.SetVolume(7.0f), SOUND_OK);
    track.GetVolume(&volume);
    EXPECT_NEAR(volume, 0.5f, 1.0f / 128);
    line.GetVolume(&volume);
    EXPECT_EQ(volume, 1.0f);
    line.SetVolume(-3);
    line.GetVolume(&volume);
    EXPECT_EQ(volume, 0.0f);
    // The track's next play is at full volume again.
    track.Stop();
    SoundChannel again = Play(Shipped("sounds/loop1x.ogg"));
    again.GetVolume(&volume);
    EXPECT_EQ(volume, 1.0f);
    EXPECT_EQ(track.SetVolume(0.2f), SOUND_ERR_INVALID_HANDLE);
}
