#include "editor/EditorWorld.h"

#include "editor/EditorDefinitions.h"
#include "editor/EffectPlacement.h"
#include "editor/EntityPlacement.h"
#include "editor/ItemPlacement.h"
#include "editor/MissingPlacement.h"
#include "platform/registry/Registry.h"
#include "toolkit/BitmapFont.h"

#include <algorithm>

EditorWorld& TheEditorWorld() {
    return Registry::Current().Get<EditorWorld>();
}

bool EditorWorld::Place(int mode, const std::string& name, float x, float y,
                        const EditorDefinitions& definitions) {
    const bool known = mode == EditorDefinitions::kEntities ? definitions.Entity(name) != nullptr
                       : mode == EditorDefinitions::kItems  ? definitions.Item(name) != nullptr
                                                            : definitions.Effect(name) != nullptr;
    if (!known) {
        return false;
    }
    PlacementLists& lists = mode == EditorDefinitions::kEntities ? m_entities
                            : mode == EditorDefinitions::kItems  ? m_items
                                                                 : m_effects;
    lists.DeselectAll();
    if (mode == EditorDefinitions::kEntities) {
        AddEntity(name, x, y, definitions, true);
    } else if (mode == EditorDefinitions::kItems) {
        AddItem(name, x, y, definitions, true);
    } else {
        AddEffect(name, x, y, definitions, true);
    }
    return true;
}

namespace {

void AddTo(PlacementLists& lists, std::unique_ptr<Placement> placement, std::uint32_t source) {
    placement->source = source;
    lists.AddOffscreen(std::move(placement));
}

} // namespace

bool EditorWorld::AddEntity(const std::string& name, float x, float y,
                            const EditorDefinitions& definitions, bool selected,
                            std::uint32_t source) {
    const EntityDefinition* definition = definitions.Entity(name);
    if (!definition) {
        AddTo(m_entities, std::make_unique<MissingPlacement>(name, x, y, selected), source);
        return false;
    }
    AddTo(m_entities,
          std::make_unique<EntityPlacement>(*definition, name, x, y, selected, m_resources),
          source);
    return true;
}

bool EditorWorld::AddItem(const std::string& name, float x, float y,
                          const EditorDefinitions& definitions, bool selected,
                          std::uint32_t source) {
    const ItemDefinition* definition = definitions.Item(name);
    if (!definition) {
        AddTo(m_items, std::make_unique<MissingPlacement>(name, x, y, selected), source);
        return false;
    }
    AddTo(m_items, std::make_unique<ItemPlacement>(*definition, name, x, y, selected, m_resources),
          source);
    return true;
}

bool EditorWorld::AddEffect(const std::string& name, float x, float y,
                            const EditorDefinitions& definitions, bool selected,
                            std::uint32_t source) {
    if (!definitions.Effect(name)) {
        AddTo(m_effects, std::make_unique<MissingPlacement>(name, x, y, selected), source);
        return false;
    }
    AddTo(m_effects, std::make_unique<EffectPlacement>(name, x, y, selected), source);
    return true;
}

std::size_t EditorWorld::MissingCount() const {
    std::size_t count = 0;
    ForEach([&count](const PlacementLists&, const Placement& p) { count += p.Missing() ? 1 : 0; });
    return count;
}

void EditorWorld::DeleteSelected() {
    for (PlacementLists* lists : AllLists()) {
        lists->DeleteSelected();
    }
}

void EditorWorld::DeselectOffscreen() {
    for (PlacementLists* lists : AllLists()) {
        lists->DeselectOffscreen();
    }
}

void EditorWorld::DeselectAll() {
    for (PlacementLists* lists : AllLists()) {
        lists->DeselectAll();
    }
}

bool EditorWorld::AnySelected() const {
    const auto lists = AllLists();
    return std::any_of(lists.begin(), lists.end(),
                       [](const PlacementLists* l) { return l->AnySelected(); });
}

void EditorWorld::Clear() {
    for (PlacementLists* lists : AllLists()) {
        lists->Clear();
    }
}

void EditorWorld::Update(const CollisionBox& view, float dt) {
    for (PlacementLists* lists : AllLists()) {
        lists->Update(view);
        for (const auto& placement : lists->Visible()) {
            placement->Update(dt);
        }
    }
}

void EditorWorld::Draw(const std::function<void()>& overGround) {
    m_drawOrder.clear();
    for (const auto& entity : m_entities.Visible()) {
        m_drawOrder.push_back(entity.get());
    }
    std::stable_sort(
        m_drawOrder.begin(), m_drawOrder.end(),
        [](const Placement* a, const Placement* b) { return a->Layer() < b->Layer(); });
    for (const PlacementLists* lists : {&m_effects, &m_items}) {
        for (const auto& p : lists->Visible()) {
            m_drawOrder.push_back(p.get());
        }
    }
    bool groundDone = false;
    for (Placement* p : m_drawOrder) {
        if (!groundDone && p->Layer() >= 0) {
            groundDone = true;
            if (overGround) {
                overGround();
            }
        }
        p->Draw();
    }
    if (!groundDone && overGround) {
        overGround();
    }
}

void EditorWorld::DrawOutlines(bool testMode, const MapView& view) {
    // The order Draw used: it is the same frame's.
    for (const Placement* p : m_drawOrder) {
        if (p->Outlined(testMode)) {
            DrawScreenOutline(p->Box(), view);
        }
    }
}

void EditorWorld::DrawMissingLabels(BitmapFont& font) {
    for (const PlacementLists* lists : AllLists()) {
        for (const auto& p : lists->Visible()) {
            if (p->Missing()) {
                font.printf(p->x, p->Box().Top() - font.GetHeight(), BitmapFont::kCentre,
                            "missing: %s", p->name.c_str());
            }
        }
    }
}
