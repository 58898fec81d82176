#include "content/MapFile.h"
#include "tests/content/CollectingReport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

MapContents Read(const std::string& text, CollectingReport& report) {
    tinyxml2::XMLDocument document;
    EXPECT_EQ(document.Parse(text.c_str()), tinyxml2::XML_SUCCESS);
    MapContents map;
    ReadMap(document, "maps/m.xml", map, report);
    return map;
}

std::vector<std::string> Names(const std::vector<MapPlacement>& placements) {
    std::vector<std::string> names;
    for (const MapPlacement& p : placements) {
        names.push_back(p.name);
    }
    return names;
}

} // namespace

TEST(MapReader, EachKindComesInDocumentOrderWhateverTheInterleaving) {
    CollectingReport report;
    MapContents map = Read("<map name='Glade'>\n"
                           "<item x='1' y='2' it_name='Key'/>\n"
                           "<entity x='12.5' y='-3' ent_name='tree'/>\n"
                           "<effect x='5' y='6' fx_name='Embers'/>\n"
                           "<entity x='7' ent_name='rock'/>\n"
                           "<unknown x='1'/>\n"
                           "<item y='9' it_name='Bread'/>\n"
                           "</map>",
                           report);
    EXPECT_EQ(map.name, "Glade");
    EXPECT_EQ(Names(map.entities), (std::vector<std::string>{"tree", "rock"}));
    EXPECT_EQ(Names(map.effects), (std::vector<std::string>{"Embers"}));
    EXPECT_EQ(Names(map.items), (std::vector<std::string>{"Key", "Bread"}));
    EXPECT_FLOAT_EQ(map.entities[0].x, 12.5f);
    EXPECT_FLOAT_EQ(map.entities[0].y, -3.0f);
    EXPECT_EQ(map.entities[1].y, 0.0f); // a missing coordinate is 0
    EXPECT_EQ(map.items[1].x, 0.0f);
    EXPECT_EQ(map.entities[1].line, 5);
    EXPECT_TRUE(report.problems.empty());
}

TEST(MapReader, NamelessElementsAreSkippedAndWildCoordinatesReadAsZero) {
    CollectingReport report;
    MapContents map = Read("<map>\n"
                           "<entity x='1' y='1'/>\n"
                           "<entity x='nan' y='1e39' ent_name='tree'/>\n"
                           "<entity x='-1e400' y='2' ent_name='rock'/>\n"
                           "</map>",
                           report);
    EXPECT_EQ(map.name, "");
    ASSERT_EQ(Names(map.entities), (std::vector<std::string>{"tree", "rock"}));
    EXPECT_EQ(map.entities[0].x, 0.0f); // "nan" is no number at all: 0, silently
    EXPECT_EQ(map.entities[0].y, 0.0f);
    EXPECT_EQ(map.entities[1].x, 0.0f);
    ASSERT_EQ(report.problems.size(), 3u);
    EXPECT_EQ(report.problems[0].line, 2);
    EXPECT_EQ(report.problems[0].what, "entity 0 skipped: no ent_name attribute");
    EXPECT_EQ(report.problems[1].what, "entity y \"1e39\" is out of range; read as 0");
    EXPECT_EQ(report.problems[2].what, "entity x \"-1e400\" is out of range; read as 0");
}

TEST(MapReader, NoMapElementOrAnUnreadableFileLoadsNothing) {
    CollectingReport report;
    EXPECT_TRUE(Read("<world><entity x='1' ent_name='a'/></world>", report).entities.empty());
    std::string dir = MakeTempDir("map");
    WriteFile(dir + "/bad.xml", "this is no map");
    MapContents map;
    map.name = "kept";
    EXPECT_FALSE(ReadMapFile(dir + "/bad.xml", map, report));
    EXPECT_FALSE(ReadMapFile(dir + "/absent.xml", map, report));
    EXPECT_EQ(map.name, "kept");
    EXPECT_EQ(report.unloadable, (std::vector<std::string>{dir + "/bad.xml", dir + "/absent.xml"}));
}

