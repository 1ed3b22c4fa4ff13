// The contract's message, key, box and answer values are Windows' own, so the backend hands
// Windows' messages and flags through unchanged. Checked at compile time: the names are taken
// once as the contract's constants, then again after <windows.h> has made them its macros.
#include <cstddef>
#include <iterator>

#include "platform/message_box.h"
#include "platform/messages.h"

#define FACEDEMO_SHARED_NAMES                                                                                          \
    WM_SIZE, WM_ACTIVATE, WM_CLOSE, WM_QUIT, WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WA_INACTIVE, WA_ACTIVE, \
        SIZE_RESTORED, SIZE_MINIMIZED, VK_SHIFT, VK_ESCAPE, VK_SPACE, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT,     \
        VK_UP, VK_RIGHT, VK_DOWN, VK_F1, VK_F4, VK_F10, MB_OK, MB_YESNO, MB_ICONEXCLAMATION, IDOK, IDCANCEL, IDYES,    \
        IDNO

namespace platform {
namespace {
constexpr long long contractValues[] = {FACEDEMO_SHARED_NAMES};
}  // namespace
}  // namespace platform

#include "platform/win32/win32_internal.h"

namespace platform {
namespace {

constexpr long long windowsValues[] = {FACEDEMO_SHARED_NAMES};
static_assert(std::size(contractValues) == std::size(windowsValues));

constexpr bool sameValues() {
    for (std::size_t i = 0; i < std::size(contractValues); ++i) {
        if (contractValues[i] != windowsValues[i]) return false;
    }
    return true;
}
static_assert(sameValues(), "a contract constant differs from the Windows value of the same name");

static_assert(sizeof(platform::WPARAM) == sizeof(::WPARAM) && sizeof(platform::LPARAM) == sizeof(::LPARAM) &&
              sizeof(platform::LRESULT) == sizeof(::LRESULT));
static_assert(static_cast<platform::LPARAM>(-1) < 0 && static_cast<::LPARAM>(-1) < 0, "LPARAM is signed on both");
static_assert(static_cast<platform::WPARAM>(-1) > 0 && static_cast<::WPARAM>(-1) > 0, "WPARAM is unsigned on both");

}  // namespace
}  // namespace platform
