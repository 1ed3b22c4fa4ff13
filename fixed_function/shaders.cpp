// The ES programs that compute GL 1.1's per-vertex lighting, texturing and per-fragment fog. Each
// is generated for one combination of the states that change the equations' shape (which lights
// are on and of which kind, colour material, normalization, the texture units that sample and
// their environments, fog mode) and kept; the values (matrices, colours, light parameters) are
// uniforms set at each draw.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

namespace {

// A texture environment as a shape holds it; 0: the unit does not sample.
enum Environment : unsigned { noTexture, modulate, replace, decal };

// The small index of an enum among the values a state takes, 0 for none of them, so that a
// program's key stays within 64 bits.
unsigned indexOf(GLenum value, std::initializer_list<GLenum> values) {
    unsigned k = 1;
    for (GLenum v : values) {
        if (v == value) return k;
        ++k;
    }
    return 0;
}

// What makes one program differ from another, packed into one key.
struct Shape {
    bool lighting = false;
    unsigned lights = 0;      // one bit per enabled light
    unsigned positional = 0;  // lights with w != 0
    unsigned spot = 0;        // lights with a cutoff other than 180
    unsigned attenuated = 0;  // positional lights with attenuation other than (1, 0, 0)
    bool localViewer = false;
    bool normalize = false;
    GLenum colorMaterial = 0;  // the material that follows the vertex colour; 0: none
    GLenum fog = 0;            // the fog mode; 0: no fog
    bool points = false;
    bool wideLines = false;  // lines drawn as quads the vertex shader widens
    Environment texture[textureUnits] = {};

