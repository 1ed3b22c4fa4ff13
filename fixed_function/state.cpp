// State and errors: the layer's contexts, glEnable and its kin, the queries, GL's error flag, and
// the framebuffer calls that ES answers itself once the layer has noted them.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

namespace {

Context* currentLayerContext = nullptr;

// The capabilities ES 2.0 keeps with GL 1.1's meaning; glEnable hands them on.
constexpr GLenum esCapabilities[] = {GL_BLEND,  GL_CULL_FACE,           GL_DEPTH_TEST,
                                     GL_DITHER, GL_POLYGON_OFFSET_FILL, GL_SCISSOR_TEST};

bool isEsCapability(GLenum cap) {
    return std::find(std::begin(esCapabilities), std::end(esCapabilities), cap) != std::end(esCapabilities);
}

// The flag a layer-computed capability lives in; null when the layer does not know the name.
bool* layerCapability(Context& context, GLenum cap) {
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + maxLights) return &context.lights[cap - GL_LIGHT0].enabled;
    switch (cap) {
    case GL_LIGHTING: return &context.lighting;
    case GL_COLOR_MATERIAL: return &context.colorMaterial;
    case GL_NORMALIZE: return &context.normalize;
    case GL_FOG: return &context.fog;
    case GL_TEXTURE_2D: return &context.units[context.activeUnit].enabled;
    case GL_VERTEX_ARRAY: return &context.vertexArray.enabled;
    case GL_NORMAL_ARRAY: return &context.normalArray.enabled;
    case GL_COLOR_ARRAY: return &context.colorArray.enabled;
    case GL_TEXTURE_COORD_ARRAY: return &context.texCoordArray.enabled;
    default: return nullptr;
    }
}

bool isClientArray(GLenum cap) {
    return cap == GL_VERTEX_ARRAY || cap == GL_NORMAL_ARRAY || cap == GL_COLOR_ARRAY || cap == GL_TEXTURE_COORD_ARRAY;
}

void setCapability(GLenum cap, bool enabled) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    // The client arrays are switched by glEnableClientState alone.
    bool* flag = isClientArray(cap) ? nullptr : layerCapability(*context, cap);
    if (flag) {
        const bool wasColorMaterial = context->colorMaterial;
        *flag = enabled;
        // Enabling colour material makes the material take the current colour at once.
        if (cap == GL_COLOR_MATERIAL && enabled && !wasColorMaterial) applyColorMaterial(*context);
    } else if (isEsCapability(cap)) {
        context->esCapabilities[cap] = enabled;
        if (enabled)
            context->es.Enable(cap);
        else
            context->es.Disable(cap);
    } else {
        setError(*context, GL_INVALID_ENUM);
    }
}

// A query's answer: its values, and whether they are normalized (colours, normals, depths), which
// glGetIntegerv maps onto the whole integer range rather than rounding.
struct Answer {
    std::vector<double> values;
    bool normalized = false;
};

void put(Answer& answer, const float* values, int count) { answer.values.assign(values, values + count); }

