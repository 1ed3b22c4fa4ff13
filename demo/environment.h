// Ground, sky, world axes and the line towards the light.
#pragma once

// Draws them through the camera; leaves lighting, both units' texture enables, the active
// texture unit and the line width as it found them.
void drawEnvironment();
