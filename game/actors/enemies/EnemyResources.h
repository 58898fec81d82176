// Whether the content has what an enemy kind needs, checked once per name,
// so a missing sprite or .psi file is reported once and never drawn through.
#pragma once

#include <map>
#include <set>
#include <string>

class Engine;
class ResourceManager;
class Sprite;

class EnemyResources {
public:
    // The sprite, or nullptr (logged the first time).
    Sprite* GetSprite(ResourceManager* resources, Engine& engine, const std::string& name);
    // Whether the .psi file can be read (logged the first time it cannot).
    bool HasFile(Engine& engine, const std::string& file);

private:
    std::map<std::string, bool> m_files;
    std::set<std::string> m_reported;
};

EnemyResources& TheEnemyResources();
