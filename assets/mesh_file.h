// The .sos mesh file reader and the records it fills: a vertex and a triangle in the layout GL
// reads them in, held in arrays on large pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "assets/value_types.h"
#include "platform/large_buffer.h"

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

// Reads the .sos file at path into the two arrays, each resized to its section's count: a
// record the file does not fully state keeps what the array held there, new records start at
// zero. False when the file cannot be opened or read or is malformed; the arrays are then as
// they were, and loadFailure names the file and why.
bool readMeshFile(const char* path, MeshArray<MeshVertex>& vertices, MeshArray<MeshTriangle>& triangles);
