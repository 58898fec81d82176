// Looking up what a placement draws, by the names its definition gives.
#pragma once

#include <string>

class ParticleSystem;
class ResourceManager;
class Sprite;

// nullptr for an empty name, a name the resources lack, or no resources.
Sprite* NamedSprite(ResourceManager* resources, const std::string& name);
ParticleSystem* NamedParticleSystem(ResourceManager* resources, const std::string& name);
