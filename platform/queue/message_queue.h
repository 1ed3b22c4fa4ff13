// The FIFO of Windows-style messages that the SDL and browser backends keep themselves (Win32 has
// the system's). A message keeps its window as the backend's id, looked up when it is taken, so a
// message that outlives its window (F1 destroys the window inside dispatch) never carries a
// dangling pointer. Included only inside platform/ (the contract's headers are the top folder's).
#pragma once

#include <cstdint>

#include "platform/messages.h"

namespace platform {

// Appends a message for the window of this id (0: none, as WM_QUIT).
void queueMessage(std::uint32_t windowId, std::uint32_t message, WPARAM wParam, LPARAM lParam);
bool messageQueueEmpty();
// Takes the next message, its window looked up by `windowFromId`; messages about the state of a
// window that is gone are passed over. False when none is left.
bool takeQueuedMessage(Message& message, Window* (*windowFromId)(std::uint32_t));

}  // namespace platform
