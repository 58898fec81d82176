#include "game/actors/enemies/EnemyResources.h"

#include "platform/engine/Engine.h"
#include "platform/registry/Registry.h"
#include "toolkit/ResourceManager.h"

EnemyResources& TheEnemyResources() {
    return Registry::Current().Get<EnemyResources>();
}

Sprite* EnemyResources::GetSprite(ResourceManager* resources, Engine& engine,
                                  const std::string& name) {
    Sprite* sprite = resources ? resources->GetSprite(name.c_str()) : nullptr;
    if (!sprite && m_reported.insert("sprite " + name).second) {
        engine.System_Log("The sprite \"%s\" is missing: enemies drawn with it are not made",
                          name.c_str());
    }
    return sprite;
}

const ParticleSystemInfo* EnemyResources::ParticleSettings(Engine& engine,
                                                           const std::string& file) {
    auto found = m_files.find(file);
    if (found == m_files.end()) {
        std::optional<ParticleSystemInfo> settings;
        std::uint32_t size = 0;
        if (void* bytes = engine.Resource_Load(file.c_str(), &size)) {
            // A record shorter than 128 bytes would give a system that shows
            // nothing.
            if (ParticleSystemInfo info; info.Read(bytes, size)) {
                settings = info;
            }
            engine.Resource_Free(bytes);
        }
        found = m_files.emplace(file, settings).first;
        if (!settings) {
            engine.System_Log("The particle file \"%s\" is missing or short: enemies using it "
                              "are not made",
                              file.c_str());
        }
    }
    return found->second ? &*found->second : nullptr;
}
