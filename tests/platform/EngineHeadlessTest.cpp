// The headless engine as the programs use it: the frame loop, simulated
// time, scripted input, the log, random numbers, textures in memory.
#include "platform/engine/SessionRecordings.h"
#include "platform/engine/TextureStore.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <vector>

using testing_support::HeadlessEngine;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

EngineOptions WithScript(const std::string& dir, const std::string& script, int frames) {
    EngineOptions options;
    options.inputFile = dir + "/input.txt";
    WriteFile(options.inputFile, script);
    options.frames = frames;
    return options;
}

} // namespace

TEST(EngineHeadless, FrameLoopRunsUntilFrameFunctionOrFrameLimit) {
    HeadlessEngine engine;
    int frames = 0;
    int renders = 0;
    std::vector<float> times;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        times.push_back(engine->Timer_GetTime());
        return ++frames == 5;
    });
    engine->System_SetState(ENGINE_RENDERFUNC, [&] {
        ++renders;
        return false;
    });
    EXPECT_TRUE(engine->System_Start());
    EXPECT_EQ(frames, 5);
    // The frame whose function ends the loop is not drawn.
    EXPECT_EQ(renders, 4);
    ASSERT_EQ(times.size(), 5u);
    EXPECT_NEAR(times[0], 1.0f / 60, 1e-6);
    EXPECT_NEAR(times[4], 5.0f / 60, 1e-5);
    EXPECT_NEAR(engine->Timer_GetDelta(), 1.0f / 60, 1e-6);
}

TEST(EngineHeadless, FramesOptionEndsTheLoopAndFpsCountsTheLastSecond) {
    std::string dir = testing_support::MakeTempDir("frames");
    EngineOptions options;
    options.frames = 120;
    options.dt = 0.02;
    HeadlessEngine engine(options);
    int frames = 0;
    std::vector<int> fps;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        ++frames;
        fps.push_back(engine->Timer_GetFPS());
        return false;
    });
    engine->System_Start();
    EXPECT_EQ(frames, 120);
    EXPECT_EQ(fps.front(), 0); // no whole second yet
    EXPECT_EQ(fps[48], 0);
    EXPECT_EQ(fps[49], 50); // one second of 0.02 s frames
    EXPECT_EQ(fps.back(), 50);
}

TEST(EngineHeadless, StartWithoutInitiateIsRefused) {
    SetEngineOptions(EngineOptions{});
    EngineOptions options;
    options.headless = true;
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    ASSERT_NE(engine, nullptr);
    engine->System_SetState(ENGINE_FRAMEFUNC, [] { return true; });
    EXPECT_FALSE(engine->System_Start());
    EXPECT_FALSE(engine->System_GetErrorMessage().empty());
    engine->Release();
    SetEngineOptions(EngineOptions{});
}

TEST(EngineHeadless, OnlyOurVersionIsGivenAndReferencesAreCounted) {
    EXPECT_EQ(EngineCreate(0x181), nullptr);
    HeadlessEngine engine;
    Engine* second = EngineCreate(ENGINE_VERSION);
    EXPECT_EQ(second, engine.get());
    second->Release();
    // Still alive: the fixture's reference remains.
    EXPECT_EQ(engine->System_GetState(ENGINE_SCREENWIDTH), 1024);
}

TEST(EngineHeadless, ScriptedKeysAreTheKeyOfTheirFrameAndHeldUntilUp) {
    std::string dir = testing_support::MakeTempDir("keys");
    HeadlessEngine engine(WithScript(dir,
                                     "# walk right, then click\n"
                                     "1 key 0x44 down\n"
                                     "3 key 0x44 up\n"
                                     "3 mouse 100.5 200\n"
                                     "4 key 2 down   # right button\n"
                                     "4 key 0x51 down\n"
                                     "5 wheel -2\n"
                                     "5 char a\n",
                                     7));
    struct Seen {
        int key;
        bool held, down, up;
        float mx, my;
        int wheel, ch;
    };
    std::vector<Seen> seen;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        float x, y;
        engine->Input_GetMousePos(&x, &y);
        seen.push_back({engine->Input_GetKey(), engine->Input_GetKeyState('D'),
                        engine->Input_KeyDown('D'), engine->Input_KeyUp('D'), x, y,
                        engine->Input_GetMouseWheel(), engine->Input_GetChar()});
        return false;
    });
    engine->System_Start();
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen[0].key, 0);
    EXPECT_EQ(seen[1].key, 'D');
    EXPECT_TRUE(seen[1].held && seen[1].down);
    EXPECT_EQ(seen[2].key, 0);
    EXPECT_TRUE(seen[2].held && !seen[2].down);
    EXPECT_TRUE(!seen[3].held && seen[3].up);
    EXPECT_FLOAT_EQ(seen[3].mx, 100.5f);
    EXPECT_FLOAT_EQ(seen[3].my, 200.0f);
    EXPECT_EQ(seen[4].key, VK_RBUTTON); // the first press of the frame
    EXPECT_EQ(seen[5].wheel, -2);
    EXPECT_EQ(seen[5].ch, 'a');
    EXPECT_EQ(seen[6].wheel, 0);
    EXPECT_EQ(seen[6].ch, 0);
}

