// The GL strings of the current context, recorded and printed.
#include "check/gl_description.h"

#include <GL/gl.h>

#include <string>

#include "check/log.h"
#include "check/run_record.h"
#include "demo/globals.h"

namespace {

std::string glText(GLenum name) {
    const auto* value = reinterpret_cast<const char*>(glGetString(name));
    return value ? value : "(unknown)";
}

}  // namespace

void recordGLDescription() {
    runRecord.gl.vendor = glText(GL_VENDOR);
    runRecord.gl.renderer = glText(GL_RENDERER);
    runRecord.gl.version = glText(GL_VERSION);
    runRecord.gl.multitexturing = multitextureSupported;
    runRecord.glKnown = true;
}

void printGLInfo() {
    const GLDescription& gl = runRecord.gl;
    printOutput("GL_VENDOR: " + gl.vendor);
    printOutput("GL_RENDERER: " + gl.renderer);
    printOutput("GL_VERSION: " + gl.version);
    printOutput(std::string("Multitexturing: ") + (gl.multitexturing ? "yes" : "no"));
}