bool answer(Context& context, GLenum pname, Answer& a) {
    bool* flag = layerCapability(context, pname);
    if (flag) {
        a.values = {*flag ? 1.0 : 0.0};
        return true;
    }
    if (isEsCapability(pname)) {
        const bool dither = pname == GL_DITHER;  // the one capability GL starts with on
        const auto found = context.esCapabilities.find(pname);
        a.values = {(found == context.esCapabilities.end() ? dither : found->second) ? 1.0 : 0.0};
        return true;
    }
    switch (pname) {
    case GL_MATRIX_MODE: a.values = {double(context.matrixMode)}; return true;
    case GL_MODELVIEW_MATRIX: put(a, context.modelview.back().data(), 16); return true;
    case GL_PROJECTION_MATRIX: put(a, context.projection.back().data(), 16); return true;
    case GL_MODELVIEW_STACK_DEPTH: a.values = {double(context.modelview.size())}; return true;
    case GL_PROJECTION_STACK_DEPTH: a.values = {double(context.projection.size())}; return true;
    case GL_MAX_MODELVIEW_STACK_DEPTH: a.values = {double(maxModelviewDepth)}; return true;
    case GL_MAX_PROJECTION_STACK_DEPTH: a.values = {double(maxProjectionDepth)}; return true;
    case GL_MAX_LIGHTS: a.values = {double(maxLights)}; return true;
    case GL_CURRENT_COLOR:
        put(a, context.color, 4);
        a.normalized = true;
        return true;
    case GL_CURRENT_NORMAL:
        put(a, context.normal, 3);
        a.normalized = true;
        return true;
    case GL_CURRENT_TEXTURE_COORDS:
        put(a, context.activeUnit == 0 ? context.texCoord : context.texCoord1, 4);
        return true;
    case GL_TEXTURE_MATRIX: put(a, context.units[context.activeUnit].matrix.back().data(), 16); return true;
    case GL_TEXTURE_STACK_DEPTH: a.values = {double(context.units[context.activeUnit].matrix.size())}; return true;
    case GL_MAX_TEXTURE_STACK_DEPTH: a.values = {double(maxTextureDepth)}; return true;
    case GL_TEXTURE_BINDING_2D: a.values = {double(context.units[context.activeUnit].binding)}; return true;
    case GL_ACTIVE_TEXTURE_ARB: a.values = {double(GL_TEXTURE0_ARB + context.activeUnit)}; return true;
    case GL_CLIENT_ACTIVE_TEXTURE_ARB: a.values = {double(GL_TEXTURE0_ARB)}; return true;
    case GL_MAX_TEXTURE_UNITS_ARB: a.values = {double(textureUnits)}; return true;
    case GL_MAX_TEXTURE_SIZE: a.values = {double(context.maxTextureSize)}; return true;
    case GL_CURRENT_RASTER_POSITION: put(a, context.raster.window, 4); return true;
    case GL_CURRENT_RASTER_POSITION_VALID: a.values = {context.raster.valid ? 1.0 : 0.0}; return true;
    case GL_CURRENT_RASTER_COLOR:
        put(a, context.raster.color, 4);
        a.normalized = true;
        return true;
    case GL_CURRENT_RASTER_DISTANCE: a.values = {context.raster.distance}; return true;
    case GL_CURRENT_RASTER_TEXTURE_COORDS: put(a, context.raster.texCoord, 4); return true;
    case GL_LIGHT_MODEL_AMBIENT:
        put(a, context.lightModelAmbient, 4);
        a.normalized = true;
        return true;
    case GL_LIGHT_MODEL_LOCAL_VIEWER: a.values = {context.localViewer ? 1.0 : 0.0}; return true;
    case GL_LIGHT_MODEL_TWO_SIDE: a.values = {0.0}; return true;
    case GL_COLOR_MATERIAL_FACE: a.values = {double(context.colorMaterialFace)}; return true;
    case GL_COLOR_MATERIAL_PARAMETER: a.values = {double(context.colorMaterialMode)}; return true;
    case GL_FOG_MODE: a.values = {double(context.fogMode)}; return true;
    case GL_FOG_DENSITY: a.values = {context.fogDensity}; return true;
    case GL_FOG_START: a.values = {context.fogStart}; return true;
    case GL_FOG_END: a.values = {context.fogEnd}; return true;
    case GL_FOG_COLOR:
        put(a, context.fogColor, 4);
        a.normalized = true;
        return true;
    case GL_COLOR_CLEAR_VALUE:
        put(a, context.clearColor, 4);
        a.normalized = true;
        return true;
    case GL_DEPTH_CLEAR_VALUE:
        a.values = {context.clearDepth};
        a.normalized = true;
        return true;
    case GL_VIEWPORT: a.values.assign(context.viewport, context.viewport + 4); return true;
    case GL_DEPTH_FUNC: a.values = {double(context.depthFunc)}; return true;
    case GL_BLEND_SRC: a.values = {double(context.blendSource)}; return true;
    case GL_BLEND_DST: a.values = {double(context.blendDestination)}; return true;
    case GL_PACK_ALIGNMENT: a.values = {double(context.packAlignment)}; return true;
    case GL_UNPACK_ALIGNMENT: a.values = {double(context.unpack.alignment)}; return true;
    case GL_UNPACK_ROW_LENGTH: a.values = {double(context.unpack.rowLength)}; return true;
    case GL_UNPACK_SKIP_ROWS: a.values = {double(context.unpack.skipRows)}; return true;
    case GL_UNPACK_SKIP_PIXELS: a.values = {double(context.unpack.skipPixels)}; return true;
    case GL_UNPACK_LSB_FIRST: a.values = {context.unpack.lsbFirst ? 1.0 : 0.0}; return true;
    case GL_UNPACK_SWAP_BYTES: a.values = {context.unpack.swapBytes ? 1.0 : 0.0}; return true;
    case GL_POLYGON_MODE: a.values = {double(context.polygonMode), double(context.polygonMode)}; return true;
    case GL_LINE_WIDTH: a.values = {context.lineWidth}; return true;
    case GL_LIST_BASE: a.values = {double(context.listBase)}; return true;
    case GL_LIST_INDEX: a.values = {double(context.compilingList)}; return true;
    case GL_LIST_MODE: a.values = {double(context.listMode)}; return true;
    case GL_MAX_LIST_NESTING: a.values = {double(maxListNesting)}; return true;
    case GL_ATTRIB_STACK_DEPTH: a.values = {double(context.attribStack.size())}; return true;
    case GL_CLIENT_ATTRIB_STACK_DEPTH: a.values = {double(context.clientAttribStack.size())}; return true;
    case GL_MAX_ATTRIB_STACK_DEPTH:
    case GL_MAX_CLIENT_ATTRIB_STACK_DEPTH: a.values = {double(maxAttribDepth)}; return true;
    default: return false;
    }
}