TEST(MapWriter, RoundsTiesToEvenWritesEntitiesEffectsThenItems) {
    MapContents map;
    map.name = "Glade";
    map.items = {{"Key", 1.4f, -0.5f}};
    map.entities = {{"tree", 32.5f, 33.5f}, {"rock", -2.5f, 1e9f}};
    map.effects = {{"Embers", 1, 1}};
    std::string dir = MakeTempDir("map");
    std::string error;
    ASSERT_TRUE(WriteMapFile(dir + "/m.xml", map, error)) << error;
    EXPECT_EQ(ReadFile(dir + "/m.xml"),
              "<?xml version=\"1.0\"?>\n"
              "<map name=\"Glade\">\n"
              "    <entity x=\"32\" y=\"34\" ent_name=\"tree\"/>\n"
              "    <entity x=\"-2\" y=\"1000000000\" ent_name=\"rock\"/>\n"
              "    <effect x=\"1\" y=\"1\" fx_name=\"Embers\"/>\n"
              "    <item x=\"1\" y=\"0\" it_name=\"Key\"/>\n"
              "</map>\n");
    EXPECT_FALSE(std::filesystem::exists(dir + "/m.xml.saving"));

    CollectingReport report;
    MapContents back;
    ASSERT_TRUE(ReadMapFile(dir + "/m.xml", back, report));
    EXPECT_EQ(Names(back.entities), (std::vector<std::string>{"tree", "rock"}));
    EXPECT_FLOAT_EQ(back.entities[0].x, 32.0f);
    EXPECT_EQ(Names(back.effects), (std::vector<std::string>{"Embers"}));
}

TEST(MapWriter, AnEmptyMapIsItsNameAlone) {
    MapContents map;
    map.name = "Empty & <odd>";
    std::string dir = MakeTempDir("map");
    std::string error;
    ASSERT_TRUE(WriteMapFile(dir + "/m.xml", map, error));
    EXPECT_EQ(ReadFile(dir + "/m.xml"),
              "<?xml version=\"1.0\"?>\n<map name=\"Empty &amp; &lt;odd&gt;\"/>\n");
}

// Control characters only reach a name through character references; a
// raw carriage return would read back as a line feed.
TEST(MapWriter, NamesWithControlCharactersReadBackUnchanged) {
    MapContents map;
    map.name = "Two\r\nlines";
    map.entities = {{"\rdead", 1, 2}, {"tab\there", 3, 4}};
    map.items = {{"Key\x01", 5, 6}};
    const std::string dir = MakeTempDir("map");
    std::string error;
    ASSERT_TRUE(WriteMapFile(dir + "/m.xml", map, error)) << error;
    const std::string text = ReadFile(dir + "/m.xml");
    EXPECT_NE(text.find("ent_name=\"&#xD;dead\""), std::string::npos) << text;
    EXPECT_NE(text.find("\n    <entity"), std::string::npos) << "the layout is untouched";

    CollectingReport report;
    MapContents back;
    ASSERT_TRUE(ReadMapFile(dir + "/m.xml", back, report));
    EXPECT_EQ(back.name, map.name);
    EXPECT_EQ(Names(back.entities), Names(map.entities));
    EXPECT_EQ(Names(back.items), Names(map.items));
}

TEST(MapWriter, AFailedSaveSaysWhyAndLeavesTheOldFileWhole) {
    std::string dir = MakeTempDir("map");
    MapContents map;
    map.entities = {{"tree", 1, 2}};
    std::string error;
    EXPECT_FALSE(WriteMapFile(dir + "/missing/m.xml", map, error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));

    // A folder in the way of the rename: the old map stays as it was and no
    // half-written file is left beside it.
    WriteFile(dir + "/old.xml", "old map");
    std::filesystem::create_directory(dir + "/taken.xml");
    WriteFile(dir + "/taken.xml/inside", "x");
    EXPECT_FALSE(WriteMapFile(dir + "/taken.xml", map, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(dir + "/taken.xml.saving"));
    EXPECT_EQ(ReadFile(dir + "/old.xml"), "old map");
}
