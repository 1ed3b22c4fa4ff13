// The parameters of lighting and fog: lights (positions and directions taken into eye
// coordinates by the modelview of the moment they are given), materials, the light model,
// colour material and fog, each checked as GL checks them.
#include <algorithm>
#include <array>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

namespace {

constexpr float maxExponent = 128.0f;  // GL 1.1's bound on the spot exponent and shininess

// The parameter count each light name takes; 0 for a name lights do not have.
int lightParameterCount(GLenum pname) {
    switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_POSITION: return 4;
    case GL_SPOT_DIRECTION: return 3;
    case GL_SPOT_EXPONENT:
    case GL_SPOT_CUTOFF:
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION: return 1;
    default: return 0;
    }
}

bool isMaterialName(GLenum pname) {
    return pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR || pname == GL_EMISSION ||
           pname == GL_SHININESS || pname == GL_AMBIENT_AND_DIFFUSE;
}

bool isFace(GLenum face) { return face == GL_FRONT || face == GL_BACK || face == GL_FRONT_AND_BACK; }

void setMaterial(Material& m, GLenum pname, const GLfloat* p) {
    switch (pname) {
    case GL_AMBIENT: std::copy(p, p + 4, m.ambient); break;
    case GL_DIFFUSE: std::copy(p, p + 4, m.diffuse); break;
    case GL_SPECULAR: std::copy(p, p + 4, m.specular); break;
    case GL_EMISSION: std::copy(p, p + 4, m.emission); break;
    case GL_AMBIENT_AND_DIFFUSE: std::copy(p, p + 4, m.ambient), std::copy(p, p + 4, m.diffuse); break;
    case GL_SHININESS: m.shininess = p[0]; break;
    default: break;
    }
}

}  // namespace

void applyColorMaterial(Context& context) {
    if (context.colorMaterialFace != GL_BACK) setMaterial(context.front, context.colorMaterialMode, context.color);
    if (context.colorMaterialFace != GL_FRONT) setMaterial(context.back, context.colorMaterialMode, context.color);
}

void Lightfv(GLenum light, GLenum pname, const GLfloat* params) {
    if (params) {
        std::array<GLfloat, 4> copy{};
        std::copy(params, params + std::max(lightParameterCount(pname), 1), copy.begin());
        if (listed([=] { Lightfv(light, pname, copy.data()); })) return;
    }
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + maxLights || lightParameterCount(pname) == 0) {
        setError(*context, GL_INVALID_ENUM);
        return;
    }
    if (!params) return;
    Light& l = context->lights[light - GL_LIGHT0];
    const Matrix& m = context->modelview.back();
    switch (pname) {
    case GL_AMBIENT: std::copy(params, params + 4, l.ambient); break;
    case GL_DIFFUSE: std::copy(params, params + 4, l.diffuse); break;
    case GL_SPECULAR: std::copy(params, params + 4, l.specular); break;
    case GL_POSITION:
        for (int row = 0; row < 4; ++row)
            l.position[row] =
                m[row] * params[0] + m[4 + row] * params[1] + m[8 + row] * params[2] + m[12 + row] * params[3];
        break;
    case GL_SPOT_DIRECTION:
        // A direction is turned by the modelview's upper 3 x 3, not moved.
        for (int row = 0; row < 3; ++row)
            l.spotDirection[row] = m[row] * params[0] + m[4 + row] * params[1] + m[8 + row] * params[2];
        break;
    case GL_SPOT_EXPONENT:
        if (params[0] < 0 || params[0] > maxExponent) return setError(*context, GL_INVALID_VALUE);
        l.spotExponent = params[0];
        break;
    case GL_SPOT_CUTOFF:
        if ((params[0] < 0 || params[0] > 90) && params[0] != 180) return setError(*context, GL_INVALID_VALUE);
        l.spotCutoff = params[0];
        break;
    default:  // the three attenuation factors
        if (params[0] < 0) return setError(*context, GL_INVALID_VALUE);
        l.attenuation[pname - GL_CONSTANT_ATTENUATION] = params[0];
        break;
    }
}

void GetLightfv(GLenum light, GLenum pname, GLfloat* params) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + maxLights || lightParameterCount(pname) == 0) {
        setError(*context, GL_INVALID_ENUM);
        return;
    }
    if (!params) return;
    const Light& l = context->lights[light - GL_LIGHT0];
    const auto give = [params](const float* values, int count) { std::copy(values, values + count, params); };
    switch (pname) {
    case GL_AMBIENT: give(l.ambient, 4); break;
    case GL_DIFFUSE: give(l.diffuse, 4); break;
    case GL_SPECULAR: give(l.specular, 4); break;
    case GL_POSITION: give(l.position, 4); break;
    case GL_SPOT_DIRECTION: give(l.spotDirection, 3); break;
    case GL_SPOT_EXPONENT: params[0] = l.spotExponent; break;
    case GL_SPOT_CUTOFF: params[0] = l.spotCutoff; break;
    default: params[0] = l.attenuation[pname - GL_CONSTANT_ATTENUATION]; break;
    }
}

