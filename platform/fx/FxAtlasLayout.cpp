#include "platform/fx/FxAtlasLayout.h"

#include <algorithm>
#include <map>
#include <string>

FxAtlasLayout::FxAtlasLayout(int width, int height, int gap, float scaleStep)
    : m_width(std::max(1, width)), m_height(std::max(1, height)), m_gap(std::max(0, gap)),
      m_scaleStep(scaleStep > 0.001f && scaleStep < 1 ? scaleStep : 0.1f) {}

bool FxAtlasLayout::Fit(Atlas& atlas, int w, int h, Rect& out) const {
    int wide = w + m_gap;
    int tall = h + m_gap;
    for (Shelf& shelf : atlas.shelves) {
        if (tall <= shelf.height && shelf.x + w <= m_width) {
            out = {shelf.x, shelf.y, w, h};
            shelf.x += wide;
            return true;
        }
    }
    if (atlas.used + h > m_height || w > m_width) {
        return false;
    }
    atlas.shelves.push_back({atlas.used, tall, wide});
    out = {0, atlas.used, w, h};
    atlas.used += tall;
    return true;
}

bool FxAtlasLayout::PlaceGroup(const std::vector<FxTextureDef>& textures, float scale,
                               int& atlasIndex, std::vector<Rect>& rects) {
    auto tryAtlas = [&](Atlas& atlas) {
        Atlas trial = atlas; // all or nothing
        rects.clear();
        for (const FxTextureDef& texture : textures) {
            int w = std::max(1, static_cast<int>(static_cast<float>(texture.width) * scale));
            int h = std::max(1, static_cast<int>(static_cast<float>(texture.height) * scale));
            Rect rect{};
            if (!Fit(trial, w, h, rect)) {
                return false;
            }
            rects.push_back(rect);
        }
        atlas = trial;
        return true;
    };
    for (std::size_t i = 0; i < m_atlases.size(); ++i) {
        if (tryAtlas(m_atlases[i])) {
            atlasIndex = static_cast<int>(i);
            return true;
        }
    }
    Atlas fresh;
    if (!tryAtlas(fresh)) {
        return false;
    }
    m_atlases.push_back(fresh);
    atlasIndex = static_cast<int>(m_atlases.size()) - 1;
    return true;
}

int FxAtlasLayout::Place(const std::vector<FxTypeDef*>& types) {
    struct Placed {
        int atlas;
        std::vector<Rect> rects;
    };
    std::map<std::string, Placed> byImages;
    // Tallest first packs shelves tighter; the order is stable, so a layout
    // is the same from run to run.
    std::vector<FxTypeDef*> order;
    for (FxTypeDef* type : types) {
        if (!type->textures.empty()) {
            order.push_back(type);
        }
    }
    auto tallest = [](const FxTypeDef* type) {
        int h = 0;
        for (const FxTextureDef& texture : type->textures) {
            h = std::max(h, texture.height);
        }
        return h;
    };
    std::stable_sort(order.begin(), order.end(), [&](const FxTypeDef* a, const FxTypeDef* b) {
        return tallest(a) > tallest(b);
    });
    for (FxTypeDef* type : order) {
        std::string key;
        for (const FxTextureDef& texture : type->textures) {
            key += texture.file + '\n';
        }
        auto found = byImages.find(key);
        if (found == byImages.end()) {
            Placed placed{-1, {}};
            for (float scale = 1; scale > 0.0001f; scale -= m_scaleStep) {
                if (PlaceGroup(type->textures, scale, placed.atlas, placed.rects)) {
                    break;
                }
            }
            found = byImages.emplace(key, std::move(placed)).first;
        }
        const Placed& placed = found->second;
        type->textureId = placed.atlas;
        for (std::size_t i = 0; i < type->textures.size(); ++i) {
            FxTextureDef& texture = type->textures[i];
            FxTexture& layout = texture.layout;
            layout = FxTexture{};
            layout.file = texture.file.c_str();
            layout.textureWidth = m_width;
            layout.textureHeight = m_height;
            layout.atlas = placed.atlas;
            if (placed.atlas < 0) {
                continue; // nowhere to put it: the type draws nothing
            }
            const Rect& rect = placed.rects[i];
            float left = static_cast<float>(rect.x) / static_cast<float>(m_width);
            float right = static_cast<float>(rect.x + rect.w) / static_cast<float>(m_width);
            float top = static_cast<float>(rect.y) / static_cast<float>(m_height);
            float bottom = static_cast<float>(rect.y + rect.h) / static_cast<float>(m_height);
            layout.left = texture.flipX ? right : left;
            layout.right = texture.flipX ? left : right;
            layout.top = texture.flipY ? bottom : top;
            layout.bottom = texture.flipY ? top : bottom;
            layout.frameWidth = rect.w;
            layout.frameHeight = rect.h;
        }
    }
    return static_cast<int>(m_atlases.size());
}
