// A game object that runs nothing, over the shipped art and effects, with a
// world of definitions and maps the test writes itself, so the cases do not
// depend on the shipped map. Everything the game reaches through its
// accessors starts fresh in each test.
#pragma once

#include "content/ContentReport.h"
#include "content/DefinitionDatabase.h"
#include "content/MapFile.h"
#include "game/core/Game.h"
#include "toolkit/fx/FX_Manager.h"
#include "game/world/World.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/Sprite.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class GameTestFixture : public ::testing::Test {
protected:
    // Definitions: "tree" (blocking, tree_oak), "torch" (fx_torch), "ghost"
    // (dynamic, torch sprite and fx_torch), "ground" (layer -1), "spring"
    // (powerup_health on touch), "fire_pit" (aggdmg_150 on touch), the effect
    // "Embers", the items "Key" (kept) and "Bread" (used up, fx_glint).
    void SetUp() override {
        Registry::Current().Reset();
        m_dir = testing_support::MakeTempDir("world");
        Write("resources/spells.xml", "<spells/>");
        Write("resources/entity.xml",
              "<entitydata>"
              "<entity name='tree' sprname='tree_oak' parname='' pl_col='1'>" +
                  Triggers() +
                  "</entity>"
                  "<entity name='torch' sprname='torch' parname='fx_torch'>" +
                  Triggers() +
                  "</entity>"
                  "<entity name='ghost' sprname='torch' parname='fx_torch' dynamic='1'>" +
                  Triggers() +
                  "</entity>"
                  "<entity name='ground' sprname='ground_grass' parname='' layer='-1'>" +
                  Triggers() +
                  "</entity>"
                  "<entity name='spring' sprname='spring' parname=''>"
                  "<triggers pl='powerup_health' sp='' en=''/></entity>"
                  "<entity name='fire_pit' sprname='brazier' parname=''>"
                  "<triggers pl='aggdmg_150' sp='' en=''/></entity>"
                  "</entitydata>");
        Write("resources/effects.xml", "<fxdata><effect name='Embers'>" + Triggers() +
                                           "</effect><effect name='Nowhere'>" + Triggers() +
                                           "</effect></fxdata>");
        Write("resources/items.xml",
              "<itemdata><item name='Key' sprname='item_key' parname='' icon='icon_key' "
              "cmd='addhealth_1' "
              "type='1'>"
              "<desc text='An old key'/></item>"
              "<item name='Bread' sprname='item_bread' parname='fx_glint' icon='icon_bread' "
              "cmd='addhealth_5'><desc text='Hard bread'/></item></itemdata>");
        EngineContentReport report(*m_engine.get());
        m_definitions.Load(report, nullptr, m_dir + "/");
        m_game = std::make_unique<Game>(Game::Detached{});
        m_game->resources = std::make_unique<ResourceManager>("resources/game.res");
        m_resources = m_game->resources.get();
        // Restore files go to the test's folder, never into the content.
        m_effects = std::make_unique<FX_Manager>(2, 0, false, "", m_dir + "/");
        m_effects->LoadEffectsFile("fx/effects.fxd");
        m_world = &TheWorld();
        m_world->SetResources(m_resources);
    }

    void TearDown() override {
        // The world's emitters go before the manager they came from.
        Registry::Current().Reset();
        m_effects.reset();
        m_game.reset();
        Registry::Current().Reset();
    }

    static std::string Triggers() { return "<triggers pl='' sp='' en=''/>"; }

    void Write(const std::string& name, const std::string& text) {
        testing_support::WriteFile(m_dir + "/" + name, text);
    }

    void Populate(const MapContents& map) {
        EngineContentReport report(*m_engine.get());
        m_world->Populate(map, "maps/test.xml", m_definitions, m_effects.get(), report);
    }

    // The world's update under the game's view box.
    void Update(float dt = 1.0f / 60) { m_world->Update(*m_game->viewBox, dt); }

    // Places the map into the world and brings the view's part into play.
    void Place(const MapContents& map) {
        Populate(map);
        Update();
    }

    static MapPlacement At(const char* name, float x, float y) {
        MapPlacement placement;
        placement.name = name;
        placement.x = x;
        placement.y = y;
        return placement;
    }

    // The texts of the alerts on show, oldest first.
    static std::vector<std::string> AlertTexts() {
        std::vector<std::string> texts;
        for (const Alert& alert : Registry::Current().Get<AlertList>().Alerts()) {
            texts.push_back(alert.text);
        }
        return texts;
    }

    float SpriteWidth(const char* name) { return m_resources->GetSprite(name)->GetWidth(); }

    testing_support::HeadlessEngine m_engine;
    testing_support::InDataDir m_inData;
    std::string m_dir;
    DefinitionDatabase m_definitions;
    std::unique_ptr<Game> m_game;
    ResourceManager* m_resources = nullptr;
    std::unique_ptr<FX_Manager> m_effects;
    World* m_world = nullptr;
};