void Lightf(GLenum light, GLenum pname, GLfloat param) {
    if (lightParameterCount(pname) != 1) {
        // Vector parameters cannot be given as one value.
        if (Context* context = outsideBeginEnd()) setError(*context, GL_INVALID_ENUM);
        return;
    }
    Lightfv(light, pname, &param);
}

void LightModelfv(GLenum pname, const GLfloat* params) {
    if (params) {
        std::array<GLfloat, 4> copy{};
        std::copy(params, params + (pname == GL_LIGHT_MODEL_AMBIENT ? 4 : 1), copy.begin());
        if (listed([=] { LightModelfv(pname, copy.data()); })) return;
    }
    Context* context = outsideBeginEnd();
    if (!context || !params) return;
    switch (pname) {
    case GL_LIGHT_MODEL_AMBIENT: std::copy(params, params + 4, context->lightModelAmbient); break;
    case GL_LIGHT_MODEL_LOCAL_VIEWER: context->localViewer = params[0] != 0; break;
    case GL_LIGHT_MODEL_TWO_SIDE:
        // One-sided lighting is all the layer computes: two-sided is refused, not ignored.
        if (params[0] != 0) setError(*context, GL_INVALID_VALUE);
        break;
    default: setError(*context, GL_INVALID_ENUM); break;
    }
}

void LightModelf(GLenum pname, GLfloat param) {
    if (pname == GL_LIGHT_MODEL_AMBIENT) {
        if (Context* context = outsideBeginEnd()) setError(*context, GL_INVALID_ENUM);
        return;
    }
    LightModelfv(pname, &param);
}

// Materials may change between Begin and End, as GL allows.
void Materialfv(GLenum face, GLenum pname, const GLfloat* params) {
    if (params) {
        std::array<GLfloat, 4> copy{};
        std::copy(params, params + (pname == GL_SHININESS || !isMaterialName(pname) ? 1 : 4), copy.begin());
        if (listed([=] { Materialfv(face, pname, copy.data()); })) return;
    }
    Context* context = current();
    if (!context) return;
    if (!isFace(face) || !isMaterialName(pname)) return setError(*context, GL_INVALID_ENUM);
    if (!params) return;
    if (pname == GL_SHININESS && (params[0] < 0 || params[0] > maxExponent))
        return setError(*context, GL_INVALID_VALUE);
    if (face != GL_BACK) setMaterial(context->front, pname, params);
    if (face != GL_FRONT) setMaterial(context->back, pname, params);
}

void Materialf(GLenum face, GLenum pname, GLfloat param) {
    if (pname != GL_SHININESS) {
        if (Context* context = current()) setError(*context, GL_INVALID_ENUM);
        return;
    }
    Materialfv(face, pname, &param);
}

void ColorMaterial(GLenum face, GLenum mode) {
    if (listed([=] { ColorMaterial(face, mode); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    const bool known = mode == GL_AMBIENT || mode == GL_DIFFUSE || mode == GL_SPECULAR || mode == GL_EMISSION ||
                       mode == GL_AMBIENT_AND_DIFFUSE;
    if (!isFace(face) || !known) return setError(*context, GL_INVALID_ENUM);
    context->colorMaterialFace = face;
    context->colorMaterialMode = mode;
    if (context->colorMaterial) applyColorMaterial(*context);
}

void Fogfv(GLenum pname, const GLfloat* params) {
    if (params) {
        std::array<GLfloat, 4> copy{};
        std::copy(params, params + (pname == GL_FOG_COLOR ? 4 : 1), copy.begin());
        if (listed([=] { Fogfv(pname, copy.data()); })) return;
    }
    Context* context = outsideBeginEnd();
    if (!context || !params) return;
    switch (pname) {
    case GL_FOG_MODE: {
        const GLenum mode = static_cast<GLenum>(params[0]);
        if (mode != GL_LINEAR && mode != GL_EXP && mode != GL_EXP2) return setError(*context, GL_INVALID_ENUM);
        context->fogMode = mode;
        break;
    }
    case GL_FOG_DENSITY:
        if (params[0] < 0) return setError(*context, GL_INVALID_VALUE);
        context->fogDensity = params[0];
        break;
    case GL_FOG_START: context->fogStart = params[0]; break;
    case GL_FOG_END: context->fogEnd = params[0]; break;
    case GL_FOG_COLOR:
        for (int k = 0; k < 4; ++k) context->fogColor[k] = std::clamp(params[k], 0.0f, 1.0f);
        break;
    default: setError(*context, GL_INVALID_ENUM); break;  // colour-index fog and the fog hint among them
    }
}

void Fogf(GLenum pname, GLfloat param) {
    if (pname == GL_FOG_COLOR) {
        if (Context* context = outsideBeginEnd()) setError(*context, GL_INVALID_ENUM);
        return;
    }
    Fogfv(pname, &param);
}

void Fogi(GLenum pname, GLint param) { Fogf(pname, static_cast<GLfloat>(param)); }

}  // namespace ff