TEST(EngineHeadless, QuitAsksTheExitFunction) {
    std::string dir = testing_support::MakeTempDir("quit");
    HeadlessEngine engine(WithScript(dir, "2 quit\n4 quit\n", 10));
    int frames = 0;
    int asked = 0;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        ++frames;
        return false;
    });
    engine->System_SetState(ENGINE_EXITFUNC, [&] { return ++asked == 2; });
    engine->System_Start();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(frames, 4); // frames 0..3 ran; the allowed close came before frame 4
}

TEST(EngineHeadless, BrokenInputScriptStopsStartUpWithItsLine) {
    std::string dir = testing_support::MakeTempDir("badscript");
    HeadlessEngine engine(WithScript(dir, "1 key 0x41 down\n2 jump\n", 10));
    // The fixture initiated the engine; the script's error refused it.
    EXPECT_NE(engine->System_GetErrorMessage().find("line 2"), std::string::npos);
    engine->System_SetState(ENGINE_FRAMEFUNC, [] { return true; });
    EXPECT_FALSE(engine->System_Start());
}

TEST(EngineHeadless, LogIsTruncatedAtStartAndGetsOneLinePerCall) {
    std::string dir = testing_support::MakeTempDir("log");
    WriteFile(dir + "/log.txt", "old contents\n");
    EngineOptions options;
    options.logFile = dir + "/log.txt";
    HeadlessEngine engine(options);
    engine->System_Log("Best FPS:%d", 60);
    engine->System_Log("Score:%f", 12.5);
    std::string log = ReadFile(dir + "/log.txt");
    EXPECT_EQ(log.find("old contents"), std::string::npos);
    EXPECT_NE(log.find("Best FPS:60\nScore:12.500000\n"), std::string::npos);
}

// An installed content folder cannot be written; the log then goes to the
// player's state folder, unless it was named on the command line.
TEST(EngineHeadless, UnwritableLogFallsBackToTheStateFolderUnlessNamed) {
    const std::string dir = testing_support::MakeTempDir("statelog");
    const char* previous = std::getenv("XDG_STATE_HOME");
    const std::string kept = previous ? previous : "";
    setenv("XDG_STATE_HOME", (dir + "/state").c_str(), 1);
    const std::string fallback = dir + "/state/duskmaw/log.txt";
    const auto run = [&](const std::string& named) {
        EngineOptions options;
        options.headless = true;
        options.noDialogs = true;
        options.logFile = named;
        SetEngineOptions(options);
        Engine* engine = EngineCreate(ENGINE_VERSION);
        engine->System_SetState(ENGINE_LOGFILE, (dir + "/read-only/log.txt").c_str());
        engine->System_Log("before start");
        engine->System_Initiate();
        engine->System_Log("after start");
        engine->System_Shutdown();
        engine->Release();
        SetEngineOptions(EngineOptions{});
    };

    run("");
    const std::string log = ReadFile(fallback);
    EXPECT_NE(log.find("before start\n"), std::string::npos) << log;
    EXPECT_NE(log.find("the log is " + fallback + "\n"), std::string::npos) << log;
    EXPECT_NE(log.find("after start\n"), std::string::npos) << log;

    std::filesystem::remove(fallback);
    run(dir + "/named/log.txt");
    EXPECT_FALSE(std::filesystem::exists(fallback));

    if (previous) {
        setenv("XDG_STATE_HOME", kept.c_str(), 1);
    } else {
        unsetenv("XDG_STATE_HOME");
    }
}

