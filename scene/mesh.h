// An indexed triangle mesh drawn from client-side interleaved arrays in one call.
#pragma once

#include <cstdint>
#include <utility>

#include "assets/mesh_file.h"
#include "scene/scene_node.h"

class Texture;

class Mesh : public SceneNode {
public:
    // Reads a .sos mesh file into vertices and triangles; false when it cannot be opened,
    // read, or is malformed (see the reader, assets/mesh_file.h).
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
