// The uninstaller's one window: never shown, its created event uninstalls.
#pragma once

#include <vector>

#include "services/window/WindowDescription.h"

namespace varnesse {

std::vector<WindowDescription> UninstallerWindows(Services& services);

}  // namespace varnesse
