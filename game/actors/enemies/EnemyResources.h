// Whether the content has what an enemy kind needs, checked once per name,
// so a missing sprite or .psi file is reported once and never drawn through.
#pragma once

#include "toolkit/ParticleSystemInfo.h"

#include <map>
#include <optional>
#include <set>
#include <string>

class Engine;
class ResourceManager;
class Sprite;

class EnemyResources {
public:
    // The sprite, or nullptr (logged the first time).
    Sprite* GetSprite(ResourceManager* resources, Engine& engine, const std::string& name);
    // The settings of the .psi file, read once and copied by every enemy
    // that uses them, or nullptr when it cannot be read (logged the first
    // time).
    const ParticleSystemInfo* ParticleSettings(Engine& engine, const std::string& file);

private:
    std::map<std::string, std::optional<ParticleSystemInfo>> m_files;
    std::set<std::string> m_reported;
};

EnemyResources& TheEnemyResources();