    // 46 bits: every field keeps its own.
    std::uint64_t key() const {
        std::uint64_t k = lighting;
        k = k << 8 | lights;
        k = k << 8 | positional;
        k = k << 8 | spot;
        k = k << 8 | attenuated;
        k = k << 1 | localViewer;
        k = k << 1 | normalize;
        k = k << 3 | indexOf(colorMaterial, {GL_EMISSION, GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_AMBIENT_AND_DIFFUSE});
        k = k << 2 | indexOf(fog, {GL_EXP, GL_EXP2, GL_LINEAR});
        k = k << 1 | points;
        k = k << 1 | wideLines;
        for (Environment e : texture) k = k << 2 | e;
        return k;
    }
};

Shape shapeOf(const Context& context, GLenum mode) {
    Shape shape;
    shape.points = mode == GL_POINTS;
    shape.wideLines = context.drawingWideLines;
    shape.lighting = context.lighting;
    if (shape.lighting) {
        for (int i = 0; i < maxLights; ++i) {
            const Light& light = context.lights[i];
            if (!light.enabled) continue;
            shape.lights |= 1u << i;
            if (light.position[3] != 0) {
                shape.positional |= 1u << i;
                if (light.attenuation[0] != 1 || light.attenuation[1] != 0 || light.attenuation[2] != 0)
                    shape.attenuated |= 1u << i;
            }
            if (light.spotCutoff != 180) shape.spot |= 1u << i;
        }
        shape.localViewer = context.localViewer;
        shape.normalize = context.normalize;
        // Two-sided lighting is not offered, so only the front material counts.
        if (context.colorMaterial && context.colorMaterialFace != GL_BACK)
            shape.colorMaterial = context.colorMaterialMode;
    }
    if (context.fog) shape.fog = context.fogMode;
    for (int unit = 0; unit < textureUnits; ++unit) {
        if (!sampledTexture(context, unit)) continue;
        const GLenum mode = context.units[unit].envMode;
        shape.texture[unit] = mode == GL_REPLACE ? replace : mode == GL_DECAL ? decal : modulate;
    }
    return shape;
}

std::string vertexSource(const Shape& s) {
    std::string src =
        "attribute vec4 aPosition;\n"
        "attribute vec3 aNormal;\n"
        "attribute vec4 aColor;\n"
        "attribute vec4 aTexCoord;\n"
        "uniform mat4 uModelview;\n"
        "uniform mat4 uProjection;\n"
        "varying vec4 vColor;\n"
        "varying float vFogDistance;\n";
    for (int unit = 0; unit < textureUnits; ++unit) {
        if (!s.texture[unit]) continue;
        const std::string u = std::to_string(unit);
        if (unit > 0) src += "attribute vec4 aTexCoord" + u + ";\n";
        src += "uniform mat4 uTextureMatrix" + u + ";\nvarying vec4 vTexCoord" + u + ";\n";
    }
    if (s.points) src += "uniform float uPointSize;\nuniform vec2 uViewportSize;\n";
    if (s.wideLines) src += "attribute vec4 aOther;\nattribute float aSide;\nuniform float uLineWidth;\nuniform vec2 uViewportSize;\n";
    if (s.lighting) {
        src +=
            "uniform mat3 uNormalMatrix;\n"
            "uniform vec4 uMaterial[4];\n"  // ambient, diffuse, specular, emission
            "uniform float uShininess;\n"
            "uniform vec4 uLightModelAmbient;\n"
            "uniform vec4 uLightAmbient[8];\n"
            "uniform vec4 uLightDiffuse[8];\n"
            "uniform vec4 uLightSpecular[8];\n"
            "uniform vec4 uLightPosition[8];\n"  // eye coordinates; directions normalized
            "uniform vec3 uSpotDirection[8];\n"  // normalized
            "uniform float uSpotExponent[8];\n"
            "uniform float uSpotCosCutoff[8];\n"
            "uniform vec3 uAttenuation[8];\n";
    }
    src +=
        "void main() {\n"
        "  vec4 eye = uModelview * aPosition;\n"
        "  gl_Position = uProjection * eye;\n";
    if (s.points) {
        // GL 1.1 lights the pixel a point falls in; ES the pixels whose centres its square covers.
        // Moving the point to its pixel's centre makes the two the same.
        src +=
            "  gl_PointSize = uPointSize;\n"
            "  vec2 pixel = floor((gl_Position.xy / gl_Position.w * 0.5 + 0.5) * uViewportSize) + 0.5;\n"
            "  gl_Position.xy = (pixel / uViewportSize * 2.0 - 1.0) * gl_Position.w;\n";
    }
    if (s.wideLines) {
        // A wide line as GL 1.1 rasterizes it: each column (x-major) or row (y-major) of the
        // segment's pixels stretched across the width, so the quad's sides run along the minor
        // axis, half the width to each side of the segment.
        src +=
            "  vec4 other = uProjection * (uModelview * aOther);\n"
            "  vec2 delta = (other.xy / other.w - gl_Position.xy / gl_Position.w) * uViewportSize;\n"
            "  vec2 across = abs(delta.x) >= abs(delta.y) ? vec2(0.0, 1.0) : vec2(1.0, 0.0);\n"
            "  gl_Position.xy += across * aSide * uLineWidth / uViewportSize * gl_Position.w;\n";
    }
    if (!s.lighting) {
        src += "  vColor = aColor;\n";
    } else {
        const GLenum cm = s.colorMaterial;
        auto term = [&](const char* material, bool fromColor) {
            return fromColor ? std::string("aColor") : std::string("uMaterial[") + material + "]";
        };
        src += "  vec4 ambient = " + term("0", cm == GL_AMBIENT || cm == GL_AMBIENT_AND_DIFFUSE) + ";\n";
        src += "  vec4 diffuse = " + term("1", cm == GL_DIFFUSE || cm == GL_AMBIENT_AND_DIFFUSE) + ";\n";
        src += "  vec4 specular = " + term("2", cm == GL_SPECULAR) + ";\n";
        src += "  vec4 emission = " + term("3", cm == GL_EMISSION) + ";\n";
        src += std::string("  vec3 n = uNormalMatrix * aNormal;\n") + (s.normalize ? "  n = normalize(n);\n" : "");
        src += s.localViewer ? "  vec3 toEye = -normalize(eye.xyz);\n" : "  vec3 toEye = vec3(0.0, 0.0, 1.0);\n";
        src += "  vec3 c = emission.rgb + ambient.rgb * uLightModelAmbient.rgb;\n";
        for (int i = 0; i < maxLights; ++i) {
            if (!(s.lights >> i & 1)) continue;
            const std::string k = std::to_string(i);
            src += "  {\n    float attenuation = 1.0;\n";
            if (s.positional >> i & 1) {
                src += "    vec3 VP = uLightPosition[" + k +
                       "].xyz - eye.xyz;\n"
                       "    float d = length(VP);\n"
                       "    VP = VP / d;\n";
                if (s.attenuated >> i & 1)
                    src += "    attenuation = 1.0 / (uAttenuation[" + k + "].x + uAttenuation[" + k +
                           "].y * d + uAttenuation[" + k + "].z * d * d);\n";
            } else {
                src += "    vec3 VP = uLightPosition[" + k + "].xyz;\n";
            }
            if (s.spot >> i & 1)
                src += "    float spotCos = dot(-VP, uSpotDirection[" + k +
                       "]);\n"
                       "    attenuation *= spotCos >= uSpotCosCutoff[" +
                       k + "] ? pow(max(spotCos, 0.0), uSpotExponent[" + k + "]) : 0.0;\n";
            src +=
                "    float nDotVP = max(dot(n, VP), 0.0);\n"
                "    float nDotH = max(dot(n, normalize(VP + toEye)), 0.0);\n"
                // A shininess of 0 makes the specular factor 1 wherever the light falls.
                "    float shine = nDotVP > 0.0 ? (uShininess > 0.0 ? pow(nDotH, uShininess) : 1.0) : 0.0;\n"
                "    c += attenuation * (ambient.rgb * uLightAmbient[" +
                k + "].rgb + nDotVP * diffuse.rgb * uLightDiffuse[" + k +
                "].rgb + shine * specular.rgb * uLightSpecular[" + k + "].rgb);\n  }\n";
        }
        src += "  vColor = clamp(vec4(c, diffuse.a), 0.0, 1.0);\n";
    }
    // Fog is on the distance along the eye's axis, as GL's implementations measure it.
    if (s.fog) src += "  vFogDistance = abs(eye.z);\n";
    for (int unit = 0; unit < textureUnits; ++unit) {
        const std::string u = std::to_string(unit);
        if (s.texture[unit])
            src += "  vTexCoord" + u + " = uTextureMatrix" + u + " * aTexCoord" + (unit > 0 ? u : "") + ";\n";
    }
    src += "}\n";
    return src;
}

std::string fragmentSource(const Shape& s) {
    std::string src =
        "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
        "precision highp float;\n"
        "#else\n"
        "precision mediump float;\n"
        "#endif\n"
        "varying vec4 vColor;\n"
        "varying float vFogDistance;\n";
    if (s.fog) src += "uniform vec4 uFogColor;\nuniform vec3 uFog;\n";  // density, end, 1 / (end - start)
    for (int unit = 0; unit < textureUnits; ++unit) {
        if (!s.texture[unit]) continue;
        const std::string u = std::to_string(unit);
        src += "uniform sampler2D uSampler" + u + ";\nvarying vec4 vTexCoord" + u + ";\n";
        if (s.texture[unit] == replace) src += "uniform vec2 uTextureHas" + u + ";\n";  // colour, alpha
    }
    src += "void main() {\n  vec4 c = vColor;\n";
    // Each unit in turn combines its texel with the colour so far, after lighting and before fog,
    // with s and t divided by q.
    for (int unit = 0; unit < textureUnits; ++unit) {
        if (!s.texture[unit]) continue;
        const std::string u = std::to_string(unit), t = "t" + u;
        src += "  vec4 " + t + " = texture2DProj(uSampler" + u + ", vTexCoord" + u + ");\n";
        if (s.texture[unit] == modulate) src += "  c *= " + t + ";\n";
        // GL_REPLACE takes the components the texture has and leaves the others.
        if (s.texture[unit] == replace)
            src += "  c = vec4(mix(c.rgb, " + t + ".rgb, uTextureHas" + u + ".x), mix(c.a, " + t + ".a, uTextureHas" +
                   u + ".y));\n";
        if (s.texture[unit] == decal) src += "  c.rgb = mix(c.rgb, " + t + ".rgb, " + t + ".a);\n";
    }
    if (s.fog) {
        if (s.fog == GL_LINEAR) src += "  float f = (uFog.y - vFogDistance) * uFog.z;\n";
        if (s.fog == GL_EXP) src += "  float f = exp(-uFog.x * vFogDistance);\n";
        if (s.fog == GL_EXP2) src += "  float f = exp(-(uFog.x * vFogDistance) * (uFog.x * vFogDistance));\n";
        src += "  c.rgb = mix(uFogColor.rgb, c.rgb, clamp(f, 0.0, 1.0));\n";
    }
    src += "  gl_FragColor = c;\n}\n";
    return src;
}

GLuint compile(const Es2Api& es, GLenum type, const std::string& source) {
    const GLuint shader = es.CreateShader(type);
    const GLchar* text = source.c_str();
    es.ShaderSource(shader, 1, &text, nullptr);
    es.CompileShader(shader);
    GLint ok = GL_FALSE;
    es.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        es.DeleteShader(shader);
        return 0;
    }
    return shader;
}

