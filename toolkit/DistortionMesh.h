// A texture rectangle drawn as a grid of quads whose nodes move one by one;
// the screen ripple is drawn through one.
#pragma once

#include "platform/engine/Engine.h"

#include <vector>

class DistortionMesh {
public:
    // Where SetDisplacement measures from.
    static constexpr int kFromNode = 0;
    static constexpr int kFromTopLeft = 1;
    static constexpr int kFromCentre = 2;

    DistortionMesh(int columns, int rows);
    ~DistortionMesh();
    DistortionMesh(const DistortionMesh&) = delete;
    DistortionMesh& operator=(const DistortionMesh&) = delete;

    void SetTexture(HTEXTURE texture) { m_quad.tex = texture; }
    void SetBlendMode(int blend) { m_quad.blend = blend; }
    void SetTextureRect(float x, float y, float w, float h);
    void Clear(std::uint32_t color = 0xFFFFFFFF, float z = 0.5f);
    void SetDisplacement(int column, int row, float dx, float dy, int reference);
    // The nodes of one row at their own places pushed down by dy (one value
    // per column): SetDisplacement(c, row, 0, dy[c], kFromNode) for the
    // whole row in one pass.
    void SetRowDisplacements(int row, const float* dy);
    void Render(float x, float y);

    HTEXTURE GetTexture() const { return m_quad.tex; }
    int GetBlendMode() const { return m_quad.blend; }
    int GetColumns() const { return m_columns; }
    int GetRows() const { return m_rows; }
    // The node at (column, row), or nullptr outside the grid.
    const Vertex* GetNode(int column, int row) const;

private:
    Vertex* Node(int column, int row) {
        return &m_nodes[static_cast<std::size_t>(row) * m_columns + column];
    }

    Engine* m_engine = nullptr;
    std::vector<Vertex> m_nodes;
    int m_rows = 0;
    int m_columns = 0;
    float m_cellWidth = 0.0f, m_cellHeight = 0.0f;
    float m_rectX = 0.0f, m_rectY = 0.0f, m_rectW = 0.0f, m_rectH = 0.0f;
    // Each column's x at its own place (cell width times column), kept with
    // the cell width so that moving a whole row needs no arithmetic on x.
    std::vector<float> m_columnX;
    Quad m_quad{};
};
