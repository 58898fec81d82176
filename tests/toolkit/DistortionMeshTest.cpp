#include "toolkit/DistortionMesh.h"
#include "tests/toolkit/DrawingTestHelpers.h"

#include <gtest/gtest.h>

namespace {

using drawing_test::TakeQuads;

class DistortionMeshTest : public ::testing::Test {
protected:
    void SetUp() override { engine->Gfx_RecordDraws(true); }
    testing_support::HeadlessEngine engine;
};

TEST_F(DistortionMeshTest, TwoByTwoMeshDrawsOneQuadOverTheRectangle) {
    DistortionMesh mesh(2, 2);
    mesh.SetTexture(engine->Texture_Create(512, 256));
    mesh.SetTextureRect(0, 0, 256, 128);
    mesh.Render(10, 20);
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 1u);
    const Quad& q = quads[0];
    const float expected[4][4] = {
        {10, 20, 0, 0}, {266, 20, 0.5f, 0}, {266, 148, 0.5f, 0.5f}, {10, 148, 0, 0.5f}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(q.v[i].x, expected[i][0]);
        EXPECT_FLOAT_EQ(q.v[i].y, expected[i][1]);
        EXPECT_FLOAT_EQ(q.v[i].tx, expected[i][2]);
        EXPECT_FLOAT_EQ(q.v[i].ty, expected[i][3]);
        EXPECT_FLOAT_EQ(q.v[i].z, 0.5f);
        EXPECT_EQ(q.v[i].col, 0xFFFFFFFFu);
    }
    EXPECT_EQ(q.blend, BLEND_ALPHABLEND | BLEND_ZWRITE);
}

TEST_F(DistortionMeshTest, CellsAreDrawnRowByRowFromSharedNodes) {
    DistortionMesh mesh(3, 3);
    mesh.SetTextureRect(0, 0, 64, 64); // no texture: coordinates over the rectangle
    mesh.SetDisplacement(1, 1, 5, -5, DistortionMesh::kFromNode);
    mesh.Render(0, 0);
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 4u);
    // The moved centre node is each cell's inner corner.
    EXPECT_FLOAT_EQ(quads[0].v[2].x, 37);
    EXPECT_FLOAT_EQ(quads[1].v[3].x, 37);
    EXPECT_FLOAT_EQ(quads[2].v[1].y, 27);
    EXPECT_FLOAT_EQ(quads[3].v[0].y, 27);
    EXPECT_FLOAT_EQ(quads[3].v[2].x, 64);
    EXPECT_FLOAT_EQ(quads[3].v[2].tx, 1.0f);
    EXPECT_FLOAT_EQ(quads[1].v[0].tx, 0.5f);
}

TEST_F(DistortionMeshTest, DisplacementReferences) {
    DistortionMesh mesh(5, 3);
    mesh.SetTextureRect(0, 0, 100, 50);
    mesh.SetDisplacement(0, 0, 1, 2, DistortionMesh::kFromCentre);
    mesh.SetDisplacement(4, 2, 1, 2, DistortionMesh::kFromCentre);
    EXPECT_FLOAT_EQ(mesh.GetNode(0, 0)->x, 51);
    EXPECT_FLOAT_EQ(mesh.GetNode(0, 0)->y, 27);
    EXPECT_FLOAT_EQ(mesh.GetNode(4, 2)->x, 51);
    EXPECT_FLOAT_EQ(mesh.GetNode(4, 2)->y, 27);
    mesh.SetDisplacement(3, 1, 7, 8, DistortionMesh::kFromTopLeft);
    EXPECT_FLOAT_EQ(mesh.GetNode(3, 1)->x, 7);
    EXPECT_FLOAT_EQ(mesh.GetNode(3, 1)->y, 8);
    mesh.SetDisplacement(3, 1, 7, 8, DistortionMesh::kFromNode);
    EXPECT_FLOAT_EQ(mesh.GetNode(3, 1)->x, 82);
    EXPECT_FLOAT_EQ(mesh.GetNode(3, 1)->y, 33);
}