// Runs the query for one of the glGet functions; false (with GL's error recorded) when it cannot.
bool query(GLenum pname, const void* params, Answer& a) {
    Context* context = outsideBeginEnd();
    if (!context) return false;
    if (!answer(*context, pname, a)) {
        setError(*context, GL_INVALID_ENUM);
        return false;
    }
    if (!params) return false;  // nowhere to write: GL leaves it undefined, the layer writes nothing
    return true;
}

}  // namespace

Context* current() { return currentLayerContext; }

void setError(Context& context, GLenum error) {
    if (context.error == GL_NO_ERROR) context.error = error;
}

Context* outsideBeginEnd() {
    Context* context = currentLayerContext;
    if (context && context->insideBeginEnd) {
        setError(*context, GL_INVALID_OPERATION);
        return nullptr;
    }
    return context;
}

Context* createContext(ProcLoader loader, const char** why) {
    const char* missing = nullptr;
    Context* context = new Context;
    // The first light alone starts white.
    for (int k = 0; k < 3; ++k) context->lights[0].diffuse[k] = context->lights[0].specular[k] = 1;
    if (!loadEs2Api(loader, context->es, missing)) {
        if (why) *why = missing ? missing : "no entry point loader";
        delete context;
        return nullptr;
    }
    const GLubyte* esVersion = context->es.GetString(GL_VERSION);
    context->version = std::string("1.1 facedemo fixed-function layer on ") +
                       (esVersion ? reinterpret_cast<const char*>(esVersion) : "OpenGL ES 2.0");
    context->es.GenBuffers(1, &context->vertexBuffer);
    context->es.GenBuffers(attributeCount, context->arrayBuffers);
    context->es.GenBuffers(1, &context->indexBuffer);
    const GLubyte* esExtensions = context->es.GetString(GL_EXTENSIONS);
    context->elementIndexUint =
        esExtensions && std::strstr(reinterpret_cast<const char*>(esExtensions), "GL_OES_element_index_uint");
    context->es.GetIntegerv(GL_VIEWPORT, context->viewport);
    context->es.GetFloatv(GL_ALIASED_LINE_WIDTH_RANGE, context->lineWidthRange);
    context->es.GetIntegerv(GL_MAX_TEXTURE_SIZE, &context->maxTextureSize);
    context->textures[0].bound = true;  // the default texture
    // Texture images reach ES in packed rows, whatever the caller's unpack rules.
    context->es.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // The first program made now proves that the ES compiler takes the layer's shaders.
    Context* previous = currentLayerContext;
    currentLayerContext = context;
    const bool compiled = programFor(*context, GL_TRIANGLES) != nullptr;
    currentLayerContext = previous;
    if (!compiled) {
        if (why) *why = "the layer's shaders were refused by the ES compiler";
        destroyContext(context);
        return nullptr;
    }
    return context;
}

