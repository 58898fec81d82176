// Sprites drawn on their own canvases are packed into texture sheets; each
// sheet knows the resource lines that name its sprites.
#pragma once

#include "tools/contentkit/Image.h"

#include <string>
#include <vector>

namespace art {

struct SpriteEntry {
    std::string name;
    int x = 0, y = 0, w = 0, h = 0;
    float hotX = 0, hotY = 0;
    std::string blend; // empty: the default blend mode
    content::Image picture;
};

class SpriteSheet {
public:
    // textureName is the resource name; file is relative to the data folder.
    SpriteSheet(std::string textureName, std::string file, int width, int height,
                std::string comment);

    // Hot spot defaults to the centre (the game centres most hot spots anyway).
    void Add(const std::string& name, content::Image picture, float hotX = -1, float hotY = -1,
             const std::string& blend = "");
    // A prop the player cannot walk through: its box is its sprite's size,
    // so the picture is cut to what is drawn (one pixel kept for the soft
    // edge) and the hot spot is the centre of what is left.
    void AddSolid(const std::string& name, const content::Image& picture);
    // Places every sprite (shelf packing, tallest first); false if they do not fit.
    bool Pack();

    const std::string& File() const { return m_file; }
    const std::vector<SpriteEntry>& Sprites() const { return m_sprites; }
    content::Image Compose() const;
    std::string ResourceScript() const;

private:
    std::string m_textureName;
    std::string m_file;
    int m_width, m_height;
    std::string m_comment;
    std::vector<SpriteEntry> m_sprites;
};

} // namespace art
