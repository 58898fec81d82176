#include "platform/engine/TextureStore.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <cstring>
#include <string>

HTEXTURE TextureStore::Add(TextureData data) {
    HTEXTURE id = m_next++;
    m_textures.emplace(id, std::move(data));
    return id;
}

TextureData* TextureStore::Find(HTEXTURE id) {
    auto found = m_textures.find(id);
    return found == m_textures.end() ? nullptr : &found->second;
}

void TextureStore::Remove(HTEXTURE id) {
    m_textures.erase(id);
}

namespace {

constexpr long kMaxImageSide = 16384;

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

std::int32_t LittleEndian32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                     (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24));
}

// The size an image file's header claims, read before decoding, so a file
// that claims a huge picture is refused instead of being allocated. False
// when the header does not say (the decoder then judges the file).
bool HeaderSize(const std::uint8_t* b, std::uint32_t size, long& width, long& height) {
    static const std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 24 && std::memcmp(b, kPng, 8) == 0) {
        width = BigEndian32(b + 16);
        height = BigEndian32(b + 20);
        return true;
    }
    if (size >= 26 && b[0] == 'B' && b[1] == 'M') {
        width = LittleEndian32(b + 18);
        height = std::labs(static_cast<long>(LittleEndian32(b + 22))); // negative: top-down
        return true;
    }
    if (size >= 4 && b[0] == 0xFF && b[1] == 0xD8) {
        // JPEG: walk the marker segments to the first start-of-frame.
        std::uint32_t at = 2;
        while (at + 9 <= size && b[at] == 0xFF) {
            const std::uint8_t marker = b[at + 1];
            const std::uint32_t length = (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
            const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                               marker != 0xC8 && marker != 0xCC;
            if (frame) {
                height = (long{b[at + 5]} << 8) | b[at + 6];
                width = (long{b[at + 7]} << 8) | b[at + 8];
                return true;
            }
            if (length < 2) {
                return false;
            }
            at += 2 + length;
        }
    }
    return false;
}

} // namespace

bool DecodeImage(const void* bytes, std::uint32_t size, TextureData& out, std::string& error) {
    if (!bytes || size == 0) {
        error = "empty image";
        return false;
    }
    long claimedWidth = 0, claimedHeight = 0;
    if (HeaderSize(static_cast<const std::uint8_t*>(bytes), size, claimedWidth, claimedHeight) &&
        (claimedWidth < 1 || claimedHeight < 1 || claimedWidth > kMaxImageSide ||
         claimedHeight > kMaxImageSide)) {
        error = "the image claims " + std::to_string(claimedWidth) + " x " +
                std::to_string(claimedHeight) + " pixels; a texture has 1 to " +
                std::to_string(kMaxImageSide) + " a side";
        return false;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    // Textures are PNG (JPEG and BMP too, which tests draw). Any file may be
    // named as one, and the image library's other readers are not for
    // content: its SVG reader loses memory on text that merely resembles SVG.
    if (rw && !IMG_isPNG(rw) && !IMG_isJPG(rw) && !IMG_isBMP(rw)) {
        SDL_RWclose(rw);
        error = "not a PNG, JPEG or BMP image";
        return false;
    }
    SDL_Surface* loaded = rw ? IMG_Load_RW(rw, 1) : nullptr;
    if (!loaded) {
        error = IMG_GetError();
        return false;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) {
        error = SDL_GetError();
        return false;
    }
    out.width = argb->w;
    out.height = argb->h;
    out.pixels.resize(static_cast<size_t>(argb->w) * argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        std::memcpy(&out.pixels[static_cast<size_t>(y) * argb->w],
                    static_cast<const std::uint8_t*>(argb->pixels) + y * argb->pitch,
                    static_cast<size_t>(argb->w) * 4);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return true;
}

bool WritePng(const std::string& path, int width, int height, const std::uint32_t* pixels) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) {
        return false;
    }
    bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return ok;
}
