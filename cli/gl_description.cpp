// The GL strings of the current context, recorded and printed.
#include "cli/gl_description.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "cli/run_record.h"
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
    std::printf("GL_VENDOR: %s\nGL_RENDERER: %s\nGL_VERSION: %s\nMultitexturing: %s\n", gl.vendor.c_str(),
                gl.renderer.c_str(), gl.version.c_str(), gl.multitexturing ? "yes" : "no");
    std::fflush(stdout);
}
