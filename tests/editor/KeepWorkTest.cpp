// The editor never loses a designer's work: it asks before unsaved changes
// go, writes back what it does not edit, keeps placements it cannot draw,
// and saves without breaking the file it saves over.
#include "tests/editor/EditorRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <tinyxml2.h>

using testing_support::ReadFile;
using testing_support::SourceDir;
using testing_support::WriteFile;

namespace {

namespace fs = std::filesystem;

const std::string kCrate = OneCrateMap();
// The map is modified; a first Esc lets go of the placed crate.
const std::string kPlace = PlaceAt500() + "3 key 0x1B down\n4 key 0x1B up\n";
const std::string kAsk = "Question \"Unsaved changes\": Save changes to start.xml before ";

std::string Esc(int frame) {
    return Line(frame, "key 0x1B down") + Line(frame + 1, "key 0x1B up");
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Every element in document order: its name and attributes as written.
std::vector<std::string> Elements(const std::string& text) {
    tinyxml2::XMLDocument document;
    document.Parse(text.c_str());
    std::vector<std::string> out;
    std::function<void(const tinyxml2::XMLElement*)> walk = [&](const tinyxml2::XMLElement* e) {
        for (; e; e = e->NextSiblingElement()) {
            std::string line = e->Name();
            for (const tinyxml2::XMLAttribute* a = e->FirstAttribute(); a; a = a->Next()) {
                line += std::string(" ") + a->Name() + "=" + a->Value();
            }
            out.push_back(line + (e->GetText() ? std::string(" : ") + e->GetText() : ""));
            walk(e->FirstChildElement());
        }
    };
    walk(document.FirstChildElement());
    return out;
}

} // namespace

TEST(EditorKeepsWork, QuittingWithUnsavedChangesAsksAndCancelIsTheDefault) {
    // Esc unanswered stays; once the recovery file exists, Don't save quits
    // and removes it.
    EditorRun run = RunEditor(kPlace + Esc(5) + Line(1810, "dialog no") + Esc(1810), 1900, kCrate);
    ASSERT_EQ(run.trace.size(), 1810u) << run.result.output;
    EXPECT_TRUE(Has(run.log, kAsk + "closing? -> cancel")) << run.log;
    EXPECT_EQ(run.trace[10]["question"].AsString(),
              "Unsaved changes: Save changes to start.xml before closing? -> cancel");
    EXPECT_TRUE(Has(run.log, kAsk + "closing? -> discard"));
    EXPECT_EQ(run.trace[1809]["recovery"].AsString(), run.dir + "/start.xml.recovery");
    EXPECT_FALSE(fs::exists(run.dir + "/start.xml.recovery"));
    EXPECT_TRUE(Has(run.log, "Avarage FPS:"));
    EXPECT_EQ(ReadFile(run.dir + "/start.xml"), kCrate);

    // Save: saved, then gone.
    run = RunEditor(kPlace + Line(5, "dialog yes") + Esc(5), 20, kCrate);
    EXPECT_EQ(run.trace.size(), 5u);
    EXPECT_TRUE(Has(ReadFile(run.dir + "/start.xml"), "x=\"500\" y=\"500\"")) << run.log;

    // Closing the window asks the same; unanswered it stays open.
    run = RunEditor(kPlace + Line(5, "quit") + Line(8, "dialog no") + Line(8, "quit"), 20, kCrate);
    EXPECT_EQ(run.trace.size(), 8u);
    EXPECT_TRUE(Has(run.log, kAsk + "closing? -> cancel")) << run.log;
}

TEST(EditorKeepsWork, AButtonClicksOnlyWhenReleasedOverIt) {
    // Exit pressed, dragged off and released: nothing; then a real click.
    EditorRun run =
        RunEditor(Line(0, "mouse 130 750") + Line(1, "key 0x01 down") + Line(2, "mouse 500 500") +
                      Line(3, "key 0x01 up") + Line(6, "mouse 130 750") + Line(7, "key 0x01 down") +
                      Line(8, "key 0x01 up"),
                  20, kCrate);
    EXPECT_EQ(run.trace.size(), 8u) << run.result.output;
}

TEST(EditorKeepsWork, OpeningAnotherMapAsksFirst) {
    EditorRun run = RunEditor(kPlace + Ctrl(4, 'O') + Line(9, "dialog no") +
                                  Line(9, "dialog $DIR/other.xml") + Ctrl(9, 'O'),
                              15, kCrate, [](const std::string& dir) {
                                  WriteFile(dir + "/other.xml", MapXml("Other", ""));
                              });
    ASSERT_EQ(run.trace.size(), 15u) << run.result.output;
    EXPECT_TRUE(Has(run.log, kAsk + "opening another map? -> cancel")) << run.log;
    EXPECT_EQ(run.trace[8]["map"].AsString(), "Crates");
    EXPECT_EQ(Placements(run.trace[8], "entity").size(), 2u);
    EXPECT_TRUE(Has(run.log, kAsk + "opening another map? -> discard"));
    EXPECT_EQ(run.trace[14]["map"].AsString(), "Other");
    // Cancel asked for no file at all.
    EXPECT_EQ(run.log.find("File dialog (open)"), run.log.rfind("File dialog (open)"));
}

TEST(EditorKeepsWork, ASaveKeepsEverythingTheEditorDoesNotEdit) {
    const std::string rich = "<?xml version=\"1.0\"?>\n"
                             "<!-- made by hand -->\n"
                             "<map name=\"Rich\" author=\"kim\">\n"
                             "    <item x=\"10\" y=\"20\" it_name=\"Key\" note=\"first\"/>\n"
                             "    <entity x=\"32.5\" y=\"33.5\" ent_name=\"crate\" layer=\"2\">\n"
                             "        <script>open</script>\n"
                             "    </entity>\n"
                             "    <!-- the fire -->\n"
                             "    <effect x=\"1\" y=\"2\" fx_name=\"Circle of Flame\"/>\n"
                             "    <entity x=\"-2.5\" y=\"5000.4\" ent_name=\"barrel\"/>\n"
                             "    <spawn kind=\"wolf\"/>\n"
                             "</map>\n";
    // Saved unchanged; then the first definition placed at (301.5, 402.5) and saved as.
    EditorRun run = RunEditor(Ctrl(1, 'S') +
                                  "6 mouse 301.5 402.5\n7 key 0x02 down\n"
                                  "8 key 0x02 up\n" +
                                  Line(10, "dialog $DIR/more.xml") + Ctrl(10, 'S', true),
                              15, rich);
    EXPECT_EQ(ReadFile(run.dir + "/start.xml"), rich) << run.log;
    std::string more = rich;
    const std::string barrel = "ent_name=\"barrel\"/>\n";
    more.insert(more.find(barrel) + barrel.size(),
                "    <entity x=\"302\" y=\"402\" ent_name=\"altar_cursed\"/>\n");
    EXPECT_EQ(ReadFile(run.dir + "/more.xml"), more);
}

TEST(EditorKeepsWork, TheShippedMapComesBackWholeFromOpenAndSave) {
    const std::string shipped = ReadFile(SourceDir() + "/data/maps/map1.xml");
    EditorRun run = RunEditor(Ctrl(1, 'S'), 6, shipped);
    ASSERT_TRUE(Has(run.log, "Map saved")) << run.log;
    EXPECT_EQ(Elements(ReadFile(run.dir + "/start.xml")), Elements(shipped));
}

TEST(EditorKeepsWork, PlacementsNamingNoDefinitionAreKeptAsPlaceholders) {
    const std::string map = MapXml("Typo", "<entity x=\"300\" y=\"300\" ent_name=\"cratee\"/>\n"
                                           "<entity x=\"600\" y=\"300\" ent_name=\"crate\"/>\n");
    // A click selects the placeholder; a save writes it back.
    EditorRun run =
        RunEditor("1 mouse 300 300\n2 key 0x01 down\n3 key 0x01 up\n" + Ctrl(5, 'S'), 10, map);
    ASSERT_EQ(run.trace.size(), 10u) << run.result.output;
    EXPECT_EQ(run.trace[4]["missing_placements"].AsNumber(), 1);
    const std::vector<JsonValue> entities = Placements(run.trace[4], "entity");
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_TRUE(entities[0]["missing"].AsBool());
    EXPECT_TRUE(entities[0]["selected"].AsBool());
    EXPECT_TRUE(Has(run.trace[4]["status"].AsString(), "1 placement names no definition"));
    EXPECT_TRUE(Has(run.log, "1 placements of " + run.dir + "/start.xml name no definition"));
    EXPECT_EQ(Elements(ReadFile(run.dir + "/start.xml")), Elements(map)) << run.log;
}

TEST(EditorKeepsWork, AFileThatIsNotAMapIsRefusedAndTheMapStays) {
    const std::string items = "<itemdata>\n    <item name=\"Key\"/>\n</itemdata>\n";
    EditorRun run =
        RunEditor(Line(1, "dialog $DIR/items.xml") + Ctrl(1, 'O') + Ctrl(6, 'S'), 10, kCrate,
                  [&](const std::string& dir) { WriteFile(dir + "/items.xml", items); });
    ASSERT_EQ(run.trace.size(), 10u) << run.result.output;
    EXPECT_TRUE(Has(run.log, "\"Error\": items.xml is not a map file")) << run.log;
    EXPECT_EQ(run.trace[9]["file"].AsString(), run.dir + "/start.xml");
    EXPECT_EQ(ReadFile(run.dir + "/items.xml"), items);

    // As the start map it counts as a broken one: a new, untitled map.
    run = RunEditor("", 2, items);
    EXPECT_EQ(run.trace[1]["file"].AsString(), "");
}

TEST(EditorKeepsWork, ASaveRespectsWriteProtectionLinksAndPermissions) {
    // A write-protected map is refused and the editor stays; Don't save quits.
    EditorRun run = RunEditor(Line(0, "dialog $DIR/locked.xml") + Ctrl(0, 'O') +
                                  "5 mouse 500 500\n6 key 0x02 down\n7 key 0x02 up\n" + Esc(7) +
                                  Line(9, "dialog yes") + Esc(9) + Line(12, "dialog no") + Esc(12),
                              20, kCrate, [](const std::string& dir) {
                                  WriteFile(dir + "/locked.xml", MapXml("Locked", ""));
                                  fs::permissions(dir + "/locked.xml",
                                                  fs::perms::owner_read | fs::perms::group_read);
                              });
    EXPECT_EQ(run.trace.size(), 12u) << run.log;
    EXPECT_TRUE(Has(run.log, "locked.xml\nthe file is write-protected")) << run.log;
    EXPECT_EQ(ReadFile(run.dir + "/locked.xml"), MapXml("Locked", ""));
    EXPECT_EQ(fs::status(run.dir + "/locked.xml").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read);

    // Through a link: the target gets the map and keeps its bits.
    run = RunEditor(Line(0, "dialog $DIR/link.xml") + Ctrl(0, 'O') +
                        "5 mouse 500 500\n6 key 0x02 down\n7 key 0x02 up\n" + Ctrl(9, 'S'),
                    14, kCrate, [](const std::string& dir) {
                        fs::create_directory(dir + "/real");
                        WriteFile(dir + "/real/map.xml", MapXml("Real", ""));
                        fs::permissions(dir + "/real/map.xml", fs::perms::owner_read |
                                                                   fs::perms::owner_write |
                                                                   fs::perms::group_read);
                        fs::create_symlink("real/map.xml", dir + "/link.xml");
                    });
    EXPECT_TRUE(fs::is_symlink(run.dir + "/link.xml")) << run.log;
    EXPECT_TRUE(Has(ReadFile(run.dir + "/real/map.xml"), "x=\"500\"")) << run.log;
    EXPECT_EQ(fs::status(run.dir + "/real/map.xml").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(EditorKeepsWork, ANameWithoutExtensionAsksBeforeReplacingTheMapOfThatName) {
    // "existing" becomes existing.xml, which is there: unanswered is no.
    EditorRun run =
        RunEditor(Line(1, "dialog $DIR/existing") + Ctrl(1, 'S', true) +
                      Line(6, "dialog $DIR/existing") + Line(6, "dialog yes") + Ctrl(6, 'S', true),
                  12, kCrate, [](const std::string& dir) {
                      WriteFile(dir + "/existing.xml", MapXml("Old", ""));
                  });
    const std::string asked =
        "Question \"Replace map\": " + run.dir + "/existing.xml already exists.\nReplace it? -> ";
    EXPECT_TRUE(Has(run.log, asked + "no")) << run.log;
    EXPECT_TRUE(Has(run.log, asked + "yes"));
    EXPECT_TRUE(Has(ReadFile(run.dir + "/existing.xml"), "Crates"));
    EXPECT_EQ(run.trace[5]["file"].AsString(), run.dir + "/start.xml");
}

TEST(EditorKeepsWork, BadInputIsRefusedClearlyAndNothingIsLost) {
    // Ten thousand placements nobody defined, and an effect naming nothing.
    std::string many = "<effect x=\"1\" y=\"1\" fx_name=\"nothing at all\"/>\n";
    for (int i = 0; i < 10000; ++i) {
        many += "<entity x=\"" + std::to_string(i) + "\" y=\"5\" ent_name=\"ghost\"/>\n";
    }
    const std::string map = MapXml("Many", many);
    // A garbage recovery file is set aside; a folder cannot be opened.
    EditorRun run = RunEditor(
        "0 dialog yes\n" + Line(2, "dialog $DIR/folder.xml") + Ctrl(2, 'O') + Ctrl(7, 'S'), 12, map,
        [](const std::string& dir) {
            fs::create_directory(dir + "/folder.xml");
            WriteFile(dir + "/start.xml.recovery", "\x01garbage<<");
            fs::last_write_time(dir + "/start.xml.recovery",
                                fs::file_time_type::clock::now() + std::chrono::hours(1));
        });
    ASSERT_EQ(run.trace.size(), 12u) << run.result.output;
    EXPECT_EQ(run.trace[11]["missing_placements"].AsNumber(), 10001);
    EXPECT_TRUE(Has(run.log, "The recovery file " + run.dir +
                                 "/start.xml.recovery could not be read; it is kept as " + run.dir +
                                 "/start.xml.recovery.bad"))
        << run.log;
    EXPECT_EQ(ReadFile(run.dir + "/start.xml.recovery.bad"), "\x01garbage<<");
    EXPECT_TRUE(Has(run.log, "located at: " + run.dir + "/folder.xml"));
    EXPECT_EQ(run.trace[11]["file"].AsString(), run.dir + "/start.xml");
    EXPECT_EQ(Elements(ReadFile(run.dir + "/start.xml")), Elements(map));
}
