// The layer's display lists against Mesa's: lists compiled (alone, and compiled and run at once),
// called by name and through glListBase and glCallLists, nested and deleted; the pictures and
// the state they leave must be Mesa's, and bad input gives Mesa's errors.
#include <vector>

#include "tests/fixed_function/differential.h"

namespace {

// Three lists from `base`: a lit quad strip that moves the modelview, a fan compiled and drawn at
// once, and one that calls the first and draws client arrays read when it was compiled.
void compileLists(const GlCalls& gl, GLuint base) {
    const GLfloat warm[4] = {1, 0.6f, 0.3f, 1};
    gl.NewList(base, GL_COMPILE);
    gl.Enable(GL_LIGHTING);
    gl.Enable(GL_LIGHT0);
    gl.Materialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, warm);
    gl.Begin(GL_QUAD_STRIP);
    for (int k = 0; k < 5; ++k) {
        gl.Normal3f(0.3f * float(k - 2), 0, 1);
        gl.Vertex2f(-0.9f + 0.3f * k, -0.9f), gl.Vertex2f(-0.9f + 0.3f * k, -0.5f);
    }
    gl.End();
    gl.Disable(GL_LIGHTING);
    gl.Translatef(0, 0.5f, 0);
    gl.EndList();

    gl.NewList(base + 1, GL_COMPILE_AND_EXECUTE);
    gl.Begin(GL_TRIANGLE_FAN);
    gl.Color3f(0.2f, 1, 0.4f), gl.Vertex2f(0.5f, 0.5f);
    for (int k = 0; k < 6; ++k)
        gl.Color3ub(GLubyte(40 * k), 80, 200), gl.Vertex2f(0.2f + 0.12f * k, 0.9f - (k % 2) * 0.1f);
    gl.End();
    gl.EndList();

    const GLfloat strip[8] = {-0.9f, 0.6f, -0.9f, 0.9f, -0.3f, 0.6f, -0.3f, 0.9f};
    gl.NewList(base + 2, GL_COMPILE);
    gl.CallList(base);
    gl.Color3f(1, 0.2f, 0.8f);
    gl.VertexPointer(2, GL_FLOAT, 0, strip);  // client state: set now, not kept
    gl.EnableClientState(GL_VERTEX_ARRAY);
    gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    gl.DisableClientState(GL_VERTEX_ARRAY);
    gl.EndList();
}

class ListsTest : public DifferentialTest {};

TEST_F(ListsTest, CompiledCalledAndDeletedAsMesaDoes) {
    expectSamePicture("display-lists", [](const GlCalls& gl) {
        gl.Clear(GL_COLOR_BUFFER_BIT);
        const GLuint base = gl.GenLists(3);
        compileLists(gl, base);
        gl.ListBase(base);
        // Names that hold no list (7, and base + 1 once deleted) are passed over.
        const GLubyte names[4] = {0, 7, 2, 0};
        gl.CallLists(4, GL_UNSIGNED_BYTE, names);
        gl.DeleteLists(base + 1, 1);
        gl.CallList(base + 1);
    });

    // Compiling alone changes nothing; the list names and queries answer alike.
    std::vector<double> mesa, layer;
    const auto listState = [](std::vector<double>& results) {
        return [&results](const GlCalls& gl) {
            const GLuint first = gl.GenLists(4);
            gl.NewList(first + 1, GL_COMPILE);
            changeEveryState(gl);
            GLint index = 0, mode = 0;
            gl.GetIntegerv(GL_LIST_INDEX, &index);
            gl.GetIntegerv(GL_LIST_MODE, &mode);
            gl.EndList();
            results = stateAnswers(gl);
            results.insert(results.end(), {double(first), double(index - first), double(mode)});
            gl.DeleteLists(first + 1, 2);
            for (GLuint k = 0; k < 5; ++k) results.push_back(gl.IsList(first + k));
            results.push_back(gl.GenLists(2) - first);  // names after those in use
            gl.ListBase(5);
            GLint listBase = 0;
            gl.GetIntegerv(GL_LIST_BASE, &listBase);
            results.push_back(listBase);
            results.push_back(gl.GetError());
        };
    };
    onMesa(listState(mesa));
    onLayer(listState(layer));
    ASSERT_EQ(layer.size(), mesa.size());
    for (std::size_t k = 0; k < mesa.size(); ++k)
        EXPECT_EQ(layer[k], mesa[k]) << "answer " << k << " of " << mesa.size();
}

TEST_F(ListsTest, BadInputGivesMesasErrors) {
    const auto badCalls = [](std::vector<GLenum>& errors) {
        return [&errors](const GlCalls& gl) {
            auto note = [&] { errors.push_back(gl.GetError()); };
            gl.NewList(0, GL_COMPILE), note();
            gl.NewList(1, GL_COMPILE + 100), note();
            gl.EndList(), note();  // no list begun
            gl.NewList(1, GL_COMPILE);
            gl.NewList(2, GL_COMPILE), note();  // lists do not nest
            gl.EndList();
            gl.GenLists(-1), note();
            gl.DeleteLists(1, -1), note();
            const GLuint names[2] = {1, 1};
            gl.CallLists(2, GL_FLOAT + 100, names), note();
            gl.CallLists(-2, GL_UNSIGNED_INT, names), note();
            gl.CallLists(2, GL_UNSIGNED_INT, names), note();  // list 1 is empty: nothing happens
            gl.CallList(12345), note();                       // no such list: nothing happens
            gl.Begin(GL_POINTS);
            gl.NewList(3, GL_COMPILE);
            gl.End(), note();
        };
    };
    std::vector<GLenum> mesa, layer;
    onMesa(badCalls(mesa));
    onLayer(badCalls(layer));
    EXPECT_EQ(layer, mesa);
}

}  // namespace
