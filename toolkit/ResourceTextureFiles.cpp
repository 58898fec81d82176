#include "toolkit/ResourceTextureFiles.h"

#include "toolkit/EngineResources.h"
#include "toolkit/ResourceManager.h"

std::vector<std::string> TextureFilesOf(const ResourceManager& manager) {
    std::vector<std::string> files;
    for (ResDesc* record = manager.FirstRecord(kKindTexture); record; record = record->m_next) {
        files.emplace_back(static_cast<const RTexture*>(record)->m_filename);
    }
    return files;
}
