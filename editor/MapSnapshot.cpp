#include "editor/MapSnapshot.h"

#include "editor/EditorWorld.h"

namespace {

void Collect(const PlacementLists& lists, NameTable& names, std::vector<MapSnapshot::Entry>& out) {
    out.reserve(lists.Size());
    for (const PlacementLists::List* list : {&lists.Visible(), &lists.Offscreen()}) {
        for (const auto& p : *list) {
            out.push_back({names.Intern(p->name), p->x, p->y, p->selected, p->source});
        }
    }
}

} // namespace

std::uint32_t NameTable::Intern(const std::string& name) {
    auto [it, added] = m_index.try_emplace(name, static_cast<std::uint32_t>(m_names.size()));
    if (added) {
        m_names.push_back(name);
    }
    return it->second;
}

MapSnapshot TakeSnapshot(const EditorWorld& world, NameTable& names) {
    MapSnapshot snapshot;
    snapshot.mapName = world.mapName;
    snapshot.source = world.source;
    Collect(world.Entities(), names, snapshot.entities);
    Collect(world.Items(), names, snapshot.items);
    Collect(world.Effects(), names, snapshot.effects);
    return snapshot;
}

void RestoreSnapshot(EditorWorld& world, const MapSnapshot& snapshot, const NameTable& names,
                     const EditorDefinitions& definitions) {
    world.Clear();
    world.mapName = snapshot.mapName;
    world.source = snapshot.source;
    for (const MapSnapshot::Entry& e : snapshot.entities) {
        world.AddEntity(names.Name(e.name), e.x, e.y, definitions, e.selected, e.source);
    }
    for (const MapSnapshot::Entry& e : snapshot.effects) {
        world.AddEffect(names.Name(e.name), e.x, e.y, definitions, e.selected, e.source);
    }
    for (const MapSnapshot::Entry& e : snapshot.items) {
        world.AddItem(names.Name(e.name), e.x, e.y, definitions, e.selected, e.source);
    }
}
