// Every texture's pixels, kept in memory as 32-bit ARGB rows whatever the
// drawing back end, so sizes and locking work with or without a screen.
#pragma once

#include "platform/engine/Engine.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct TextureData {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool isTarget = false;
    // The rectangle handed out by the current lock, if any.
    bool locked = false;
    bool lockReadOnly = true;
    int lockLeft = 0, lockTop = 0, lockWidth = 0, lockHeight = 0;
};

class TextureStore {
public:
    HTEXTURE Add(TextureData data);
    TextureData* Find(HTEXTURE id);
    void Remove(HTEXTURE id);
    size_t Count() const { return m_textures.size(); }
    template <typename F> void ForEach(F&& visit) {
        for (auto& [id, data] : m_textures) {
            visit(id, data);
        }
    }

private:
    std::unordered_map<HTEXTURE, TextureData> m_textures;
    HTEXTURE m_next = 1;
};

// Decodes an image file's bytes (PNG and the other formats the image
// library reads) into ARGB rows. Returns false for anything it cannot read.
bool DecodeImage(const void* bytes, std::uint32_t size, TextureData& out, std::string& error);
// Writes ARGB rows as a PNG file.
bool WritePng(const std::string& path, int width, int height, const std::uint32_t* pixels);