TEST(EngineHeadless, RandomFloatsFollowTheStandardFloatDistributionDrawForDraw) {
    // Recordings and traces replay on this sequence; a faster draw must not
    // change a single value.
    HeadlessEngine engine;
    engine->Random_Seed(20261209);
    std::mt19937 reference(20261209);
    const std::pair<float, float> ranges[] = {{0, 1}, {-2, 2}, {5, -3}, {0.25f, 1e6f}};
    for (int i = 0; i < 20000; ++i) {
        const auto [low, high] = ranges[i % 4];
        const float unit = std::uniform_real_distribution<float>(0.0f, 1.0f)(reference);
        ASSERT_EQ(engine->Random_Float(low, high), low + (high - low) * unit) << "draw " << i;
    }
}

TEST(EngineHeadless, RandomBoundsAreInclusiveInEitherOrderAndSeedRepeats) {
    HeadlessEngine engine;
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        int a = engine->Random_Int(3, 5);
        int b = engine->Random_Int(5, 3);
        ASSERT_GE(a, 3);
        ASSERT_LE(a, 5);
        ASSERT_GE(b, 3);
        ASSERT_LE(b, 5);
        sawLow |= a == 3;
        sawHigh |= a == 5;
        float f = engine->Random_Float(2.0f, -2.0f);
        ASSERT_GE(f, -2.0f);
        ASSERT_LE(f, 2.0f);
    }
    EXPECT_TRUE(sawLow && sawHigh);
    EXPECT_EQ(engine->Random_Int(7, 7), 7);
    engine->Random_Seed(42);
    int first = engine->Random_Int(0, 1000000);
    engine->Random_Seed(42);
    EXPECT_EQ(engine->Random_Int(0, 1000000), first);
}

TEST(EngineHeadless, TexturesLoadLockAndFailSafely) {
    HeadlessEngine engine;
    const std::string dir = engine.Dir();
    HTEXTURE made = engine->Texture_Create(4, 3);
    ASSERT_NE(made, 0u);
    std::uint32_t* pixels = engine->Texture_Lock(made, false);
    ASSERT_NE(pixels, nullptr);
    for (int i = 0; i < 12; ++i) {
        pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i);
    }
    // A second lock while locked is refused.
    EXPECT_EQ(engine->Texture_Lock(made, true), nullptr);
    engine->Texture_Unlock(made);
    std::uint32_t* part = engine->Texture_Lock(made, true, 1, 1, 2, 2);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part[0], 0xFF000005u);
    EXPECT_EQ(part[4], 0xFF000009u); // rows are the texture's width apart
    engine->Texture_Unlock(made);
    EXPECT_EQ(engine->Texture_Lock(made, true, 3, 0, 2, 1), nullptr); // outside

    EXPECT_EQ(engine->Texture_Load((dir + "/missing.png").c_str()), 0u);
    WriteFile(dir + "/corrupt.png", std::string("\x89PNG\r\n\x1a\nnot really", 18));
    EXPECT_EQ(engine->Texture_Load((dir + "/corrupt.png").c_str()), 0u);
    EXPECT_EQ(engine->Texture_GetWidth(9999), 0);
    std::string log = engine.ReadLog();
    EXPECT_NE(log.find("missing.png"), std::string::npos);
    EXPECT_NE(log.find("corrupt.png"), std::string::npos);
    engine->Texture_Free(made);
    EXPECT_EQ(engine->Texture_GetWidth(made), 0);
}

