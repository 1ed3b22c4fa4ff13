// Looking up the ES 2.0 entry points by name.
#include "fixed_function/es2_api.h"

namespace ff {

bool loadEs2Api(ProcLoader loader, Es2Api& api, const char*& missing) {
    missing = nullptr;
    if (!loader) return false;
#define FF_ES2_LOAD(result, name, parameters)                            \
    api.name = reinterpret_cast<decltype(api.name)>(loader("gl" #name)); \
    if (!api.name) {                                                     \
        missing = "gl" #name;                                            \
        return false;                                                    \
    }
    FF_ES2_FUNCTIONS(FF_ES2_LOAD)
#undef FF_ES2_LOAD
    return true;
}

}  // namespace ff
