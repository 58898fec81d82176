#include "editor/EditorMapFile.h"

#include "content/ContentReport.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorWorld.h"
#include "platform/engine/Engine.h"

#include <filesystem>

namespace {

void Collect(const PlacementLists& lists, std::vector<MapPlacement>& out) {
    for (const PlacementLists::List* list : {&lists.Visible(), &lists.Offscreen()}) {
        for (const auto& placement : *list) {
            MapPlacement entry;
            entry.name = placement->name;
            entry.x = placement->x;
            entry.y = placement->y;
            entry.source = placement->source;
            out.push_back(std::move(entry));
        }
    }
}

constexpr std::size_t kNamedPlaceholders = 20;

} // namespace

MapLoad LoadMap(EditorWorld& world, const std::string& path, const EditorDefinitions& definitions,
                ContentReport& report) {
    MapLoad load;
    auto source = std::make_shared<MapSource>();
    load.result = ReadMapSource(path, *source, report);
    if (!load.Loaded()) {
        return load;
    }
    world.Clear();
    world.mapName = source->contents.name;
    auto keep = [&](const MapPlacement& placement, const char* kind) {
        // The first few by name and line; a map of thousands says the count.
        if (++load.missing > kNamedPlaceholders) {
            return;
        }
        report.Problem(path, placement.line,
                       std::string(kind) + " \"" + placement.name + "\": no " + kind +
                           " definition has that name; kept as a placeholder");
    };
    for (const MapPlacement& entity : source->contents.entities) {
        if (!world.AddEntity(entity.name, entity.x, entity.y, definitions, false, entity.source)) {
            keep(entity, "entity");
        }
    }
    for (const MapPlacement& effect : source->contents.effects) {
        if (!world.AddEffect(effect.name, effect.x, effect.y, definitions, false, effect.source)) {
            keep(effect, "effect");
        }
    }
    for (const MapPlacement& item : source->contents.items) {
        if (!world.AddItem(item.name, item.x, item.y, definitions, false, item.source)) {
            keep(item, "item");
        }
    }
    world.source = std::move(source);
    return load;
}

MapLoad OpenMapFile(Engine& engine, EditorWorld& world, const std::string& path,
                    const EditorDefinitions& definitions) {
    EngineContentReport report(engine);
    const MapLoad load = LoadMap(world, path, definitions, report);
    if (load.result == MapReadResult::NotAMap) {
        const std::string text =
            std::filesystem::path(path).filename().string() + " is not a map file";
        engine.System_MessageBox("Error", text.c_str(), true);
    }
    if (load.missing > 0) {
        engine.System_Log("%zu placements of %s name no definition: kept as placeholders",
                          load.missing, path.c_str());
    }
    return load;
}

MapContents MapOfWorld(const EditorWorld& world) {
    MapContents map;
    map.name = world.mapName;
    map.entities.reserve(world.Entities().Size());
    map.items.reserve(world.Items().Size());
    map.effects.reserve(world.Effects().Size());
    Collect(world.Entities(), map.entities);
    Collect(world.Effects(), map.effects);
    Collect(world.Items(), map.items);
    return map;
}

bool SaveMap(const EditorWorld& world, const std::string& path, std::string& error) {
    return WriteMapFileKeeping(path, MapOfWorld(world), world.source.get(), error);
}
