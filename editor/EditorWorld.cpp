#include "editor/EditorWorld.h"

#include "editor/EditorDefinitions.h"
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
    if (mode == EditorDefinitions::kEntities) {
        const EntityDefinition* definition = definitions.Entity(name);
        if (!definition) {
            return false;
        }
        m_entities.DeselectAll();
        m_entities.AddOffscreen(
            std::make_unique<EntityPlacement>(*definition, name, x, y, true, m_resources));
        return true;
    }
    const ItemDefinition* definition = definitions.Item(name);
    if (!definition) {
        return false;
    }
    m_items.DeselectAll();
    m_items.AddOffscreen(
        std::make_unique<ItemPlacement>(*definition, name, x, y, true, m_resources));
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

std::size_t EditorWorld::MissingCount() const {
    std::size_t count = 0;
    for (const PlacementLists* lists : {&m_entities, &m_items}) {
        for (const PlacementLists::List* list : {&lists->Visible(), &lists->Offscreen()}) {
            for (const auto& p : *list) {
                count += p->Missing() ? 1 : 0;
            }
        }
    }
    return count;
}

void EditorWorld::SelectInBox(const CollisionBox& box) {
    m_entities.SelectInBox(box);
    m_items.SelectInBox(box);
}

void EditorWorld::MoveSelected(float dx, float dy) {
    m_entities.MoveSelected(dx, dy);
    m_items.MoveSelected(dx, dy);
}

void EditorWorld::DeleteSelected() {
    m_entities.DeleteSelected();
    m_items.DeleteSelected();
}

void EditorWorld::DeselectOffscreen() {
    m_entities.DeselectOffscreen();
    m_items.DeselectOffscreen();
}

void EditorWorld::DeselectAll() {
    m_entities.DeselectAll();
    m_items.DeselectAll();
}

bool EditorWorld::AnySelected() const {
    return m_entities.AnySelected() || m_items.AnySelected();
}

void EditorWorld::Clear() {
    m_entities.Clear();
    m_items.Clear();
}

void EditorWorld::Update(const CollisionBox& view, float dt, bool click, float clickX,
                         float clickY) {
    for (PlacementLists* lists : {&m_entities, &m_items}) {
        lists->Update(view);
        for (const auto& placement : lists->Visible()) {
            placement->Update(dt);
        }
    }
    if (click) {
        m_entities.SelectAt(clickX, clickY);
        m_items.SelectAt(clickX, clickY);
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
    for (const auto& item : m_items.Visible()) {
        m_drawOrder.push_back(item.get());
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
    for (const PlacementLists* lists : {&m_entities, &m_items}) {
        for (const auto& p : lists->Visible()) {
            if (p->Missing()) {
                font.printf(p->x, p->Box().Top() - font.GetHeight(), BitmapFont::kCentre,
                            "missing: %s", p->name.c_str());
            }
        }
    }
}
