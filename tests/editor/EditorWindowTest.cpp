// The editor's own file chooser and questions drawn for real in a window:
// the box, the typed name and the folder list show where they should, and a
// click on the drawn question answers it.
#include "editor/FileChooser.h"
#include "editor/MapDialogs.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestSupport.h"
#include "toolkit/BitmapFont.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The system's GL driver leaks at exit in ways the leak checker cannot tell
// from ours; the normal build runs this.
constexpr bool kLeakChecked = true;
#else
constexpr bool kLeakChecked = false;
#endif

TEST(EditorWindow, TheFileChooserShowsTheFolderAndTheTypedName) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display";
    }
    if (kLeakChecked) {
        GTEST_SKIP() << "system GL libraries leak under the address sanitizer";
    }
    using testing_support::WriteFile;
    const std::string dir = testing_support::MakeTempDir("chooser-window");
    WriteFile(dir + "/maps/first.xml", "<map/>");
    WriteFile(dir + "/maps/second.xml", "<map/>");
    WriteFile(dir + "/maps/older/third.xml", "<map/>");
    WriteFile(dir + "/input.txt", "0 mouse 300 259\n1 char l\n2 char e\n3 char v\n4 char e\n"
                                  "5 char l\n");
    EngineOptions options;
    options.noDialogs = true;
    options.logFile = dir + "/log.txt";
    options.inputFile = dir + "/input.txt";
    options.frames = 12;
    options.screenshots = {{10, dir + "/chooser.png"}};
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_WINDOWED, true);
    engine->System_SetState(ENGINE_SCREENWIDTH, 1024);
    engine->System_SetState(ENGINE_SCREENHEIGHT, 768);
    ASSERT_TRUE(engine->System_Initiate()) << engine->System_GetErrorMessage();
    {
        BitmapFont font((testing_support::SourceDir() + "/data/fonts/font3.fnt").c_str());
        const HTEXTURE buttons =
            engine->Texture_Load((testing_support::SourceDir() + "/data/gui/menugui.png").c_str());
        FileChooser chooser(&font, buttons, 1024, 768);
        chooser.Open(MapDialogRequest(true), dir + "/maps");
        engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
            chooser.Update(engine->Timer_GetDelta());
            return false;
        });
        engine->System_SetState(ENGINE_RENDERFUNC, [&] {
            engine->Gfx_BeginScene();
            engine->Gfx_Clear(0xFF204020);
            chooser.Render();
            engine->Gfx_EndScene();
            return false;
        });
        engine->System_Start();
        EXPECT_EQ(chooser.Name(), "level");

        const HTEXTURE shot = engine->Texture_Load((dir + "/chooser.png").c_str());
        ASSERT_NE(shot, 0u);
        const int width = engine->Texture_GetWidth(shot, true);
        const std::uint32_t* pixels = engine->Texture_Lock(shot, true);
        ASSERT_NE(pixels, nullptr);
        auto at = [&](int x, int y) { return pixels[y * width + x] & 0xFFFFFF; };
        auto bright = [&](int x0, int y0, int x1, int y1) {
            int count = 0;
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    const std::uint32_t c = at(x, y);
                    count += ((c >> 16) & 0xFF) > 120 && ((c >> 8) & 0xFF) > 120;
                }
            }
            return count;
        };
        // The box's violet border, the dimmed map around it.
        EXPECT_EQ(at(232, 300), 0x8A4FD0u);
        EXPECT_LT((at(100, 100) >> 8) & 0xFF, 0x40u);
        // Typed text in the name field (174 + 306), list lines under the
        // list's top (174 + 64): "..", "older/", "first.xml".
        EXPECT_GT(bright(256, 482, 320, 498), 20);
        EXPECT_GT(bright(256, 252, 330, 266), 10);
        engine->Texture_Unlock(shot);
        engine->Texture_Free(shot);
        engine->Texture_Free(buttons);
    }
    engine->System_Shutdown();
    engine->Release();
    SetEngineOptions(EngineOptions{});
    std::printf("chooser screenshot: %s/chooser.png\n", dir.c_str());
}

} // namespace

TEST(EditorWindow, TheUnsavedChangesQuestionIsDrawnInTheWindowAndAnsweredByAClick) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "no X display";
    }
    if (kLeakChecked) {
        GTEST_SKIP() << "system GL libraries leak under the address sanitizer";
    }
    using testing_support::ReadFile;
    using testing_support::WriteFile;
    const std::string dir = testing_support::MakeTempDir("question-window");
    WriteFile(dir + "/start.xml", "<?xml version=\"1.0\"?>\n<map name=\"Q\"/>\n");
    // Place, Esc (lets go of the new selection), Esc: the box; "Don't save"
    // sits at the middle of its three buttons.
    WriteFile(dir + "/input.txt", "0 mouse 500 300\n1 key 0x02 down\n2 key 0x02 up\n"
                                  "3 key 0x1B down\n4 key 0x1B up\n"
                                  "5 key 0x1B down\n6 key 0x1B up\n"
                                  "8 mouse 510 408\n9 key 0x01 down\n10 key 0x01 up\n");
    const ProgramResult result =
        RunProgram(DUSKMAW_EDITOR_BINARY,
                   {"--data", testing_support::SourceDir() + "/data", "--map", dir + "/start.xml",
                    "--input", dir + "/input.txt", "--log", dir + "/log.txt", "--frames", "30",
                    "--screenshot", "7:" + dir + "/question.png", "--record", dir + "/run.rec"});
    EXPECT_EQ(result.exitCode, 0) << result.output;
    const std::string log = ReadFile(dir + "/log.txt");
    EXPECT_NE(log.find("Question \"Unsaved changes\": Save changes to start.xml before closing? "
                       "-> discard"),
              std::string::npos)
        << log;
    EXPECT_TRUE(std::filesystem::exists(dir + "/question.png"));

    // Replayed headless, the drawn box is drawn again and the same click answers it.
    const ProgramResult replay = RunProgram(
        DUSKMAW_EDITOR_BINARY, {"--headless", "--data", testing_support::SourceDir() + "/data",
                                "--replay", dir + "/run.rec", "--log", dir + "/replay.txt"});
    EXPECT_EQ(replay.exitCode, 0) << replay.output;
    EXPECT_NE(ReadFile(dir + "/replay.txt").find("before closing? -> discard"), std::string::npos)
        << ReadFile(dir + "/replay.txt");
}