// Every uniform the uploader sets, and its name; a program that lacks one has it at -1.
enum Uniform {
    uModelview,
    uProjection,
    uPointSize,
    uViewportSize,
    uNormalMatrix,
    uMaterial,
    uShininess,
    uLightModelAmbient,
    uLightAmbient,
    uLightDiffuse,
    uLightSpecular,
    uLightPosition,
    uSpotDirection,
    uSpotExponent,
    uSpotCosCutoff,
    uAttenuation,
    uFogColor,
    uFog,
    uTextureMatrix0,
    uTextureMatrix1,
    uSampler0,
    uSampler1,
    uTextureHas0,
    uTextureHas1,
    uLineWidth,
    uniformCount
};
const char* const uniformNames[uniformCount] = {
    "uModelview",      "uProjection",        "uPointSize",     "uViewportSize", "uNormalMatrix",  "uMaterial",
    "uShininess",      "uLightModelAmbient", "uLightAmbient",  "uLightDiffuse", "uLightSpecular", "uLightPosition",
    "uSpotDirection",  "uSpotExponent",      "uSpotCosCutoff", "uAttenuation",  "uFogColor",      "uFog",
    "uTextureMatrix0", "uTextureMatrix1",    "uSampler0",      "uSampler1",     "uTextureHas0",   "uTextureHas1",
    "uLineWidth"};

