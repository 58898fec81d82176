#include "toolkit/DistortionMesh.h"

#include <cstring>

namespace {

// A mesh finer than one node per pixel of a large screen is a content
// mistake; refusing it keeps a bad script from exhausting memory.
constexpr int kMaxSide = 1024;

int MeshSide(int value) {
    return value < 0 ? 0 : (value > kMaxSide ? kMaxSide : value);
}

} // namespace

DistortionMesh::DistortionMesh(int columns, int rows)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_rows(MeshSide(rows)), m_columns(MeshSide(columns)) {
    m_nodes.assign(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_columns),
                   Vertex{0.0f, 0.0f, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f});
    m_quad.tex = 0;
    m_quad.blend = BLEND_COLORMUL | BLEND_ALPHABLEND | BLEND_ZWRITE;
}

DistortionMesh::~DistortionMesh() {
    m_engine->Release();
}

void DistortionMesh::SetTextureRect(float x, float y, float w, float h) {
    m_rectX = x;
    m_rectY = y;
    m_rectW = w;
    m_rectH = h;

    float texWidth = w;
    float texHeight = h;
    if (m_quad.tex) {
        texWidth = static_cast<float>(m_engine->Texture_GetWidth(m_quad.tex));
        texHeight = static_cast<float>(m_engine->Texture_GetHeight(m_quad.tex));
    }
    // A mesh of one row or column has no cells; keep its nodes finite.
    m_cellWidth = m_columns > 1 ? w / static_cast<float>(m_columns - 1) : 0.0f;
    m_cellHeight = m_rows > 1 ? h / static_cast<float>(m_rows - 1) : 0.0f;

    for (int j = 0; j < m_rows; ++j) {
        for (int i = 0; i < m_columns; ++i) {
            Vertex* node = Node(i, j);
            node->x = static_cast<float>(i) * m_cellWidth;
            node->y = static_cast<float>(j) * m_cellHeight;
            node->tx =
                texWidth != 0.0f ? (x + static_cast<float>(i) * m_cellWidth) / texWidth : 0.0f;
            node->ty =
                texHeight != 0.0f ? (y + static_cast<float>(j) * m_cellHeight) / texHeight : 0.0f;
        }
    }
}

void DistortionMesh::Clear(std::uint32_t color, float z) {
    for (int j = 0; j < m_rows; ++j) {
        for (int i = 0; i < m_columns; ++i) {
            Vertex* node = Node(i, j);
            node->x = static_cast<float>(i) * m_cellWidth;
            node->y = static_cast<float>(j) * m_cellHeight;
            node->col = color;
            node->z = z;
        }
    }
}

void DistortionMesh::SetDisplacement(int column, int row, float dx, float dy, int reference) {
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns) {
        return;
    }
    Vertex* node = Node(column, row);
    switch (reference) {
    case kFromNode:
        node->x = m_cellWidth * static_cast<float>(column) + dx;
        node->y = m_cellHeight * static_cast<float>(row) + dy;
        break;
    case kFromCentre:
        node->x = static_cast<float>(m_columns - 1) * m_cellWidth * 0.5f + dx;
        node->y = static_cast<float>(m_rows - 1) * m_cellHeight * 0.5f + dy;
        break;
    default:
        node->x = dx;
        node->y = dy;
        break;
    }
}

void DistortionMesh::Render(float x, float y) {
    for (int j = 0; j + 1 < m_rows; ++j) {
        for (int i = 0; i + 1 < m_columns; ++i) {
            const int corners[4][2] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
            for (int k = 0; k < 4; ++k) {
                m_quad.v[k] = Drawn(corners[k][0], corners[k][1]);
                m_quad.v[k].x += x;
                m_quad.v[k].y += y;
            }
            m_engine->Gfx_RenderQuad(&m_quad);
        }
    }
}

std::optional<Vertex> DistortionMesh::GetNode(int column, int row) const {
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns) {
        return std::nullopt;
    }
    return Drawn(column, row);
}
