// The keyboard's per-frame effect on the camera and the render flags.
#include "app/controls.h"

#include "app/globals.h"
#include "app/hud.h"
#include "demo/globals.h"
#include "platform/messages.h"

namespace {

constexpr float turnPerStep = 10.0f;
constexpr float pitchPerStep = 8.0f;
constexpr float climbPerStep = 0.33333334f;

constexpr unsigned keyA = 'A';
constexpr unsigned keyZ = 'Z';
constexpr unsigned keyI = 'I';
constexpr unsigned keyT = 'T';
constexpr unsigned keyL = 'L';
constexpr unsigned keyF = 'F';
constexpr unsigned keyW = 'W';

// Clears the key's slot and reports whether it was set.
bool takeToggle(unsigned key) {
    if (!keyState[key]) return false;
    keyState[key] = 0;
    return true;
}

void setCapability(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

}  // namespace

void processControls() {
    const float x = static_cast<float>(frameDelta) * moveSpeed;
    // Shift adds a whole unit per frame to the moves, whatever the frame time.
    const float s = static_cast<float>(keyState[platform::VK_SHIFT]);

    if (keyState[platform::VK_UP]) camera.moveAlongZ(x + s);
    if (keyState[platform::VK_DOWN]) camera.moveAlongZ(-x - s);
    if (keyState[platform::VK_LEFT]) camera.yaw(-turnPerStep * x);
    if (keyState[platform::VK_RIGHT]) camera.yaw(turnPerStep * x);
    if (keyState[keyA]) camera.addPitch(pitchPerStep * x);
    if (keyState[keyZ]) camera.addPitch(-pitchPerStep * x);
    if (keyState[platform::VK_SPACE]) camera.levelPitch();
    if (keyState[platform::VK_PRIOR]) camera.moveAlongY(-climbPerStep * x - s);
    if (keyState[platform::VK_NEXT]) camera.moveAlongY(climbPerStep * x + s);

    // At most one of I, T, L and F per frame, in that priority; W too unless I, T or L acted.
    if (takeToggle(keyI)) {
        statusLineVisible = !statusLineVisible;
        composeStatusLine();
        return;
    }
    if (takeToggle(keyT)) {
        renderFlags.texturing = !renderFlags.texturing;
        setCapability(GL_TEXTURE_2D, renderFlags.texturing);
        composeStatusLine();
        return;
    }
    if (takeToggle(keyL)) {
        renderFlags.lighting = !renderFlags.lighting;
        setCapability(GL_LIGHTING, renderFlags.lighting);
        composeStatusLine();
        return;
    }
    if (takeToggle(keyF)) {
        renderFlags.fog = !renderFlags.fog;
        setCapability(GL_FOG, renderFlags.fog);
        composeStatusLine();
    }
    if (takeToggle(keyW)) {
        renderFlags.wireframe = !renderFlags.wireframe;
        glPolygonMode(GL_FRONT_AND_BACK, renderFlags.wireframe ? GL_LINE : GL_FILL);
        composeStatusLine();
    }
}
