#include "toolkit/fx/FX_Atlas_WRAP.h"

#include <algorithm>

FX_Atlas_WRAP::FX_Atlas_WRAP(int width, int height)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_width(width), m_height(height),
      m_texture(m_engine->Texture_Create(width, height)) {}

FX_Atlas_WRAP::~FX_Atlas_WRAP() {
    if (m_texture != 0) {
        m_engine->Texture_Free(m_texture);
    }
    m_engine->Release();
}

void FX_Atlas_WRAP::LoadTexture(const FxTexture* texture, const std::string& textureFolder) {
    if (texture == nullptr || m_texture == 0) {
        return;
    }
    HTEXTURE source = 0;
    if (texture->data != nullptr && texture->dataSize > 0) {
        source = m_engine->Texture_LoadFromMemory(texture->data, texture->dataSize);
    } else if (texture->file != nullptr) {
        source = m_engine->Texture_Load((textureFolder + texture->file).c_str(), 0, false);
    }
    if (source == 0) {
        return; // a missing image leaves its place blank: nothing shows, nothing breaks
    }
    int sourceWidth = m_engine->Texture_GetWidth(source, true);
    int sourceHeight = m_engine->Texture_GetHeight(source, true);
    int sourcePitch = m_engine->Texture_GetWidth(source, false);
    int left =
        static_cast<int>(static_cast<float>(m_width) * std::min(texture->left, texture->right));
    int top =
        static_cast<int>(static_cast<float>(m_height) * std::min(texture->top, texture->bottom));
    int width = texture->frameWidth;
    int height = texture->frameHeight;
    std::uint32_t* target = nullptr;
    const std::uint32_t* pixels = nullptr;
    // A rectangle off the atlas is refused by the lock; so is an empty one.
    if (sourceWidth > 0 && sourceHeight > 0 && width > 0 && height > 0) {
        target = m_engine->Texture_Lock(m_texture, false, left, top, width, height);
    }
    if (target != nullptr) {
        pixels = m_engine->Texture_Lock(source, true);
        if (pixels != nullptr) {
            float sx = static_cast<float>(width) / static_cast<float>(sourceWidth);
            float sy = static_cast<float>(height) / static_cast<float>(sourceHeight);
            for (int j = 0; j < height; ++j) {
                int from = std::min(sourceHeight - 1, static_cast<int>(static_cast<float>(j) / sy));
                const std::uint32_t* row = pixels + static_cast<long>(from) * sourcePitch;
                std::uint32_t* out = target + static_cast<long>(j) * m_width;
                for (int i = 0; i < width; ++i) {
                    out[i] = row[std::min(sourceWidth - 1,
                                          static_cast<int>(static_cast<float>(i) / sx))];
                }
            }
            m_engine->Texture_Unlock(source);
        }
        m_engine->Texture_Unlock(m_texture);
    }
    m_engine->Texture_Free(source);
}