Program link(const Es2Api& es, const Shape& shape) {
    Program program;
    const GLuint vertex = compile(es, GL_VERTEX_SHADER, vertexSource(shape));
    const GLuint fragment = compile(es, GL_FRAGMENT_SHADER, fragmentSource(shape));
    if (vertex && fragment) {
        program.name = es.CreateProgram();
        es.AttachShader(program.name, vertex);
        es.AttachShader(program.name, fragment);
        es.BindAttribLocation(program.name, positionAttribute, "aPosition");
        es.BindAttribLocation(program.name, normalAttribute, "aNormal");
        es.BindAttribLocation(program.name, colorAttribute, "aColor");
        es.BindAttribLocation(program.name, texCoordAttribute, "aTexCoord");
        es.BindAttribLocation(program.name, texCoord1Attribute, "aTexCoord1");
        es.BindAttribLocation(program.name, otherEndAttribute, "aOther");
        es.BindAttribLocation(program.name, sideAttribute, "aSide");
        es.LinkProgram(program.name);
        GLint ok = GL_FALSE;
        es.GetProgramiv(program.name, GL_LINK_STATUS, &ok);
        if (!ok) {
            es.DeleteProgram(program.name);
            program.name = 0;
        }
    }
    // Attached shaders live on with the program; the names can go now.
    if (vertex) es.DeleteShader(vertex);
    if (fragment) es.DeleteShader(fragment);
    if (program.name) {
        for (const char* name : uniformNames) program.uniforms.push_back(es.GetUniformLocation(program.name, name));
        // Each unit's sampler reads the ES unit of the same number, for good.
        es.UseProgram(program.name);
        es.Uniform1i(program.uniforms[uSampler0], 0);
        es.Uniform1i(program.uniforms[uSampler1], 1);
    }
    return program;
}

}  // namespace