TEST_F(DistortionMeshTest, OutOfRangeNodesAreLeftAlone) {
    DistortionMesh mesh(3, 3);
    mesh.SetTextureRect(0, 0, 64, 64);
    mesh.SetDisplacement(3, 0, 9, 9, DistortionMesh::kFromTopLeft);
    mesh.SetDisplacement(0, 3, 9, 9, DistortionMesh::kFromTopLeft);
    mesh.SetDisplacement(-1, 0, 9, 9, DistortionMesh::kFromTopLeft);
    mesh.SetDisplacement(0, -1, 9, 9, DistortionMesh::kFromTopLeft);
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(mesh.GetNode(i, j)->x, 32.0f * i);
            EXPECT_FLOAT_EQ(mesh.GetNode(i, j)->y, 32.0f * j);
        }
    }
    EXPECT_FALSE(mesh.GetNode(3, 0).has_value());
}

TEST_F(DistortionMeshTest, ClearResetsPlacesColoursAndDepthsButNotCoordinates) {
    DistortionMesh mesh(2, 2);
    mesh.SetTextureRect(0, 0, 10, 10);
    mesh.SetDisplacement(1, 1, 3, 3, DistortionMesh::kFromTopLeft);
    mesh.Clear(0x80402010, 0.25f);
    const auto node = mesh.GetNode(1, 1);
    EXPECT_FLOAT_EQ(node->x, 10);
    EXPECT_FLOAT_EQ(node->y, 10);
    EXPECT_EQ(node->col, 0x80402010u);
    EXPECT_FLOAT_EQ(node->z, 0.25f);
    EXPECT_FLOAT_EQ(node->tx, 1.0f);
}

TEST_F(DistortionMeshTest, SingleRowOrColumnDrawsNothing) {
    DistortionMesh row(4, 1);
    row.SetTextureRect(0, 0, 64, 64);
    row.Render(0, 0);
    DistortionMesh column(1, 4);
    column.SetTextureRect(0, 0, 64, 64);
    column.Render(0, 0);
    DistortionMesh empty(0, -3);
    empty.SetTextureRect(0, 0, 64, 64);
    empty.Render(0, 0);
    EXPECT_TRUE(TakeQuads(engine.get()).empty());
    EXPECT_FLOAT_EQ(column.GetNode(0, 3)->y, 64);
    EXPECT_FLOAT_EQ(column.GetNode(0, 3)->x, 0);
}

} // namespace

TEST_F(DistortionMeshTest, AbsurdSizesAreCappedInsteadOfExhaustingMemory) {
    DistortionMesh mesh(100000, 100000);
    EXPECT_EQ(mesh.GetColumns(), 1024);
    EXPECT_EQ(mesh.GetRows(), 1024);
    DistortionMesh negative(-5, 3);
    EXPECT_EQ(negative.GetColumns(), 0);
}

TEST_F(DistortionMeshTest, AFollowedGridPushesTheNodesDownWhenDrawn) {
    DistortionMesh mesh(3, 2);
    mesh.SetTextureRect(0, 0, 60, 30);
    mesh.SetDisplacement(1, 0, 5, 1, DistortionMesh::kFromNode);
    float dy[6] = {1, -2, 3, 0.5f, 0, -7};
    mesh.FollowDisplacements(dy);
    dy[3] = 4; // read when drawn, not when followed
    EXPECT_FLOAT_EQ(mesh.GetNode(1, 0)->x, 35);
    EXPECT_FLOAT_EQ(mesh.GetNode(1, 0)->y, 1 - 2);
    mesh.Render(0, 10);
    const std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[0].v[3].y, 30 + 4 + 10);
    EXPECT_FLOAT_EQ(quads[1].v[2].y, 30 - 7 + 10);
    mesh.FollowDisplacements(nullptr);
    EXPECT_FLOAT_EQ(mesh.GetNode(0, 1)->y, 30);
}
