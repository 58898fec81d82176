// Reloading the map in the running game, for a play-test that follows the
// editor: the file is read whole first, so a half-written or broken one
// never empties the world.
#include "content/ContentReport.h"
#include "content/MapFile.h"
#include "content/XmlFile.h"
#include "game/world/World.h"

#include <cstring>

namespace {

// Keeps the first reason instead of showing a message box: a broken save
// during play is one log line, not a box in the player's face.
class FirstReason : public ContentReport {
public:
    void CannotLoad(const std::string& path) override {
        if (reason.empty()) {
            reason = CannotLoadText(path);
        }
    }
    void Unparsable(const std::string&, int line, const std::string& what) override {
        reason = "line " + std::to_string(line) + ": " + what;
    }
    void Problem(const std::string&, int, const std::string&) override {}
    std::string reason;
};

} // namespace

bool World::ReloadMap(const std::string& path, const DefinitionDatabase& definitions,
                      FX_Manager* effects, ContentReport& report, std::string& error) {
    tinyxml2::XMLDocument document;
    FirstReason reason;
    if (!LoadXmlFile(document, path, reason)) {
        error = reason.reason.empty() ? "it cannot be loaded" : reason.reason;
        return false;
    }
    const tinyxml2::XMLElement* root = document.RootElement();
    if (!root || std::strcmp(root->Name(), "map") != 0) {
        error = "it is not a map file";
        return false;
    }
    MapContents map;
    ReadMap(document, path, map, report);
    m_entities.Clear();
    m_items.Clear();
    Populate(map, path, definitions, effects, report);
    return true;
}