void normalMatrix(const Matrix& m, float out[9]) {
    const double a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (det == 0) {
        const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        std::copy(identity, identity + 9, out);
        return;
    }
    // The cofactors, row by row: the inverse transposed is cofactor / det, element for element,
    // written column-major for ES.
    const double cof[9] = {e * i - f * h,    -(d * i - f * g), d * h - e * g,    -(b * i - c * h), a * i - c * g,
                           -(a * h - b * g), b * f - c * e,    -(a * f - c * d), a * e - b * d};
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col) out[col * 3 + r] = static_cast<float>(cof[r * 3 + col] / det);
}

namespace {

void setUniforms(const Context& context, const Program& program, const Shape& shape) {
    const Es2Api& es = context.es;
    auto at = [&program](Uniform u) { return program.uniforms[u]; };
    es.UniformMatrix4fv(at(uModelview), 1, GL_FALSE, context.modelview.back().data());
    es.UniformMatrix4fv(at(uProjection), 1, GL_FALSE, context.projection.back().data());
    if (shape.points || shape.wideLines) {
        es.Uniform1f(at(uPointSize), 1.0f);
        const GLfloat size[2] = {GLfloat(context.viewport[2]), GLfloat(context.viewport[3])};
        es.Uniform2fv(at(uViewportSize), 1, size);
        es.Uniform1f(at(uLineWidth), wideLineWidth(context));
    }
    if (shape.lighting) {
        float normals[9];
        normalMatrix(context.modelview.back(), normals);
        es.UniformMatrix3fv(at(uNormalMatrix), 1, GL_FALSE, normals);
        const Material& m = context.front;
        float material[16];
        std::copy(m.ambient, m.ambient + 4, material);
        std::copy(m.diffuse, m.diffuse + 4, material + 4);
        std::copy(m.specular, m.specular + 4, material + 8);
        std::copy(m.emission, m.emission + 4, material + 12);
        es.Uniform4fv(at(uMaterial), 4, material);
        es.Uniform1f(at(uShininess), m.shininess);
        es.Uniform4fv(at(uLightModelAmbient), 1, context.lightModelAmbient);
        float ambient[32], diffuse[32], specular[32], position[32], direction[24], exponent[8], cosCutoff[8],
            attenuation[24];
        for (int i = 0; i < maxLights; ++i) {
            const Light& l = context.lights[i];
            std::copy(l.ambient, l.ambient + 4, ambient + 4 * i);
            std::copy(l.diffuse, l.diffuse + 4, diffuse + 4 * i);
            std::copy(l.specular, l.specular + 4, specular + 4 * i);
            std::copy(l.position, l.position + 4, position + 4 * i);
            if (l.position[3] == 0) {
                // A directional light's direction, normalized once here rather than per vertex.
                const float length = std::sqrt(l.position[0] * l.position[0] + l.position[1] * l.position[1] +
                                               l.position[2] * l.position[2]);
                for (int k = 0; k < 3 && length > 0; ++k) position[4 * i + k] /= length;
            } else {
                for (int k = 0; k < 3; ++k) position[4 * i + k] /= l.position[3];
            }
            const float length =
                std::sqrt(l.spotDirection[0] * l.spotDirection[0] + l.spotDirection[1] * l.spotDirection[1] +
                          l.spotDirection[2] * l.spotDirection[2]);
            for (int k = 0; k < 3; ++k) direction[3 * i + k] = length > 0 ? l.spotDirection[k] / length : 0;
            exponent[i] = l.spotExponent;
            cosCutoff[i] = static_cast<float>(std::cos(l.spotCutoff * 3.14159265358979323846 / 180.0));
            std::copy(l.attenuation, l.attenuation + 3, attenuation + 3 * i);
        }
        es.Uniform4fv(at(uLightAmbient), maxLights, ambient);
        es.Uniform4fv(at(uLightDiffuse), maxLights, diffuse);
        es.Uniform4fv(at(uLightSpecular), maxLights, specular);
        es.Uniform4fv(at(uLightPosition), maxLights, position);
        es.Uniform3fv(at(uSpotDirection), maxLights, direction);
        es.Uniform1fv(at(uSpotExponent), maxLights, exponent);
        es.Uniform1fv(at(uSpotCosCutoff), maxLights, cosCutoff);
        es.Uniform3fv(at(uAttenuation), maxLights, attenuation);
    }
    for (int unit = 0; unit < textureUnits; ++unit) {
        if (!shape.texture[unit]) continue;
        es.UniformMatrix4fv(at(Uniform(uTextureMatrix0 + unit)), 1, GL_FALSE, context.units[unit].matrix.back().data());
        if (shape.texture[unit] != replace) continue;
        const GLenum base = sampledTexture(context, unit)->baseFormat;
        const bool alpha = base == GL_ALPHA || base == GL_LUMINANCE_ALPHA || base == GL_INTENSITY || base == GL_RGBA;
        const GLfloat has[2] = {base == GL_ALPHA ? 0.0f : 1.0f, alpha ? 1.0f : 0.0f};
        es.Uniform2fv(at(Uniform(uTextureHas0 + unit)), 1, has);
    }
    if (shape.fog) {
        es.Uniform4fv(at(uFogColor), 1, context.fogColor);
        const float range = context.fogEnd - context.fogStart;
        const float fog[3] = {context.fogDensity, context.fogEnd, range != 0 ? 1.0f / range : 1.0f};
        es.Uniform3fv(at(uFog), 1, fog);
    }
}

}  // namespace

