#include "tools/soundgen/Tracks.h"

#include "tools/soundgen/Instruments.h"
#include "tools/soundgen/Mastering.h"
#include "tools/soundgen/Reverb.h"
#include "tools/soundgen/Score.h"

namespace soundgen {
namespace {

// Every track is mastered to the same level so the random chain never jumps.
constexpr double kRmsDb = -18.0;
constexpr double kCeilingDb = -2.0;
constexpr int kLoopBars = 24;

// Builds from a low drone and the pad out of silence to the fight groove,
// ending on the dominant with a roll that lands on a loop's first beat.
Mix Intro() {
    Mix mix(6 * kBar + 3.0);
    Drone(mix, 0.0, 6 * kBar, 26, 0.10f);
    for (int bar = 0; bar < 6; ++bar) {
        PadBar(mix, bar, 0.025f + 0.012f * static_cast<float>(bar));
    }
    DrumBar(mix, 2, Drums::Sparse, 0.35f);
    DrumBar(mix, 3, Drums::Sparse, 0.5f);
    DrumBar(mix, 4, Drums::Groove, 0.6f);
    DrumBar(mix, 5, Drums::Fill, 0.7f);
    BassBar(mix, 4, 0.16f);
    BassBar(mix, 5, 0.18f);
    AddReverb(mix, 0.6f, 0.82f);
    CutTo(mix, 6 * kBar);
    Master(mix, kRmsDb, kCeilingDb);
    Fade(mix, 0.5, 0.005);
    return mix;
}

// The fight loop: three eight-bar sections, each busier than the last.
// withMelody adds the lead over the middle sixteen bars.
Mix FightLoop(bool withMelody) {
    Mix mix(kLoopBars * kBar + 3.0);
    for (int bar = 0; bar < kLoopBars; ++bar) {
        Drums style = bar < 8 ? Drums::Groove : Drums::Full;
        if (bar % 8 == 7) {
            style = Drums::Fill;
        }
        DrumBar(mix, bar, style, 0.7f);
        BassBar(mix, bar, 0.18f);
        PadBar(mix, bar, bar < 8 ? 0.04f : 0.055f);
    }
    if (withMelody) {
        Melody(mix, 4, 0, 0.12f);
        Melody(mix, 12, 12, 0.08f);
        Melody(mix, 12, 0, 0.06f);
    } else {
        Drone(mix, 8 * kBar, 16 * kBar - 1.5, 26, 0.06f);
    }
    AddReverb(mix, 0.5f, 0.8f);
    WrapLoop(mix, kLoopBars * kBar);
    Master(mix, kRmsDb, kCeilingDb);
    Fade(mix, 0.003, 0.005);
    return mix;
}

// One heavy hit on D, run down like a tape when time slows.
Mix Sting() {
    Mix mix(3.0);
    Taiko(mix, 0.0, 1.0f, 0.8f, 0.0f);
    Taiko(mix, 0.01, 0.8f, 0.6f, 0.0f);
    Pad(mix, 0.0, 1.6, {38, 50, 53, 57}, 0.08f);
    Bass(mix, 0.0, 1.6, 26, 0.3f);
    Mix slowed = TapeStop(mix, 0.3);
    AddReverb(slowed, 0.7f, 0.85f);
    Master(slowed, kRmsDb, kCeilingDb);
    Fade(slowed, 0.002, 1.0);
    return slowed;
}

// Gm - A - Dm, falling away: the fight is lost.
Mix OutroLose() {
    Mix mix(9.0);
    Pad(mix, 0.0, kBar - 0.1, {50, 55, 58}, 0.06f);
    Pad(mix, kBar, kBar - 0.1, {49, 52, 57}, 0.06f);
    Pad(mix, 2 * kBar, 2.5, {50, 53, 57}, 0.07f);
    Bass(mix, 0.0, kBar - 0.1, 31, 0.2f);
    Bass(mix, kBar, kBar - 0.1, 33, 0.2f);
    Bass(mix, 2 * kBar, 2.5, 26, 0.25f);
    const int fall[] = {69, 67, 65, 64, 62};
    for (int i = 0; i < 5; ++i) {
        Lead(mix, i * 1.2, i == 4 ? 2.5 : 1.0, fall[i], 0.06f);
    }
    Taiko(mix, 0.0, 0.8f, 0.9f, 0.0f);
    Taiko(mix, 2 * kBar, 0.9f, 0.8f, 0.0f);
    AddReverb(mix, 0.7f, 0.85f);
    Master(mix, kRmsDb, kCeilingDb);
    Fade(mix, 0.002, 2.5);
    return mix;
}

// Bb - C - D major: the minor key opens into light.
Mix OutroWin() {
    Mix mix(9.0);
    Pad(mix, 0.0, kBar - 0.1, {50, 53, 58}, 0.06f);
    Pad(mix, kBar, kBar - 0.1, {48, 52, 55}, 0.06f);
    Pad(mix, 2 * kBar, 3.0, {50, 54, 57, 62}, 0.07f);
    Bass(mix, 0.0, kBar - 0.1, 34, 0.2f);
    Bass(mix, kBar, kBar - 0.1, 36, 0.2f);
    Bass(mix, 2 * kBar, 3.0, 38, 0.22f);
    const int rise[] = {69, 70, 72, 74, 78};
    for (int i = 0; i < 5; ++i) {
        Lead(mix, i * 1.2, i == 4 ? 3.0 : 1.0, rise[i], 0.06f);
    }
    for (int beat = 0; beat < 8; beat += 2) {
        Taiko(mix, beat * kBeat, 0.6f, 1.0f, beat % 4 == 0 ? -0.2f : 0.2f);
    }
    Taiko(mix, 2 * kBar, 1.0f, 0.9f, 0.0f);
    Shime(mix, 2 * kBar, 0.5f, 0.3f);
    AddReverb(mix, 0.6f, 0.85f);
    Master(mix, kRmsDb, kCeilingDb);
    Fade(mix, 0.002, 2.5);
    return mix;
}

// Calm: drone, pad and the melody an octave down, drums only on the bar.
Mix MainMenu() {
    constexpr int bars = 16;
    Mix mix(bars * kBar + 3.0);
    Drone(mix, 0.0, bars * kBar - 1.0, 26, 0.08f);
    for (int bar = 0; bar < bars; ++bar) {
        PadBar(mix, bar, 0.05f);
        Taiko(mix, bar * kBar, 0.35f, 0.9f, 0.0f);
    }
    Melody(mix, 4, -12, 0.06f);
    AddReverb(mix, 0.7f, 0.85f);
    WrapLoop(mix, bars * kBar);
    Master(mix, kRmsDb, kCeilingDb);
    Fade(mix, 0.003, 0.005);
    return mix;
}

} // namespace

bool RenderTrack(const std::string& name, Mix& out) {
    if (name == "intro") {
        out = Intro();
    } else if (name == "loop") {
        out = FightLoop(false);
    } else if (name == "solo") {
        out = FightLoop(true);
    } else if (name == "sting") {
        out = Sting();
    } else if (name == "outrolose") {
        out = OutroLose();
    } else if (name == "outrowin") {
        out = OutroWin();
    } else if (name == "menu") {
        out = MainMenu();
    } else {
        return false;
    }
    return true;
}

const char* TrackNames() {
    return "intro loop solo sting outrolose outrowin menu";
}

} // namespace soundgen
