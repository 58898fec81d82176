#include "game/world/World.h"

#include "content/ContentReport.h"
#include "content/DefinitionDatabase.h"
#include "content/MapFile.h"
#include "platform/registry/Registry.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/Sprite.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_Manager.h"

#include <algorithm>

World& TheWorld() {
    return Registry::Current().Get<World>();
}

void World::SetResources(ResourceManager* resources) {
    m_resources = resources;
    m_tooltipFont = resources ? resources->GetFont("dial_fnt") : nullptr;
    m_underline = resources ? resources->GetSprite("underline") : nullptr;
}

void World::LoadMap(const std::string& path, const DefinitionDatabase& definitions,
                    FX_Manager* effects, ContentReport& report) {
    MapContents map;
    if (ReadMapFile(path, map, report)) {
        Populate(map, path, definitions, effects, report);
    }
}

void World::Populate(const MapContents& map, const std::string& path,
                     const DefinitionDatabase& definitions, FX_Manager* effects,
                     ContentReport& report) {
    m_mapName = map.name;
    auto skip = [&](const MapPlacement& placement, const char* kind, const char* why) {
        report.Problem(path, placement.line,
                       std::string(kind) + " \"" + placement.name + "\" skipped: " + why);
    };
    for (const MapPlacement& placement : map.entities) {
        const EntityDefinition* definition = definitions.Entity(placement.name);
        if (!definition || !m_resources) {
            skip(placement, "entity", "no entity definition has that name");
            continue;
        }
        m_entities.AddInactive(
            std::make_unique<MapEntity>(*definition, placement.x, placement.y, *m_resources));
    }
    for (const MapPlacement& placement : map.effects) {
        const EntityDefinition* definition = definitions.Effect(placement.name);
        if (!definition) {
            skip(placement, "effect", "no effect definition has that name");
            continue;
        }
        std::unique_ptr<FX_Emitter> emitter =
            effects ? effects->SpawnCopy(placement.name.c_str(), placement.x, placement.y)
                    : nullptr;
        if (!emitter) {
            skip(placement, "effect", "the effects file has no emitter of that name");
            continue;
        }
        m_entities.AddInactive(
            std::make_unique<MapEntity>(*definition, std::move(emitter), placement.x, placement.y));
    }
    for (const MapPlacement& placement : map.items) {
        const ItemDefinition* definition = definitions.Item(placement.name);
        if (!definition || !m_resources) {
            skip(placement, "item", "no item definition has that name");
            continue;
        }
        m_items.AddInactive(
            std::make_unique<ItemInstance>(*definition, placement.x, placement.y, *m_resources));
    }
}

void World::Update(const CollisionBox& view, float dt) {
    m_entities.Update(view, [](const MapEntity& e) { return e.Definition().dynamic; });
    for (MapEntity* entity : m_entities.Active()) {
        entity->Update(dt);
    }
    m_items.Update(view, [](const ItemInstance& i) { return i.Definition().dynamic; });
    for (ItemInstance* item : m_items.Active()) {
        item->Update(dt);
    }
}

void World::Draw(bool testMode, float mouseX, float mouseY) {
    m_drawOrder.clear();
    m_drawOrder = m_entities.Active();
    std::stable_sort(m_drawOrder.begin(), m_drawOrder.end(), [](MapEntity* a, MapEntity* b) {
        return a->Definition().layer < b->Definition().layer;
    });
    for (MapEntity* entity : m_drawOrder) {
        entity->Draw(testMode);
    }
    for (ItemInstance* item : m_items.Active()) {
        item->Draw(testMode);
        if (item->Box().Contains(mouseX, mouseY)) {
            DrawTooltip(*item);
        }
    }
}

void World::DrawTooltip(const ItemInstance& item) {
    if (!m_tooltipFont) {
        return;
    }
    const ItemDefinition& definition = item.Definition();
    const std::string text = definition.name + ": " + definition.description;
    const float y = item.Y() - item.Box().Height() / 2 - 30;
    m_tooltipFont->printf(item.X(), y, BitmapFont::kCentre, "%s", text.c_str());
    if (m_underline) {
        const float width = m_tooltipFont->GetStringWidth(text.c_str());
        m_underline->SetTextureRect(0, 0, width, 8);
        m_underline->Render(item.X() - width / 2, y + m_tooltipFont->GetHeight());
    }
}