const Program* programFor(Context& context, GLenum mode) {
    const Shape shape = shapeOf(context, mode);
    const std::uint64_t key = shape.key();
    auto found = context.programs.find(key);
    if (found == context.programs.end()) found = context.programs.emplace(key, link(context.es, shape)).first;
    return found->second.name ? &found->second : nullptr;
}

void deletePrograms(Context& context) {
    for (auto& entry : context.programs)
        if (entry.second.name) context.es.DeleteProgram(entry.second.name);
    context.programs.clear();
}

bool useProgram(Context& context, GLenum mode) {
    const Program* program = programFor(context, mode);
    if (!program) return false;
    context.es.UseProgram(program->name);
    setUniforms(context, *program, shapeOf(context, mode));
    bindSampledTextures(context);
    return true;
}

namespace {

// One corner of a wide line's quad: the vertex, the segment's other end, and the side it lies on.
struct WideVertex {
    Vertex vertex;
    float otherEnd[4];
    float side;
};

// Lines at a width ES cannot draw (WebGL draws 1 alone), as quads that the vertex shader widens;
// false, to draw them as ES can, when a segment reaches behind the eye, where the shader's
// division by w would not hold.
bool drawWideLines(Context& context, GLenum mode, int count) {
    const std::vector<Vertex>& in = context.triangles;
    std::vector<std::pair<int, int>> segments;
    if (mode == GL_LINES)
        for (int i = 0; i + 1 < count; i += 2) segments.emplace_back(i, i + 1);
    else
        for (int i = 0; i + 1 < count; ++i) segments.emplace_back(i, i + 1);
    if (mode == GL_LINE_LOOP && count > 2) segments.emplace_back(count - 1, 0);
    const Matrix toClip = multiply(context.projection.back(), context.modelview.back());
    for (const Vertex& v : in) {
        const float w = toClip[3] * v.position[0] + toClip[7] * v.position[1] + toClip[11] * v.position[2] +
                        toClip[15] * v.position[3];
        if (!(w > 0)) return false;
    }
    std::vector<WideVertex> quads;
    quads.reserve(segments.size() * 6);
    for (const auto& segment : segments) {
        const Vertex& a = in[segment.first];
        const Vertex& b = in[segment.second];
        const auto corner = [&](const Vertex& self, const Vertex& other, float side) {
            WideVertex corner{self, {}, side};
            std::copy(other.position, other.position + 4, corner.otherEnd);
            quads.push_back(corner);
        };
        corner(a, b, -1), corner(a, b, 1), corner(b, a, 1);
        corner(a, b, -1), corner(b, a, 1), corner(b, a, -1);
    }
    context.drawingWideLines = true;
    const bool ready = useProgram(context, GL_TRIANGLES);
    context.drawingWideLines = false;
    if (!ready) return true;
    const Es2Api& es = context.es;
    es.BindBuffer(GL_ARRAY_BUFFER, context.vertexBuffer);
    es.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads.size() * sizeof(WideVertex)), quads.data(),
                  GL_STREAM_DRAW);
    const GLsizei stride = sizeof(WideVertex);
    const auto at = [](std::size_t offset) { return reinterpret_cast<const void*>(offset); };
    es.VertexAttribPointer(positionAttribute, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, position)));
    es.VertexAttribPointer(normalAttribute, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, normal)));
    es.VertexAttribPointer(colorAttribute, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, color)));
    es.VertexAttribPointer(texCoordAttribute, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, texCoord)));
    es.VertexAttribPointer(texCoord1Attribute, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, texCoord1)));
    es.VertexAttribPointer(otherEndAttribute, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(WideVertex, otherEnd)));
    es.VertexAttribPointer(sideAttribute, 1, GL_FLOAT, GL_FALSE, stride, at(offsetof(WideVertex, side)));
    for (GLuint a : std::initializer_list<GLuint>{positionAttribute, normalAttribute, colorAttribute, texCoordAttribute,
                                                  texCoord1Attribute, otherEndAttribute, sideAttribute})
        es.EnableVertexAttribArray(a);
    es.DrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(quads.size()));
    // The two arrays only these quads have are off again for every other draw.
    es.DisableVertexAttribArray(otherEndAttribute);
    es.DisableVertexAttribArray(sideAttribute);
    return true;
}

}  // namespace

