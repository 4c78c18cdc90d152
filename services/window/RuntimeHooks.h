// What the process and message operations need from the window runtime.
#pragma once

#include <windows.h>

#include "services/Services.h"

namespace varnesse::window {

// Runs the exit callbacks once, in registration order, releases the window
// descriptions and uninitialises COM. Safe to call more than once.
void ShutDownRuntime();

// Dispatches one message already in the queue through the runtime's
// pre-translation (mouse input becomes events), TranslateMessage and
// DispatchMessageA. Leaves WM_QUIT in the queue; returns false when the head
// of the queue is WM_QUIT or the queue is empty.
bool DispatchOnePendingMessage();

// The live window handle of a unit of a window of the program, or null.
HWND WindowHandleOf(const WindowUnit& unit);

}  // namespace varnesse::window
