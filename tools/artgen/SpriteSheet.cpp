#include "tools/artgen/SpriteSheet.h"

#include "tools/check/SpriteMargin.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace art {

SpriteSheet::SpriteSheet(std::string textureName, std::string file, int width, int height,
                         std::string comment)
    : m_textureName(std::move(textureName)), m_file(std::move(file)), m_width(width),
      m_height(height), m_comment(std::move(comment)) {}

void SpriteSheet::Add(const std::string& name, content::Image picture, float hotX, float hotY,
                      const std::string& blend) {
    SpriteEntry e;
    e.name = name;
    e.w = picture.Width();
    e.h = picture.Height();
    e.hotX = hotX < 0 ? e.w / 2.0f : hotX;
    e.hotY = hotY < 0 ? e.h / 2.0f : hotY;
    e.blend = blend;
    e.picture = std::move(picture);
    m_sprites.push_back(std::move(e));
}

void SpriteSheet::AddSolid(const std::string& name, const content::Image& picture) {
    const float faint = static_cast<float>(kFaintAlpha) / 255.0f;
    int left = picture.Width(), right = -1, top = picture.Height(), bottom = -1;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.At(x, y).a >= faint) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        Add(name, picture);
        return;
    }
    left = std::max(left - 1, 0);
    top = std::max(top - 1, 0);
    right = std::min(right + 1, picture.Width() - 1);
    bottom = std::min(bottom + 1, picture.Height() - 1);
    Add(name, picture.Crop(left, top, right - left + 1, bottom - top + 1));
}

bool SpriteSheet::Pack() {
    std::vector<size_t> order(m_sprites.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return m_sprites[a].h > m_sprites[b].h; });
    // Two texels between sprites: nearest sampling never bleeds a neighbour in.
    const int gap = 2;
    int x = 0, y = 0, shelf = 0;
    for (size_t i : order) {
        SpriteEntry& s = m_sprites[i];
        if (x + s.w > m_width) {
            x = 0;
            y += shelf + gap;
            shelf = 0;
        }
        if (y + s.h > m_height || s.w > m_width) {
            std::fprintf(stderr, "artgen: %s does not fit into %s\n", s.name.c_str(),
                         m_file.c_str());
            return false;
        }
        s.x = x;
        s.y = y;
        x += s.w + gap;
        shelf = std::max(shelf, s.h);
    }
    return true;
}

content::Image SpriteSheet::Compose() const {
    content::Image sheet(m_width, m_height);
    for (const SpriteEntry& s : m_sprites) {
        for (int y = 0; y < s.h; ++y) {
            for (int x = 0; x < s.w; ++x) {
                sheet.At(s.x + x, s.y + y) = s.picture.At(x, y);
            }
        }
    }
    return sheet;
}

std::string SpriteSheet::ResourceScript() const {
    std::string out = "; " + m_comment + "\nTexture \"" + m_textureName + "\" { filename = \"" +
                      m_file + "\" }\n";
    for (const SpriteEntry& s : m_sprites) {
        char line[512];
        std::snprintf(line, sizeof line,
                      "Sprite \"%s\" { texture = \"%s\" rect = %d, %d, %d, %d hotspot = %g, %g%s%s "
                      "}\n",
                      s.name.c_str(), m_textureName.c_str(), s.x, s.y, s.w, s.h, s.hotX, s.hotY,
                      s.blend.empty() ? "" : " blendmode = ", s.blend.c_str());
        out += line;
    }
    return out + "\n";
}

} // namespace art
