// What the GL-named exports of the build on the layer (library fixed_function_gl) offer beside
// GL's own names.
#pragma once

namespace ff {

// The address of the exported extension function of this name (glActiveTextureARB, ...), as a
// driver's GetProcAddress hands it out; null for any other name. The program looks its extension
// functions up by name, and in the build on the layer they must be the layer's, never the ES
// driver's functions of the same name.
void* exportedProcAddress(const char* name);

}  // namespace ff
