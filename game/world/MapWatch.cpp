#include "game/world/MapWatch.h"

#include "content/ContentReport.h"
#include "content/DefinitionDatabase.h"
#include "game/core/ScreenEffects.h"
#include "game/world/World.h"
#include "platform/engine/Engine.h"

MapWatch::MapWatch(Engine& engine, const std::string& path) : m_engine(engine), m_watch(path) {
    m_engine.System_Log("Watching the map for changes: %s (%s)", path.c_str(),
                        m_watch.Notified() ? "change notices" : "its time, once a second");
}

void MapWatch::Update() {
    if (!m_watch.Changed()) {
        return;
    }
    World& world = TheWorld();
    EngineContentReport report(m_engine);
    std::string error;
    if (!world.ReloadMap(m_watch.Path(), TheDefinitionDatabase(),
                         TheScreenEffects().EffectManager(), report, error)) {
        m_engine.System_Log("Map not reloaded: %s: %s; the map stays as it was",
                            m_watch.Path().c_str(), error.c_str());
        return;
    }
    ++m_reloads;
    m_engine.System_Log("Map reloaded: %s", m_watch.Path().c_str());
}
