// Saving a map: the streamed text is exactly the document the map format
// describes, and a failed write leaves what was there.
#include "content/MapFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string Printed(const MapContents& map) {
    tinyxml2::XMLDocument document;
    BuildMapDocument(map, document);
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    return printer.CStr();
}

} // namespace

TEST(MapSave, TheSavedFileIsThePrintedDocument) {
    MapContents map;
    map.name = "A & <B> \"quoted\"";
    map.entities = {{"crate", 32.5f, 33.5f},
                    {"tree", -0.4f, -2.5f},
                    {"big", 3e9f, -7e12f},
                    {"odd name <&>", std::numeric_limits<float>::infinity(), 1.5f}};
    map.items = {{"Key", 1, 2}};
    map.effects = {{"Embers", 5, 5}};
    const std::string dir = testing_support::MakeTempDir("mapsave");
    std::string error;
    ASSERT_TRUE(WriteMapFile(dir + "/m.xml", map, error)) << error;
    const std::string text = testing_support::ReadFile(dir + "/m.xml");
    EXPECT_EQ(text, Printed(map));
    EXPECT_NE(text.find("<entity x=\"32\" y=\"34\" ent_name=\"crate\"/>"), std::string::npos);
    EXPECT_NE(text.find("<entity x=\"0\" y=\"-2\" ent_name=\"tree\"/>"), std::string::npos);
    EXPECT_NE(text.find("x=\"3000000000\""), std::string::npos);
    EXPECT_NE(text.find("<effect x=\"5\" y=\"5\" fx_name=\"Embers\"/>\n    <item"),
              std::string::npos);

    MapContents empty;
    empty.name = "Empty";
    ASSERT_TRUE(WriteMapFile(dir + "/e.xml", empty, error));
    EXPECT_EQ(testing_support::ReadFile(dir + "/e.xml"),
              "<?xml version=\"1.0\"?>\n<map name=\"Empty\"/>\n");
}