TEST(EngineHeadless, TexturesDecodedAheadLoadAsTheyWouldAndFailuresStillSayWhy) {
    HeadlessEngine engine;
    const std::string dir = engine.Dir();
    const std::uint32_t pixels[6] = {0xFF102030u, 0x80FFFFFFu, 0x00000000u,
                                     0x7F0A0B0Cu, 0xFFFFFFFFu, 0x01020304u};
    ASSERT_TRUE(WritePng(dir + "/a.png", 3, 2, pixels));
    WriteFile(dir + "/corrupt.png", std::string("\x89PNG\r\n\x1a\nnot really", 18));
    const std::string a = dir + "/a.png", corrupt = dir + "/corrupt.png";
    engine->Texture_DecodeAhead({a, corrupt, a, dir + "/missing.png"});
    // The first load takes the decoded pixels, the second decodes again.
    for (HTEXTURE texture : {engine->Texture_Load(a.c_str()), engine->Texture_Load(a.c_str())}) {
        ASSERT_EQ(engine->Texture_GetWidth(texture), 3);
        const std::uint32_t* loaded = engine->Texture_Lock(texture, true);
        ASSERT_NE(loaded, nullptr);
        EXPECT_TRUE(std::equal(pixels, pixels + 6, loaded));
        engine->Texture_Unlock(texture);
    }
    EXPECT_EQ(engine->Texture_Load(corrupt.c_str()), 0u);
    EXPECT_EQ(engine->Texture_Load((dir + "/missing.png").c_str()), 0u);
    const std::string log = engine.ReadLog();
    EXPECT_NE(log.find("Can't load texture: " + corrupt + " ("), std::string::npos);
    EXPECT_NE(log.find("Can't load texture: " + dir + "/missing.png"), std::string::npos);
}

// Headers that claim a huge picture are refused before anything is
// allocated for it (the decoder would try to, and run out of memory).
TEST(EngineHeadless, ImagesClaimingHugeSizesAreRefusedFromTheirHeaders) {
    HeadlessEngine engine;
    const std::string dir = engine.Dir();
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0"
                    "\x08\x06\0\0\0", // the header record, without its check sum
                    29);
    WriteFile(dir + "/huge.png", png + std::string(64, '\0'));
    std::string bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[18] = 1;                          // width 1
    bmp[22] = bmp[23] = bmp[24] = '\xff'; // height -16777217: top-down, far too tall
    bmp[25] = '\xfe';
    WriteFile(dir + "/tall.bmp", bmp);
    std::string jpeg("\xff\xd8\xff\xc0\0\x11\x08\0\0\0\x10", 11); // 16 wide, 0 high
    WriteFile(dir + "/flat.jpg", jpeg + std::string(16, '\0'));
    for (const char* name : {"huge.png", "tall.bmp", "flat.jpg"}) {
        EXPECT_EQ(engine->Texture_Load((dir + "/" + name).c_str()), 0u) << name;
    }
    const std::string log = engine.ReadLog();
    EXPECT_NE(log.find("huge.png (the image claims 100000 x 100000 pixels"), std::string::npos)
        << log;
    EXPECT_NE(log.find("tall.bmp (the image claims 1 x "), std::string::npos) << log;
    EXPECT_NE(log.find("flat.jpg (the image claims 16 x 0"), std::string::npos) << log;
}

TEST(EngineHeadless, DrawCallsAreCountedAndRecorded) {
    HeadlessEngine engine;
    engine->Gfx_RecordDraws(true);
    Quad quad{};
    quad.blend = BLEND_DEFAULT;
    quad.v[2].x = 10;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] { return engine->System_GetFrame() == 2; });
    engine->System_SetState(ENGINE_RENDERFUNC, [&] {
        engine->Gfx_BeginScene();
        engine->Gfx_Clear(0);
        engine->Gfx_RenderQuad(&quad);
        engine->Gfx_RenderLine(0, 0, 5, 5, 0xFFFF0000, 0.5f);
        engine->Gfx_EndScene();
        return false;
    });
    engine->System_Start();
    DrawStats stats = engine->Gfx_GetStats();
    EXPECT_EQ(stats.scenes, 2u);
    EXPECT_EQ(stats.quads, 2u);
    EXPECT_EQ(stats.lines, 2u);
    std::vector<DrawRecord> records = engine->Gfx_TakeDrawRecords();
    ASSERT_EQ(records.size(), 10u);
    EXPECT_EQ(records[2].kind, DrawRecord::Kind::Quad);
    EXPECT_FLOAT_EQ(records[2].quad.v[2].x, 10.0f);
    EXPECT_EQ(records[3].kind, DrawRecord::Kind::Line);
    EXPECT_EQ(records[3].quad.v[0].col, 0xFFFF0000u);
}

