#include "tools/artgen/SpriteSheet.h"

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
