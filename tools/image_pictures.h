// The three pictures of the demo's world: rock ground, sunset sky and the ground's lightmap.
#pragma once

#include "tools/image_bmp.h"

namespace images {

// Rocks packed edge to edge with dark cracks between them; repeats seamlessly in both directions.
RgbPicture paintRocks(int size);

// The sky as the sky sphere maps it, bottom row first: zenith (dark blue-violet) at the bottom,
// the glowing horizon in the middle, the dim ground side at the top. Wraps left to right; width
// columns go once around the horizon, height rows from pole to pole.
RgbPicture paintSunsetSky(int width, int height);

// Grey levels, brightest in the centre (where the faces stand), fading towards the edges.
IndexedPicture paintLightmap(int size);

}  // namespace images
