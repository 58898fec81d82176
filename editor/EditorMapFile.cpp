#include "editor/EditorMapFile.h"

#include "content/ContentReport.h"
#include "content/MapFile.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorWorld.h"

namespace {

void Collect(const PlacementLists& lists, std::vector<MapPlacement>& out) {
    for (const PlacementLists::List* list : {&lists.Visible(), &lists.Offscreen()}) {
        for (const auto& placement : *list) {
            MapPlacement entry;
            entry.name = placement->name;
            entry.x = placement->x;
            entry.y = placement->y;
            out.push_back(std::move(entry));
        }
    }
}

} // namespace

bool LoadMap(EditorWorld& world, const std::string& path, const EditorDefinitions& definitions,
             ContentReport& report) {
    MapContents map;
    if (!ReadMapFile(path, map, report)) {
        return false;
    }
    world.Clear();
    world.mapName = map.name;
    auto skip = [&](const MapPlacement& placement, const char* kind) {
        report.Problem(path, placement.line,
                       std::string(kind) + " \"" + placement.name + "\" skipped: no " + kind +
                           " definition has that name");
    };
    for (const MapPlacement& entity : map.entities) {
        if (!world.AddEntity(entity.name, entity.x, entity.y, definitions)) {
            skip(entity, "entity");
        }
    }
    for (const MapPlacement& item : map.items) {
        if (!world.AddItem(item.name, item.x, item.y, definitions)) {
            skip(item, "item");
        }
    }
    return true;
}

MapContents MapOfWorld(const EditorWorld& world) {
    MapContents map;
    map.name = world.mapName;
    map.entities.reserve(world.Entities().Size());
    map.items.reserve(world.Items().Size());
    Collect(world.Entities(), map.entities);
    Collect(world.Items(), map.items);
    return map;
}

bool SaveMap(const EditorWorld& world, const std::string& path, std::string& error) {
    return WriteMapFile(path, MapOfWorld(world), error);
}
