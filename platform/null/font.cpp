// No system font: the glyph lists stay empty, as where no font could be found.
#include "platform/font.h"

namespace platform {

bool buildFontBitmaps(DeviceContext*, unsigned, unsigned, unsigned) { return false; }

}  // namespace platform
