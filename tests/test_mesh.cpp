// Mesh: one indexed draw over the interleaved arrays, displacement in place, and copying.
#include <GL/gl.h>

#include <cstring>

#include "assets/texture.h"
#include "scene/mesh.h"
#include "tests/gl_feedback.h"
#include "tests/gl_test_context.h"
#include "tests/matrix_checks.h"

namespace {

MeshVertex vertexAt(float x, float y, float z) {
    MeshVertex v;
    v.position = Vec3{x, y, z};
    v.normal = Vec3{0.0f, 0.0f, 1.0f};
    v.texCoord[0] = x;
    v.texCoord[1] = y;
    return v;
}

// A square of two triangles in the middle of the default view volume.
Mesh makeSquare() {
    Mesh mesh;
    mesh.vertices = {vertexAt(-0.5f, -0.5f, 0.0f), vertexAt(0.5f, -0.5f, 0.0f), vertexAt(0.5f, 0.5f, 0.0f),
                     vertexAt(-0.5f, 0.5f, 0.0f)};
    mesh.triangles = {MeshTriangle{{0, 1, 2}}, MeshTriangle{{0, 2, 3}}};
    return mesh;
}

bool sameRecords(const void* a, const void* b, std::size_t bytes) { return std::memcmp(a, b, bytes) == 0; }

void enableVertexArrays() {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
}

}  // namespace

TEST_F(GlTest, DrawIssuesOneCallOverEveryTriangle) {
    enableVertexArrays();
    Mesh empty;
    EXPECT_TRUE(capturePolygons([&] { empty.draw(); }).empty()) << "a new mesh draws nothing";

    Mesh square = makeSquare();
    square.triangleCount = 99;
    glLoadIdentity();
    EXPECT_EQ(capturePolygons([&] { square.draw(); }).size(), 2u)
        << "two triangles are drawn whatever triangleCount holds";

    square.triangleCount = 0;
    glLoadIdentity();
    EXPECT_EQ(capturePolygons([&] { square.draw(); }).size(), 2u) << "a triangleCount of 0 draws them too";
}

TEST_F(GlTest, DrawSetsTransformColourTextureAndArrays) {
    enableVertexArrays();
    Mesh square = makeSquare();
    square.translate(0.25f, 0.0f, 0.0f);
    square.colour = Rgba{0.2f, 0.4f, 0.6f, 0.8f};
    GLuint name = 0;
    glGenTextures(1, &name);
    Texture texture;
    texture.glName = name;
    square.texture = &texture;

    glLoadIdentity();
    glRotatef(10.0f, 0.0f, 0.0f, 1.0f);
    const Matrix4 loaded = currentModelview();
    square.draw();

    expectMatrixNear(currentModelview(), glProduct([&] {
                         glMultMatrixf(loaded.data());
                         glMultMatrixf(square.matrix.data());
                     }),
                     1e-6f, "the mesh's transform stays multiplied onto what was loaded");
    float colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1], 0.4f) << "the mesh colour is the current colour";
    EXPECT_FLOAT_EQ(colour[3], 0.8f) << "with its alpha";
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), name) << "the mesh's texture is bound";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "draw does not switch texturing on";

    const auto* base = reinterpret_cast<const char*>(square.vertices.data());
    GLvoid* pointer = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, base) << "positions from byte 0 of the first record";
    glGetPointerv(GL_NORMAL_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, base + 12) << "normals from byte 12";
    glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, base + 40) << "texture coordinates from byte 40, set even when not textured";
    GLint stride = 0;
    glGetIntegerv(GL_TEXTURE_COORD_ARRAY_STRIDE, &stride);
    EXPECT_EQ(stride, 48) << "one interleaved record per vertex";

    glDeleteTextures(1, &name);
}

TEST(MeshDisplace, ThereAndBackAgain) {
    Mesh source = makeSquare();
    Mesh face;
    copyMesh(source, face);
    const Vec3 table[4] = {{0.1f, 0.2f, 0.3f}, {-1.0f, 0.0f, 2.5f}, {0.0f, 0.0f, 0.0f}, {1e-3f, -7.0f, 0.25f}};

    face.displace(table, 1.0f);
    EXPECT_FLOAT_EQ(face.vertices[1].position.x, -0.5f) << "+1 adds the table entry";
    EXPECT_FLOAT_EQ(face.vertices[3].position.y, -6.5f) << "to every vertex";
    face.displace(table, -1.0f);
    for (std::size_t i = 0; i < 4; ++i) {
        expectVecNear(face.vertices[i].position, source.vertices[i].position, 1e-6f, "-1 takes it back");
        EXPECT_EQ(face.vertices[i].normal.z, 1.0f) << "normals are not touched";
    }

    Mesh loadedOnly = makeSquare();
    loadedOnly.displace(table, 1.0f);
    EXPECT_TRUE(sameRecords(loadedOnly.vertices.data(), source.vertices.data(), 4 * sizeof(MeshVertex)))
        << "a mesh whose vertexCount is 0 does not move";

    // A copy's vertexCount outliving a smaller array (as after loading a smaller file into it)
    // moves only the vertices that are there.
    face.vertices.resize(2);
    face.vertices.shrink_to_fit();
    face.displace(table, 1.0f);
    EXPECT_FLOAT_EQ(face.vertices[1].position.z, 2.5f) << "the remaining vertices move";
    EXPECT_EQ(face.getCounts().first, 4u) << "the count itself is left as the copy set it";
}

TEST(MeshCopy, ReplacesRecordsCountsAndColourOnly) {
    Mesh source = makeSquare();
    source.vertices[2].colour = Rgba{0.1f, 0.2f, 0.3f, 0.4f};
    source.colour = Rgba{0.7f, 0.5f, 0.5f, 1.0f};
    source.triangles.pop_back();

    Mesh destination = makeSquare();
    destination.vertices.resize(9, vertexAt(3.0f, 3.0f, 3.0f));
    destination.triangles.resize(5, MeshTriangle{{8, 8, 8}});
    destination.matrix[12] = 42.0f;
    Texture texture;
    destination.texture = &texture;

    copyMesh(source, destination);
    ASSERT_EQ(destination.vertices.size(), 4u) << "exactly the source's vertices";
    ASSERT_EQ(destination.triangles.size(), 1u) << "exactly the source's triangles";
    EXPECT_TRUE(sameRecords(destination.vertices.data(), source.vertices.data(), 4 * sizeof(MeshVertex)))
        << "all 48 bytes of every vertex, per-vertex colour included";
    EXPECT_EQ(destination.triangles[0].indices[2], 2u) << "the triangle's corners";
    EXPECT_EQ(destination.getCounts(), std::make_pair(4u, 1u)) << "counts taken over";
    EXPECT_EQ(destination.colour.r, 0.7f) << "colour taken over";
    EXPECT_EQ(destination.matrix[12], 42.0f) << "the destination keeps its transform";
    EXPECT_EQ(destination.texture, &texture) << "and its texture";
    EXPECT_EQ(source.vertices.size(), 4u) << "the source is unchanged";

    copyMesh(destination, destination);
    EXPECT_EQ(destination.vertices.size(), 4u) << "copying a mesh onto itself keeps its vertices";
    EXPECT_EQ(destination.triangles.size(), 1u) << "and its triangles";
}