float wideLineWidth(const Context& context) { return std::max(1.0f, std::round(context.lineWidth)); }

bool drawVertices(Context& context, GLenum mode, int count) {
    const bool lines = mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
    if (lines && wideLineWidth(context) > context.lineWidthRange[1] && drawWideLines(context, mode, count))
        return true;
    if (!useProgram(context, mode)) return false;
    const Es2Api& es = context.es;
    es.BindBuffer(GL_ARRAY_BUFFER, context.vertexBuffer);
    es.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(Vertex)), context.triangles.data(),
                  GL_STREAM_DRAW);
    const GLsizei stride = sizeof(Vertex);
    es.VertexAttribPointer(positionAttribute, 4, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<const void*>(offsetof(Vertex, position)));
    es.VertexAttribPointer(normalAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<const void*>(offsetof(Vertex, normal)));
    es.VertexAttribPointer(colorAttribute, 4, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<const void*>(offsetof(Vertex, color)));
    es.VertexAttribPointer(texCoordAttribute, 4, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<const void*>(offsetof(Vertex, texCoord)));
    es.VertexAttribPointer(texCoord1Attribute, 4, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<const void*>(offsetof(Vertex, texCoord1)));
    for (GLuint a : {positionAttribute, normalAttribute, colorAttribute, texCoordAttribute, texCoord1Attribute})
        es.EnableVertexAttribArray(a);
    es.DrawArrays(mode, 0, count);
    return true;
}

}  // namespace ff
