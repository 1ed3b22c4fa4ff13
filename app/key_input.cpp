// Escape, F1's display-mode switch and the key-state table.
#include "app/key_input.h"

#include "app/globals.h"
#include "platform/message_box.h"
#include "platform/messages.h"

const char* displaySwitchFailure = nullptr;

namespace {

constexpr int windowedWidthAfterFullScreen = 500;
constexpr int windowedHeightAfterFullScreen = 500;

// F1: full screen at the desktop's size, or back to a 500 x 500 window. A switch that cannot
// make its window or its GL state ends the program as a failed start does.
void switchDisplayMode() {
    if (!appWindow.windowHandle) return;
    bool switched = appWindow.fullScreen
                        ? appWindow.leaveFullScreen(windowedWidthAfterFullScreen, windowedHeightAfterFullScreen)
                        : appWindow.enterFullScreen();
    if (switched) return;
    if (!appWindow.windowHandle) {
        platform::messageBox(nullptr, "Window could not be open! Program is about to close.", "PROGRAM FAILURE",
                             platform::MB_OK);
        displaySwitchFailure = "the window could not be made again after a display-mode switch";
    } else {
        platform::messageBox(appWindow.windowHandle, "Failed to initialize!", "ERROR", platform::MB_OK);
        displaySwitchFailure = "the initialisation failed again after a display-mode switch";
    }
    platform::postQuitMessage(0);
}

}  // namespace

void keyDown(platform::WPARAM virtualKey) {
    if (virtualKey == platform::VK_ESCAPE) {
        platform::postQuitMessage(0);
    } else if (virtualKey == platform::VK_F1) {
        switchDisplayMode();
    }
    keyState[static_cast<unsigned>(virtualKey)] = 1;
}

void keyUp(platform::WPARAM virtualKey) { keyState[static_cast<unsigned>(virtualKey)] = 0; }
