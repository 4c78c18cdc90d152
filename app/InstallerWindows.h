// The installer's window descriptions with their handlers bound.
#pragma once

#include <vector>

#include "services/window/WindowDescription.h"

namespace varnesse {

std::vector<WindowDescription> InstallerWindows(Services& services);

}  // namespace varnesse
