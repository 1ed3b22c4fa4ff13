// The attribute stacks: glPushAttrib saves the groups its mask names, glPopAttrib puts back what
// was saved, and the client stack does the same for pixel storage and the client arrays.
#include <algorithm>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

namespace {

// The ES capabilities in each group besides GL_ENABLE_BIT, which holds them all.
struct CapabilityGroup {
    GLbitfield bit;
    GLenum capability;
};
constexpr CapabilityGroup capabilityGroups[] = {
    {GL_DEPTH_BUFFER_BIT, GL_DEPTH_TEST}, {GL_COLOR_BUFFER_BIT, GL_BLEND},          {GL_COLOR_BUFFER_BIT, GL_DITHER},
    {GL_POLYGON_BIT, GL_CULL_FACE},       {GL_POLYGON_BIT, GL_POLYGON_OFFSET_FILL}, {GL_SCISSOR_BIT, GL_SCISSOR_TEST},
};

template <typename T, std::size_t n>
void copyArray(const T (&from)[n], T (&to)[n]) {
    std::copy(from, from + n, to);
}

// Copies the groups of `mask` from one record to the other: the context to a stack entry when
// pushing, back when popping. Both name their fields alike.
template <typename From, typename To>
void copyGroups(GLbitfield mask, const From& from, To& to) {
    if (mask & GL_CURRENT_BIT)
        copyArray(from.color, to.color), copyArray(from.normal, to.normal), copyArray(from.texCoord, to.texCoord),
            copyArray(from.texCoord1, to.texCoord1), to.raster = from.raster;
    if (mask & (GL_ENABLE_BIT | GL_TEXTURE_BIT))
        for (int unit = 0; unit < textureUnits; ++unit) to.units[unit].enabled = from.units[unit].enabled;
    if (mask & (GL_ENABLE_BIT | GL_LIGHTING_BIT)) {
        to.lighting = from.lighting;
        to.colorMaterial = from.colorMaterial;
        for (int i = 0; i < maxLights; ++i) to.lights[i].enabled = from.lights[i].enabled;
    }
    if (mask & (GL_ENABLE_BIT | GL_TRANSFORM_BIT)) to.normalize = from.normalize;
    if (mask & (GL_ENABLE_BIT | GL_FOG_BIT)) to.fog = from.fog;
    for (const CapabilityGroup& group : capabilityGroups) {
        if (!(mask & (GL_ENABLE_BIT | group.bit))) continue;
        const auto found = from.esCapabilities.find(group.capability);
        if (found == from.esCapabilities.end())
            to.esCapabilities.erase(group.capability);
        else
            to.esCapabilities[group.capability] = found->second;
    }
    if (mask & GL_LIGHTING_BIT) {
        for (int i = 0; i < maxLights; ++i) to.lights[i] = from.lights[i];  // their enables too
        to.front = from.front, to.back = from.back;
        copyArray(from.lightModelAmbient, to.lightModelAmbient);
        to.localViewer = from.localViewer;
        to.colorMaterialFace = from.colorMaterialFace, to.colorMaterialMode = from.colorMaterialMode;
    }
    if (mask & GL_FOG_BIT) {
        to.fogMode = from.fogMode, to.fogDensity = from.fogDensity;
        to.fogStart = from.fogStart, to.fogEnd = from.fogEnd;
        copyArray(from.fogColor, to.fogColor);
    }
    if (mask & GL_DEPTH_BUFFER_BIT) to.depthFunc = from.depthFunc, to.clearDepth = from.clearDepth;
    if (mask & GL_COLOR_BUFFER_BIT) {
        copyArray(from.clearColor, to.clearColor);
        to.blendSource = from.blendSource, to.blendDestination = from.blendDestination;
    }
    if (mask & GL_VIEWPORT_BIT) copyArray(from.viewport, to.viewport);
    if (mask & GL_TRANSFORM_BIT) to.matrixMode = from.matrixMode;
    if (mask & GL_POLYGON_BIT) to.polygonMode = from.polygonMode;
    if (mask & GL_LINE_BIT) to.lineWidth = from.lineWidth;
}

// The texture group besides the units' enables: the active unit, each unit's binding and
// environment, and the parameters of the texture each had bound.
void saveTextures(Context& context, AttribEntry& entry) {
    entry.activeUnit = context.activeUnit;
    for (int unit = 0; unit < textureUnits; ++unit) {
        AttribEntry::SavedUnit& saved = entry.units[unit];
        saved.binding = context.units[unit].binding;
        saved.envMode = context.units[unit].envMode;
        saved.parameters = boundTexture(context, unit).parameters;
    }
}

void restoreTextures(Context& context, const AttribEntry& entry) {
    for (int unit = 0; unit < textureUnits; ++unit) {
        const AttribEntry::SavedUnit& saved = entry.units[unit];
        // A texture deleted since the push leaves the unit with the default texture.
        const auto found = context.textures.find(saved.binding);
        context.units[unit].binding = found != context.textures.end() ? saved.binding : 0;
        context.units[unit].envMode = saved.envMode;
        if (found == context.textures.end()) continue;
        found->second.parameters = saved.parameters;
        sendTextureParameters(context, found->second);
    }
    context.activeUnit = entry.activeUnit;
}

}  // namespace

void PushAttrib(GLbitfield mask) {
    if (listed([=] { PushAttrib(mask); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (context->attribStack.size() >= maxAttribDepth) return setError(*context, GL_STACK_OVERFLOW);
    AttribEntry entry;
    entry.mask = mask;
    // Fields outside the mask are copied too, so that nothing in the entry is left unset.
    copyGroups(GL_ALL_ATTRIB_BITS, *context, entry);
    saveTextures(*context, entry);
    context->attribStack.push_back(entry);
}

void PopAttrib() {
    if (listed([=] { PopAttrib(); })) return;
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (context->attribStack.empty()) return setError(*context, GL_STACK_UNDERFLOW);
    const AttribEntry entry = context->attribStack.back();
    context->attribStack.pop_back();
    copyGroups(entry.mask, entry, *context);
    if (entry.mask & GL_TEXTURE_BIT) restoreTextures(*context, entry);
    sendEsState(*context);
}

void PushClientAttrib(GLbitfield mask) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (context->clientAttribStack.size() >= maxAttribDepth) return setError(*context, GL_STACK_OVERFLOW);
    context->clientAttribStack.push_back({mask, context->packAlignment, context->unpack, context->vertexArray,
                                          context->normalArray, context->colorArray, context->texCoordArray});
}

void PopClientAttrib() {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (context->clientAttribStack.empty()) return setError(*context, GL_STACK_UNDERFLOW);
    const Context::ClientAttribEntry entry = context->clientAttribStack.back();
    context->clientAttribStack.pop_back();
    if (entry.mask & GL_CLIENT_PIXEL_STORE_BIT) {
        context->packAlignment = entry.packAlignment;
        context->unpack = entry.unpack;
    }
    if (entry.mask & GL_CLIENT_VERTEX_ARRAY_BIT) {
        context->vertexArray = entry.vertexArray, context->normalArray = entry.normalArray;
        context->colorArray = entry.colorArray, context->texCoordArray = entry.texCoordArray;
    }
}

}  // namespace ff