TEST(EngineHeadless, QuadsAreBatchedByTextureAndBlendAsOnARealScreen) {
    HeadlessEngine engine;
    HTEXTURE a = engine->Texture_Create(4, 4), b = engine->Texture_Create(4, 4);
    auto quad = [&](HTEXTURE texture, int blend) {
        Quad q{};
        q.tex = texture;
        q.blend = blend;
        engine->Gfx_RenderQuad(&q);
    };
    auto batchesOf = [&](const std::function<void()>& draw) {
        const std::uint64_t before = engine->Gfx_GetStats().batches;
        engine->Gfx_BeginScene();
        draw();
        engine->Gfx_EndScene();
        return engine->Gfx_GetStats().batches - before;
    };
    // Runs of one texture and blend mode share a batch; z-writing is part
    // of the mode, a line is an untextured quad.
    EXPECT_EQ(batchesOf([&] {
                  quad(a, BLEND_DEFAULT);
                  quad(a, BLEND_DEFAULT);
                  quad(b, BLEND_DEFAULT);
                  quad(b, BLEND_DEFAULT | BLEND_ZWRITE);
                  quad(0, BLEND_DEFAULT);
                  engine->Gfx_RenderLine(0, 0, 4, 4);
              }),
              4u);
    // A transform change sends what came before it.
    EXPECT_EQ(batchesOf([&] {
                  quad(a, BLEND_DEFAULT);
                  engine->Gfx_SetTransform(0, 0, 5, 5);
                  quad(a, BLEND_DEFAULT);
              }),
              2u);
    EXPECT_EQ(batchesOf([] {}), 0u);
}

TEST(EngineHeadless, QuadsWrittenInPlaceDrawAsSingleQuadsWould) {
    HeadlessEngine engine;
    HTEXTURE texture = engine->Texture_Create(4, 4);
    engine->Gfx_RecordDraws(true);
    auto writeQuads = [&](int count) {
        int written = 0;
        while (written < count) {
            int room = 0;
            Vertex* v = engine->Gfx_StartQuads(texture, BLEND_COLORADD, count - written, &room);
            EXPECT_GE(room, 1);
            EXPECT_LE(room, count - written);
            for (int i = 0; i < room * 4; ++i) {
                v[i] = Vertex{float(written * 4 + i), 0, 0.5f, 0xFF00FF00u, 0, 1};
            }
            engine->Gfx_FinishQuads(room);
            written += room;
        }
    };
    const std::uint64_t batches = engine->Gfx_GetStats().batches;
    engine->Gfx_BeginScene();
    Quad single{};
    single.tex = texture;
    single.blend = BLEND_COLORADD;
    engine->Gfx_RenderQuad(&single);
    writeQuads(20000); // more than one batch holds
    engine->Gfx_EndScene();
    writeQuads(3); // outside a scene: counted and recorded, not drawn
    EXPECT_EQ(engine->Gfx_GetStats().batches - batches, 2u);
    EXPECT_EQ(engine->Gfx_GetStats().quads, 20004u);

    std::vector<DrawRecord> records = engine->Gfx_TakeDrawRecords();
    ASSERT_EQ(records.size(), 20006u); // with the scene's begin and end
    const DrawRecord& quad = records[2 + 12345];
    EXPECT_EQ(quad.kind, DrawRecord::Kind::Quad);
    EXPECT_EQ(quad.quad.tex, texture);
    EXPECT_EQ(quad.quad.blend, BLEND_COLORADD);
    EXPECT_EQ(quad.quad.v[3].x, float(12345 * 4 + 3));
    EXPECT_EQ(quad.quad.v[3].col, 0xFF00FF00u);
    EXPECT_EQ(records.back().quad.v[0].x, 8.0f);
    int room = -1;
    EXPECT_EQ(engine->Gfx_StartQuads(texture, BLEND_DEFAULT, 0, &room), nullptr);
    EXPECT_EQ(room, 0);
}

