// The recovery file: written 30 s after an unsaved change, removed by a
// save or by quitting, and offered when the editor starts next.
#include "tests/editor/EditorRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

namespace fs = std::filesystem;

const std::string kCrate = OneCrateMap();
const std::string kPlace = PlaceAt500();

TEST(EditorRecovery, UnsavedWorkIsKeptAfterThirtySecondsAndSurvivesAnUnfinishedRun) {
    // Ending at the frame limit is not quitting: the file stays, as after a kill.
    EditorRun run = RunEditor(kPlace, 1840, kCrate);
    ASSERT_EQ(run.trace.size(), 1840u) << run.result.output;
    const std::string recovery = run.dir + "/start.xml.recovery";
    // The change came at frame 1 (t = 1/60 s); 30 s later is frame 1801.
    EXPECT_EQ(run.trace[1795]["recovery"].AsString(), "");
    EXPECT_EQ(run.trace[1805]["recovery"].AsString(), recovery);
    ASSERT_TRUE(fs::exists(recovery));
    const std::string kept = ReadFile(recovery);
    EXPECT_NE(kept.find("x=\"500\" y=\"500\""), std::string::npos) << kept;
    EXPECT_EQ(ReadFile(run.dir + "/start.xml"), kCrate) << "the map itself is untouched";
    EXPECT_NE(run.log.find("Recovery file written: " + recovery), std::string::npos);
}

TEST(EditorRecovery, ASaveRemovesTheRecoveryFile) {
    EditorRun run = RunEditor(kPlace + "1820 key 0x11 down\n1821 key 0x53 down\n"
                                       "1822 key 0x53 up\n1823 key 0x11 up\n",
                              1830, kCrate);
    ASSERT_EQ(run.trace.size(), 1830u) << run.result.output;
    EXPECT_NE(run.trace[1815]["recovery"].AsString(), "");
    EXPECT_EQ(run.trace[1825]["recovery"].AsString(), "");
    EXPECT_FALSE(fs::exists(run.dir + "/start.xml.recovery"));
}

TEST(EditorRecovery, AFailingWriteIsRetriedAndLoggedOnce) {
    // A folder where the recovery file goes makes every write fail, as a
    // read-only folder would, even for root.
    EditorRun run = RunEditor(kPlace, 3700, kCrate, [](const std::string& dir) {
        fs::create_directory(dir + "/start.xml.recovery");
    });
    ASSERT_EQ(run.trace.size(), 3700u) << run.result.output;
    EXPECT_EQ(run.trace[3699]["recovery"].AsString(), "");
    const std::string said = "Recovery file not written: " + run.dir + "/start.xml.recovery";
    const std::size_t first = run.log.find(said);
    ASSERT_NE(first, std::string::npos) << run.log;
    EXPECT_EQ(run.log.find(said, first + 1), std::string::npos)
        << "two tries, one line: " << run.log;
    EXPECT_FALSE(fs::exists(run.dir + "/start.xml.recovery.saving"));
    EXPECT_EQ(ReadFile(run.dir + "/start.xml"), kCrate);
    EXPECT_NE(run.trace[3699]["status"].AsString().find("recovery file cannot be written"),
              std::string::npos);
}

void PrepareRecovery(const std::string& dir) {
    const std::string path = dir + "/start.xml.recovery";
    WriteFile(path, MapXml("Crates", "<entity x=\"640\" y=\"320\" ent_name=\"crate\"/>\n"
                                     "<entity x=\"700\" y=\"320\" ent_name=\"crate\"/>\n"));
    // Newer than the map, which the run writes after this.
    fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::hours(1));
}

TEST(EditorRecovery, ANewerRecoveryFileIsOfferedAndRestoredAsAnUnsavedChange) {
    EditorRun run =
        RunEditor("0 dialog yes\n5 dialog no\n5 key 0x1B down\n", 20, kCrate, PrepareRecovery);
    ASSERT_EQ(run.trace.size(), 5u) << run.result.output;
    EXPECT_NE(run.log.find("Question \"Recover unsaved changes\""), std::string::npos) << run.log;
    const std::vector<JsonValue> entities = Placements(run.trace[0], "entity");
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities[0]["x"].AsNumber(), 640);
    EXPECT_TRUE(run.trace[0]["modified"].AsBool());
    EXPECT_EQ(run.trace[0]["file"].AsString(), run.dir + "/start.xml");
    EXPECT_EQ(run.trace[0]["undo_depth"].AsNumber(), 1) << "undo brings the saved map back";
    // Quitting with Esc, answering "Don't save", removes it.
    EXPECT_FALSE(fs::exists(run.dir + "/start.xml.recovery"));
}

