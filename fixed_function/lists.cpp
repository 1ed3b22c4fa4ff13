// Display lists: between glNewList and glEndList the calls that lists hold are kept, with their
// arguments copied, and glCallList and glCallLists run them again. The calls that lists do not
// hold (queries, client state, the list calls themselves but glCallList, glCallLists and
// glListBase) run at once.
#include <cstdint>
#include <vector>

#include "fixed_function/context.h"
#include "fixed_function/fixed_function.h"

namespace ff {

namespace {

// Runs a list; a name that holds no list, or lists nested too deep, do nothing.
void execute(Context& context, GLuint list) {
    const auto found = context.lists.find(list);
    if (found == context.lists.end() || context.listDepth >= maxListNesting) return;
    ++context.listDepth;
    // The calls may not add or delete lists, so the sequence stays as it is while it runs.
    for (const std::function<void()>& call : found->second) call();
    --context.listDepth;
}

// The bytes each name of glCallLists takes in the given type; 0 for a type GL does not have.
int nameSize(GLenum type) {
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE: return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
    case GL_2_BYTES: return 2;
    case GL_3_BYTES: return 3;
    case GL_INT:
    case GL_UNSIGNED_INT:
    case GL_FLOAT:
    case GL_4_BYTES: return 4;
    default: return 0;
    }
}

GLuint nameAt(const GLubyte* bytes, GLenum type) {
    switch (type) {
    case GL_BYTE: return static_cast<GLuint>(*reinterpret_cast<const GLbyte*>(bytes));
    case GL_UNSIGNED_BYTE: return bytes[0];
    case GL_SHORT: return static_cast<GLuint>(*reinterpret_cast<const GLshort*>(bytes));
    case GL_UNSIGNED_SHORT: return *reinterpret_cast<const GLushort*>(bytes);
    case GL_INT: return static_cast<GLuint>(*reinterpret_cast<const GLint*>(bytes));
    case GL_UNSIGNED_INT: return *reinterpret_cast<const GLuint*>(bytes);
    case GL_FLOAT: return static_cast<GLuint>(*reinterpret_cast<const GLfloat*>(bytes));
    // The byte forms are big-endian, most significant byte first.
    case GL_2_BYTES: return GLuint(bytes[0]) << 8 | bytes[1];
    case GL_3_BYTES: return GLuint(bytes[0]) << 16 | GLuint(bytes[1]) << 8 | bytes[2];
    default: return GLuint(bytes[0]) << 24 | GLuint(bytes[1]) << 16 | GLuint(bytes[2]) << 8 | bytes[3];
    }
}

void callNames(const std::vector<GLuint>& names) {
    if (listed([names] { callNames(names); })) return;
    Context* context = current();
    if (!context) return;
    for (GLuint name : names) execute(*context, context->listBase + name);
}

}  // namespace

bool listed(std::function<void()> call) {
    Context* context = current();
    // Calls run by a list that glCallList runs while compiling are not kept again: the list keeps
    // the glCallList.
    if (!context || !context->compilingList || context->listDepth > 0) return false;
    context->listCalls.push_back(std::move(call));
    return context->listMode == GL_COMPILE;
}

GLuint GenLists(GLsizei range) {
    Context* context = outsideBeginEnd();
    if (!context) return 0;
    if (range < 0) {
        setError(*context, GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) return 0;
    // Names past the highest in use, as Mesa hands them out; when those run out, the first run of
    // `range` unused names. Each is then an empty list.
    std::uint64_t first = context->lists.empty() ? 1 : std::uint64_t(context->lists.rbegin()->first) + 1;
    if (first + GLuint(range) > 0xffffffffu) {
        first = 1;
        for (auto it = context->lists.lower_bound(GLuint(first));
             it != context->lists.end() && it->first < first + GLuint(range);
             it = context->lists.lower_bound(GLuint(first)))
            first = std::uint64_t(it->first) + 1;
        if (first + GLuint(range) > 0xffffffffu) {
            setError(*context, GL_OUT_OF_MEMORY);
            return 0;
        }
    }
    for (std::uint64_t name = first; name < first + GLuint(range); ++name) context->lists[GLuint(name)];
    return GLuint(first);
}

void DeleteLists(GLuint list, GLsizei range) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (range < 0) return setError(*context, GL_INVALID_VALUE);
    const std::uint64_t end = std::uint64_t(list) + std::uint64_t(range);
    context->lists.erase(context->lists.lower_bound(list),
                         end > 0xffffffffu ? context->lists.end() : context->lists.lower_bound(GLuint(end)));
}

GLboolean IsList(GLuint list) {
    Context* context = outsideBeginEnd();
    return context && context->lists.count(list) ? GL_TRUE : GL_FALSE;
}

void NewList(GLuint list, GLenum mode) {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (list == 0) return setError(*context, GL_INVALID_VALUE);
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) return setError(*context, GL_INVALID_ENUM);
    if (context->compilingList) return setError(*context, GL_INVALID_OPERATION);  // lists do not nest
    context->compilingList = list;
    context->listMode = mode;
    context->listCalls.clear();
}

void EndList() {
    Context* context = outsideBeginEnd();
    if (!context) return;
    if (!context->compilingList) return setError(*context, GL_INVALID_OPERATION);
    context->lists[context->compilingList] = std::move(context->listCalls);
    context->listCalls.clear();
    context->compilingList = 0;
    context->listMode = 0;
}

void CallList(GLuint list) {
    if (listed([list] { CallList(list); })) return;
    if (Context* context = current()) execute(*context, list);
}

void CallLists(GLsizei n, GLenum type, const GLvoid* lists) {
    Context* context = current();
    if (!context) return;
    const int size = nameSize(type);
    if (n < 0) return setError(*context, GL_INVALID_VALUE);
    if (size == 0) return setError(*context, GL_INVALID_ENUM);
    if (!lists) return;
    // The names are read now, whether the call runs or is kept in a list.
    std::vector<GLuint> names(static_cast<std::size_t>(n));
    for (GLsizei k = 0; k < n; ++k) names[k] = nameAt(static_cast<const GLubyte*>(lists) + k * size, type);
    callNames(names);
}

void ListBase(GLuint base) {
    if (listed([base] { ListBase(base); })) return;
    if (Context* context = outsideBeginEnd()) context->listBase = base;
}

}  // namespace ff
