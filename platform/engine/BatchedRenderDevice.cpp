#include "platform/engine/BatchedRenderDevice.h"

#include <cmath>
#include <cstring>

namespace {

// The bits of a blend mode that change how a quad is drawn.
constexpr int kBlendBits = BLEND_COLORADD | BLEND_ALPHABLEND | BLEND_ZWRITE;

} // namespace

BatchedRenderDevice::BatchedRenderDevice()
    : m_vertices(std::make_unique<Vertex[]>(static_cast<std::size_t>(kMaxQuads) * 4)) {}

void BatchedRenderDevice::Flush() {
    if (m_quads > 0 && DrawBatch(m_vertices.get(), m_quads)) {
        ++m_batches;
    }
    m_quads = 0;
}

void BatchedRenderDevice::ResetBatch() {
    m_quads = 0;
    m_texture = 0;
    m_blend = BLEND_DEFAULT;
}

Vertex* BatchedRenderDevice::Room(HTEXTURE texture, int blend) {
    blend &= kBlendBits;
    if (texture != m_texture || blend != m_blend) {
        Flush();
        m_texture = texture;
        m_blend = blend;
    } else if (m_quads == kMaxQuads) {
        Flush();
    }
    return &m_vertices[static_cast<std::size_t>(m_quads) * 4];
}

void BatchedRenderDevice::RenderQuad(const Quad& quad) {
    std::memcpy(Room(quad.tex, quad.blend), quad.v, sizeof quad.v);
    ++m_quads;
}

Vertex* BatchedRenderDevice::ReserveQuads(HTEXTURE texture, int blend, int& room) {
    Vertex* free = Room(texture, blend);
    room = kMaxQuads - m_quads;
    return free;
}

void BatchedRenderDevice::CommitQuads(int used) {
    if (used > 0 && used <= kMaxQuads - m_quads) {
        m_quads += used;
    }
}

void BatchedRenderDevice::RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color,
                                     float z) {
    // A line is a one-pixel-wide quad, so it shares the batch with sprites.
    Vertex* v = Room(0, BLEND_DEFAULT);
    ++m_quads;
    float dx = x2 - x1, dy = y2 - y1;
    float length = std::sqrt(dx * dx + dy * dy);
    if (length < 1e-6f) {
        dx = 1, dy = 0, length = 1; // a point still shows as one pixel
    }
    // Half a pixel to each side, and half a pixel past each end so that
    // horizontal and vertical lines cover whole pixels.
    const float nx = -dy / length * 0.5f, ny = dx / length * 0.5f;
    const float ex = dx / length * 0.5f, ey = dy / length * 0.5f;
    const float ax = x1 - ex + 0.5f, ay = y1 - ey + 0.5f;
    const float bx = x2 + ex + 0.5f, by = y2 + ey + 0.5f;
    v[0] = Vertex{ax + nx, ay + ny, z, color, 0, 0};
    v[1] = Vertex{bx + nx, by + ny, z, color, 0, 0};
    v[2] = Vertex{bx - nx, by - ny, z, color, 0, 0};
    v[3] = Vertex{ax - nx, ay - ny, z, color, 0, 0};
}
