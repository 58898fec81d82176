// Everything the map places: entities (sprites, particles, blocking or
// touch actions), placed effects and items on the ground. Only what is near
// the view is active: updated, drawn, collided with and picked up.
#pragma once

#include "game/world/ActivationLists.h"
#include "game/world/ItemInstance.h"
#include "game/world/MapEntity.h"

#include <string>

class BitmapFont;
class ContentReport;
class DefinitionDatabase;
class FX_Manager;
class ResourceManager;
class Sprite;
struct MapContents;

class World {
public:
    // The tooltip's font and underline come from the resources.
    void SetResources(ResourceManager* resources);

    // Reads the map file; a file that cannot be loaded is reported and
    // leaves the world empty. Names the definitions (or the effects file)
    // lack are skipped with a report line.
    void LoadMap(const std::string& path, const DefinitionDatabase& definitions,
                 FX_Manager* effects, ContentReport& report);
    // The same from contents already read.
    void Populate(const MapContents& map, const std::string& path,
                  const DefinitionDatabase& definitions, FX_Manager* effects,
                  ContentReport& report);

    // The map file again, in place of every entity, effect and item on the
    // ground (a play-test following the editor's saves). A file that cannot
    // be loaded or is no map is refused: false with the reason, and the
    // world stays as it was.
    bool ReloadMap(const std::string& path, const DefinitionDatabase& definitions,
                   FX_Manager* effects, ContentReport& report, std::string& error);

    // Every unpaused frame: activation against the view, then particles and
    // effects of what is active.
    void Update(const CollisionBox& view, float dt);
    // In world coordinates; mouse is the world point under the cursor.
    void Draw(bool testMode, float mouseX, float mouseY);

    const std::string& MapName() const { return m_mapName; }
    // In list order. The inactive lists are built on demand (traces, tests).
    const std::vector<MapEntity*>& ActiveEntities() const { return m_entities.Active(); }
    std::vector<MapEntity*> InactiveEntities() const { return m_entities.Inactive(); }
    const std::vector<ItemInstance*>& ActiveItems() const { return m_items.Active(); }
    std::vector<ItemInstance*> InactiveItems() const { return m_items.Inactive(); }
    std::size_t InactiveEntityCount() const { return m_entities.InactiveCount(); }
    std::size_t InactiveItemCount() const { return m_items.InactiveCount(); }
    std::unique_ptr<ItemInstance> TakeActiveItem(std::size_t index) {
        return m_items.ReleaseActive(index);
    }
    int ActiveEntityCount() const { return static_cast<int>(m_entities.Active().size()); }

private:
    void DrawTooltip(const ItemInstance& item);

    ResourceManager* m_resources = nullptr;
    std::string m_mapName;
    ActivationLists<MapEntity> m_entities;
    ActivationLists<ItemInstance> m_items;
    BitmapFont* m_tooltipFont = nullptr; // owned by the resource manager
    Sprite* m_underline = nullptr;       // owned by the resource manager
    std::vector<MapEntity*> m_drawOrder; // kept to spare an allocation a frame
};

World& TheWorld();
