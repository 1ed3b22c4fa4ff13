// Keyboard controls, applied once per frame from the key-state table.
#pragma once

constexpr float moveSpeed = 0.01f;  // world units (or degrees) per millisecond of frame time

// Held keys move and turn the camera by the previous frame's duration; toggle keys switch
// the status line, texturing, lighting, fog and wireframe, each once per key-down message.
void processControls();
