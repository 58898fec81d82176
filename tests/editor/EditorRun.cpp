#include "tests/editor/EditorRun.h"

#include "tests/support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::SourceDir;
using testing_support::WriteFile;

std::string MapXml(const std::string& name, const std::string& elements) {
    return "<?xml version=\"1.0\"?>\n<map name=\"" + name + "\">\n" + elements + "</map>\n";
}

std::string OneCrateMap() {
    return MapXml("Crates", "<entity x=\"300\" y=\"300\" ent_name=\"crate\"/>\n");
}

std::string PlaceAt500() {
    return "0 mouse 500 500\n1 key 0x02 down\n2 key 0x02 up\n";
}

std::string ThreeCratesMap() {
    return MapXml("Crates", "<entity x=\"300\" y=\"300\" ent_name=\"crate\"/>\n"
                            "<entity x=\"400\" y=\"300\" ent_name=\"crate\"/>\n"
                            "<entity x=\"700\" y=\"300\" ent_name=\"crate\"/>\n");
}

EditorRun RunEditor(const std::string& script, int frames, const std::string& mapXml,
                    const std::function<void(const std::string&)>& prepare,
                    const std::string& dataDir) {
    EditorRun run;
    run.dir = MakeTempDir("editor");
    if (prepare) {
        prepare(run.dir);
    }
    std::string text = script;
    for (std::size_t at = text.find("$DIR"); at != std::string::npos; at = text.find("$DIR")) {
        text.replace(at, 4, run.dir);
    }
    WriteFile(run.dir + "/input.txt", text);
    WriteFile(run.dir + "/start.xml", mapXml);
    // A new map's recovery file goes to the state folder: the run's own.
    setenv("XDG_STATE_HOME", (run.dir + "/state").c_str(), 1);
    run.result =
        RunProgram(DUSKMAW_EDITOR_BINARY,
                   {"--headless", "--data", dataDir.empty() ? SourceDir() + "/data" : dataDir,
                    "--log", run.dir + "/log.txt", "--frames", std::to_string(frames), "--input",
                    run.dir + "/input.txt", "--trace", run.dir + "/trace.jsonl", "--map",
                    run.dir + "/start.xml"});
    run.trace = ReadJsonLines(run.dir + "/trace.jsonl");
    run.log = ReadFile(run.dir + "/log.txt");
    return run;
}

std::string DataWithDefinitions(const std::string& entities, const std::string& items) {
    namespace fs = std::filesystem;
    const std::string dir = MakeTempDir("editor-data");
    const fs::path shipped = SourceDir() + "/data";
    for (const auto& entry : fs::directory_iterator(shipped)) {
        if (entry.path().filename() != "resources" && entry.path().filename() != "log.txt") {
            fs::create_directory_symlink(entry.path(), fs::path(dir) / entry.path().filename());
        }
    }
    fs::create_directories(dir + "/resources");
    for (const auto& entry : fs::directory_iterator(shipped / "resources")) {
        fs::create_symlink(entry.path(), fs::path(dir) / "resources" / entry.path().filename());
    }
    fs::remove(dir + "/resources/entity.xml");
    fs::remove(dir + "/resources/items.xml");
    WriteFile(dir + "/resources/entity.xml", entities);
    WriteFile(dir + "/resources/items.xml", items);
    return dir;
}

std::string Line(int frame, const std::string& event) {
    return std::to_string(frame) + " " + event + "\n";
}

std::string Ctrl(int frame, char key, bool shift) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(key));
    std::string s = Line(frame, "key 0x11 down");
    if (shift) {
        s += Line(frame, "key 0x10 down");
    }
    s += Line(frame + 1, std::string("key ") + code + " down") +
         Line(frame + 2, std::string("key ") + code + " up");
    if (shift) {
        s += Line(frame + 3, "key 0x10 up");
    }
    return s + Line(frame + 3, "key 0x11 up");
}

std::vector<JsonValue> Placements(const JsonValue& frame, const std::string& kind) {
    std::vector<JsonValue> out;
    for (const JsonValue& p : frame["placements"].AsArray()) {
        if (p["kind"].AsString() == kind) {
            out.push_back(p);
        }
    }
    return out;
}
