// The procedure of the window class: size, activation, close and key messages.
#pragma once

#include <cstdint>

#include "platform/window.h"

platform::LRESULT windowProc(platform::Window* window, std::uint32_t message, platform::WPARAM wParam,
                             platform::LPARAM lParam);
