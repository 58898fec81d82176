#include "platform/engine/TextureStore.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

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

bool DecodeImage(const void* bytes, std::uint32_t size, TextureData& out, std::string& error) {
    if (!bytes || size == 0) {
        error = "empty image";
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
