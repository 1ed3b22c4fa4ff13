// The layer's attribute stacks against Mesa's: each group pushed, everything changed, the group
// popped; what comes back, and what stays changed, must answer as Mesa answers.
#include <cmath>
#include <vector>

#include "tests/fixed_function/differential.h"

namespace {

class AttributeStacksTest : public DifferentialTest {};

TEST_F(AttributeStacksTest, EachGroupComesBackAsMesasDoes) {
    const GLbitfield groups[] = {GL_CURRENT_BIT,
                                 GL_ENABLE_BIT,
                                 GL_LIGHTING_BIT,
                                 GL_FOG_BIT,
                                 GL_DEPTH_BUFFER_BIT,
                                 GL_COLOR_BUFFER_BIT,
                                 GL_VIEWPORT_BIT,
                                 GL_TRANSFORM_BIT,
                                 GL_POLYGON_BIT,
                                 GL_LINE_BIT,
                                 GL_SCISSOR_BIT,
                                 GL_TEXTURE_BIT,
                                 GL_TEXTURE_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT,
                                 GL_ALL_ATTRIB_BITS};
    const GLbitfield clientGroups[] = {GL_CLIENT_PIXEL_STORE_BIT, GL_CLIENT_VERTEX_ARRAY_BIT,
                                       GL_CLIENT_ALL_ATTRIB_BITS};
    const auto pushChangePop = [&](std::vector<std::vector<double>>& results) {
        return [&](const GlCalls& gl) {
            gl.Viewport(0, 0, sceneSide, sceneSide);
            for (GLbitfield mask : groups) {
                gl.PushAttrib(mask);
                changeEveryState(gl);
                gl.PopAttrib();
                results.push_back(stateAnswers(gl));
            }
            for (GLbitfield mask : clientGroups) {
                gl.PushClientAttrib(mask);
                changeEveryState(gl);
                gl.PopClientAttrib();
                results.push_back(stateAnswers(gl));
            }
            // The stacks' depth and their errors.
            std::vector<double> errors;
            for (int k = 0; k < 20; ++k) gl.PushAttrib(GL_FOG_BIT), gl.PushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
            errors.push_back(gl.GetError());
            for (int k = 0; k < 20; ++k) gl.PopAttrib(), gl.PopClientAttrib();
            errors.push_back(gl.GetError());
            gl.Begin(GL_POINTS);
            gl.PushAttrib(GL_ALL_ATTRIB_BITS);
            gl.End();
            errors.push_back(gl.GetError());
            results.push_back(errors);
        };
    };
    std::vector<std::vector<double>> mesa, layer;
    onMesa(pushChangePop(mesa));
    onLayer(pushChangePop(layer));
    ASSERT_EQ(layer.size(), mesa.size());
    for (std::size_t k = 0; k < mesa.size(); ++k) EXPECT_EQ(layer[k], mesa[k]) << "pushed group " << k;
}

// A lit fan whose light (and, with `changeMaterial`, material) is changed between a push and a pop.
Steps poppedLighting(bool changeMaterial) {
    return [changeMaterial](const GlCalls& gl) {
        gl.Clear(GL_COLOR_BUFFER_BIT);
        gl.MatrixMode(GL_PROJECTION);
        gl.Frustum(-0.5, 0.5, -0.5, 0.5, 1, 20);
        gl.MatrixMode(GL_MODELVIEW);
        const GLfloat warm[4] = {1, 0.7f, 0.4f, 1}, cold[4] = {0, 0.2f, 1, 1}, up[4] = {0, 1, 1, 0};
        gl.Lightfv(GL_LIGHT2, GL_DIFFUSE, warm);
        gl.Lightfv(GL_LIGHT2, GL_POSITION, up);
        gl.Enable(GL_LIGHTING);
        gl.Enable(GL_LIGHT2);
        gl.PushAttrib(GL_LIGHTING_BIT | GL_FOG_BIT);
        gl.Lightfv(GL_LIGHT2, GL_DIFFUSE, cold);
        if (changeMaterial) gl.Materialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, cold);
        gl.Disable(GL_LIGHT2);
        gl.Enable(GL_LIGHT0);
        gl.Enable(GL_FOG);
        gl.PopAttrib();
        gl.Translatef(0, 0, -4);
        gl.Begin(GL_TRIANGLE_FAN);
        gl.Normal3f(0, 0, 1), gl.Vertex3f(0, 0, 0.5f);
        for (int k = 0; k <= 12; ++k) {
            const float a = 6.2831853f * float(k) / 12;
            gl.Normal3f(std::cos(a), std::sin(a), 0.3f), gl.Vertex3f(1.5f * std::cos(a), 1.5f * std::sin(a), 0);
        }
        gl.End();
    };
}

TEST_F(AttributeStacksTest, LightingComesBackForTheNextDraw) {
    // The light, its enable and fog pushed, changed and popped: lit as before, on ES as on Mesa.
    expectSamePicture("lighting-popped", poppedLighting(false));
    // The material is part of the lighting group in the OpenGL 1.1 standard, and the layer puts it
    // back; Mesa 22.3 keeps the one set after the push, so here the layer is held to its own
    // picture without the change.
    Picture unchanged, popped;
    for (Picture* picture : {&unchanged, &popped})
        onLayer([&](const GlCalls& gl) {
            gl.Viewport(0, 0, sceneSide, sceneSide);
            poppedLighting(picture == &popped)(gl);
            *picture = readScene(gl);
        });
    EXPECT_EQ(popped.rgb, unchanged.rgb) << "the material came back with the pop";
}

}  // namespace
