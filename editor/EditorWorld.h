// Every entity, effect and item placed on the map being edited, in visible
// and off-screen lists, with the map's name.
#pragma once

#include "editor/PlacementLists.h"
#include "editor/ScreenOutline.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class BitmapFont;
class EditorDefinitions;
struct MapSource;
class ResourceManager;

class EditorWorld {
public:
    // Where placements find their sprites and particle systems (may stay
    // null: placements then draw nothing but their outline).
    void SetResources(ResourceManager* resources) { m_resources = resources; }
    ResourceManager* Resources() const { return m_resources; }

    // A new placement of the named definition of the mode, selected, the
    // others of its kind deselected; it becomes visible at the next Update.
    // False (and nothing changes) when the mode has no such definition.
    bool Place(int mode, const std::string& name, float x, float y,
               const EditorDefinitions& definitions);
    // Off screen. A name no definition has gives a missing placeholder
    // (see MissingPlacement) and false. source: the map element it was
    // read from, 0 for a new one.
    bool AddEntity(const std::string& name, float x, float y, const EditorDefinitions& definitions,
                   bool selected = false, std::uint32_t source = 0);
    bool AddItem(const std::string& name, float x, float y, const EditorDefinitions& definitions,
                 bool selected = false, std::uint32_t source = 0);
    bool AddEffect(const std::string& name, float x, float y, const EditorDefinitions& definitions,
                   bool selected = false, std::uint32_t source = 0);
    // How many placements name no definition.
    std::size_t MissingCount() const;

    // Visible placements touching the box become the selection (locked
    // ground patches never do).
    void SelectInBox(const CollisionBox& box);
    // A click: the topmost visible placement strictly under the point
    // (items over effects over entities; among entities the highest layer,
    // then the last drawn), skipping locked ground patches. Null when none.
    Placement* TopmostAt(float x, float y) const;
    // Only the topmost one under the point becomes selected (none when
    // nothing is there); with toggle it alone flips and the rest stay.
    void PickAt(float x, float y, bool toggle);
    // Everything but locked ground patches.
    void SelectAll();
    std::size_t SelectedCount() const;
    // Moves the selection, keeping every coordinate a finite float.
    void MoveSelected(float dx, float dy);
    void DeleteSelected();
    void DeselectOffscreen();
    void DeselectAll();
    bool AnySelected() const;
    // Every placement goes; the map name stays.
    void Clear();

    // The lists against the view, then the visible particles and effects.
    void Update(const CollisionBox& view, float dt);
    // Under the camera transform: visible entities by layer (list order
    // within one), then visible effects, then visible items. overGround, when given, runs once
    // between the ground patches (layer < 0) and everything else.
    void Draw(const std::function<void()>& overGround = nullptr);
    // Under a screen-space transform, after Draw: the outlines, in the same
    // order, so no placement drawn later hides one.
    void DrawOutlines(bool testMode, const MapView& view);
    // "missing: NAME" over each visible placeholder.
    void DrawMissingLabels(BitmapFont& font);

    PlacementLists& Entities() { return m_entities; }
    PlacementLists& Items() { return m_items; }
    const PlacementLists& Entities() const { return m_entities; }
    const PlacementLists& Items() const { return m_items; }
    PlacementLists& Effects() { return m_effects; }
    const PlacementLists& Effects() const { return m_effects; }
    // Entities, effects, items: the order of the map file and of drawing.
    std::array<PlacementLists*, 3> AllLists() { return {&m_entities, &m_effects, &m_items}; }
    std::array<const PlacementLists*, 3> AllLists() const {
        return {&m_entities, &m_effects, &m_items};
    }
    // visit(lists, placement) for every placement, seen or not, in the
    // order of AllLists.
    template <class Visit> void ForEach(Visit&& visit) const {
        for (const PlacementLists* lists : AllLists()) {
            for (const PlacementLists::List* list : {&lists->Visible(), &lists->Offscreen()}) {
                for (const auto& p : *list) {
                    visit(*lists, *p);
                }
            }
        }
    }
    // Ground patches (entities of a negative layer) are left out of clicks
    // and bands while locked, so moving a prop never takes the terrain.
    bool groundLocked = true;

    std::string mapName;
    // The file the map was read from, kept whole for saving (null for a new
    // map).
    std::shared_ptr<const MapSource> source;

private:
    ResourceManager* m_resources = nullptr;
    PlacementLists m_entities;
    PlacementLists m_items;
    PlacementLists m_effects;
    std::vector<Placement*> m_drawOrder; // kept to spare an allocation a frame
};

EditorWorld& TheEditorWorld();
