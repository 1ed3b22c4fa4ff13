// The SDL backend's test seams, for its own tests and the behavioural tests that reach it.
#pragma once

namespace platform {

// While set, the display refuses the mode of every full-screen window as it is shown, as a display
// does that lists a mode it then cannot set.
void refuseDisplayModes(bool refuse);

}  // namespace platform
