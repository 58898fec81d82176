// The GPU side of the quad batch: one vertex buffer refilled for each
// batch, and indices that never change (two triangles per quad).
#pragma once

#include "platform/engine/BatchedRenderDevice.h"

#include <epoxy/gl.h>

class GlQuadBatch {
public:
    static constexpr int kMaxQuads = BatchedRenderDevice::kMaxQuads;

    bool Init();
    void Shutdown();

    // Uploads into a freshly orphaned buffer and draws; the caller has bound
    // program, texture and blend state. Vertex is laid out exactly as the
    // GPU reads it (colour as BGRA bytes), so the batch goes up as it is.
    void Draw(const Vertex* vertices, int quads);

private:
    GLuint m_vao = 0, m_vbo = 0, m_ibo = 0;
};
