// The mesh file reader as it was written over the C library's fscanf: the reference that the
// in-memory reader must match for every input.
#pragma once

#include "scene/mesh.h"

// Mesh::load's rules exactly, each scan done by fscanf on the open file.
bool loadWithFscanf(Mesh& mesh, const char* path);
