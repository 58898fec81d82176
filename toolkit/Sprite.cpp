#include "toolkit/Sprite.h"

#include <cmath>
#include <utility>

namespace {

// The allocated size as the engine reports it; a texture that reports
// nothing (none, or freed) counts as 1 so coordinates never become infinite.
float TextureSize(Engine* engine, HTEXTURE texture, bool width) {
    if (texture == 0) {
        return 1.0f;
    }
    int size = width ? engine->Texture_GetWidth(texture) : engine->Texture_GetHeight(texture);
    return size > 0 ? static_cast<float>(size) : 1.0f;
}

} // namespace

Sprite::Sprite(HTEXTURE texture, float x, float y, float w, float h)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_tx(x), m_ty(y), m_width(w), m_height(h) {
    m_quad.tex = texture;
    m_quad.blend = BLEND_DEFAULT;
    m_texWidth = TextureSize(m_engine, texture, true);
    m_texHeight = TextureSize(m_engine, texture, false);
    for (Vertex& v : m_quad.v) {
        v.z = 0.5f;
        v.col = 0xFFFFFFFF;
    }
    SetCoordinates(x, y, w, h);
}

Sprite::Sprite(const Sprite& other) : m_engine(EngineCreate(ENGINE_VERSION)) {
    CopyState(other);
}

Sprite& Sprite::operator=(const Sprite& other) {
    // Each sprite keeps its own engine reference; only the drawing state moves.
    if (this != &other) {
        CopyState(other);
    }
    return *this;
}

void Sprite::CopyState(const Sprite& other) {
    m_quad = other.m_quad;
    m_tx = other.m_tx;
    m_ty = other.m_ty;
    m_width = other.m_width;
    m_height = other.m_height;
    m_texWidth = other.m_texWidth;
    m_texHeight = other.m_texHeight;
    m_hotX = other.m_hotX;
    m_hotY = other.m_hotY;
    m_flipX = other.m_flipX;
    m_flipY = other.m_flipY;
    m_flipHotspot = other.m_flipHotspot;
}

Sprite::~Sprite() {
    if (m_engine) {
        m_engine->Release();
    }
}

void Sprite::SetCoordinates(float x, float y, float w, float h) {
    float left = x / m_texWidth;
    float top = y / m_texHeight;
    float right = (x + w) / m_texWidth;
    float bottom = (y + h) / m_texHeight;
    m_quad.v[0].tx = left;
    m_quad.v[0].ty = top;
    m_quad.v[1].tx = right;
    m_quad.v[1].ty = top;
    m_quad.v[2].tx = right;
    m_quad.v[2].ty = bottom;
    m_quad.v[3].tx = left;
    m_quad.v[3].ty = bottom;
}

void Sprite::Render(float x, float y) {
    float left = x - m_hotX;
    float top = y - m_hotY;
    RenderStretch(left, top, left + m_width, top + m_height);
}

void Sprite::RenderEx(float x, float y, float rotation, float hscale, float vscale) {
    if (vscale == 0.0f) {
        vscale = hscale;
    }
    const Extent e = GetExtent();
    if (rotation == 0.0f) {
        RenderStretch(x + e.left * hscale, y + e.top * vscale, x + e.right * hscale,
                      y + e.bottom * vscale);
        return;
    }
    float xs[4], ys[4];
    PlaceEx(xs, ys, 1, e, x, y, std::cos(rotation), std::sin(rotation), hscale, vscale);
    for (int i = 0; i < 4; ++i) {
        m_quad.v[i].x = xs[i];
        m_quad.v[i].y = ys[i];
    }
    m_engine->Gfx_RenderQuad(&m_quad);
}

void Sprite::RenderStretch(float x1, float y1, float x2, float y2) {
    Render4V(x1, y1, x2, y1, x2, y2, x1, y2);
}

