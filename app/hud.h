// The translucent bar at the bottom with the frame rate and the optional status line.
#pragma once

#include <GL/gl.h>

#include <cstdint>

// The character codes that get a glyph display list: space to DEL, the printable ASCII.
struct GlyphRange {
    GLuint first;
    GLsizei count;
};
constexpr GlyphRange overlayGlyphs{32, 96};

extern std::int32_t fpsFrameCount;
extern std::uint32_t fpsElapsed;
extern char fpsText[11];
extern char renderModeText[8];
extern char lightsText[4];
extern char fogText[4];
extern char statusText[35];
extern std::int32_t hudWidth;
// The bar's height in pixels, along the bottom of the window.
constexpr GLint hudBarHeight = 35;
constexpr GLbitfield hudAttribMask = GL_TEXTURE_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT;

// Counts this frame and, once more than 500 ms have gathered, writes the mean frame rate.
void accumulateFrameRate();
// Whether the last accumulateFrameRate wrote a new figure into fpsText.
bool newFrameRateFigure();
// Rebuilds the status line from the render flags.
void composeStatusLine();
void drawHud();
