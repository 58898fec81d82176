#include "platform/engine/GlQuadBatch.h"

#include <cstddef>
#include <cstdint>
#include <vector>

static_assert(sizeof(Vertex) == 24, "Vertex must match the GPU vertex layout");

bool GlQuadBatch::Init() {
    glGenVertexArrays(1, &m_vao);
    glBindVertexArray(m_vao);

    // Every quad is two triangles of its four corners; the pattern never
    // changes, so the indices are written once.
    std::vector<std::uint16_t> indices(static_cast<size_t>(kMaxQuads) * 6);
    for (int q = 0; q < kMaxQuads; ++q) {
        auto base = static_cast<std::uint16_t>(q * 4);
        std::uint16_t* i = &indices[static_cast<size_t>(q) * 6];
        i[0] = base;
        i[1] = static_cast<std::uint16_t>(base + 1);
        i[2] = static_cast<std::uint16_t>(base + 2);
        i[3] = base;
        i[4] = static_cast<std::uint16_t>(base + 2);
        i[5] = static_cast<std::uint16_t>(base + 3);
    }
    glGenBuffers(1, &m_ibo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_ibo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 2),
                 indices.data(), GL_STATIC_DRAW);

    glGenBuffers(1, &m_vbo);
    glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(Vertex)) * kMaxQuads * 4, nullptr,
                 GL_STREAM_DRAW);
    const auto stride = static_cast<GLsizei>(sizeof(Vertex));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(Vertex, x)));
    // ARGB in a little-endian word is B, G, R, A in memory: GL_BGRA reads it
    // as it stands.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(Vertex, col)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(Vertex, tx)));
    return glGetError() == GL_NO_ERROR;
}

void GlQuadBatch::Shutdown() {
    if (m_vbo)
        glDeleteBuffers(1, &m_vbo);
    if (m_ibo)
        glDeleteBuffers(1, &m_ibo);
    if (m_vao)
        glDeleteVertexArrays(1, &m_vao);
    m_vbo = m_ibo = m_vao = 0;
}

void GlQuadBatch::Draw(const Vertex* vertices, int quads) {
    if (quads <= 0 || m_vao == 0)
        return;
    glBindVertexArray(m_vao);
    glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
    const auto bytes = static_cast<GLsizeiptr>(sizeof(Vertex)) * quads * 4;
    // A fresh store each time (orphaning), so the driver never waits for the
    // previous draw; only the bytes in use are sent.
    glBufferData(GL_ARRAY_BUFFER, bytes, vertices, GL_STREAM_DRAW);
    glDrawElements(GL_TRIANGLES, quads * 6, GL_UNSIGNED_SHORT, nullptr);
}