TEST(EngineHeadless, AltEnterSwitchesTheDisplayRestoresAndKeepsThePressFromTheProgram) {
    std::string dir = testing_support::MakeTempDir("altenter");
    // Enter alone at frame 1; Alt+Enter at 3 and again at 6.
    HeadlessEngine engine(WithScript(dir,
                                     "1 key 0x0D down\n2 key 0x0D up\n"
                                     "3 key 0x12 down\n3 key 0x0D down\n4 key 0x0D up\n"
                                     "6 key 0x0D down\n7 key 0x0D up\n7 key 0x12 up\n",
                                     9));
    std::vector<int> keys, restores, windowed;
    int restored = 0;
    engine->System_SetState(ENGINE_GFXRESTOREFUNC, [&] {
        ++restored;
        return false;
    });
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        keys.push_back(engine->Input_GetKey());
        restores.push_back(restored);
        windowed.push_back(engine->System_GetState(ENGINE_WINDOWED));
        return false;
    });
    HTEXTURE texture = engine->Texture_Create(8, 8);
    engine->System_Start();
    EXPECT_EQ(keys, (std::vector<int>{0, VK_RETURN, 0, VK_ALT, 0, 0, 0, 0, 0}));
    EXPECT_EQ(restores, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(windowed, (std::vector<int>{0, 0, 0, 1, 1, 1, 0, 0, 0}));
    const std::string log = engine.ReadLog();
    EXPECT_LT(log.find("Switched to a window"), log.find("Switched to full screen")) << log;
    EXPECT_EQ(engine->Texture_GetWidth(texture), 8); // textures outlive the switch
}

TEST(EngineHeadless, RecordingReplaysTheSameFrames) {
    std::string dir = testing_support::MakeTempDir("record");
    auto run = [&](EngineOptions options) {
        HeadlessEngine engine(options);
        std::vector<std::string> trace;
        engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
            float x, y;
            engine->Input_GetMousePos(&x, &y);
            trace.push_back(std::to_string(engine->Timer_GetTime()) + " " +
                            std::to_string(engine->Input_GetKey()) + " " +
                            std::to_string(engine->Input_GetKeyState('W')) + " " +
                            std::to_string(x) + " " + std::to_string(engine->Random_Int(0, 99)));
            return false;
        });
        engine->System_Start();
        return trace;
    };
    EngineOptions recordOptions =
        WithScript(dir, "0 mouse 5 6\n2 key 0x57 down\n4 key 0x57 up\n5 char 0x35\n", 8);
    recordOptions.recordFile = dir + "/run.rec";
    recordOptions.dt = 0.03;
    recordOptions.seed = 4242; // the replay takes it from the recording
    std::vector<std::string> first = run(recordOptions);

    EngineOptions replayOptions;
    replayOptions.replayFile = dir + "/run.rec";
    std::vector<std::string> second = run(replayOptions);
    EXPECT_EQ(first, second);

    // Cut short by a crash: it replays up to its last line and says so.
    std::string recording = ReadFile(dir + "/run.rec");
    recording.erase(recording.find("5 char"));
    WriteFile(dir + "/cut.rec", recording);
    replayOptions.replayFile = dir + "/cut.rec";
    HeadlessEngine cut(replayOptions);
    int frames = 0;
    cut->System_SetState(ENGINE_FRAMEFUNC, [&] { return ++frames, false; });
    cut->System_Start();
    EXPECT_EQ(frames, 5);
    EXPECT_NE(cut.ReadLog().find("ends at frame 5 (it was cut short"), std::string::npos);
}

TEST(EngineHeadless, SessionRecordingsKeepTheLastFiveOfEachProgram) {
    std::string dir = testing_support::MakeTempDir("sessions");
    const char* previous = std::getenv("XDG_STATE_HOME");
    const std::string kept = previous ? previous : "";
    setenv("XDG_STATE_HOME", dir.c_str(), 1);
    const std::string folder = dir + "/duskmaw/recordings/";
    std::filesystem::create_directories(folder);
    for (int day = 1; day <= 6; ++day) {
        WriteFile(folder + "duskmaw-2026120" + std::to_string(day) + "-120000.rec", "");
    }
    WriteFile(folder + "duskmaw-editor-20261201-120000.rec", "");
    const std::string fresh = NewSessionRecording("duskmaw", 5);
    if (previous) {
        setenv("XDG_STATE_HOME", kept.c_str(), 1);
    } else {
        unsetenv("XDG_STATE_HOME");
    }
    EXPECT_EQ(fresh.rfind(folder + "duskmaw-", 0), 0u) << fresh;
    int left = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        left += entry.path().filename().string().rfind("duskmaw-2026", 0) == 0;
    }
    EXPECT_EQ(left, 4); // and the new one makes five
    EXPECT_FALSE(std::filesystem::exists(folder + "duskmaw-20261202-120000.rec"));
    EXPECT_TRUE(std::filesystem::exists(folder + "duskmaw-20261203-120000.rec"));
    EXPECT_TRUE(std::filesystem::exists(folder + "duskmaw-editor-20261201-120000.rec"));
}
