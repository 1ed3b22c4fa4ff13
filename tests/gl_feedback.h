// Records what GL rasterises, primitive by primitive, with GL's feedback mode.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <vector>

struct FeedbackVertex {
    float x, y, z;  // window coordinates
    float colour[4];
};

struct FeedbackPolygon {
    std::vector<FeedbackVertex> vertices;
};

// Runs `draw` in feedback mode (GL_3D_COLOR) and returns the polygons in the order GL met them.
template <typename Draw>
std::vector<FeedbackPolygon> capturePolygons(Draw draw) {
    constexpr std::size_t capacity = 4096;
    constexpr int floatsPerVertex = 7;
    std::vector<GLfloat> buffer(capacity);
    glFeedbackBuffer(static_cast<GLsizei>(capacity), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);

    std::vector<FeedbackPolygon> polygons;
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLenum>(buffer[i++]);
        int vertexCount = 0;
        if (token == GL_POLYGON_TOKEN) {
            vertexCount = static_cast<int>(buffer[i++]);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                   token == GL_COPY_PIXEL_TOKEN) {
            i += floatsPerVertex;
            continue;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            i += 2 * floatsPerVertex;
            continue;
        } else {
            i += 1;  // pass-through value
            continue;
        }
        FeedbackPolygon polygon;
        for (int v = 0; v < vertexCount; ++v, i += floatsPerVertex) {
            const GLfloat* f = &buffer[i];
            polygon.vertices.push_back(FeedbackVertex{f[0], f[1], f[2], {f[3], f[4], f[5], f[6]}});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}
