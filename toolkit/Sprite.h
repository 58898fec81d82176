// One textured rectangle drawn as a single engine quad. Glyphs, particles,
// widgets and every world object draw through it, so drawing must stay one
// Gfx_RenderQuad with no allocation.
#pragma once

#include "platform/engine/Engine.h"

class Sprite {
public:
    // (x, y, w, h) is the texture rectangle in texels, or in texture
    // coordinates when there is no texture (its size is then 1 x 1).
    Sprite(HTEXTURE texture, float x, float y, float w, float h);
    Sprite(const Sprite& other);
    Sprite& operator=(const Sprite& other);
    virtual ~Sprite();

    void Render(float x, float y);
    // A vscale of 0 means the same as hscale.
    void RenderEx(float x, float y, float rotation, float hscale = 1.0f, float vscale = 0.0f);
    // The unscaled edges of the drawn rectangle around the hotspot.
    struct Extent {
        float left, top, right, bottom;
    };
    Extent GetExtent() const { return {-m_hotX, -m_hotY, m_width - m_hotX, m_height - m_hotY}; }
    // The corner positions RenderEx draws, for callers that work out many
    // quads at once: c and s are the rotation's cosine and sine (1 and 0
    // for none), vscale is already resolved. Corner i goes to
    // (xs[i * stride], ys[i * stride]), so a caller can lay corners of many
    // quads side by side.
    static void PlaceEx(float* xs, float* ys, int stride, const Extent& e, float x, float y,
                        float c, float s, float hscale, float vscale) {
        const float x1 = e.left * hscale, y1 = e.top * vscale;
        const float x2 = e.right * hscale, y2 = e.bottom * vscale;
        xs[0] = x + x1 * c - y1 * s;
        ys[0] = y + x1 * s + y1 * c;
        xs[stride] = x + x2 * c - y1 * s;
        ys[stride] = y + x2 * s + y1 * c;
        xs[2 * stride] = x + x2 * c - y2 * s;
        ys[2 * stride] = y + x2 * s + y2 * c;
        xs[3 * stride] = x + x1 * c - y2 * s;
        ys[3 * stride] = y + x1 * s + y2 * c;
    }
    void RenderStretch(float x1, float y1, float x2, float y2);
    void Render4V(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3);

    // Corner i (0-3: top-left, top-right, bottom-right, bottom-left), or all
    // four when i is -1.
    void SetColor(std::uint32_t color, int i = -1);
    void SetZ(float z, int i = -1);
    void SetFlip(bool flipX, bool flipY, bool flipHotspot = false);
    void SetTexture(HTEXTURE texture);
    void SetTextureRect(float x, float y, float w, float h, bool adjustSize = true);
    void SetHotSpot(float x, float y);
    void SetBlendMode(int blend) { m_quad.blend = blend; }

    std::uint32_t GetColor(int i = 0) const { return m_quad.v[i & 3].col; }
    float GetZ(int i = 0) const { return m_quad.v[i & 3].z; }
    int GetBlendMode() const { return m_quad.blend; }
    HTEXTURE GetTexture() const { return m_quad.tex; }
    float GetWidth() const { return m_width; }
    float GetHeight() const { return m_height; }
    void GetTextureRect(float* x, float* y, float* w, float* h) const;
    void GetHotSpot(float* x, float* y) const;
    void GetFlip(bool* flipX, bool* flipY) const;
    bool GetHotSpotFlip() const { return m_flipHotspot; }
    const Quad& GetQuad() const { return m_quad; }

protected:
    // Texture coordinates of the four corners from a texel rectangle.
    void SetCoordinates(float x, float y, float w, float h);
    // Flips are relative to the unflipped coordinates, so after the
    // coordinates are recomputed the current flips must be applied again.
    void ReapplyFlips();

    Engine* m_engine = nullptr;
    Quad m_quad{};
    float m_tx = 0.0f, m_ty = 0.0f, m_width = 0.0f, m_height = 0.0f;
    float m_texWidth = 1.0f, m_texHeight = 1.0f;
    float m_hotX = 0.0f, m_hotY = 0.0f;
    bool m_flipX = false, m_flipY = false, m_flipHotspot = false;

private:
    void CopyState(const Sprite& other);
};
