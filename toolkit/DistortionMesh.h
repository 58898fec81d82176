// A texture rectangle drawn as a grid of quads whose nodes move one by one;
// the screen ripple is drawn through one.
#pragma once

#include "platform/engine/Engine.h"

#include <optional>
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
    // Every node pushed down further by its value in dy (row by row, one
    // value per node), read whenever the mesh is drawn, so that a simulation
    // moves the mesh by writing only its own grid; nullptr stops following.
    // dy must outlive the mesh or be replaced first.
    void FollowDisplacements(const float* dy) { m_follow = dy; }
    void Render(float x, float y);

    HTEXTURE GetTexture() const { return m_quad.tex; }
    int GetBlendMode() const { return m_quad.blend; }
    int GetColumns() const { return m_columns; }
    int GetRows() const { return m_rows; }
    // The node at (column, row) as drawn, or nothing outside the grid.
    std::optional<Vertex> GetNode(int column, int row) const;

private:
    std::size_t At(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
               static_cast<std::size_t>(column);
    }
    Vertex* Node(int column, int row) { return &m_nodes[At(column, row)]; }
    // The node where it is drawn: its place, plus the followed grid's value.
    Vertex Drawn(int column, int row) const {
        Vertex node = m_nodes[At(column, row)];
        if (m_follow) {
            node.y += m_follow[At(column, row)];
        }
        return node;
    }

    Engine* m_engine = nullptr;
    std::vector<Vertex> m_nodes;
    int m_rows = 0;
    int m_columns = 0;
    float m_cellWidth = 0.0f, m_cellHeight = 0.0f;
    float m_rectX = 0.0f, m_rectY = 0.0f, m_rectW = 0.0f, m_rectH = 0.0f;
    const float* m_follow = nullptr;
    Quad m_quad{};
};
