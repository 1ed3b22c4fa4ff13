// The program as it ships, but drawing every frame with a fog density of 0, as a driver whose fog
// does nothing would: the end-to-end validation test runs it to prove that such a driver fails
// the checks drawn in fog.
#include <GL/gl.h>

#include "app/frame_stages.h"
#include "cli/run.h"

namespace {

void clearFogDensity(FrameStage finished) {
    if (finished == FrameStage::Controls) glFogf(GL_FOG_DENSITY, 0.0f);
}

}  // namespace

int main(int argc, char** argv) {
    addFrameStageListener(clearFogDensity);
    return runApplication(argc, argv);
}