void destroyContext(Context* context) {
    if (!context) return;
    deletePrograms(*context);
    deleteTextures(*context);
    deleteBitmapObjects(*context);
    if (context->vertexBuffer) context->es.DeleteBuffers(1, &context->vertexBuffer);
    context->es.DeleteBuffers(attributeCount, context->arrayBuffers);
    if (context->indexBuffer) context->es.DeleteBuffers(1, &context->indexBuffer);
    if (currentLayerContext == context) currentLayerContext = nullptr;
    delete context;
}

void sendEsState(Context& context) {
    const Es2Api& es = context.es;
    for (GLenum cap : esCapabilities) {
        const auto found = context.esCapabilities.find(cap);
        const bool enabled = found == context.esCapabilities.end() ? cap == GL_DITHER : found->second;
        if (enabled)
            es.Enable(cap);
        else
            es.Disable(cap);
    }
    es.DepthFunc(context.depthFunc);
    es.BlendFunc(context.blendSource, context.blendDestination);
    es.ClearColor(context.clearColor[0], context.clearColor[1], context.clearColor[2], context.clearColor[3]);
    es.ClearDepthf(static_cast<GLfloat>(context.clearDepth));
    es.Viewport(context.viewport[0], context.viewport[1], context.viewport[2], context.viewport[3]);
    es.LineWidth(std::clamp(context.lineWidth, context.lineWidthRange[0], context.lineWidthRange[1]));
}

void makeCurrent(Context* context) { currentLayerContext = context; }

Context* currentContext() { return currentLayerContext; }

void Enable(GLenum cap) {
    if (listed([=] { Enable(cap); })) return;
    setCapability(cap, true);
}

void Disable(GLenum cap) {
    if (listed([=] { Disable(cap); })) return;
    setCapability(cap, false);
}

GLboolean IsEnabled(GLenum cap) {
    Context* context = outsideBeginEnd();
    if (!context) return GL_FALSE;
    if (!layerCapability(*context, cap) && !isEsCapability(cap)) {
        setError(*context, GL_INVALID_ENUM);
        return GL_FALSE;
    }
    Answer a;
    answer(*context, cap, a);
    return a.values[0] != 0 ? GL_TRUE : GL_FALSE;
}

GLenum GetError() {
    Context* context = currentLayerContext;
    if (!context) return GL_NO_ERROR;
    // Between Begin and End glGetError is itself a bad call: it answers 0 and records the error.
    if (context->insideBeginEnd) {
        setError(*context, GL_INVALID_OPERATION);
        return GL_NO_ERROR;
    }
    const GLenum error = context->error;
    context->error = GL_NO_ERROR;
    return error;
}

const GLubyte* GetString(GLenum name) {
    Context* context = outsideBeginEnd();
    if (!context) return nullptr;
    switch (name) {
    case GL_VENDOR:
    case GL_RENDERER: return context->es.GetString(name);
    case GL_VERSION: return reinterpret_cast<const GLubyte*>(context->version.c_str());
    case GL_EXTENSIONS: return reinterpret_cast<const GLubyte*>("GL_ARB_multitexture");
    default: setError(*context, GL_INVALID_ENUM); return nullptr;
    }
}

void GetBooleanv(GLenum pname, GLboolean* params) {
    Answer a;
    if (!query(pname, params, a)) return;
    for (std::size_t i = 0; i < a.values.size(); ++i) params[i] = a.values[i] != 0 ? GL_TRUE : GL_FALSE;
}

