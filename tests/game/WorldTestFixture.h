// A world over the shipped art and effects, with definitions and maps the
// test writes itself, so the cases do not depend on the shipped map.
#pragma once

#include "content/ContentReport.h"
#include "content/DefinitionDatabase.h"
#include "content/MapFile.h"
#include "game/fx/FX_Manager.h"
#include "game/world/World.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/Sprite.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class WorldTestFixture : public ::testing::Test {
protected:
    // Definitions: "tree" (blocking, tree_oak), "torch" (fx_torch), "ghost"
    // (dynamic, torch sprite and fx_torch), "ground" (layer -1), the effect
    // "Embers", the items "Key" and "Bread" (with fx_glint).
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
                  Triggers() + "</entity></entitydata>");
        Write("resources/effects.xml", "<fxdata><effect name='Embers'>" + Triggers() +
                                           "</effect><effect name='Nowhere'>" + Triggers() +
                                           "</effect></fxdata>");
        Write("resources/items.xml",
              "<itemdata><item name='Key' sprname='item_key' parname='' icon='icon_key' cmd=''>"
              "<desc text='An old key'/></item>"
              "<item name='Bread' sprname='item_bread' parname='fx_glint' icon='icon_bread' "
              "cmd='addhealth_5'><desc text='Hard bread'/></item></itemdata>");
        EngineContentReport report(*m_engine.get());
        m_definitions.Load(report, nullptr, m_dir + "/");
        m_resources = std::make_unique<ResourceManager>("resources/game.res");
        // Restore files go to the test's folder, never into the content.
        m_effects = std::make_unique<FX_Manager>(2, 0, false, "", m_dir + "/");
        m_effects->LoadEffectsFile("fx/effects.fxd");
        m_world->SetResources(m_resources.get());
    }

    void TearDown() override {
        m_world.reset();
        m_effects.reset();
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

    // The view box of a 1024 x 768 screen at the camera.
    void Update(float dt = 1.0f / 60) {
        CollisionBox view(&cameraX, &cameraY, 1024, 768);
        m_world->Update(view, dt);
    }

    float SpriteWidth(const char* name) { return m_resources->GetSprite(name)->GetWidth(); }

    testing_support::HeadlessEngine m_engine;
    testing_support::InDataDir m_inData;
    std::string m_dir;
    DefinitionDatabase m_definitions;
    std::unique_ptr<ResourceManager> m_resources;
    std::unique_ptr<FX_Manager> m_effects;
    // Destroyed before the effects manager its emitters came from.
    std::unique_ptr<World> m_world = std::make_unique<World>();
    float cameraX = 0;
    float cameraY = 0;
};