void Sprite::Render4V(float x0, float y0, float x1, float y1, float x2, float y2, float x3,
                      float y3) {
    m_quad.v[0].x = x0;
    m_quad.v[0].y = y0;
    m_quad.v[1].x = x1;
    m_quad.v[1].y = y1;
    m_quad.v[2].x = x2;
    m_quad.v[2].y = y2;
    m_quad.v[3].x = x3;
    m_quad.v[3].y = y3;
    m_engine->Gfx_RenderQuad(&m_quad);
}

void Sprite::SetColor(std::uint32_t color, int i) {
    if (i < 0) {
        for (Vertex& v : m_quad.v) {
            v.col = color;
        }
    } else if (i < 4) {
        m_quad.v[i].col = color;
    }
}

void Sprite::SetZ(float z, int i) {
    if (i < 0) {
        for (Vertex& v : m_quad.v) {
            v.z = z;
        }
    } else if (i < 4) {
        m_quad.v[i].z = z;
    }
}

void Sprite::SetFlip(bool flipX, bool flipY, bool flipHotspot) {
    // The hotspot is mirrored by the flags as they stand before this call:
    // first undone for the old setting, then done for the new one.
    if (m_flipHotspot) {
        if (m_flipX) {
            m_hotX = m_width - m_hotX;
        }
        if (m_flipY) {
            m_hotY = m_height - m_hotY;
        }
    }
    m_flipHotspot = flipHotspot;
    if (m_flipHotspot) {
        if (m_flipX) {
            m_hotX = m_width - m_hotX;
        }
        if (m_flipY) {
            m_hotY = m_height - m_hotY;
        }
    }
    if (flipX != m_flipX) {
        m_flipX = !m_flipX;
        std::swap(m_quad.v[0].tx, m_quad.v[1].tx);
        std::swap(m_quad.v[0].ty, m_quad.v[1].ty);
        std::swap(m_quad.v[3].tx, m_quad.v[2].tx);
        std::swap(m_quad.v[3].ty, m_quad.v[2].ty);
    }
    if (flipY != m_flipY) {
        m_flipY = !m_flipY;
        std::swap(m_quad.v[0].tx, m_quad.v[3].tx);
        std::swap(m_quad.v[0].ty, m_quad.v[3].ty);
        std::swap(m_quad.v[1].tx, m_quad.v[2].tx);
        std::swap(m_quad.v[1].ty, m_quad.v[2].ty);
    }
}

void Sprite::ReapplyFlips() {
    bool flipX = m_flipX;
    bool flipY = m_flipY;
    m_flipX = false;
    m_flipY = false;
    SetFlip(flipX, flipY, m_flipHotspot);
}

void Sprite::SetTextureRect(float x, float y, float w, float h, bool adjustSize) {
    m_tx = x;
    m_ty = y;
    if (adjustSize) {
        m_width = w;
        m_height = h;
    }
    SetCoordinates(x, y, w, h);
    ReapplyFlips();
}

void Sprite::SetTexture(HTEXTURE texture) {
    m_quad.tex = texture;
    float width = TextureSize(m_engine, texture, true);
    float height = TextureSize(m_engine, texture, false);
    if (width != m_texWidth || height != m_texHeight) {
        // Keep the same texel rectangle selected on the new texture.
        float sx = m_texWidth / width;
        float sy = m_texHeight / height;
        for (Vertex& v : m_quad.v) {
            v.tx *= sx;
            v.ty *= sy;
        }
        m_texWidth = width;
        m_texHeight = height;
    }
}

void Sprite::SetHotSpot(float x, float y) {
    m_hotX = x;
    m_hotY = y;
}

void Sprite::GetTextureRect(float* x, float* y, float* w, float* h) const {
    *x = m_tx;
    *y = m_ty;
    *w = m_width;
    *h = m_height;
}

void Sprite::GetHotSpot(float* x, float* y) const {
    *x = m_hotX;
    *y = m_hotY;
}

void Sprite::GetFlip(bool* flipX, bool* flipY) const {
    *flipX = m_flipX;
    *flipY = m_flipY;
}
