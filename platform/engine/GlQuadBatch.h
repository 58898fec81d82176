// The one vertex stream every quad and line goes through: vertices are copied
// into a CPU array as they come and sent in one draw when the device flushes.
#pragma once

#include "platform/engine/Engine.h"

#include <epoxy/gl.h>

#include <cstring>
#include <memory>

class GlQuadBatch {
public:
    // 16-bit indices cap a batch at 65536 vertices.
    static constexpr int kMaxQuads = 16384;

    bool Init();
    void Shutdown();

    bool Full() const { return m_quads == kMaxQuads; }
    bool Empty() const { return m_quads == 0; }
    // Vertex is laid out exactly as the GPU reads it (colour as BGRA bytes),
    // so a quad is one copy.
    void Push(const Vertex* v) {
        std::memcpy(&m_vertices[static_cast<size_t>(m_quads) * 4], v, sizeof(Vertex) * 4);
        ++m_quads;
    }
    Vertex* PushEmpty() { return &m_vertices[static_cast<size_t>(m_quads++) * 4]; }

    // Uploads into a freshly orphaned buffer and draws; the caller has bound
    // program, texture and blend state.
    void Draw();
    // Drops what was queued (nothing to draw it into).
    void Clear() { m_quads = 0; }

private:
    std::unique_ptr<Vertex[]> m_vertices;
    int m_quads = 0;
    GLuint m_vao = 0, m_vbo = 0, m_ibo = 0;
};
