#include "tools/check/SpriteMargin.h"

#include "platform/engine/Engine.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/ToolkitResources.h"

#include <algorithm>

namespace {

bool Seen(std::uint32_t argb) {
    return (argb >> 24) >= kFaintAlpha;
}

} // namespace

int WidestEmptyMargin(const std::uint32_t* pixels, int pitch, int x, int y, int w, int h) {
    int left = w, right = -1, top = h, bottom = -1;
    for (int row = 0; row < h; ++row) {
        const std::uint32_t* line = pixels + static_cast<std::ptrdiff_t>(y + row) * pitch + x;
        for (int col = 0; col < w; ++col) {
            if (Seen(line[col])) {
                left = std::min(left, col);
                right = std::max(right, col);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
        }
    }
    if (right < 0) {
        return std::max(w, h);
    }
    return std::max({left, w - 1 - right, top, h - 1 - bottom});
}

int SpriteEmptyMargin(Engine& engine, ResourceManager& resources, const RSprite& sprite) {
    HTEXTURE texture = sprite.m_textureName[0] ? resources.GetTexture(sprite.m_textureName) : 0;
    if (!texture) {
        return -1;
    }
    const int pitch = engine.Texture_GetWidth(texture, true);
    const int height = engine.Texture_GetHeight(texture, true);
    const int x = static_cast<int>(sprite.m_rectX), y = static_cast<int>(sprite.m_rectY);
    const int w = static_cast<int>(sprite.m_rectW), h = static_cast<int>(sprite.m_rectH);
    if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > pitch || y + h > height) {
        return -1;
    }
    const std::uint32_t* pixels = engine.Texture_Lock(texture, true);
    if (!pixels) {
        return -1;
    }
    const int margin = WidestEmptyMargin(pixels, pitch, x, y, w, h);
    engine.Texture_Unlock(texture);
    return margin;
}