void GetIntegerv(GLenum pname, GLint* params) {
    Answer a;
    if (!query(pname, params, a)) return;
    for (std::size_t i = 0; i < a.values.size(); ++i) {
        const double v = a.values[i];
        // Normalized values map [-1, 1] onto the whole range of GLint; other reals are rounded.
        params[i] = a.normalized ? GLint(std::clamp(v, -1.0, 1.0) * 2147483647.0) : GLint(std::lround(v));
    }
}

void GetFloatv(GLenum pname, GLfloat* params) {
    Answer a;
    if (!query(pname, params, a)) return;
    for (std::size_t i = 0; i < a.values.size(); ++i) params[i] = static_cast<GLfloat>(a.values[i]);
}

void GetDoublev(GLenum pname, GLdouble* params) {
    Answer a;
    if (!query(pname, params, a)) return;
    std::copy(a.values.begin(), a.values.end(), params);
}

void Clear(GLbitfield mask) {
    if (listed([=] { Clear(mask); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    constexpr GLbitfield known = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT;
    // The accumulation buffer is one the layer does not have.
    if (mask & ~known) {
        setError(*context, GL_INVALID_VALUE);
        return;
    }
    context->es.Clear(mask);
}

void Finish() {
    if (Context* context = outsideBeginEnd()) context->es.Finish();
}

void ClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    if (listed([=] { ClearColor(red, green, blue, alpha); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    const float rgba[4] = {std::clamp(red, 0.0f, 1.0f), std::clamp(green, 0.0f, 1.0f), std::clamp(blue, 0.0f, 1.0f),
                           std::clamp(alpha, 0.0f, 1.0f)};
    std::copy(rgba, rgba + 4, context->clearColor);
    context->es.ClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void ClearDepth(GLclampd depth) {
    if (listed([=] { ClearDepth(depth); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    context->clearDepth = std::clamp(depth, 0.0, 1.0);
    context->es.ClearDepthf(static_cast<GLfloat>(context->clearDepth));
}

void Viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (listed([=] { Viewport(x, y, width, height); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (width < 0 || height < 0) {
        setError(*context, GL_INVALID_VALUE);
        return;
    }
    context->es.Viewport(x, y, width, height);
    // ES clamps the size to what the driver allows; the query answers what it took.
    context->es.GetIntegerv(GL_VIEWPORT, context->viewport);
    context->es.GetFloatv(GL_ALIASED_LINE_WIDTH_RANGE, context->lineWidthRange);
}

void DepthFunc(GLenum func) {
    if (listed([=] { DepthFunc(func); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (func < GL_NEVER || func > GL_ALWAYS) {
        setError(*context, GL_INVALID_ENUM);
        return;
    }
    context->depthFunc = func;
    context->es.DepthFunc(func);
}

void BlendFunc(GLenum sfactor, GLenum dfactor) {
    if (listed([=] { BlendFunc(sfactor, dfactor); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    // GL 1.1's factors, with the colour factors on both sides as ES and later GL allow them; the
    // constant-colour factors are not offered.
    const auto known = [](GLenum f, bool source) {
        switch (f) {
        case GL_ZERO:
        case GL_ONE:
        case GL_SRC_ALPHA:
        case GL_ONE_MINUS_SRC_ALPHA:
        case GL_DST_ALPHA:
        case GL_ONE_MINUS_DST_ALPHA:
        case GL_SRC_COLOR:
        case GL_ONE_MINUS_SRC_COLOR:
        case GL_DST_COLOR:
        case GL_ONE_MINUS_DST_COLOR: return true;
        case GL_SRC_ALPHA_SATURATE: return source;
        default: return false;
        }
    };
    if (!known(sfactor, true) || !known(dfactor, false)) {
        setError(*context, GL_INVALID_ENUM);
        return;
    }
    context->blendSource = sfactor;
    context->blendDestination = dfactor;
    context->es.BlendFunc(sfactor, dfactor);
}

}  // namespace ff
