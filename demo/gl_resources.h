// What the demo keeps in a GL context, made anew with every context and released with it: the
// multitexture entry points, the fog, the light's slot, the sky quadric and the three textures.
// The shell calls each at its place in its GL initialisation and release.
#pragma once

// The multitexture entry points of the current context; the INFO box when it has none.
void lookUpMultitexture();
// The fog's mode, density and colour (whether it is on is the render flag's).
void setUpFog();
// The sky sphere's quadric: filled, with texture coordinates.
void createSkyQuadric();
void releaseSkyQuadric();
// Claims a GL light for the light and uploads its parameters.
void setUpLight();
// The ground, sky and lightmap textures from their image files; false at the first that fails.
bool loadTextures();
