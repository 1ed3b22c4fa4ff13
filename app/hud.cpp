// Frame-rate measurement, the status line and the overlay drawn over the finished picture.
#include "app/hud.h"

#include <cstdio>
#include <cstring>

#include "app/globals.h"
#include "demo/globals.h"

std::int32_t fpsFrameCount = 0;
std::uint32_t fpsElapsed = 0;
char fpsText[11] = {};
char renderModeText[8] = {};
char lightsText[4] = {};
char fogText[4] = {};
char statusText[35] = {};
std::int32_t hudWidth = 0;

namespace {

constexpr std::uint32_t fpsWindowMs = 500;
bool figureWritten = false;
constexpr GLint textLeft = 10;
constexpr GLint textBottom = 10;

// Copies src into a fixed text field, truncated to what the field holds.
template <std::size_t N>
void setText(char (&field)[N], const char* src) {
    std::size_t length = std::strlen(src);
    if (length > N - 1) length = N - 1;
    std::memcpy(field, src, length);
    field[length] = '\0';
}

}  // namespace

void accumulateFrameRate() {
    fpsFrameCount += 1;
    fpsElapsed += frameDelta;
    figureWritten = fpsElapsed > fpsWindowMs;
    if (figureWritten) {
        float figure = static_cast<float>(fpsFrameCount) * 1000.0f / static_cast<float>(fpsElapsed);
        // A figure of 10000 or more needs more than the field's 10 characters: keep the first 10.
        char formatted[64];
        std::snprintf(formatted, sizeof formatted, "FPS:%6.1f", static_cast<double>(figure));
        setText(fpsText, formatted);
        fpsElapsed = 0;
        fpsFrameCount = 0;
    }
}

bool newFrameRateFigure() { return figureWritten; }

void composeStatusLine() {
    setText(lightsText, renderFlags.lighting ? "ON " : "OFF");
    setText(fogText, renderFlags.fog ? "ON" : "OFF");
    setText(renderModeText, renderFlags.wireframe ? "WIRE" : renderFlags.texturing ? "TEXTURE" : "FLAT");
    std::snprintf(statusText, sizeof statusText, " RENDER:%-7s LIGHTS:%-3s FOG:%-3s", renderModeText, lightsText,
                  fogText);
}

void drawHud() {
    // Taken once: after a resize the bar still spans the viewport and the text start scales.
    if (hudWidth == 0) hudWidth = appWindow.width;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, hudWidth, 0, appWindow.height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glPushAttrib(hudAttribMask);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
    glRecti(0, 0, hudWidth, hudBarHeight);

    glColor3f(0.9f, 0.9f, 0.9f);
    glRasterPos2i(textLeft, textBottom);
    glListBase(fontListBase - overlayGlyphs.first);
    glCallLists(static_cast<GLsizei>(std::strlen(fpsText)), GL_UNSIGNED_BYTE, fpsText);
    if (statusLineVisible) {
        glCallLists(static_cast<GLsizei>(std::strlen(statusText)), GL_UNSIGNED_BYTE, statusText);
    }

    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
