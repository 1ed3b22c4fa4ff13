// The viewport and the 60-degree perspective projection of the window's client area.
#include "app/projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/globals.h"

namespace {

constexpr double fieldOfView = 60.0;
constexpr double nearPlane = 0.2;
constexpr double farPlane = 350.0;

}  // namespace

void resizeView(int newWidth, int newHeight) {
    // A size message can arrive before the new context is current; it only updates the size.
    bool hasContext = appWindow.renderContext != nullptr;
    if (hasContext) glViewport(0, 0, newWidth, newHeight);
    appWindow.width = newWidth;
    appWindow.height = newHeight;
    if (!hasContext) return;
    double aspect = static_cast<double>(newWidth) / static_cast<double>(newHeight == 0 ? 1 : newHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, aspect, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
}
