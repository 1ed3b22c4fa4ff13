// Modal message boxes over SDL_ShowMessageBox, with a standard-error fallback when no display exists.
#include "platform/message_box.h"
#include "platform/backend.h"
#include "platform/sdl/sdl_internal.h"

namespace platform {

int backendMessageBox(Window* owner, const char* text, const char* caption, unsigned type) {
    const bool yesNo = (type & buttonGroupMask) == MB_YESNO;
    const int cancelAnswer = yesNo ? IDNO : IDOK;

    const SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"},
    };
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
    };

    SDL_MessageBoxData box{};
    box.flags = SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    if ((type & MB_ICONEXCLAMATION) == MB_ICONEXCLAMATION) box.flags |= SDL_MESSAGEBOX_WARNING;
    box.window = owner ? owner->sdl : nullptr;
    box.title = caption;
    box.message = text;
    box.numbuttons = yesNo ? 2 : 1;
    box.buttons = yesNo ? yesNoButtons : okButtons;

    int pressed = -1;
    int shown = SDL_ShowMessageBox(&box, &pressed);
    if (shown != 0 && box.window) {
        // A window of another video driver cannot own a box; shown without an owner it still tells the user.
        box.window = nullptr;
        shown = SDL_ShowMessageBox(&box, &pressed);
    }
    // No display to show it on: the text must still reach the user.
    if (shown != 0) return messageOnStandardError(text, caption, type);
    // Closing the box without a button counts as its cancel button.
    return pressed == IDOK || pressed == IDYES || pressed == IDNO ? pressed : cancelAnswer;
}

}  // namespace platform
