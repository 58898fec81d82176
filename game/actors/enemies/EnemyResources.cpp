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

bool EnemyResources::HasFile(Engine& engine, const std::string& file) {
    auto found = m_files.find(file);
    if (found == m_files.end()) {
        std::uint32_t size = 0;
        void* bytes = engine.Resource_Load(file.c_str(), &size);
        engine.Resource_Free(bytes);
        // A record shorter than 128 bytes would give a system that shows nothing.
        found = m_files.emplace(file, bytes != nullptr && size >= 128).first;
        if (!found->second) {
            engine.System_Log("The particle file \"%s\" is missing or short: enemies using it "
                              "are not made",
                              file.c_str());
        }
    }
    return found->second;
}
