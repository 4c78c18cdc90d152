// The window procedure of the program's windows (the class is registered once).
#pragma once

#include <windows.h>

namespace varnesse::window {

// Registers the window class on first use; returns its name.
const char* WindowClassName();

}  // namespace varnesse::window
