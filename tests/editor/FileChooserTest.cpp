// The editor's own file chooser, driven by scripted keys and clicks on a
// headless engine, over a folder of its own.
#include "editor/FileChooser.h"
#include "editor/ChooserFolder.h"
#include "editor/MapDialogs.h"
#include "tests/support/TestSupport.h"
#include "toolkit/BitmapFont.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

using testing_support::MakeTempDir;
using testing_support::WriteFile;

namespace {

class FileChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = MakeTempDir("chooser");
        WriteFile(m_dir + "/maps/a.xml", "<map/>");
        WriteFile(m_dir + "/maps/B.XML", "<map/>");
        WriteFile(m_dir + "/maps/notes.txt", "");
        std::filesystem::create_directories(m_dir + "/maps/old");
    }

    // Types the script's characters into a chooser opened on maps/ and
    // returns its answer (nothing when it is still open at the end).
    std::optional<FileDialogResult> Run(bool save, const std::string& script, int frames) {
        WriteFile(m_dir + "/input.txt", script);
        EngineOptions options;
        options.inputFile = m_dir + "/input.txt";
        options.frames = frames;
        // The engine is the process's one: what holds a reference to the
        // last one goes first.
        m_chooser.reset();
        m_font.reset();
        m_engine.reset();
        m_engine = std::make_unique<testing_support::HeadlessEngine>(options);
        testing_support::HeadlessEngine& engine = *m_engine;
        m_font = std::make_unique<BitmapFont>(
            (testing_support::SourceDir() + "/data/fonts/font3.fnt").c_str());
        m_chooser = std::make_unique<FileChooser>(m_font.get(), 0, 1024, 768);
        m_chooser->Open(MapDialogRequest(save), m_dir + "/maps");
        std::optional<FileDialogResult> answer;
        engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
            if (!answer) {
                answer = m_chooser->Update(engine->Timer_GetDelta());
            }
            return false;
        });
        engine->System_SetState(ENGINE_RENDERFUNC, [&] {
            m_chooser->Render();
            return false;
        });
        engine->System_Start();
        return answer;
    }

    static std::string Typed(int frame, const std::string& text) {
        std::string script;
        for (char c : text) {
            script += std::to_string(frame++) + " char " + std::string(1, c) + "\n";
        }
        return script;
    }

    void TearDown() override {
        m_chooser.reset();
        m_font.reset();
        m_engine.reset();
    }

    std::string m_dir;
    std::unique_ptr<testing_support::HeadlessEngine> m_engine;
    std::unique_ptr<BitmapFont> m_font;
    std::unique_ptr<FileChooser> m_chooser;
};

TEST_F(FileChooserTest, ListsTheParentThenMatchingFilesThenFoldersByName) {
    auto labels = [](const std::vector<ChooserEntry>& entries) {
        std::vector<std::string> out;
        for (const ChooserEntry& e : entries) {
            out.push_back(e.Label());
        }
        return out;
    };
    EXPECT_EQ(labels(ListFolder(m_dir + "/maps", "*.xml")),
              (std::vector<std::string>{"..", "B.XML", "a.xml", "old/"}));
    EXPECT_EQ(labels(ListFolder(m_dir + "/maps", "*.*")),
              (std::vector<std::string>{"..", "B.XML", "a.xml", "notes.txt", "old/"}));
    EXPECT_EQ(labels(ListFolder(m_dir + "/nowhere", "*.*")), (std::vector<std::string>{".."}));
    // The root has nothing above it.
    EXPECT_NE(labels(ListFolder("/", "*.xml")).front(), "..");
}

TEST_F(FileChooserTest, ATypedNameWithoutExtensionIsSavedAsXml) {
    // Backspace takes back a slip of the finger.
    auto answer =
        Run(true, Typed(1, "newx") + "5 char 0x08\n" + Typed(6, "map") + "9 char 0x0D\n", 12);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->status, FileDialogResult::Status::Chosen);
    EXPECT_EQ(answer->path, m_dir + "/maps/newmap.xml");
}

TEST_F(FileChooserTest, SavingOverAFileAsksFirst) {
    // Enter asks; Esc says no and keeps the chooser; Enter twice replaces.
    auto answer = Run(true, Typed(1, "a") + "2 char 0x0D\n4 char 0x1B\n6 char 0x0D\n", 8);
    EXPECT_FALSE(answer.has_value());
    EXPECT_TRUE(m_chooser->Asking());
    answer = Run(true, Typed(1, "a") + "2 char 0x0D\n4 char 0x0D\n", 6);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->status, FileDialogResult::Status::Chosen);
    EXPECT_EQ(answer->path, m_dir + "/maps/a.xml");
}

TEST_F(FileChooserTest, OpeningNeedsAFileThatExistsAndEscCancels) {
    auto answer = Run(false, Typed(1, "nothere") + "9 char 0x0D\n", 11);
    EXPECT_FALSE(answer.has_value());
    EXPECT_EQ(m_chooser->Notice(), "No such file");
    answer = Run(false, Typed(1, "a") + "2 char 0x0D\n", 4);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->path, m_dir + "/maps/a.xml");
    answer = Run(false, "1 char 0x1B\n", 3);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->status, FileDialogResult::Status::Cancelled);
}

TEST_F(FileChooserTest, ClicksWalkTheFoldersAndPickAFile) {
    // Rows are 14 pixels high from y = 238 (768 / 2 - 210 + 64): ".." is
    // row 0, "B.XML" row 1: map files come before the folders.
    const std::string script = "0 mouse 300 245\n1 key 0x01 down\n2 key 0x01 up\n"  // ..
                               "3 mouse 300 245\n4 key 0x01 down\n5 key 0x01 up\n"; // .. again
    Run(false, script, 7);
    EXPECT_EQ(m_chooser->Folder(), std::filesystem::path(m_dir).parent_path().string());
    Run(false,
        "0 mouse 300 259\n1 key 0x01 down\n2 key 0x01 up\n"
        "3 key 0x01 down\n4 key 0x01 up\n",
        6);
    EXPECT_EQ(m_chooser->Name(), "B.XML");
    // The second click on the same file took it.
    EXPECT_FALSE(m_chooser->IsOpen());
}

TEST(MapDialogs, DefaultExtensionAndFilters) {
    // The dialogs start beside the open map, a new map's in maps/.
    EXPECT_EQ(DialogFolder("/work/levels/cave.xml"), "/work/levels");
    EXPECT_EQ(DialogFolder(""), (std::filesystem::current_path() / "maps").string());
    const FileDialogRequest request = MapDialogRequest(true);
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0],
              (std::pair<std::string, std::string>{"Duskmaw Map Files", "*.xml"}));
    EXPECT_EQ(request.filters[1], (std::pair<std::string, std::string>{"All Files", "*.*"}));
    EXPECT_EQ(request.defaultExtension, "xml");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(WithDefaultExtension("/m/level", "xml", true), "/m/level.xml");
    EXPECT_EQ(WithDefaultExtension("/m/level.map", "xml", true), "/m/level.map");
    EXPECT_EQ(WithDefaultExtension("/m.d/level", "xml", false), "/m.d/level.xml");
    EXPECT_TRUE(MatchesPattern("a.XmL", "*.xml"));
    EXPECT_FALSE(MatchesPattern("xml", "*.xml"));
    EXPECT_FALSE(MatchesPattern("a.xmlx", "*.xml"));
}

} // namespace
