#include "game/actors/SpellContent.h"

#include "game/core/Game.h"
#include "game/core/ScreenEffects.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_Manager.h"
#include "platform/engine/Engine.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/ResourceManager.h"

std::string SpellContent::TrailFile(int number) {
    return "fx/projectile" + std::to_string(number) + ".psi";
}

void SpellContent::ReportOnce(const std::string& line) {
    if (m_reported.insert(line).second) {
        Engine* engine = EngineCreate(ENGINE_VERSION);
        engine->System_Log("%s", line.c_str());
        engine->Release();
    }
}

const std::optional<ParticleSystemInfo>& SpellContent::TrailSettings(int number) {
    auto found = m_trails.find(number);
    if (found != m_trails.end()) {
        return found->second;
    }
    // Read once: a volley would otherwise load the same file per projectile.
    std::optional<ParticleSystemInfo> settings;
    Engine* engine = EngineCreate(ENGINE_VERSION);
    const std::string file = TrailFile(number);
    std::uint32_t size = 0;
    if (void* bytes = engine->Resource_Load(file.c_str(), &size)) {
        ParticleSystemInfo info;
        if (info.Read(bytes, size)) {
            settings = info;
        }
        engine->Resource_Free(bytes);
    }
    engine->Release();
    if (!settings) {
        ReportOnce("The spell trail \"" + file +
                   "\" is missing or short: its projectiles fly unseen");
    }
    return m_trails.emplace(number, settings).first->second;
}

std::unique_ptr<ParticleSystem> SpellContent::Trail(const std::string& spriteName, int number,
                                                    float x, float y) {
    Game* game = TheGame();
    Sprite* sprite =
        game && game->resources ? game->resources->GetSprite(spriteName.c_str()) : nullptr;
    if (!sprite) {
        ReportOnce("The spell sprite \"" + spriteName +
                   "\" is missing: its projectiles fly unseen");
    }
    const std::optional<ParticleSystemInfo>& settings = TrailSettings(number);
    if (!sprite || !settings) {
        return nullptr;
    }
    ParticleSystemInfo info = *settings;
    info.sprite = sprite;
    auto trail = std::make_unique<ParticleSystem>(info);
    // Both positions at the cast point, so the first update emits there.
    trail->MoveTo(x, y, false);
    trail->Fire();
    return trail;
}

std::unique_ptr<FX_Emitter> SpellContent::AreaEmitter(const std::string& name, float x, float y) {
    FX_Manager* manager = TheScreenEffects().EffectManager();
    std::unique_ptr<FX_Emitter> emitter =
        manager ? manager->SpawnCopy(name.c_str(), x, y) : nullptr;
    if (!emitter) {
        ReportOnce("The area spell effect \"" + name +
                   "\" is not in the effects file: the spell strikes unseen");
        return nullptr;
    }
    Fx_SetEmitterDirectionMode(emitter->GetHandle(), true);
    Fx_SetEmitterDirection(emitter->GetHandle(), 45.0f);
    return emitter;
}