TEST(EditorRecovery, DecliningKeepsTheSavedMapAndLeavesTheFileAlone) {
    EditorRun run = RunEditor("0 dialog no\n", 3, kCrate, PrepareRecovery);
    ASSERT_EQ(run.trace.size(), 3u) << run.result.output;
    EXPECT_EQ(Placements(run.trace[2], "entity").size(), 1u);
    EXPECT_FALSE(run.trace[2]["modified"].AsBool());
    EXPECT_TRUE(fs::exists(run.dir + "/start.xml.recovery"));
}

TEST(EditorRecovery, AnOlderRecoveryFileIsNotOffered) {
    EditorRun run = RunEditor("", 2, kCrate, [](const std::string& dir) {
        const std::string path = dir + "/start.xml.recovery";
        WriteFile(path, MapXml("Old", ""));
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
    });
    ASSERT_EQ(run.trace.size(), 2u) << run.result.output;
    EXPECT_EQ(run.log.find("Question"), std::string::npos) << run.log;
    EXPECT_EQ(Placements(run.trace[1], "entity").size(), 1u);
}

} // namespace

namespace {

const std::string kUntitled = "/state/duskmaw/recovery/untitled.xml.recovery";

} // namespace

TEST(EditorRecovery, ANewMapKeepsItsWorkInTheStateFolderAndEveryOpenedMapOffersItsOwn) {
    // The start map does not parse: a new map, never saved.
    EditorRun run = RunEditor(kPlace, 1805, "not a map");
    ASSERT_EQ(run.trace.size(), 1805u) << run.result.output;
    EXPECT_EQ(run.trace[1804]["recovery"].AsString(), run.dir + kUntitled);
    EXPECT_NE(ReadFile(run.dir + kUntitled).find("x=\"500\""), std::string::npos);

    // Next time: offered at start-up; an undo does not delete it; a map
    // opened later offers its own.
    const std::string kept = ReadFile(run.dir + kUntitled);
    run = RunEditor(
        "0 dialog yes\n" + Ctrl(2, 'Z') + "6 dialog $DIR/other.xml\n6 dialog yes\n" + Ctrl(6, 'O'),
        12, "not a map", [&](const std::string& dir) {
            WriteFile(dir + kUntitled, kept);
            PrepareRecovery(dir);
            fs::rename(dir + "/start.xml.recovery", dir + "/other.xml.recovery");
            WriteFile(dir + "/other.xml", kCrate);
            fs::last_write_time(dir + "/other.xml",
                                fs::file_time_type::clock::now() - std::chrono::hours(2));
        });
    ASSERT_EQ(run.trace.size(), 12u) << run.result.output;
    EXPECT_EQ(Placements(run.trace[1], "entity").size(), 1u);
    EXPECT_TRUE(run.trace[1]["modified"].AsBool());
    EXPECT_EQ(run.trace[1]["title"].AsString(), "untitled* - Duskmaw Map Editor");
    EXPECT_EQ(Placements(run.trace[5], "entity").size(), 0u);
    EXPECT_TRUE(fs::exists(run.dir + kUntitled)) << "undo keeps the restored work";
    EXPECT_EQ(run.trace[11]["file"].AsString(), run.dir + "/other.xml");
    EXPECT_EQ(Placements(run.trace[11], "entity").size(), 2u) << run.log;
    EXPECT_TRUE(run.trace[11]["modified"].AsBool());
}

TEST(EditorRecovery, ATerminatedEditorWritesTheRecoveryFileAtOnceAndKeepsIt) {
    const std::string dir = testing_support::MakeTempDir("editor-term");
    WriteFile(dir + "/start.xml", kCrate);
    WriteFile(dir + "/input.txt", kPlace);
    const std::string trace = dir + "/trace.jsonl";
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string data = testing_support::SourceDir() + "/data";
        const std::string map = dir + "/start.xml";
        const std::string input = dir + "/input.txt";
        const std::string log = dir + "/log.txt";
        execl(DUSKMAW_EDITOR_BINARY, DUSKMAW_EDITOR_BINARY, "--headless", "--data", data.c_str(),
              "--map", map.c_str(), "--input", input.c_str(), "--trace", trace.c_str(), "--log",
              log.c_str(), "--frames", "100000000", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Once the change is on screen, as a logout would.
    // (A few frames' trace lines; the file grows fast, so only its size.)
    auto written = [&] {
        std::error_code error;
        const auto size = fs::file_size(trace, error);
        return error ? 0 : size;
    };
    for (int i = 0; i < 500 && written() < 8000; ++i) {
        usleep(20000);
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << status;
    const std::string recovery = dir + "/start.xml.recovery";
    ASSERT_TRUE(fs::exists(recovery)) << ReadFile(dir + "/log.txt");
    EXPECT_NE(ReadFile(recovery).find("x=\"500\" y=\"500\""), std::string::npos);
}
