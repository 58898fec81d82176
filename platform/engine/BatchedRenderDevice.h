// What every drawing back end shares: quads and lines are queued in one
// vertex array while their texture and blend mode stay the same, and sent
// as one batch when that changes, when the array is full, or when the back
// end flushes (scene ends, transform, shader, target or clipping changes).
// The headless back end queues exactly as the real one, so both do the same
// work per quad and report the same batches.
#pragma once

#include "platform/engine/RenderDevice.h"

#include <memory>

class BatchedRenderDevice : public RenderDevice {
public:
    // 16-bit indices cap a batch at 65536 vertices.
    static constexpr int kMaxQuads = 16384;

    void RenderQuad(const Quad& quad) final;
    Vertex* ReserveQuads(HTEXTURE texture, int blend, int& room) final;
    void CommitQuads(int used) final;
    void RenderLine(float x1, float y1, float x2, float y2, std::uint32_t color, float z) final;
    std::uint64_t BatchesDrawn() const final { return m_batches; }

protected:
    BatchedRenderDevice();

    // Sends what is queued, if anything, and empties the batch.
    void Flush();
    // Draws a batch with the current texture and blend mode; false when
    // there was nothing to draw it into (it is dropped all the same).
    virtual bool DrawBatch(const Vertex* vertices, int quads) = 0;
    HTEXTURE BatchTexture() const { return m_texture; }
    int BatchBlend() const { return m_blend; }
    // Forgets the queue and starts again with no texture and default blending.
    void ResetBatch();

private:
    Vertex* Room(HTEXTURE texture, int blend);

    std::unique_ptr<Vertex[]> m_vertices;
    int m_quads = 0;
    HTEXTURE m_texture = 0;
    int m_blend = BLEND_DEFAULT;
    std::uint64_t m_batches = 0;
};
