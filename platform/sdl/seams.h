// The SDL backend's test seams, for its own tests and the behavioural tests that reach it.
#pragma once

namespace platform {

// While set, the display refuses the mode of every full-screen window as it is shown, as a display
// does that lists a mode it then cannot set.
void refuseDisplayModes(bool refuse);

// While set, the fixed-function layer finds no ES entry point over each new GL context, as over
// a driver that lacks one it needs, and the context is refused (in the build on the layer; the
// seam does nothing in the build on GL).
void refuseLayerContexts(bool refuse);

}  // namespace platform
