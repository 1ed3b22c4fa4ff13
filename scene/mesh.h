// An indexed triangle mesh drawn from client-side interleaved arrays in one call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/large_buffer.h"
#include "scene/scene_node.h"

class Texture;

// The whole vertex array goes to GL as one interleaved array with a 48-byte stride.
struct MeshVertex {
    Vec3 position;
    Vec3 normal;
    Rgba colour;
    float texCoord[2] = {0.0f, 0.0f};
};

struct MeshTriangle {
    std::uint32_t indices[3] = {0, 0, 0};
};

static_assert(sizeof(MeshVertex) == 48, "the vertex stride handed to GL is 48 bytes");
static_assert(offsetof(MeshVertex, position) == 0, "positions at byte 0");
static_assert(offsetof(MeshVertex, normal) == 12, "normals at byte 12");
static_assert(offsetof(MeshVertex, colour) == 24, "colour at byte 24");
static_assert(offsetof(MeshVertex, texCoord) == 40, "texture coordinates at byte 40");
static_assert(sizeof(MeshTriangle) == 12, "three 32-bit indices");

// A mesh's arrays: a face's run to hundreds of kilobytes, so they sit on large pages where the
// system has them, and filling them at start-up takes a few page faults, not hundreds.
template <typename Record>
using MeshArray = std::vector<Record, platform::LargeBufferAllocator<Record>>;

class Mesh : public SceneNode {
public:
    // Reads a .sos mesh file into vertices and triangles; false when it cannot be opened,
    // read, or is malformed (see the reader in mesh_file.cpp).
    bool load(const char* path);
    void draw();
    // position[i] += factor * table[i] for every i below vertexCount.
    void displace(const Vec3* table, float factor);
    // (vertexCount, triangleCount)
    std::pair<std::uint32_t, std::uint32_t> getCounts() const;

    Rgba colour;
    MeshArray<MeshVertex> vertices;
    MeshArray<MeshTriangle> triangles;
    Texture* texture = nullptr;
    std::uint32_t vertexCount = 0;
    std::uint32_t triangleCount = 0;
};

// Copies vertices, triangles, counts and colour; the destination keeps its matrix and texture.
void copyMesh(const Mesh& source, Mesh& destination);
