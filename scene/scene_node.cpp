// The node transform: every change is computed by GL on the modelview matrix and read back.
#include "scene/scene_node.h"

#include <GL/gl.h>

void SceneNode::apply() { glMultMatrixf(matrix.data()); }

void SceneNode::resetTransform() { matrix = Matrix4{}; }

void SceneNode::translate(float x, float y, float z) {
    glLoadIdentity();
    glTranslatef(x, y, z);
    apply();
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
}

void SceneNode::rotate(float angle, float x, float y, float z) {
    glLoadMatrixf(matrix.data());
    glRotatef(angle, x, y, z);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
}

// The scale goes inside the node's transform, like rotate; on an identity node that is S(s).
void SceneNode::scale(float s) {
    glLoadMatrixf(matrix.data());
    glScalef(s, s, s);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
}
