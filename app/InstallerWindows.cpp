#include "app/InstallerWindows.h"

namespace varnesse {

std::vector<WindowDescription> InstallerWindows(Services&) { return {}; }

}  // namespace varnesse
