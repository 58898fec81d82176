#include "editor/PlacementResources.h"

#include "toolkit/ResourceManager.h"

Sprite* NamedSprite(ResourceManager* resources, const std::string& name) {
    return resources && !name.empty() ? resources->GetSprite(name.c_str()) : nullptr;
}

ParticleSystem* NamedParticleSystem(ResourceManager* resources, const std::string& name) {
    return resources && !name.empty() ? resources->GetParticleSystem(name.c_str()) : nullptr;
}
