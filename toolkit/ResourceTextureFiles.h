// The image files a resource script's Texture records name, for decoding
// them ahead of their loading.
#pragma once

#include <string>
#include <vector>

class ResourceManager;

// In the order Precache loads them.
std::vector<std::string> TextureFilesOf(const ResourceManager& manager);
