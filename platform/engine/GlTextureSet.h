// The GPU copies of the engine's textures, by the engine's handle.
#pragma once

#include "platform/engine/Engine.h"

#include <epoxy/gl.h>

#include <cstdint>
#include <unordered_map>

class GlTextureSet {
public:
    void Init(bool linearFilter);
    void Shutdown();

    // An existing id keeps its GL texture (so a target drawing into it stays
    // attached) and only gets new contents.
    void Create(HTEXTURE id, int width, int height, const std::uint32_t* pixels);
    void Update(HTEXTURE id, int left, int top, int width, int height, int pitch,
                const std::uint32_t* pixels);
    void Delete(HTEXTURE id);

    // The GL texture to draw with: a white texel for 0 or an unknown id.
    GLuint Find(HTEXTURE id) const;
    bool Has(HTEXTURE id, int width, int height) const;
    // A texture outside the set (for the screen's own picture).
    GLuint Make(int width, int height, const std::uint32_t* pixels);

private:
    struct Entry {
        GLuint gl = 0;
        int width = 0, height = 0;
    };
    void Upload(GLuint texture, int width, int height, const std::uint32_t* pixels);

    std::unordered_map<HTEXTURE, Entry> m_textures;
    GLuint m_white = 0;
    bool m_linearFilter = false;
};
