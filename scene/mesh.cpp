// Loading, drawing, displacing and copying an indexed triangle mesh.
#include "scene/mesh.h"

#include <GL/gl.h>

#include <algorithm>

#include "assets/texture.h"

namespace {

constexpr GLsizei vertexStride = sizeof(MeshVertex);
constexpr GLsizei indicesPerTriangle = 3;

}  // namespace

// The reader fills both arrays, or refuses the file and leaves them as they were.
bool Mesh::load(const char* path) { return readMeshFile(path, vertices, triangles); }

// Draws with whatever client arrays the caller enabled; the mesh's transform stays on the
// modelview matrix afterwards.
void Mesh::draw() {
    apply();
    if (texture) texture->bind();
    glColor4fv(&colour.r);

    const MeshVertex* first = vertices.data();
    glVertexPointer(3, GL_FLOAT, vertexStride, first ? &first->position : nullptr);
    glNormalPointer(GL_FLOAT, vertexStride, first ? &first->normal : nullptr);
    glTexCoordPointer(2, GL_FLOAT, vertexStride, first ? first->texCoord : nullptr);
    glDrawElements(GL_TRIANGLES, indicesPerTriangle * static_cast<GLsizei>(triangles.size()), GL_UNSIGNED_INT,
                   triangles.data());
}

void Mesh::displace(const Vec3* table, float factor) {
    // vertexCount comes from the last copy; a later load may have shrunk the array below it.
    const std::size_t count = std::min<std::size_t>(vertexCount, vertices.size());
    for (std::size_t i = 0; i < count; ++i) {
        Vec3& p = vertices[i].position;
        p.x += factor * table[i].x;
        p.y += factor * table[i].y;
        p.z += factor * table[i].z;
    }
}

std::pair<std::uint32_t, std::uint32_t> Mesh::getCounts() const { return {vertexCount, triangleCount}; }

void copyMesh(const Mesh& source, Mesh& destination) {
    // Copying a mesh onto itself only takes over its own sizes; emptying it first would lose its data.
    if (&source != &destination) {
        destination.vertices.assign(source.vertices.begin(), source.vertices.end());
        destination.triangles.assign(source.triangles.begin(), source.triangles.end());
        destination.colour = source.colour;
    }
    destination.vertexCount = static_cast<std::uint32_t>(source.vertices.size());
    destination.triangleCount = static_cast<std::uint32_t>(source.triangles.size());
}
